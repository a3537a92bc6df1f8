#include "core/StartupLog.h"

#include "core/Paths.h"
#include "core/TextFile.h"

StartupLog::StartupLog(QString chemin) : m_chemin(std::move(chemin)) {}

StartupLog StartupLog::duProgramme(const QString &dossierProgramme)
{
    return StartupLog(Paths::join(dossierProgramme, QStringLiteral("Tabulon.log")));
}

void StartupLog::vide()
{
    m_lignes.clear();
    m_fichierLu = true;
    TextFile::saveLines(m_chemin, m_lignes);
}

void StartupLog::ajoute(const QString &ligne)
{
    if (!m_fichierLu) {
        m_lignes = TextFile::loadLines(m_chemin) + m_lignes;
        m_fichierLu = true;
    }
    m_lignes.append(ligne);
    TextFile::saveLines(m_chemin, m_lignes);
}
