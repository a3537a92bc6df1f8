#include "core/Catalogue.h"
#include "core/TestReportData.h"
#include "widgets/GridPainter.h"
#include "widgets/HistogramPainter.h"
#include "support/Records.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

using Fixtures::record;

constexpr int kT = 3;
const QColor kBlanc(255, 255, 255);
const QColor kNoir(0, 0, 0);
const QColor kJaune(255, 255, 0);
const QColor kRouge(255, 0, 0);
const QColor kGrisClair(192, 192, 192);
const QColor kCle(128, 0, 0);

QString ligneTest(const QString &records)
{
    return QStringLiteral("\tTEST de 10:00:00 à 10:05:00 ") + records;
}

// Every classic product right within 3 s, except 3×5 slow, 7×9 without
// answer and 9×4 wrong.
QString testClassique()
{
    QString r;
    for (int a = 2; a <= 9; ++a) {
        for (int b = 2; b <= 9; ++b) {
            if (a == 3 && b == 5)
                r += record(a, b, 45, 15);
            else if (a == 7 && b == 9)
                r += record(a, b, 150, 0);
            else if (a == 9 && b == 4)
                r += record(a, b, 20, 35);
            else
                r += record(a, b, 16, a * b);
        }
    }
    return r;
}

// Every extended product right within 3 s except 13×13 slow and 18×19 wrong;
// without table 19 when asked.
QString testEtendu(bool avecTable19)
{
    QString r;
    for (const QString &code : Catalogue::liste_produits_tables(QStringLiteral("tables_etendues"))) {
        const int a = code.left(2).toInt();
        const int b = code.mid(2).toInt();
        if (b == 19 && a != 19 && !avecTable19)
            continue;
        if (a == 13 && b == 13)
            r += record(a, b, 45, 169);
        else if (a == 18 && b == 19)
            r += record(a, b, 20, 341);
        else
            r += record(a, b, 16, a * b);
    }
    return r;
}

int encre(const QImage &image, const QRect &zone)
{
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            n += image.pixelColor(x, y) != kBlanc;
    return n;
}

bool rangeeContient(const QImage &image, int y, const QColor &c)
{
    for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == c)
            return true;
    return false;
}

} // namespace

TEST(GridPainter, ClassicLargeGridPlacesAndColoursCells)
{
    const QImage image = dessine_grille_test(ligneTest(testClassique()), kT);
    ASSERT_EQ(image.size(), QSize(503, 310));

    // Cell of a × b: left 97 + 50 (a − 2), top 30 (b − 2) + 4; its fill ends
    // one pixel before the next cell line.
    auto coin = [](int a, int b) { return QPoint(97 + 50 * (a - 2), 30 * (b - 2) + 4); };
    const struct { int a, b; QColor fond; } cas[] = {
        {2, 2, kBlanc}, {3, 5, kJaune}, {7, 9, kRouge}, {9, 4, kRouge}, {9, 9, kBlanc}, {8, 8, kBlanc},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(c.a).arg(c.b).toStdString());
        const QPoint p = coin(c.a, c.b);
        EXPECT_EQ(image.pixelColor(p + QPoint(45, 27)), c.fond);
        EXPECT_EQ(image.pixelColor(p + QPoint(48, 27)), c.fond);
        EXPECT_EQ(image.pixelColor(p + QPoint(49, 10)), kNoir);
        EXPECT_EQ(image.pixelColor(p + QPoint(-1, 10)), kNoir);
        EXPECT_EQ(image.pixelColor(p + QPoint(45, -1)), kNoir);
        EXPECT_EQ(image.pixelColor(p + QPoint(45, 29)), kNoir);
    }
    // The 7×9 cell holds white text on red: the time text has white pixels.
    const QPoint sept = coin(7, 9);
    EXPECT_GT(encre(image, QRect(sept + QPoint(12, 14), QSize(20, 12))) , 0);

    // Outside the frame: the transparent key colour; the frame's outer ring.
    EXPECT_EQ(image.pixelColor(0, 0), kCle);
    EXPECT_EQ(image.pixelColor(502, 309), kCle);
    EXPECT_EQ(image.pixelColor(250, 300), kCle);
    EXPECT_EQ(image.pixelColor(0, 100), QColor(0, 72, 241));
    EXPECT_EQ(image.pixelColor(3, 100), QColor(0, 19, 140));
    EXPECT_EQ(GridPainter::avecTransparence(image).pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(GridPainter::avecTransparence(image).pixelColor(150, 20).alpha(), 255);
    // The legend shows the global score.
    EXPECT_GT(encre(image, QRect(10, 6, 78, 40)), 0);
}

TEST(GridPainter, ExtendedLargeGridEndsInSteps)
{
    const QImage image = dessine_grille_test(ligneTest(testEtendu(true)), kT);
    ASSERT_EQ(image.size(), QSize(553, 502));
    // 13×13 in the squares' column, third row; 18×19 at the foot of the last column.
    EXPECT_EQ(image.pixelColor(97 + 45, 2 * 27 + 4 + 24), kJaune);
    EXPECT_EQ(image.pixelColor(97 + 8 * 50 + 45, 15 * 27 + 4 + 24), kRouge);
    EXPECT_EQ(image.pixelColor(97 + 8 * 50 + 45, 16 * 27 + 3), kNoir);
    // 2×12 heads the column of table 12 and is right and fast.
    EXPECT_EQ(image.pixelColor(97 + 50 + 45, 4 + 24), kBlanc);
    // The squares' column stops after nine rows; below it the frame is empty.
    EXPECT_EQ(image.pixelColor(120, 9 * 27 + 3), kNoir);
    EXPECT_EQ(image.pixelColor(120, 9 * 27 + 4 + 24), kBlanc);
    EXPECT_EQ(encre(image, QRect(98, 9 * 27 + 4, 48, 150)), 0);
    EXPECT_GT(encre(image, QRect(10, 6, 78, 55)), 0);
}

TEST(GridPainter, ExtendedTestWithoutATableOmitsTheGlobalScore)
{
    const QImage image = dessine_grille_test(ligneTest(testEtendu(false)), kT);
    ASSERT_EQ(image.size(), QSize(553, 502));
    EXPECT_EQ(encre(image, QRect(8, 5, 80, 58)), 0);
    // The last column's box has neither score nor level word.
    const QRect boite(97 + 8 * 50 + 4, 432 + 11 + 5, 40, 30);
    EXPECT_EQ(encre(image, boite), 0);
    const QRect avantDerniere(97 + 7 * 50 + 4, 432 + 11 + 5, 40, 30);
    EXPECT_GT(encre(image, avantDerniere), 0);
}

TEST(GridPainter, CompactGridShadesTablesOutsideTheObjectives)
{
    const QString objectifs = QStringLiteral("table_2,table_3,table_4,table_5,table_6,table_7,table_8");
    const QImage image = dessine_grille(testClassique(), objectifs, kT);
    ASSERT_EQ(image.size(), QSize(310, 254));
    auto coin = [](int a, int b) { return QPoint(80 + 27 * (a - 2), 13 + 27 * (b - 2)); };
    const struct { int a, b; QColor fond; } cas[] = {{2, 2, kBlanc}, {3, 5, kJaune}, {7, 9, kRouge}, {8, 3, kBlanc}};
    for (const auto &c : cas) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(c.a).arg(c.b).toStdString());
        const QPoint p = coin(c.a, c.b);
        EXPECT_EQ(image.pixelColor(p + QPoint(25, 25)), c.fond);
        EXPECT_EQ(image.pixelColor(p + QPoint(26, 26)), c.fond);
        EXPECT_EQ(image.pixelColor(p + QPoint(0, 20)), kNoir);
        EXPECT_EQ(image.pixelColor(p + QPoint(27, 20)), kNoir);
        EXPECT_EQ(image.pixelColor(p + QPoint(20, 27)), kNoir);
    }

    // Table 9 is shaded: light grey every second pixel, shifted from one
    // pixel column to the next, from the top row to the bottom one, also
    // over the red 9×4 cell.
    const int x9 = 80 + 27 * 7;
    EXPECT_EQ(image.pixelColor(x9 + 1, 0), kGrisClair);
    EXPECT_EQ(image.pixelColor(x9 + 2, 0), kBlanc);
    EXPECT_EQ(image.pixelColor(x9 + 1, 1), kBlanc);
    EXPECT_EQ(image.pixelColor(x9 + 2, 1), kGrisClair);
    EXPECT_EQ(image.pixelColor(x9 + 26, 253), kGrisClair);
    EXPECT_EQ(image.pixelColor(x9 + 25, 253), kBlanc);
    const QPoint neufQuatre = coin(9, 4);
    EXPECT_EQ(image.pixelColor(neufQuatre + QPoint(21, 25)), kGrisClair);
    EXPECT_EQ(image.pixelColor(neufQuatre + QPoint(20, 25)), kRouge);
    // Table 8 is an objective: no grey over it.
    const int x8 = 80 + 27 * 6;
    EXPECT_EQ(image.pixelColor(x8 + 1, 0), kBlanc);
    EXPECT_EQ(image.pixelColor(x8 + 2, 1), kBlanc);

    // All eight tables as objectives, in either stored form: nothing shaded.
    for (const QString &tous : {objectifs + QStringLiteral(",table_9"), QStringLiteral("9x<2-9>,2x<2-9>,3x<2-9>,4x<2-9>,5x<2-9>,6x<2-9>,7x<2-9>,8x<2-9>")}) {
        const QImage sans = dessine_grille(testClassique(), tous, kT);
        EXPECT_EQ(sans.pixelColor(x9 + 1, 0), kBlanc) << tous.toStdString();
    }
}

TEST(GridPainter, ChartScaleAndBars)
{
    const struct { int maximum; int pas; int graduations; } cas[] = {{150, 10, 16}, {37, 5, 8}, {600, 100, 7}, {9, 1, 10}};
    for (const auto &c : cas) {
        SCOPED_TRACE(c.maximum);
        ASSERT_EQ(TestReportData::pas_echelle(c.maximum), c.pas);
        ASSERT_EQ(c.maximum / c.pas + 1, c.graduations);
        QImage image;
        QString erreur;
        const QString texte = QStringLiteral("Titre\t%1\tlégende\tA\t%1\tB\t0\t").arg(c.maximum);
        ASSERT_TRUE(dessine_histogramme(texte, &image, &erreur)) << erreur.toStdString();
        const int U = 270 * c.pas / c.maximum;
        EXPECT_EQ(image.height(), 80 + (c.graduations - 1) * U);
        // The bar of the maximum reaches the top tick (for 37: the tick of 35).
        const int haut = image.height() - 40 - U * (c.graduations - 1);
        EXPECT_TRUE(rangeeContient(image, haut + 2, kJaune));
        EXPECT_FALSE(rangeeContient(image, haut - 2, kJaune));
        EXPECT_TRUE(rangeeContient(image, image.height() - 40 - 1, kJaune));
    }
}

TEST(GridPainter, AChartOfFewBarsHoldsItsWholeTitleAndLegend)
{
    QImage image;
    QString erreur;
    ASSERT_TRUE(dessine_histogramme(QStringLiteral("Rapidité (nb br/mn) par classe de sixième et cinquième\t40\t"
                                                   "nombre moyen de bonnes réponses par minute\t61\t31\t62\t27\t"),
                                    &image, &erreur))
        << erreur.toStdString();
    // Ink in the title's and the legend's rows, none against either side.
    const auto encre = [&image](int x, int haut, int bas) {
        for (int y = haut; y < bas; ++y) {
            if (image.pixelColor(x, y).lightness() < 200)
                return true;
        }
        return false;
    };
    for (const auto &[haut, bas] : {std::pair{10, 32}, std::pair{image.height() - 22, image.height() - 4}}) {
        SCOPED_TRACE(haut);
        bool vu = false;
        for (int x = 0; x < image.width() && !vu; ++x)
            vu = encre(x, haut, bas);
        EXPECT_TRUE(vu);
        for (int x : {0, 1, 2, image.width() - 3, image.width() - 2, image.width() - 1})
            EXPECT_FALSE(encre(x, haut, bas)) << "x=" << x;
    }
}

TEST(GridPainter, ChartWithoutScaleIsRefused)
{
    QImage image;
    QString erreur;
    EXPECT_FALSE(dessine_histogramme(QStringLiteral("Titre\t0\tlégende\tA\t3"), &image, &erreur));
    EXPECT_FALSE(erreur.isEmpty());
    EXPECT_TRUE(image.isNull());
    EXPECT_FALSE(dessine_histogramme(QStringLiteral("Titre\t10\tlégende\tA\tdix"), &image, &erreur));
    EXPECT_TRUE(image.isNull());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
