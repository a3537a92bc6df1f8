#include "core/StartupLog.h"

#include "core/TextFile.h"

StartupLog::StartupLog(QString chemin) : m_chemin(std::move(chemin)) {}

void StartupLog::vide()
{
    m_lignes.clear();
    TextFile::saveLines(m_chemin, m_lignes);
}

void StartupLog::ajoute(const QString &ligne)
{
    m_lignes.append(ligne);
    TextFile::saveLines(m_chemin, m_lignes);
}
