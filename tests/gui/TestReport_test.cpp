#include "core/TestReportData.h"
#include "timedtest/TTexte.h"
#include "widgets/Dialogs.h"
#include "widgets/TestReportPainter.h"
#include "support/FileSizeLimit.h"
#include "support/Records.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kT = 3;

QString table(int a, const char *motif) { return Fixtures::tableSorte(a, motif, 20); }

// Scores: 2: 100, 3: 50, 4: 90, 5: 100, 6: 93, 7: 75, 8: 0, 9: 87; 8×9 without answer.
QString testMelange()
{
    return table(2, "WWWWWWWW") + table(3, "WWWWXXXX") + table(4, "WWWWWWWS") + table(5, "WWWWWWWW")
           + table(6, "WWWWWWWG") + table(7, "WWWWWWXX") + table(8, "XXXXXXXN") + table(9, "WWWWWWWX");
}

QString testDeuxTables()
{
    return table(2, "WWWWWWWW") + table(3, "WWWWWWWW");
}

bool pdftotextPresent()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The text of the PDF with runs of white space made single spaces; pages
// are separated by form feeds in the raw output, counted in *pages.
QString texteDuPdf(const QString &fichier, int *pages = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), fichier, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    const QString brut = QString::fromUtf8(p.readAllStandardOutput());
    if (pages)
        *pages = int(brut.count(QLatin1Char('\f')));
    return brut.simplified();
}

QByteArray debut(const QString &fichier, int n)
{
    QFile f(fichier);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

void attendLignes(const QString &texte, const QStringList &lignes)
{
    for (const QString &ligne : lignes)
        EXPECT_TRUE(texte.contains(ligne)) << "missing: " << ligne.toStdString() << "\nin: " << texte.toStdString();
}

} // namespace

TEST(TestReport, PdfPageHoldsTheReportAsText)
{
    QTemporaryDir dir;
    const QString fichier = dir.filePath(QStringLiteral("rapport.pdf"));
    QString erreur;
    ASSERT_TRUE(ecrit_rapport_pdf(fichier, QStringLiteral("Dupont"), QStringLiteral("Léa"), QStringLiteral("CM1"),
                                  testMelange(), QStringLiteral("Mardi 14/11/2006"), QStringLiteral("École des Tilleuls"),
                                  kT, &erreur))
        << erreur.toStdString();
    EXPECT_EQ(debut(fichier, 8), QByteArray("%PDF-1.4"));
    if (!pdftotextPresent())
        GTEST_SKIP() << "pdftotext is not installed";
    int pages = 0;
    const QString texte = texteDuPdf(fichier, &pages);
    EXPECT_EQ(pages, 1);
    attendLignes(texte, {
        QStringLiteral("Tables de multiplication"),
        QStringLiteral("École des Tilleuls"),
        QStringLiteral("DUPONT Léa"),
        QStringLiteral("Classe de CM1"),
        QStringLiteral("Test du Mardi 14/11/2006:"),
        QStringLiteral("6×9........."),
        QStringLiteral("(ne sait pas)"),
        QStringLiteral("1,6s"),
        QStringLiteral("Résumé:"),
        QStringLiteral("47 réponses justes et suffisamment rapides: cases blanches"),
        QStringLiteral("2 réponses justes mais trop lentes: cases grises"),
        QStringLiteral("15 réponses fausses ou absentes: cases noires"),
        QStringLiteral("Classement des tables par score:"),
        QStringLiteral("tables mal sues: 8, 3, et 7."),
        QStringLiteral("tables bien sues: 5, 2, 6, 4, et 9."),
        QStringLiteral("Rapidité:"),
        QStringLiteral("bonnes réponses par minute)"),
        QStringLiteral("Bilan:"),
        QStringLiteral("Niveau de connaissance des tables: 74%"),
        QStringLiteral("passable."),
        QStringLiteral("moins de 50%: très faible; 50-69%:faible; 70-84%: passable; 85-94%: bien; 95-99%: très bien; 100%: parfait."),
        QStringLiteral("Conseil: Léa devrait commencer par apprendre la table de 8"),
        QStringLiteral("Il est rappelé qu'une très bonne connaissance des tables est indispensable à l'apprentissage des mathématiques"),
        QStringLiteral("au collège (et après!)."),
        QStringLiteral("Généré par le logiciel gratuit «Tabulon»"),
    });
    // The PDF page has no level word under the columns.
    EXPECT_FALSE(texte.contains(QStringLiteral("T.faible")));
    EXPECT_FALSE(texte.contains(QStringLiteral("6×9..........")));
}

TEST(TestReport, PdfOfTwoTablesGivesTheShareOfAllTables)
{
    QTemporaryDir dir;
    const QString fichier = dir.filePath(QStringLiteral("deux.pdf"));
    QString erreur;
    ASSERT_TRUE(ecrit_rapport_pdf(fichier, QStringLiteral("Martin"), QStringLiteral("Paul"), QString(), testDeuxTables(),
                                  QStringLiteral("Lundi 13/11/2006"), QStringLiteral("École des Tilleuls"), kT, &erreur));
    if (!pdftotextPresent())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString texte = texteDuPdf(fichier);
    attendLignes(texte, {
        QStringLiteral("MARTIN Paul"),
        QStringLiteral("tables mal sues: (aucune)"),
        QStringLiteral("tables bien sues: 3, et 2."),
        QStringLiteral("Niveau de connaissance des tables testées: 100%"),
        QStringLiteral("c'est à dire 25% de toutes les tables"),
    });
    EXPECT_FALSE(texte.contains(QStringLiteral("Conseil")));
    EXPECT_FALSE(texte.contains(QStringLiteral("parfait.")));
    EXPECT_FALSE(texte.contains(QStringLiteral("Classe de")));
    EXPECT_FALSE(texte.contains(QStringLiteral("École des Tilleuls")));
}

TEST(TestReport, PrintedPageAddsLevelWordsAndFooter)
{
    QTemporaryDir dir;
    const QString fichier = dir.filePath(QStringLiteral("imprime.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fichier);
    ASSERT_TRUE(imprime_rapport_test(&printer, QStringLiteral("Martin"), QStringLiteral("Paul"), QStringLiteral("CE2"),
                                     testDeuxTables(), QStringLiteral("Lundi 13/11/2006"), QStringLiteral("École"), kT));
    ASSERT_TRUE(QFile::exists(fichier));
    if (!pdftotextPresent())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString texte = texteDuPdf(fichier);
    attendLignes(texte, {
        QStringLiteral("Classe de CE2"),
        QStringLiteral("2×9............"),
        QStringLiteral("parfait"),
        QStringLiteral("Niveau de connaissance des tables testées: 100%"),
        QStringLiteral("soit 25% de toutes les tables."),
        QStringLiteral("Document créé automatiquement par le logiciel gratuit «Tabulon» disponible sur"),
    });
    EXPECT_FALSE(texte.contains(QStringLiteral("c'est à dire")));
}

// The first print loads the printing module beside the program: the printer
// it makes carries the report's title and takes its page; a cancelled dialog
// prints nothing.
TEST(TestReport, PrintingGoesThroughTheModuleLoadedAtTheFirstPrint)
{
    QTemporaryDir dir;
    const QString fichier = dir.filePath(QStringLiteral("module.pdf"));
    Impression::Demande demande =
        demande_rapport_test(QStringLiteral("Martin"), QStringLiteral("Paul"), QStringLiteral("CE2"), testDeuxTables(),
                             QStringLiteral("Lundi 13/11/2006"), QStringLiteral("École"), kT);
    EXPECT_TRUE(demande.nomDocument.startsWith(TestReportData::titre() + QStringLiteral(" - ")));
    EXPECT_TRUE(demande.nomDocument.contains(QStringLiteral("Paul")));
    const auto dessine = demande.dessine;
    QString titreImprimante;
    int dessins = 0;
    demande.dessine = [&](QPagedPaintDevice *support) {
        ++dessins;
        auto *imprimante = dynamic_cast<QPrinter *>(support);
        if (!imprimante)
            return false;
        titreImprimante = imprimante->docName();
        imprimante->setOutputFormat(QPrinter::PdfFormat);
        imprimante->setOutputFileName(fichier);
        return dessine(support);
    };

    Dialogs::setTestMode(true);
    Dialogs::clearHistory();
    Dialogs::setNextAnswer(false);
    EXPECT_EQ(Impression::imprime(nullptr, demande), Impression::Resultat::Annulee);
    EXPECT_EQ(dessins, 0);
    Dialogs::setNextAnswer(true);
    EXPECT_EQ(Impression::imprime(nullptr, demande), Impression::Resultat::Imprimee);
    ASSERT_EQ(Dialogs::history().size(), 2);
    EXPECT_EQ(Dialogs::history().last().kind, QStringLiteral("print"));
    Dialogs::setTestMode(false);

    EXPECT_EQ(dessins, 1);
    EXPECT_EQ(titreImprimante, demande.nomDocument);
    ASSERT_TRUE(QFile::exists(fichier));
    if (!pdftotextPresent())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(texteDuPdf(fichier).contains(QStringLiteral("Classe de CE2")));
}

// The footer keeps clear of the page's border and edge, on a coarse and on
// a fine printer alike.
TEST(TestReport, ThePrintedFooterStandsClearOfTheBorderAndTheEdge)
{
    const TestReportData d = TestReportData::calcule(QStringLiteral("Martin"), QStringLiteral("Paul"),
                                                     QStringLiteral("CE2"), testDeuxTables(),
                                                     QStringLiteral("Lundi 13/11/2006"), QStringLiteral("École"), kT);
    for (const QSize page : {QSize(2480, 3508), QSize(4960, 7016)}) {
        SCOPED_TRACE(page.width());
        QImage image(page, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TestReportPainter::dessine_page(&painter, QRectF(QPointF(0, 0), QSizeF(page)), d,
                                        TestReportPainter::Variante::Imprime);
        painter.end();
        const auto encre = [&image](int x, int y) { return image.pixelColor(x, y).lightness() < 160; };
        // The border's bottom line: the lowest inked row in the middle column.
        int bord = -1;
        for (int y = page.height() - 1; y >= 0 && bord < 0; --y) {
            if (encre(page.width() / 2, y) && encre(page.width() / 4, y))
                bord = y;
        }
        ASSERT_GT(bord, page.height() / 2);
        // The footer's ink: below the border's line, to the right.
        int haut = page.height();
        int droite = -1;
        for (int y = bord + 1; y < page.height(); ++y) {
            for (int x = page.width() / 3; x < page.width(); ++x) {
                if (encre(x, y) && !encre(page.width() / 4, y)) {
                    haut = std::min(haut, y);
                    droite = std::max(droite, x);
                }
            }
        }
        ASSERT_GE(droite, 0) << "pas de pied de page";
        const int hauteurPied = int(0.55 * page.width() * 30 / 1080);
        EXPECT_GE(haut - bord, hauteurPied / 6) << "le pied touche le cadre";
        EXPECT_LE(droite, page.width() - 1 - hauteurPied / 6) << "le pied touche le bord de la page";
    }
}

TEST(TestReport, SeveralReportsShareOneDocument)
{
    QTemporaryDir dir;
    const QString fichier = dir.filePath(QStringLiteral("classe.pdf"));
    {
        QPdfWriter writer(fichier);
        TestReportPainter::prepare_pdf(&writer, QStringLiteral("Classe de CM1"));
        QPainter painter(&writer);
        rapport_test_pdf(&writer, &painter, QStringLiteral("Dupont"), QStringLiteral("Léa"), QStringLiteral("CM1"),
                         testMelange(), QStringLiteral("Mardi 14/11/2006"), QStringLiteral("École"), kT);
        writer.newPage();
        rapport_test_pdf(&writer, &painter, QStringLiteral("Martin"), QStringLiteral("Paul"), QStringLiteral("CM1"),
                         testDeuxTables(), QStringLiteral("Mardi 14/11/2006"), QStringLiteral("École"), kT);
    }
    EXPECT_EQ(debut(fichier, 8), QByteArray("%PDF-1.4"));
    if (!pdftotextPresent())
        GTEST_SKIP() << "pdftotext is not installed";
    int pages = 0;
    const QString texte = texteDuPdf(fichier, &pages);
    EXPECT_EQ(pages, 2);
    EXPECT_LT(texte.indexOf(QStringLiteral("DUPONT Léa")), texte.indexOf(QStringLiteral("MARTIN Paul")));
    EXPECT_GE(texte.indexOf(QStringLiteral("DUPONT Léa")), 0);
}

TEST(TestReport, UnwritablePdfIsReportedAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString fichier = dir.filePath(QStringLiteral("absent/rapport.pdf"));
    QString erreur;
    EXPECT_FALSE(ecrit_rapport_pdf(fichier, QStringLiteral("Dupont"), QStringLiteral("Léa"), QString(), testMelange(),
                                   QStringLiteral("Mardi 14/11/2006"), QString(), kT, &erreur));
    EXPECT_TRUE(erreur.startsWith(QStringLiteral("Impossible"))) << erreur.toStdString();
    EXPECT_FALSE(QFile::exists(fichier));
}

TEST(TestReport, PdfCutByAFullDiskFailsAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString fichier = dir.filePath(QStringLiteral("rapport.pdf"));
    const QByteArray ancien("%PDF-1.4 ancien rapport\n");
    {
        QFile f(fichier);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(ancien), ancien.size());
    }
    // The whole report's size, written elsewhere without a limit.
    const QString entier = dir.filePath(QStringLiteral("entier.pdf"));
    ASSERT_TRUE(ecrit_rapport_pdf(entier, QStringLiteral("Dupont"), QStringLiteral("Léa"), QString(), testMelange(),
                                  QStringLiteral("Mardi 14/11/2006"), QString(), kT, nullptr));
    const qint64 taille = QFileInfo(entier).size();
    ASSERT_TRUE(QFile::remove(entier));
    for (const qint64 limite : {qint64(0), qint64(2000), taille / 2, taille - 1}) {
        SCOPED_TRACE(limite);
        QString erreur;
        bool ecrit = true;
        {
            FileSizeLimit limiteDisque(static_cast<rlim_t>(limite));
            ASSERT_TRUE(limiteDisque.ok());
            ecrit = ecrit_rapport_pdf(fichier, QStringLiteral("Dupont"), QStringLiteral("Léa"), QString(),
                                      testMelange(), QStringLiteral("Mardi 14/11/2006"), QString(), kT, &erreur);
        }
        EXPECT_FALSE(ecrit);
        EXPECT_TRUE(erreur.contains(QStringLiteral("rapport.pdf"))) << erreur.toStdString();
        QFile f(fichier);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.readAll() == ancien);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("rapport.pdf")});
    }
}

TEST(TTexte, ShowsTextReadOnlyInAFixedPitchFont)
{
    TTexte fenetre;
    fenetre.setTexte({QStringLiteral("087032DUPONT_Léa"), QStringLiteral("095040MARTIN_Paul")});
    auto *edit = fenetre.findChild<QPlainTextEdit *>(QStringLiteral("RichEdit1"));
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("087032DUPONT_Léa\n095040MARTIN_Paul"));
    EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(edit->font().pixelSize(), 13);
    EXPECT_TRUE(QFontInfo(edit->font()).fixedPitch());
    EXPECT_FALSE(edit->accessibleName().isEmpty());
    ASSERT_NE(fenetre.findChild<QAction *>(QStringLiteral("Imprimer1")), nullptr);
    EXPECT_EQ(fenetre.findChild<QAction *>(QStringLiteral("Imprimer1"))->text(), QStringLiteral("Imprimer"));
    EXPECT_EQ(fenetre.findChild<QAction *>(QStringLiteral("Quitter1"))->text(), QStringLiteral("Quitter"));

    fenetre.show();
    ASSERT_TRUE(fenetre.isVisible());
    fenetre.findChild<QAction *>(QStringLiteral("Quitter1"))->trigger();
    EXPECT_FALSE(fenetre.isVisible());
}

TEST(TTexte, PrintsItsTextUnderItsTitle)
{
    TTexte fenetre;
    fenetre.setWindowTitle(QStringLiteral("Records"));
    QStringList lignes;
    for (int i = 0; i < 150; ++i)
        lignes << QStringLiteral("ligne %1 du texte à imprimer").arg(i, 3, 10, QLatin1Char('0'));
    fenetre.setTexte(lignes);

    // A cancelled print dialog prints nothing.
    Dialogs::setTestMode(true);
    Dialogs::clearHistory();
    Dialogs::setNextAnswer(false);
    fenetre.findChild<QAction *>(QStringLiteral("Imprimer1"))->trigger();
    ASSERT_EQ(Dialogs::history().size(), 1);
    EXPECT_EQ(Dialogs::history().first().kind, QStringLiteral("print"));
    Dialogs::setTestMode(false);

    QTemporaryDir dir;
    const QString fichier = dir.filePath(QStringLiteral("texte.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fichier);
    const Impression::Demande demande = fenetre.demandeImpression();
    EXPECT_EQ(demande.nomDocument, QStringLiteral("Records"));
    ASSERT_TRUE(demande.dessine(&printer));
    if (!pdftotextPresent())
        GTEST_SKIP() << "pdftotext is not installed";
    int pages = 0;
    const QString texte = texteDuPdf(fichier, &pages);
    EXPECT_GE(pages, 2);
    EXPECT_TRUE(texte.contains(QStringLiteral("ligne 000 du texte à imprimer")));
    EXPECT_TRUE(texte.contains(QStringLiteral("ligne 149 du texte à imprimer")));
    // Every line is printed once, none lost at a page break.
    for (int i = 0; i < 150; ++i)
        EXPECT_EQ(texte.count(QStringLiteral("ligne %1 ").arg(i, 3, 10, QLatin1Char('0'))), 1) << i;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
