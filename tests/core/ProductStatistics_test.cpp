#include "core/CsvText.h"
#include "core/Evaluation.h"
#include "core/ProductStatistics.h"
#include "support/Records.h"

#include <QTemporaryDir>
#include <QFile>

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

using Fixtures::record;
using PS = ProductStatistics;

namespace {

constexpr int T = 4;   // acceptable time in seconds: 40 tenths

// A whole classic test, every product right in 2 s.
QString testComplet()
{
    QString r;
    for (int a = 2; a <= 9; ++a)
        for (int b = 2; b <= 9; ++b)
            r += record(a, b, 20, a * b);
    return r;
}

// A small CSV reader, independent of the writer: RFC 4180 with ";".
QList<QStringList> litCsv(const QByteArray &octets)
{
    EXPECT_TRUE(octets.startsWith("\xEF\xBB\xBF"));
    const QString texte = QString::fromUtf8(octets.mid(3));
    QList<QStringList> lignes;
    QStringList ligne;
    QString champ;
    bool guillemets = false;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (guillemets) {
            if (c == u'"' && i + 1 < texte.size() && texte.at(i + 1) == u'"') {
                champ += u'"';
                ++i;
            } else if (c == u'"') {
                guillemets = false;
            } else {
                champ += c;
            }
        } else if (c == u'"') {
            guillemets = true;
        } else if (c == u';') {
            ligne << champ;
            champ.clear();
        } else if (c == u'\r' && i + 1 < texte.size() && texte.at(i + 1) == u'\n') {
            ligne << champ;
            lignes << ligne;
            ligne.clear();
            champ.clear();
            ++i;
        } else {
            champ += c;
        }
    }
    EXPECT_TRUE(ligne.isEmpty() && champ.isEmpty()) << "the last row must end with CR LF";
    return lignes;
}

} // namespace

// A test without 2×2 must not move 2×3's answers onto 2×2's panel (and so on
// down the grid): each answer lands on its own product.
TEST(ProductStatistics, AccumulatesByProductNotByPosition)
{
    PS s;
    s.ajoute_test(testComplet(), T);
    // Second pupil: 2×2 missing, 2×3 wrong, 9×9 without answer, an extended
    // product that has no panel.
    QString incomplet = record(2, 3, 30, 7) + record(9, 9, 50, 0) + record(12, 13, 30, 156);
    s.ajoute_test(incomplet, T);
    EXPECT_EQ(s.nombreTests(), 2);
    const int k22 = PS::numero_panneau(2, 2);
    const int k23 = PS::numero_panneau(2, 3);
    const int k99 = PS::numero_panneau(9, 9);
    EXPECT_EQ(k22, 1);
    EXPECT_EQ(PS::numero_panneau(6, 9), 8 * 4 + 7 + 1);
    EXPECT_EQ(k99, 64);
    EXPECT_EQ(s.reponses(k22), 1);
    EXPECT_EQ(s.compte(k22, PS::Fausse), 0);
    EXPECT_EQ(s.compte(k23, PS::Fausse), 1);
    EXPECT_EQ(s.compte(k23, PS::RapideJuste), 1);
    EXPECT_EQ(s.compte(k99, PS::Absente), 1);
    EXPECT_EQ(s.temps(k99, PS::Absente), 50);
    // Percentage of pupils with a wrong answer or none: 1 of 3 (a pupil without test counts).
    EXPECT_EQ(s.panneau(k23, PS::Mode::Pourcentage, PS::kFausse | PS::kAbsente, 3).texte, QStringLiteral("33.3"));
    EXPECT_EQ(s.panneau(k22, PS::Mode::Pourcentage, PS::kFausse | PS::kAbsente, 3).texte, QStringLiteral("0.0"));
}

// The categories are the scoring's: fast right is a score of 100, slow right
// a lower positive score, wrong or absent a score of 0.
TEST(ProductStatistics, CategoriesAgreeWithTheScoring)
{
    for (const int tempsAcceptable : {1, 3, 4, 20}) {
        for (int t = 0; t < 1000; t += 7) {
            for (const int r : {54, 56, 0, 9999}) {
                const QString entree = QStringLiteral("0609%1%2").arg(t, 3, 10, QLatin1Char('0')).arg(r, 4, 10, QLatin1Char('0'));
                const int score = Evaluation::score_produit(entree, tempsAcceptable);
                const PS::Categorie attendue = score == 100 ? PS::RapideJuste
                                               : score > 0  ? PS::LenteJuste
                                               : r > 0      ? PS::Fausse
                                                            : PS::Absente;
                ASSERT_EQ(PS::categorie(entree, tempsAcceptable), attendue) << entree.toStdString() << " T=" << tempsAcceptable;
            }
        }
    }
}

// Records are read as the scoring reads them: a later answer to a product
// replaces an earlier one, a damaged group is passed over.
TEST(ProductStatistics, RecordsReadAsTheScoringReadsThem)
{
    PS s;
    s.ajoute_test(record(3, 4, 30, 11) + QStringLiteral("P05x60300030") + record(3, 4, 50, 12) + record(5, 6, 20, 30)
                      + QStringLiteral("P0708"),
                  T);
    const int k34 = PS::numero_panneau(3, 4);
    EXPECT_EQ(s.reponses(k34), 1);
    EXPECT_EQ(s.compte(k34, PS::LenteJuste), 1);
    EXPECT_EQ(s.temps(k34, PS::LenteJuste), 50);
    EXPECT_EQ(s.compte(PS::numero_panneau(5, 6), PS::RapideJuste), 1);
    EXPECT_EQ(s.reponses(PS::numero_panneau(7, 8)), 0);
    EXPECT_TRUE(s.confusions().isEmpty());
}

TEST(ProductStatistics, OnePupilConfusingSixNine)
{
    PS s;
    s.ajoute_test(record(6, 9, 30, 56) + record(7, 8, 30, 55), T);
    const PS::Panneau p = s.panneau(PS::numero_panneau(6, 9), PS::Mode::Pourcentage, PS::kFausse, 1);
    EXPECT_EQ(p.texte, QStringLiteral("100.0"));
    EXPECT_EQ(p.couleur, PS::Couleur::RougeFonce);
    EXPECT_TRUE(p.texteBlanc);
    // 55 is wrong but no table product: counted, not listed.
    EXPECT_EQ(s.compte(PS::numero_panneau(7, 8), PS::Fausse), 1);
    EXPECT_EQ(s.lignes_confusions(PS::Tri::Frequence), QStringList{QStringLiteral("6×9=56....1 fois")});
}

TEST(ProductStatistics, ModesSetTheirCategoryBoxes)
{
    const struct {
        PS::Mode mode;
        unsigned actives;
        unsigned cochees;
    } cas[] = {
        {PS::Mode::Pourcentage, PS::kToutes, PS::kFausse | PS::kAbsente},
        {PS::Mode::Nombre, PS::kToutes, PS::kFausse | PS::kAbsente},
        {PS::Mode::TempsMoyen, PS::kRapide | PS::kLente | PS::kFausse, PS::kRapide | PS::kLente},
        {PS::Mode::Vitesse, PS::kToutes, PS::kToutes},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(PS::nom_mode(c.mode).toStdString());
        EXPECT_EQ(PS::cases_pour_mode(c.mode).actives, c.actives);
        EXPECT_EQ(PS::cases_pour_mode(c.mode).cochees, c.cochees);
    }
}

TEST(ProductStatistics, ColourScaleAtItsThresholds)
{
    using C = PS::Couleur;
    const struct {
        PS::Mode mode;
        unsigned cats;
        int valeur;
        C attendu;
    } cas[] = {
        // Right answers: higher is better.
        {PS::Mode::Pourcentage, PS::kRapide | PS::kLente, 950, C::Blanc},
        {PS::Mode::Pourcentage, PS::kRapide | PS::kLente, 949, C::GrisClair},
        {PS::Mode::Pourcentage, PS::kRapide | PS::kLente, 800, C::Jaune},
        {PS::Mode::Pourcentage, PS::kRapide | PS::kLente, 700, C::Orange},
        {PS::Mode::Pourcentage, PS::kRapide | PS::kLente, 600, C::Rouge},
        {PS::Mode::Pourcentage, PS::kRapide | PS::kLente, 599, C::RougeFonce},
        {PS::Mode::Nombre, PS::kRapide, 880, C::Blanc},
        {PS::Mode::Nombre, PS::kRapide, 400, C::Rouge},
        {PS::Mode::Nombre, PS::kRapide, 399, C::RougeFonce},
        // Errors: lower is better.
        {PS::Mode::Pourcentage, PS::kFausse | PS::kAbsente, 49, C::Blanc},
        {PS::Mode::Pourcentage, PS::kFausse | PS::kAbsente, 50, C::GrisClair},
        {PS::Mode::Pourcentage, PS::kFausse, 399, C::Rouge},
        {PS::Mode::Pourcentage, PS::kAbsente, 400, C::RougeFonce},
        {PS::Mode::Pourcentage, PS::kLente | PS::kFausse | PS::kAbsente, 119, C::Blanc},
        {PS::Mode::Pourcentage, PS::kLente | PS::kFausse | PS::kAbsente, 360, C::Orange},
        {PS::Mode::TempsMoyen, PS::kRapide | PS::kLente, 19, C::Blanc},
        {PS::Mode::TempsMoyen, PS::kLente, 30, C::Jaune},
        {PS::Mode::TempsMoyen, PS::kLente, 60, C::RougeFonce},
        {PS::Mode::Vitesse, PS::kToutes, 300, C::Blanc},
        {PS::Mode::Vitesse, PS::kToutes, 125, C::Orange},
        {PS::Mode::Vitesse, PS::kToutes, 99, C::RougeFonce},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(PS::nom_mode(c.mode).toStdString() + " " + std::to_string(c.cats) + " " + std::to_string(c.valeur));
        std::array<int, 5> seuils{};
        ASSERT_TRUE(PS::seuils_panel(c.mode, c.cats, &seuils));
        EXPECT_EQ(PS::couleur_panel(c.valeur, seuils), c.attendu);
    }
    // Mixed choices have no scale.
    std::array<int, 5> seuils{};
    EXPECT_FALSE(PS::seuils_panel(PS::Mode::Pourcentage, PS::kRapide | PS::kFausse, &seuils));
    EXPECT_FALSE(PS::seuils_panel(PS::Mode::Nombre, PS::kLente, &seuils));
    EXPECT_FALSE(PS::seuils_panel(PS::Mode::TempsMoyen, PS::kRapide | PS::kFausse, &seuils));
}

TEST(ProductStatistics, PanelTextsOfEachMode)
{
    PS s;
    // 2×2: right in 1.0 s and 3.0 s, slow in 5.0 s, wrong in 8.0 s.
    s.ajoute_test(record(2, 2, 10, 4), T);
    s.ajoute_test(record(2, 2, 30, 4), T);
    s.ajoute_test(record(2, 2, 50, 4), T);
    s.ajoute_test(record(2, 2, 80, 5) + record(3, 3, 0, 9), T);
    const int k = 1;
    EXPECT_EQ(s.panneau(k, PS::Mode::Nombre, PS::kRapide | PS::kLente, 4).texte, QStringLiteral("3"));
    // Number mode is coloured by the share: 3 of 4 right is 750 per mille, orange.
    EXPECT_EQ(s.panneau(k, PS::Mode::Nombre, PS::kRapide | PS::kLente, 4).couleur, PS::Couleur::Orange);
    EXPECT_EQ(s.panneau(k, PS::Mode::TempsMoyen, PS::kRapide | PS::kLente, 4).texte, QStringLiteral("3.0"));
    // Speed: 3 right in 17 s = 10.58 per minute, shown in tenths; whole values without decimals.
    EXPECT_EQ(s.panneau(k, PS::Mode::Vitesse, PS::kToutes, 4).texte, QStringLiteral("10.5"));
    PS t;
    t.ajoute_test(record(2, 2, 20, 4) + record(2, 3, 30, 6), T);
    EXPECT_EQ(t.panneau(1, PS::Mode::Vitesse, PS::kToutes, 1).texte, QStringLiteral("30"));
    // A product nobody answered: no average time, and no speed either.
    EXPECT_EQ(s.panneau(64, PS::Mode::TempsMoyen, PS::kRapide, 4).texte, QStringLiteral("***"));
    EXPECT_EQ(s.panneau(64, PS::Mode::Vitesse, PS::kToutes, 4).texte, QStringLiteral("***"));
    // 3×3 answered right in 0.0 s: a count but no time to divide by.
    EXPECT_EQ(s.panneau(PS::numero_panneau(3, 3), PS::Mode::Vitesse, PS::kToutes, 4).texte, QStringLiteral("***"));
    EXPECT_EQ(s.description_panneau(k, PS::Mode::Pourcentage, PS::kFausse, 4),
              QStringLiteral("2×2 : 25.0 % des élèves (réponses fausses) ; 75 % de réussite, 4 réponses"));
}

TEST(ProductStatistics, NoPupilWithATestSaysSo)
{
    PS s;
    for (const PS::Mode mode : {PS::Mode::Pourcentage, PS::Mode::Nombre, PS::Mode::TempsMoyen, PS::Mode::Vitesse}) {
        const PS::Panneau p = s.panneau(10, mode, PS::cases_pour_mode(mode).cochees, 12);
        EXPECT_FALSE(p.defini);
        EXPECT_EQ(p.texte, QStringLiteral("***"));
    }
    EXPECT_TRUE(s.description_panneau(10, PS::Mode::Pourcentage, PS::kFausse, 12).contains(u"aucun élève n'a de test"));
    // No pupil at all: nothing divided by zero either.
    EXPECT_EQ(s.panneau(10, PS::Mode::Pourcentage, PS::kFausse, 0).texte, QStringLiteral("***"));
}

TEST(ProductStatistics, ConfusionSortsWithTies)
{
    PS s;
    // 6×9=56 twice, 7×8=54 twice, 6×9=48 once, 9×6=56 once, 3×4=9 three times.
    for (int i = 0; i < 2; ++i)
        s.ajoute_test(record(6, 9, 30, 56) + record(7, 8, 30, 54), T);
    s.ajoute_test(record(6, 9, 30, 48) + record(9, 6, 30, 56), T);
    for (int i = 0; i < 3; ++i)
        s.ajoute_test(record(3, 4, 30, 9), T);
    EXPECT_EQ(s.lignes_confusions(PS::Tri::Frequence),
              (QStringList{"3×4=9.....3 fois", "6×9=56....2", "7×8=54....2", "6×9=48....1", "9×6=56....1"}));
    EXPECT_EQ(s.lignes_confusions(PS::Tri::Produit),
              (QStringList{"3×4=9.....3 fois", "6×9=48....1", "6×9=56....2", "7×8=54....2", "9×6=56....1"}));
    // 9 and 56 were each given 3 times (tie: smaller answer first), then 54 twice, 48 once:
    // the answers given most often lead.
    EXPECT_EQ(s.lignes_confusions(PS::Tri::Resultat),
              (QStringList{"3×4=9.....3 fois", "6×9=56....2", "9×6=56....1", "7×8=54....2", "6×9=48....1"}));
}

TEST(ProductStatistics, CsvReadBackWithAccentsAndDecimalCommas)
{
    PS s;
    s.ajoute_test(record(6, 9, 35, 56) + record(2, 2, 25, 4), T);
    const QList<QStringList> lignes = s.lignes_csv(PS::Mode::TempsMoyen, PS::kRapide | PS::kLente, 3);
    QTemporaryDir dir;
    const QString chemin = dir.filePath(QStringLiteral("stats é.csv"));
    QString erreur;
    ASSERT_TRUE(CsvText::ecrit(chemin, lignes, &erreur)) << erreur.toStdString();
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QStringList> lu = litCsv(f.readAll());
    ASSERT_EQ(lu, lignes);
    EXPECT_EQ(lu.at(0), (QStringList{"Élèves au total", "3"}));
    EXPECT_EQ(lu.at(2), (QStringList{"Affichage", "temps moyen de réponse"}));
    // 2×2: one fast right answer in 2.5 s, shown with a decimal comma.
    const QStringList deuxFoisDeux = lu.at(6);
    EXPECT_EQ(deuxFoisDeux, (QStringList{"2×2", "1", "1", "0", "0", "0", "100,0", "2,5", "2,5"}));
    EXPECT_EQ(lu.last(), (QStringList{"6×9=56", "1"}));
    // A field holding the separator or a quote survives the round trip.
    const QList<QStringList> piege{{QStringLiteral("a;b"), QStringLiteral("dit \"oui\""), QStringLiteral("€")}};
    EXPECT_EQ(litCsv(CsvText::document(piege)), piege);
    EXPECT_EQ(CsvText::dixiemes(-5), QStringLiteral("-0,5"));
    EXPECT_FALSE(CsvText::ecrit(dir.filePath(QStringLiteral("absent/x.csv")), lignes, &erreur));
    EXPECT_FALSE(erreur.isEmpty());
}
