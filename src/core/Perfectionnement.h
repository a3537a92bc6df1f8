#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class RandomSource;

// The tables backwards: a product value is shown and the pupil types every
// factorisation of it among the products he studies. Questions answered
// slowly or wrongly come back more often in the next passes.
class Perfectionnement
{
public:
    // Rows of factor fields on screen: a value with more factor pairs keeps
    // its first three.
    static constexpr int kPairesMax = 3;

    struct Paire
    {
        QString a;
        QString b;
        bool operator==(const Paire &autre) const { return a == autre.a && b == autre.b; }
    };

    struct Question
    {
        int numero = 0;             // 1-based entry of the sorted list
        int valeur = 0;
        QList<Paire> paires;
        // Level 1: per pair, the field given (0: first, 1: second); -1 otherwise.
        QList<int> donnes;
        int periodeMs = 0;          // level 3: the time allowed
    };

    struct Resultat
    {
        bool juste = false;
        int erreurs = 0;            // E: wrong fields whose row is not a factorisation
        bool autreFactorisation = false;    // F: a true factorisation not asked for
        QList<bool> champsFaux;     // 2 per row
        QList<Paire> attendus;      // the expected pairs aligned with the rows typed
        bool finDeNiveau = false;
    };

    explicit Perfectionnement(RandomSource &random);

    // Entries "vvvv" + codes, sorted: 00060203 for 6 = 2×3.
    static QStringList questions_perfectionnement(const QStringList &produits);
    // True when the values follow a regular progression (a single table),
    // or are too few to tell: the first pass is then shuffled.
    static bool reguliere(const QStringList &questions);
    // Points of one factor pair; never 0, so that every pool can fill the meter.
    static int increment(int paires);
    static int periode_niveau_3(int paires, int tempsInitial, int tempsFinal, int score);
    static int score_apres_erreur(int score);

    // Start of a level; niveau 1 becomes 2 for the squares alone.
    void initialisation(const QStringList &produits, int niveau, const QString &heureDebut,
                        int tempsInitial, int tempsFinal);
    Question pose_la_question(qint64 affichageMs);
    // `champs` holds the 2n fields, row by row.
    Resultat evalue_la_reponse(const QStringList &champs, qint64 reponseMs);
    // Level 3: the time ran out.
    void temps_depasse();
    // When the question was painted, and when the answer was given.
    void setAffichage(qint64 ms) { m_affichage = ms; }
    qint64 affichage() const { return m_affichage; }
    void setReponse(qint64 ms) { m_reponse = ms; }
    qint64 reponse() const { return m_reponse; }
    void fin_de_niveau();

    int niveau() const { return m_niveau; }
    int score() const { return m_score; }
    int nombre_questions() const { return int(m_questions.size()); }
    int nombre_paires() const { return m_paires; }
    const QStringList &questions() const { return m_questions; }
    const QList<int> &ordre_questions() const { return m_ordre; }
    const QList<double> &vitesses() const { return m_vitesses; }
    int numero() const { return m_numero; }
    int questions_posees() const { return m_posees; }
    const Question &question() const { return m_question; }
    // The line of the level for the pupil's history, or empty when at most
    // one question was asked.
    QString ligne_historique(const QString &heureFin) const;

private:
    void melange();
    void nouvelle_passe();
    double reel_uniforme();

    RandomSource &m_random;
    QStringList m_questions;
    QList<int> m_ordre;
    QList<double> m_vitesses;
    int m_paires = 0;
    int m_increment = 1;
    int m_numero = 0;
    int m_posees = 0;
    int m_score = 0;
    int m_niveau = 1;
    int m_tempsInitial = 20;
    int m_tempsFinal = 20;
    qint64 m_affichage = 0;
    qint64 m_reponse = 0;
    QString m_heureDebut;
    Question m_question;
};
