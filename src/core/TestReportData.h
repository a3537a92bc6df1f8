#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Everything a test report page, a result grid or a bar chart shows that can
// be decided without drawing: cell classes, counts, table scores, the lists
// of tables known badly and well, and every text of the report page. The
// painters only place these values, so the rules live here under test.

// How an answer is shown: right within the acceptable time, right but slow,
// wrong or absent.
enum class ClasseCase { Blanche, Grise, Noire };

struct CaseTest
{
    QString code;       // "0609"
    int a = 0;          // first factor
    int b = 0;          // second factor
    int temps = 0;      // tenths of a second
    int reponse = 0;    // 0: no answer ("je ne sais pas" or time-out)
    int score = 0;      // score of the answer (100, 50 ... 1, 0)
    ClasseCase classe = ClasseCase::Noire;
};

struct ComptesCases
{
    int blanches = 0;
    int grises = 0;
    int noires = 0;
};

// A piece of a text line with its own style; a line is drawn piece after piece.
struct Fragment
{
    QString texte;
    bool gras = false;
    bool italique = false;
};
using LigneTexte = QList<Fragment>;

// The chart text of the per-pupil statistics bar chart, read.
struct DonneesHistogramme
{
    QString titre;
    int maximum = 0;
    QString legende;
    QList<QPair<QString, int>> barres;
};

class TestReportData
{
public:
    // Inputs.
    QString nom;
    QString prenom;
    QString classe;
    QString dateTexte;
    QString nomEtablissement;
    QString enregistrements;    // records only
    int tempsAcceptable = 0;

    // Derived values.
    QList<CaseTest> cases;      // one per product answered, by product code
    ComptesCases comptes;
    int scoresTables[8] = {-1, -1, -1, -1, -1, -1, -1, -1};   // tables 2 ... 9
    QStringList mal;            // "07=3" entries, weakest first
    QStringList bien;           // best first
    int vitesse = -1;
    int scoreGlobal = 0;
    int scoreClassiques = -1;

    static TestReportData calcule(const QString &nom, const QString &prenom, const QString &classe,
                                  const QString &enregistrements, const QString &dateTexte,
                                  const QString &nomEtablissement, int tempsAcceptable);

    // Mal and bien together hold the eight classic tables.
    bool toutesTablesTestees() const;

    // Texts of the page, in drawing order.
    static QString titre();
    QString ligneNom() const;
    bool afficheClasse() const;
    QString ligneClasse() const;
    QString ligneDate() const;
    static QString texteProduit(const CaseTest &c, int nombrePoints);
    static QString texteReponse(const CaseTest &c);
    static QString texteTempsCase(const CaseTest &c);
    static QString texteScoreColonne(int score);    // empty when not tested
    static QString titreResume();
    LigneTexte ligneResume(ClasseCase classe) const;
    static QString titreClassement();
    LigneTexte ligneClassement(bool malSues) const;
    LigneTexte ligneRapidite() const;
    QString ligneBonnesReponses() const;
    static QString titreBilan();
    LigneTexte ligneNiveau() const;     // without the arrow and the level word
    QString motNiveauBilan() const;     // "bien." ...; empty when not all tables were tested
    QString ligneSousBilan(bool pdf) const;
    bool afficheConseil() const;
    LigneTexte ligneConseil() const;
    static QStringList lignesFinales();
    static QString piedDePage(const QString &adresse);
    static QString noteGeneration();

    // Shared rules of the report and the grids.
    static ClasseCase classe_case(int score);
    static QList<CaseTest> cases_test(const QString &enregistrements, int tempsAcceptable);
    static ComptesCases compte_cases(const QList<CaseTest> &cases);
    // "1,6s" on the report, "1.6s" on the grids; whole seconds without decimals ("2s").
    static QString temps_rapport(int dixiemes);
    static QString temps_grille(int dixiemes);
    // "T.faible", "faible", "passable", "bien", "T.bien", "parfait"; empty for -1.
    static QString mot_niveau_court(int score);
    // Table numbers of "07=3" entries: "7"; "8, 3, et 7."
    static QString joint_tables_rapport(const QStringList &entrees);
    static QString numero_entree(const QString &entree);
    // Speed as shown; "?" when no speed could be computed.
    static QString texte_vitesse(int vitesse);
    // Records of a whole test line (or records already): the records.
    static QString enregistrements_de(const QString &texte);
    // The first record's two factors are below 10.
    static bool est_classique(const QString &enregistrements);

    // Large grid: column and row of a product; false when the product has no cell.
    static bool place_case(int a, int b, bool classique, int *colonne, int *rangee);
    // Rows of a column of the large grid (8 classic; 9, 9, 10 ... 16 extended).
    static int rangees_colonne(int colonne, bool classique);
    // Table key of a column of the large grid.
    static QString cle_colonne(int colonne, bool classique);

    // Bar chart: scale step for a maximum (0 when there is none) and the chart text.
    static int pas_echelle(int maximum);
    static bool analyse_histogramme(const QString &texte, DonneesHistogramme *donnees, QString *erreur);
};
