#include "core/TeacherAccess.h"

#include "core/IniFile.h"
#include "core/SessionState.h"

namespace {
constexpr int kLongueurSaisie = 4;
}

TeacherAccess::TeacherAccess(SessionState &state) : m_state(state) {}

bool TeacherAccess::code_demande(const SessionState &state)
{
    return state.code_prof_requis;
}

QString TeacherAccess::code_prof_inaccessible(const QString &code)
{
    if (code.isEmpty())
        return QString();
    if (code == IniFile::kMarker)
        return QStringLiteral("Le code professeur est absent du fichier Tabulon.ini : aucun code saisi ne "
                              "pourra convenir et l'espace enseignant restera fermé.");
    if (code.size() > kLongueurSaisie)
        return QStringLiteral("Le code professeur compte plus de %1 caractères : il ne pourra jamais être "
                              "saisi et l'espace enseignant restera fermé.")
            .arg(kLongueurSaisie);
    if (code != code.toLower())
        return QStringLiteral("Le code professeur contient des majuscules : la saisie passe tout en "
                              "minuscules, il ne pourra jamais être reconnu et l'espace enseignant "
                              "restera fermé.");
    return QString();
}

void TeacherAccess::commence()
{
    m_etat = Etat::Demande;
}

TeacherAccess::Resultat TeacherAccess::clique_Button_code(const QString &saisie)
{
    if (m_etat == Etat::Echec) {
        m_etat = Etat::Demande;
        return Resultat::Acquitte;
    }
    // Compared exactly as stored: the prompt already forced the entry to
    // lower case.
    if (saisie != m_state.code_professeur) {
        m_etat = Etat::Echec;
        return Resultat::Refuse;
    }
    if (m_state.acces_prof_jusqu_a_fermeture) {
        m_state.code_prof_requis = false;
        m_state.code_prof_leve = true;
    }
    return Resultat::Accepte;
}

bool TeacherAccess::jusqua_fermeture() const
{
    return m_state.acces_prof_jusqu_a_fermeture;
}

void TeacherAccess::setJusquaFermeture(bool garder)
{
    m_state.acces_prof_jusqu_a_fermeture = garder;
}
