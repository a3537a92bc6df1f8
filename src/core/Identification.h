#pragma once

#include <QString>
#include <QStringList>

#include <functional>

struct SessionState;

// The rules of the identification, without any window: the pupil picks his
// class (school mode), then his name or types his code, or registers. Every
// step fills SessionState::eleve; the window only shows the current step and
// forwards clicks and keys.
class Identification
{
public:
    enum class Etape {
        ChoixClasse,    // school mode: the class lists
        ChoixNom,       // the names of the chosen group
        SaisieCode,     // "Tape ton code:"
        CodeInconnu,    // "code inconnu" and its OK button
        Inscription,    // family name and first name fields
        AffichageCode,  // "Ton code est:" after a registration
        Terminee,       // the pupil is known: the window closes
    };

    // A Yes/No question (title, text); true for Yes.
    using Question = std::function<bool(const QString &titre, const QString &texte)>;

    static inline const QString kAucune = QStringLiteral("aucune");
    static constexpr int kNomsParColonne = 15;

    explicit Identification(SessionState &state);

    // Starts again from the first step: class choice in school mode, else the
    // name or code step of the home folder.
    void initialisation();
    Etape etape() const { return m_etape; }

    // A class of the current year; an unknown name is ignored (false).
    bool choisit_classe(const QString &classe);
    // The "aucune" entry: pupils without a class.
    void choisit_aucune();
    // " Classe: 61 ".
    QString textePanelClasse() const;

    // File names of the chosen group, sorted as a French reader expects.
    const QStringList &listeEleves() const { return m_liste; }
    QStringList nomsAffiches() const;
    // The names cut into columns of kNomsParColonne.
    static QList<QStringList> colonnes(const QStringList &noms);

    // The pupil picked the name at this position of listeEleves().
    bool choisit_eleve(int index);
    // "Inscription", "Non", or "Si tu ne sais pas ton code, clique ici:".
    void demande_inscription();
    // The pupil leaves the registration form for the list (or the code
    // entry) of his group; false when the group has no one to choose from,
    // and the form stays.
    bool retour_liste();

    // A full four-character code; true when a pupil of the group has it
    // (the window then closes), else the step becomes CodeInconnu.
    bool verifie_code(const QString &code);
    // After "code inconnu": back to the code entry.
    void demande_code();
    // The code each pupil of the group was given at his registration, in the
    // order of listeEleves().
    QStringList codesAttribues() const;

    // A name field holds enough to register (two letters at least).
    static bool champSuffisant(const QString &champ);
    // Registration with the two fields as the window cleaned them. Similar
    // names of the school are offered through the question ("Ancien élève?").
    // False with a French text when the name is refused; nothing is changed then.
    bool inscription(const QString &nom, const QString &prenom, const Question &question,
                     QString *erreur = nullptr);
    // "Ton code est:" was read: done.
    void fin_affichage_code();

    // The question asked about a former pupil of key cle.
    QString questionAncienEleve(const QString &cle) const;

private:
    void choisitEtapeSuivante();
    void choisitCle(const QString &cle, const QString &dossier);
    QString cleArrivee(const QString &cle) const;
    QString codeAttribue(const QString &cle, const QStringList &codesAutres) const;

    SessionState &m_state;
    Etape m_etape = Etape::ChoixClasse;
    QStringList m_liste;
};
