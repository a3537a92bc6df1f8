#pragma once

#include <QString>

struct SessionState;

// The teacher code prompt without its window: two states, told apart by
// whether the prompt or the failure message is on show, and the run-wide
// choice of staying authorised until the program closes.
class TeacherAccess
{
public:
    enum class Etat { Demande, Echec };
    enum class Resultat {
        Accepte,    // the code matched: the teacher window may open
        Refuse,     // wrong code: the failure message is now on show
        Acquitte,   // the failure was acknowledged: the prompt is back, empty
    };

    explicit TeacherAccess(SessionState &state);

    // True when "Enseignant" must ask for the code first.
    static bool code_demande(const SessionState &state);

    // Why the stored code can never be typed into a four-letter lower-case
    // prompt, as a French warning; empty when the code can be typed.
    static QString code_prof_inaccessible(const QString &code);

    // Each showing of the prompt starts in the prompt state; the choice of
    // the radio buttons is kept from one showing to the next.
    void commence();
    Resultat clique_Button_code(const QString &saisie);
    Etat etat() const { return m_etat; }

    bool jusqua_fermeture() const;
    void setJusquaFermeture(bool garder);

private:
    SessionState &m_state;
    Etat m_etat = Etat::Demande;
};
