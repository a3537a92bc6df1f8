#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Clock;
class RandomSource;

// One tile of the test window: the product it stands for and what it shows.
struct TuileTest
{
    QString code;
    QString legende;        // "7×9=" before the answer, "7×9=63" after it
    bool repondue = false;  // grey once answered, passed or timed out
};

// The timed test, question by question: asking order, timing, the
// 12-character answer records, the second chance and the test line. The
// window owns the timers and the drawing; every decision is taken here, so a
// test can replay a whole run with a fixed clock and a seeded chance.
//
// Times are milliseconds on the clock's monotonic tick: a change of the wall
// clock during a question cannot bend a response time.
class TestEngine
{
public:
    // What the window does after avant_question.
    enum class Suite { Question, DeuxiemeChance, Fin };

    // What a change of the answer field asks of the window.
    struct Frappe
    {
        bool arreteChrono = false;  // the question can no longer time out
        bool complete = false;      // every expected digit is there: correct it shortly
    };

    static constexpr int kLargeurLigne = 47;        // second-chance lines are centred in it
    static constexpr int kLongueurEntete = 29;      // "\tTEST de HH:MM:SS à HH:MM:SS "
    static constexpr int kLongueurEnregistrement = 12;

    TestEngine(const Clock &clock, RandomSource &random);

    // Starts a test (also "Recommencer tout"): records cleared, tiles made,
    // order shuffled. An empty list starts nothing and returns false.
    bool initialisation_test(const QStringList &produits, int tempsMaximum);
    // Moves to the next question and tells the window what comes next.
    Suite avant_question();
    // The current question is on screen: its time starts now.
    void pose_la_question();
    void pose_la_question(qint64 debutMs);
    // The question was painted at debutMs: its time starts then, unless a
    // digit was already typed.
    void question_affichee(qint64 debutMs);

    // The answer field now holds nbCaracteres characters; toucheMs is the tick
    // at which the key that changed it was pressed.
    Frappe saisie(int nbCaracteres, qint64 toucheMs);
    // The field's text once the answer is complete. False when no question
    // was waiting for an answer (nothing recorded).
    bool corrige_reponse(const QString &texte);
    // "je ne sais pas", pressed at the tick given.
    bool je_ne_sais_pas(qint64 toucheMs);
    // The time limit of the question ran out.
    bool temps_depasse();
    // The question is hidden; reprise is a fresh pose_la_question.
    void pause();

    // The test line: tab, "TEST de ", start and end times, a space, the records.
    QString ligne_test(const QString &heureFin) const;
    QString heure_actuelle() const;

    // The record of one answer: "P", code, tenths of a second on three digits,
    // answer on four digits.
    static QString enregistrement(const QString &code, qint64 tempsMs, int reponse);
    // Milliseconds as tenths, rounded half to even, held to 0 .. 999 so that
    // the record keeps its 12 characters whatever the clock said.
    static int dixiemes(qint64 tempsMs);
    // The line with (width − length) div 2 spaces before and after it.
    static QString centre(const QString &ligne, int largeur = kLargeurLigne);

    bool actif() const { return m_actif; }
    bool termine() const { return m_termine; }
    bool en_pause() const { return m_pause; }
    bool question_ouverte() const { return m_questionOuverte; }
    // Every digit is typed; the correction follows shortly.
    bool reponse_complete() const { return m_reponseComplete; }
    const QStringList &produits() const { return m_produits; }
    int nombre_produits() const { return int(m_produits.size()); }
    int temps_maximum() const { return m_tempsMaximum; }
    bool test_tables_classiques() const { return m_testTablesClassiques; }

    int rang_question() const { return m_rang; }
    int dernier_rang() const { return m_dernierRang; }
    // Entry k − 1 is the 1-based position of the product asked k-th.
    const QList<int> &ordre_questions() const { return m_ordre; }
    // 1-based position in the product list of the current question.
    int position_courante() const;
    QString code_courant() const;
    // Digits of the current question's answer (0 when there is none).
    int longueur_attendue() const;
    int nb_frappes() const { return m_nbFrappes; }
    // " 7×9? ", the text of the question label.
    QString texte_question() const;
    qint64 debut_question() const { return m_debutQuestion; }
    qint64 temps_reponse() const { return m_tempsReponse; }
    bool recommencer_visible() const { return m_recommencerVisible; }

    const QString &enregistrements() const { return m_enregistrements; }
    const QString &heure_debut() const { return m_heureDebut; }
    const QList<TuileTest> &tuiles() const { return m_tuiles; }

    // The second chance: number of products asked again and the message.
    int nombre_erreurs() const { return m_dernierRang - nombre_produits(); }
    QStringList lignes_deuxieme_chance() const;  // the four centred lines
    QString texte_deuxieme_chance() const;       // joined by CR

private:
    void enregistre(qint64 tempsMs, int reponse);
    TuileTest &tuileCourante();

    const Clock &m_clock;
    RandomSource &m_random;

    QStringList m_produits;
    QList<TuileTest> m_tuiles;
    QList<int> m_ordre;
    int m_tempsMaximum = 0;
    bool m_testTablesClassiques = false;

    QString m_enregistrements;
    QString m_heureDebut;
    int m_rang = 0;
    int m_dernierRang = 0;
    int m_nbFrappes = 0;
    qint64 m_debutQuestion = 0;
    qint64 m_tempsReponse = 0;
    bool m_recommencerVisible = false;
    bool m_actif = false;
    bool m_termine = false;
    bool m_pause = false;
    bool m_questionOuverte = false;
    bool m_reponseComplete = false;
};
