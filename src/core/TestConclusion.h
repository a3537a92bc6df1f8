#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

struct EleveState;
struct SessionState;

// Everything the verdict panel shows once a test is over.
struct VerdictTest
{
    QString ligneTest;
    QString jour;                       // "Samedi 05/12/2026"
    bool premierTestDuJour = false;     // the hand-over to the training was made
    bool nouveauPointGraphique = false;

    QString descriptionGrille;          // the grid said in words, for a screen reader

    // False for a test of the extended tables: the grid only, no verdict.
    bool classique = false;

    QStringList tablesMal;              // table numbers, weakest first
    QStringList tablesBien;
    QString texteMal;                   // "3, 7 et 8." or "7"
    QString texteBien;
    QString articleMal;                 // "la table de " / "les tables de "
    QString articleBien;
    QString conseil;                    // empty when no table is known badly

    int scoreGlobal = 0;
    QString niveau;                     // "très faible" ... "parfait"
    QString pourcent;                   // "98%"
    int largeurPourcent = 0;            // 77, 101 or 125 pixels
    QString tuSais;                     // "Tu sais tes tables à" ...
    QString label11;                    // "c'est à dire 87% de toutes les tables."; empty when hidden
    int scoreTablesClassiques = -1;

    int vitesse = -1;                   // right answers per minute; -1 when none can be given
    QString texteVitesse;               // "23" or "-"

    bool recordsMisAJour = false;
    int rangRecord = 0;                 // 1 = best, as the main window ranks
    int nombreRecords = 0;
    bool recordBattu = false;
    QString erreurRecords;              // why the records list could not be saved
};

// The end of a test: the verdict, and the hand-over of its results to the
// history, the progress graph, the training advice and the records list.
class TestConclusion
{
public:
    // texte_record: "RECORD BATTU!!!".
    static QString texteRecord();
    static QString texteConseil(const QString &table);

    // Table numbers joined as French writes a list: "3, 7 et 8."; one table
    // gives the bare number.
    static QString joint_tables(const QStringList &numeros);
    static int largeur_pourcent(int score);

    // True when a test has already counted today: the graph's last point is
    // dated today. A later test of the day then changes neither the graph nor
    // the training advice, which is what the one-test-a-day warning says.
    static bool test_compte_aujourdhui(const EleveState &eleve, const QDate &aujourdhui);

    // enregistrements: the answer records; ligneTest: the whole test line;
    // testTablesClassiques: the test asked exactly the tables 2 to 9.
    static VerdictTest fin_du_test(SessionState &state, const QString &enregistrements, const QString &ligneTest,
                                   bool testTablesClassiques, const QDate &aujourdhui);

    // The verdict texts alone, without touching any stored value.
    static void remplit_verdict(VerdictTest &verdict, const SessionState &state, const QString &enregistrements,
                                bool testTablesClassiques);
};
