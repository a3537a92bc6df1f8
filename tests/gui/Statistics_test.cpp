#include "core/Clock.h"
#include "core/PupilFolders.h"
#include "core/ReportBatch.h"
#include "core/SessionState.h"
#include "stats/BilanExport.h"
#include "stats/PupilReportPanel.h"
#include "stats/TStats.h"
#include "stats/Tstats_el.h"
#include "support/ClassFiles.h"
#include "teacher/BackgroundCollection.h"
#include "teacher/ClassCheckBoxes.h"
#include "teacher/StatElevesTab.h"
#include "teacher/StatProduitsTab.h"
#include "teacher/TProfesseur.h"
#include "widgets/Dialogs.h"
#include "widgets/PupilDetailView.h"
#include "widgets/ReportDocument.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QScopeGuard>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

using Fixtures::entete;
using Fixtures::ligneTest;
using Fixtures::record;
using Fixtures::testDeScore;

namespace {

template<typename T>
T *enfant(const QWidget &w, const QString &nom)
{
    T *found = w.findChild<T *>(nom);
    EXPECT_NE(found, nullptr) << nom.toStdString();
    return found;
}

// A check box or an option answers a click on its mark or its text, so the
// click goes to the mark at the left.
void clique(QAbstractButton *b)
{
    ASSERT_NE(b, nullptr);
    const bool marque = qobject_cast<QCheckBox *>(b) || qobject_cast<QRadioButton *>(b);
    QTest::mouseClick(b, Qt::LeftButton, {}, marque ? QPoint(8, b->height() / 2) : b->rect().center());
}

// Runs `inspecte` on the modal window of that name as soon as it is shown,
// then closes it; returns once the modal loop has ended.
void quandVisible(const QString &nom, const std::function<void(QWidget *)> &inspecte)
{
    auto *minuterie = new QTimer;
    minuterie->setInterval(10);
    QObject::connect(minuterie, &QTimer::timeout, [=]() {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == nom && w->isVisible()) {
                minuterie->stop();
                inspecte(w);
                w->close();
                minuterie->deleteLater();
                return;
            }
        }
    });
    minuterie->start();
}

QString nomAccessible(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

QString descriptionAccessible(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description);
}

class Statistics : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Dialogs::setTestMode(true);
        Dialogs::clearHistory();
        env.programFolder = dir.path() + u'/';
        env.clock = &clock;
        state.dossier_eleves = dir.filePath(QStringLiteral("eleves"));
        state.nom_etablissement = QStringLiteral("Collège");
        state.dossier_etablissement = PupilFolders::schoolFolder(state.dossier_eleves, state.nom_etablissement);
        state.annee_scolaire = QStringLiteral("2026-2027");
        state.dossier_annee = PupilFolders::yearFolder(state.dossier_etablissement, state.annee_scolaire);
        state.dossier_stats_local = dir.filePath(QStringLiteral("stats"));
        state.temps_acceptable = 4;
        state.objectifs = QStringLiteral("tables_classiques");
        state.niveaux = {{QStringLiteral("sixième"), {QStringLiteral("61"), QStringLiteral("62")}},
                         {QStringLiteral("cinquième"), {QStringLiteral("51")}}};
    }
    void TearDown() override { Dialogs::setTestMode(false); }

    void eleve(const QString &classe, const QString &cle, const QStringList &lignes)
    {
        ASSERT_TRUE(Fixtures::ecritEleve(state.dossier_etablissement, state.dossier_annee, classe, cle, lignes));
    }

    BilanExport::Ecole ecoleCourante() const { return {state.nom_etablissement, state.dossier_etablissement}; }

    QTemporaryDir dir;
    ManualClock clock{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    Environment env;
    SessionState state;
};

} // namespace

TEST_F(Statistics, PanelsCountEachAnswerOnItsOwnProductAndModesSetTheirBoxes)
{
    TStats fenetre(state, env);
    // Two pupils with a test, a third without: N = 3. The first test gets
    // only 9×9 wrong (82, no confusion); the second lacks 2×2 and gets 2×3
    // wrong (8, a confusion) and 9×9 without answer.
    fenetre.setDonnees({testDeScore(63), record(2, 3, 30, 8) + record(9, 9, 45, 0)}, 3);
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));

    QLabel *p22 = fenetre.panneau(1);
    QLabel *p23 = fenetre.panneau(2);
    QLabel *p99 = fenetre.panneau(64);
    EXPECT_EQ(p22->objectName(), QStringLiteral("Panel1"));
    // Percentage of pupils with a wrong answer or none (the default choice).
    EXPECT_EQ(p22->text(), QStringLiteral("0.0"));
    EXPECT_EQ(p23->text(), QStringLiteral("33.3"));
    EXPECT_EQ(p99->text(), QStringLiteral("66.6"));
    // 333 per mille of errors is past 300: red, white text.
    EXPECT_TRUE(p23->styleSheet().contains(u"#ff0000")) << p23->styleSheet().toStdString();
    EXPECT_TRUE(p23->styleSheet().contains(u"color: white"));
    // What a screen reader says of every text is what is shown.
    for (QLabel *l : fenetre.findChildren<QLabel *>()) {
        if (!l->text().isEmpty())
            EXPECT_EQ(nomAccessible(l), l->text()) << l->objectName().toStdString();
    }
    for (QAbstractButton *b : fenetre.findChildren<QAbstractButton *>())
        EXPECT_EQ(nomAccessible(b), b->text()) << b->objectName().toStdString();
    EXPECT_EQ(descriptionAccessible(p23),
              QStringLiteral("2×3 : 33.3 % des élèves (réponses fausses, pas de réponse) ; 50 % de réussite, 2 réponses"));
    EXPECT_EQ(enfant<QLabel>(fenetre, QStringLiteral("Label_nb_eleves1"))->text(), QStringLiteral("3"));
    EXPECT_EQ(enfant<QLabel>(fenetre, QStringLiteral("Label1"))->text(), QStringLiteral("1 confusions différentes"));
    EXPECT_EQ(enfant<QPlainTextEdit>(fenetre, QStringLiteral("Memo1"))->toPlainText(), QStringLiteral("2×3=8.....1 fois"));

    auto *rep1 = enfant<QCheckBox>(fenetre, QStringLiteral("CheckBox_rep1"));
    auto *rep4 = enfant<QCheckBox>(fenetre, QStringLiteral("CheckBox_rep4"));
    clique(enfant<QRadioButton>(fenetre, QStringLiteral("RadioButton3")));
    EXPECT_TRUE(rep1->isChecked());
    EXPECT_FALSE(rep4->isEnabled());
    EXPECT_EQ(p22->text(), QStringLiteral("2.0"));
    // Average time of a product nobody answered right.
    EXPECT_EQ(p99->text(), QStringLiteral("***"));

    clique(enfant<QRadioButton>(fenetre, QStringLiteral("RadioButton4")));
    EXPECT_TRUE(rep4->isChecked() && rep4->isEnabled());
    clique(rep1);
    EXPECT_TRUE(rep1->isChecked()) << "the speed keeps every category";
    EXPECT_EQ(p22->text(), QStringLiteral("30"));
    EXPECT_EQ(p99->text(), QStringLiteral("0"));

    // The split between fast and slow answers follows the spin box.
    clique(enfant<QRadioButton>(fenetre, QStringLiteral("RadioButton2")));
    clique(enfant<QCheckBox>(fenetre, QStringLiteral("CheckBox_rep3")));
    clique(rep4);
    clique(rep1);
    EXPECT_EQ(fenetre.categories(), ProductStatistics::kRapide);
    EXPECT_EQ(p22->text(), QStringLiteral("1"));
    // 2×2 was answered in 2 s: no longer fast when the limit is 1 s.
    enfant<QSpinBox>(fenetre, QStringLiteral("SpinEdit2"))->setValue(1);
    EXPECT_EQ(enfant<QCheckBox>(fenetre, QStringLiteral("CheckBox_rep2"))->text(),
              QStringLiteral("bonnes réponses dans un temps >=1s"));
    EXPECT_EQ(p22->text(), QStringLiteral("0"));
}

// A school whose acceptable time is past 20 s: the split between fast and
// slow answers starts on it, as the pupils' own scores do, and the box takes
// every time the setting takes.
TEST_F(Statistics, TheSplitStartsOnAnAcceptableTimeAboveTwentySeconds)
{
    state.temps_acceptable = 30;
    TStats fenetre(state, env);
    // Every answer right, in 25 s.
    fenetre.setDonnees({testDeScore(64, 250)}, 1);
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    auto *temps = enfant<QSpinBox>(fenetre, QStringLiteral("SpinEdit2"));
    EXPECT_EQ(temps->value(), 30);
    EXPECT_EQ(temps->maximum(), 99);
    EXPECT_EQ(enfant<QCheckBox>(fenetre, QStringLiteral("CheckBox_rep2"))->text(),
              QStringLiteral("bonnes réponses dans un temps >=30s"));
    clique(enfant<QRadioButton>(fenetre, QStringLiteral("RadioButton2")));
    clique(enfant<QCheckBox>(fenetre, QStringLiteral("CheckBox_rep3")));
    clique(enfant<QCheckBox>(fenetre, QStringLiteral("CheckBox_rep4")));
    clique(enfant<QCheckBox>(fenetre, QStringLiteral("CheckBox_rep1")));
    ASSERT_EQ(fenetre.categories(), ProductStatistics::kRapide);
    EXPECT_EQ(fenetre.panneau(1)->text(), QStringLiteral("1"));
    temps->setValue(24);
    EXPECT_EQ(fenetre.panneau(1)->text(), QStringLiteral("0"));
}

TEST_F(Statistics, NoPupilWithATestSaysSoOnThePanelsAndTheChart)
{
    TStats fenetre(state, env);
    fenetre.setDonnees({}, 4);
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    EXPECT_EQ(fenetre.panneau(10)->text(), QStringLiteral("***"));
    EXPECT_EQ(enfant<QLabel>(fenetre, QStringLiteral("Label_avec_test"))->text(),
              QStringLiteral("Aucun élève n'a de test à la date choisie."));

    Tstats_el graphique(state, env);
    ComparisonChart::Graphique vide;
    vide.titre = QStringLiteral("Score par classe");
    vide.haut = 100;
    graphique.setGraphique(vide);
    EXPECT_TRUE(graphique.image().isNull());
    EXPECT_FALSE(enfant<QPushButton>(graphique, QStringLiteral("Button_enregistrer"))->isEnabled());
    EXPECT_TRUE(enfant<QLabel>(graphique, QStringLiteral("Label_message"))->text().startsWith(u"Aucun élève"));
}

TEST_F(Statistics, SavesTheStatisticsAsCsvAndThePanelsAsPng)
{
    TStats fenetre(state, env);
    fenetre.setDonnees({record(6, 9, 30, 56)}, 1);
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    const QString csv = dir.filePath(QStringLiteral("produits"));
    Dialogs::setNextFileName(csv);
    clique(enfant<QPushButton>(fenetre, QStringLiteral("Button4")));
    QFile f(csv + QStringLiteral(".csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray octets = f.readAll();
    EXPECT_TRUE(octets.startsWith("\xEF\xBB\xBF\xC3\x89l\xC3\xA8ves au total;1\r\n"));
    EXPECT_TRUE(octets.contains("6\xC3\x97" "9=56;1\r\n"));

    const QString png = dir.filePath(QStringLiteral("produits.png"));
    Dialogs::setNextFileName(png);
    clique(enfant<QPushButton>(fenetre, QStringLiteral("Button4")));
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    // The 6×9 panel is dark red in the picture.
    const QLabel *p = fenetre.panneau(ProductStatistics::numero_panneau(6, 9));
    EXPECT_EQ(image.pixelColor(p->geometry().center() + QPoint(0, p->height() / 2 - 3)), QColor(0x80, 0, 0));

    Dialogs::setNextFileName(dir.filePath(QStringLiteral("absent/x.csv")));
    clique(enfant<QPushButton>(fenetre, QStringLiteral("Button4")));
    ASSERT_FALSE(Dialogs::history().isEmpty());
    EXPECT_EQ(Dialogs::history().last().kind, QStringLiteral("error"));
}

TEST_F(Statistics, ProductTabReadsTheTickedClassesAndOpensTheStatistics)
{
    eleve(QStringLiteral("61"), QStringLiteral("Dupont_Léa"),
          {entete("Lundi", "07/12/2026", "10:00:00", "10:20:00"), ligneTest(record(6, 9, 30, 56))});
    eleve(QStringLiteral("61"), QStringLiteral("Martin_Paul"), {entete("Lundi", "07/12/2026", "09:00:00", "09:10:00")});
    eleve(QStringLiteral("62"), QStringLiteral("Autre_Eve"),
          {entete("Lundi", "07/12/2026", "10:00:00", "10:20:00"), ligneTest(record(6, 9, 30, 54))});

    TProfesseur professeur(state, env);
    professeur.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&professeur));
    StatProduitsTab *onglet = professeur.statProduits();
    EXPECT_EQ(onglet->objectName(), QStringLiteral("Stat_prod"));
    professeur.classeur()->setCurrentWidget(onglet);
    auto *case62 = enfant<QCheckBox>(*onglet, QStringLiteral("CheckBox_1_2"));
    ASSERT_TRUE(enfant<QCheckBox>(*onglet, QStringLiteral("CheckBox_2_1")));
    EXPECT_EQ(case62->text(), QStringLiteral("62"));
    EXPECT_TRUE(case62->isChecked());
    clique(case62);

    QString vu6x9;
    QString nombre;
    quandVisible(QStringLiteral("TStats"), [&](QWidget *w) {
        auto *stats = static_cast<TStats *>(w);
        vu6x9 = stats->panneau(ProductStatistics::numero_panneau(6, 9))->text();
        nombre = enfant<QLabel>(*w, QStringLiteral("Label_nb_eleves1"))->text();
    });
    QSignalSpy montre(onglet, &StatProduitsTab::statistiquesMontrees);
    QSignalSpy progres(onglet->collecte(), &BackgroundCollection::progression);
    auto *lancer = enfant<QPushButton>(*onglet, QStringLiteral("Button_stats"));
    clique(lancer);
    // While the files are read, the button cannot start a second pass.
    EXPECT_FALSE(lancer->isEnabled());
    ASSERT_TRUE(montre.wait(5000));
    EXPECT_TRUE(lancer->isEnabled());
    ASSERT_FALSE(progres.isEmpty());
    EXPECT_EQ(progres.last().at(0).toInt(), 2);
    EXPECT_EQ(progres.last().at(1).toInt(), 2);
    // 61 only: two pupils, one of whom answered 56 to 6×9.
    EXPECT_EQ(nombre, QStringLiteral("2"));
    EXPECT_EQ(vu6x9, QStringLiteral("50.0"));

    // No class ticked: said, not silently ignored.
    clique(enfant<QCheckBox>(*onglet, QStringLiteral("CheckBox_1_1")));
    clique(enfant<QCheckBox>(*onglet, QStringLiteral("CheckBox_2_1")));
    Dialogs::clearHistory();
    clique(enfant<QPushButton>(*onglet, QStringLiteral("Button_stats")));
    onglet->collecte()->attend();
    QTest::qWait(50);
    ASSERT_EQ(Dialogs::history().size(), 1);
    EXPECT_EQ(Dialogs::history().first().text, QStringLiteral("Aucun élève dans les classes cochées."));
}

TEST_F(Statistics, PupilTabDrawsTheComparisonChart)
{
    eleve(QStringLiteral("61"), QStringLiteral("A_Un"), {entete("Lundi", "07/12/2026", "10:00:00", "10:20:00"), ligneTest(testDeScore(61))});
    eleve(QStringLiteral("61"), QStringLiteral("B_Deux"), {entete("Lundi", "07/12/2026", "10:00:00", "10:20:00"), ligneTest(testDeScore(64))});
    eleve(QStringLiteral("51"), QStringLiteral("C_Trois"), {entete("Lundi", "07/12/2026", "10:00:00", "10:20:00"), ligneTest(testDeScore(26))});

    StatElevesTab onglet(state, env);
    onglet.actualise();
    onglet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&onglet));
    auto *ordScore = enfant<QRadioButton>(onglet, QStringLiteral("RadioButton13"));
    auto *ordNombre = enfant<QRadioButton>(onglet, QStringLiteral("RadioButton18"));
    EXPECT_TRUE(enfant<QRadioButton>(onglet, QStringLiteral("RadioButton5"))->isChecked());
    EXPECT_TRUE(enfant<QRadioButton>(onglet, QStringLiteral("RadioButton14"))->isChecked());
    EXPECT_FALSE(ordNombre->isEnabled());
    auto *r11 = enfant<QRadioButton>(onglet, QStringLiteral("RadioButton11"));
    clique(r11);
    EXPECT_FALSE(ordScore->isEnabled());
    EXPECT_TRUE(ordNombre->isChecked());
    clique(enfant<QRadioButton>(onglet, QStringLiteral("RadioButton19")));

    QString description;
    QByteArray csv;
    quandVisible(QStringLiteral("Tstats_el"), [&](QWidget *w) {
        auto *f = static_cast<Tstats_el *>(w);
        EXPECT_FALSE(f->image().isNull());
        description = descriptionAccessible(f->dessin());
        Dialogs::setNextFileName(dir.filePath(QStringLiteral("graphique.csv")));
        clique(enfant<QPushButton>(*w, QStringLiteral("Button_enregistrer")));
        QFile fichier(dir.filePath(QStringLiteral("graphique.csv")));
        if (fichier.open(QIODevice::ReadOnly))
            csv = fichier.readAll();
    });
    QSignalSpy montre(&onglet, &StatElevesTab::graphiqueMontre);
    clique(enfant<QPushButton>(onglet, QStringLiteral("Button1")));
    ASSERT_TRUE(montre.wait(5000));
    EXPECT_EQ(onglet.graphique().titre, QStringLiteral("Répartition (%) par score"));
    EXPECT_EQ(onglet.graphique().haut, 70);
    EXPECT_TRUE(description.contains(u"40..49% : 33 ; ")) << description.toStdString();
    EXPECT_TRUE(description.contains(u"90..100% : 67")) << description.toStdString();
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBFScore;R\xC3\xA9partition (%)\r\n0..9%;0\r\n")) << csv.toStdString();
}

// A class of five: one PDF document, a page per pupil with a test, every
// name findable as text.
TEST_F(Statistics, ClassReportsAsOnePdfDocument)
{
    const QStringList noms{QStringLiteral("Dupont_Léa"), QStringLiteral("Martin_Hélène"), QStringLiteral("Zèbre_Ana"),
                           QStringLiteral("Petit_Noé")};
    for (const QString &cle : noms)
        eleve(QStringLiteral("61"), cle, {entete("Lundi", "07/12/2026", "10:00:00", "10:20:00"), ligneTest(testDeScore(50))});
    eleve(QStringLiteral("61"), QStringLiteral("Sans_Test"), {entete("Lundi", "07/12/2026", "10:00:00", "10:20:00")});

    const QString classe = PupilFolders::classFolder(state.dossier_annee, QStringLiteral("61"));
    ClassTestCollector::Critere critere;
    critere.date = QStringLiteral("10/12/2026");
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("bilans"))));
    const QString avant = QDir::currentPath();
    QDir::setCurrent(dir.filePath(QStringLiteral("bilans")));
    const auto restaure = qScopeGuard([&avant] { QDir::setCurrent(avant); });
    const QString pdf = dir.filePath(QStringLiteral("bilans/classe.pdf"));
    Dialogs::setNextFileName(dir.filePath(QStringLiteral("bilans/classe")));
    ASSERT_TRUE(BilanExport::ButtonEnregistrerClick(nullptr, state, ecoleCourante(), classe, QStringLiteral("61: 5 élèves......50%"), critere));
    ASSERT_FALSE(Dialogs::history().isEmpty());
    EXPECT_TRUE(Dialogs::history().first().text.endsWith(u"/bilans/Classe de 61.pdf")) << Dialogs::history().first().text.toStdString();

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(10000));
    const QString infos = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(infos.contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\b")))) << infos.toStdString();
    EXPECT_TRUE(infos.contains(QStringLiteral("généré automatiquement par \"Tabulon\""))) << infos.toStdString();
    QProcess texte;
    texte.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(texte.waitForFinished(10000));
    const QString contenu = QString::fromUtf8(texte.readAllStandardOutput());
    for (const QString &cle : noms) {
        const QString nomAffiche = cle.section(u'_', 0, 0).toUpper() + u' ' + cle.section(u'_', 1);
        EXPECT_TRUE(contenu.contains(nomAffiche)) << nomAffiche.toStdString();
    }
    EXPECT_TRUE(contenu.contains(QStringLiteral("Classe de 61")));

    // The same reports on a printer: one page each.
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(dir.filePath(QStringLiteral("bilans/imprime.pdf")));
    const ReportBatch lot = ReportBatch::prepare(classe, QStringLiteral("61: 5"), state.dossier_etablissement, critere);
    ASSERT_TRUE(ReportDocument::imprime(&imprimante, lot, state.nom_etablissement, 4));
    QProcess infoImprime;
    infoImprime.start(QStringLiteral("pdfinfo"), {dir.filePath(QStringLiteral("bilans/imprime.pdf"))});
    ASSERT_TRUE(infoImprime.waitForFinished(10000));
    EXPECT_TRUE(QString::fromUtf8(infoImprime.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\b"))));

    // Nobody with a test: said, and no document.
    ClassTestCollector::Critere rentree;
    rentree.date = QStringLiteral("01/09/2026");
    Dialogs::setNextFileName(dir.filePath(QStringLiteral("bilans/vide.pdf")));
    EXPECT_FALSE(BilanExport::ButtonEnregistrerClick(nullptr, state, ecoleCourante(), classe, QStringLiteral("61: 5"), rentree));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("bilans/vide.pdf"))));
    EXPECT_EQ(Dialogs::history().last().title, QStringLiteral("Pas de test"));
}

TEST_F(Statistics, PupilDetailShowsSessionsAndOneGridPerDay)
{
    eleve(QStringLiteral("61"), QStringLiteral("Dupont_Léa"),
          {entete("Lundi", "07/12/2026", "10:00:00", "10:20:00"), ligneTest(testDeScore(10)),
           entete("Mardi", "08/12/2026", "10:00:00", "10:10:00"), ligneTest(testDeScore(30)),
           entete("Mardi", "08/12/2026", "14:00:00", "14:10:00")});
    PupilDetailView vue;
    vue.affiche_noeud(PupilFolders::historyFile(state.dossier_etablissement, QStringLiteral("Dupont_Léa")),
                      QStringLiteral("61: 1 élève"), state.objectifs, 4);
    const QString texte = vue.toPlainText();
    EXPECT_TRUE(texte.startsWith(QStringLiteral("Léa Dupont\nClasse de 61\n"))) << texte.toStdString();
    EXPECT_TRUE(texte.contains(QStringLiteral("3 séances, sur 2 jours (le 07/12/2026 et le 08/12/2026)")));
    EXPECT_TRUE(texte.contains(QStringLiteral("temps total: 40 min 00 s")));
    EXPECT_LT(texte.indexOf(u"Test du Mardi 08/12/2026"), texte.indexOf(u"Test du Lundi 07/12/2026"));
    int images = 0;
    for (QTextBlock b = vue.document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it)
            images += it.fragment().charFormat().isImageFormat() ? 1 : 0;
    }
    EXPECT_EQ(images, 2);

    vue.affiche_noeud(state.dossier_annee + QStringLiteral("/61"), QString(), state.objectifs, 4);
    EXPECT_EQ(vue.toPlainText(), state.dossier_annee + QStringLiteral("/61"));
}

// The follow-up tab's side: a pupil chosen in the tree gets his detail, and
// his report saved from there carries the class he is listed under.
TEST_F(Statistics, ReportPanelFollowsTheSelectedNode)
{
    eleve(QStringLiteral("61"), QStringLiteral("Dupont_Léa"),
          {entete("Lundi", "07/12/2026", "10:00:00", "10:20:00"), ligneTest(testDeScore(40))});
    const QString avant = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto restaure = qScopeGuard([&avant] { QDir::setCurrent(avant); });
    PupilReportPanel panneau(state);
    auto *enregistrer = enfant<QPushButton>(panneau, QStringLiteral("ButtonEnregistrer"));
    EXPECT_FALSE(enregistrer->isEnabled());
    panneau.setCritere([] {
        ClassTestCollector::Critere c;
        c.date = QStringLiteral("10/12/2026");
        return c;
    });
    panneau.TreeView1Changing(QStringLiteral(" "), QString());
    EXPECT_FALSE(enregistrer->isEnabled()) << "the title line has no file";
    const QString fichier = PupilFolders::historyFile(state.dossier_etablissement, QStringLiteral("Dupont_Léa"));
    panneau.TreeView1Changing(fichier, QStringLiteral("61: 1 élève........63%"));
    EXPECT_TRUE(panneau.vue()->toPlainText().startsWith(u"Léa Dupont"));
    ASSERT_TRUE(enregistrer->isEnabled());
    Dialogs::setNextFileName(dir.filePath(QStringLiteral("lea.pdf")));
    clique(enregistrer);
    EXPECT_TRUE(Dialogs::history().last().text.endsWith(u"/Dupont_Léa.pdf")) << Dialogs::history().last().text.toStdString();
    QProcess texte;
    texte.start(QStringLiteral("pdftotext"), {dir.filePath(QStringLiteral("lea.pdf")), QStringLiteral("-")});
    ASSERT_TRUE(texte.waitForFinished(10000));
    const QString contenu = QString::fromUtf8(texte.readAllStandardOutput());
    EXPECT_TRUE(contenu.contains(u"DUPONT Léa"));
    EXPECT_TRUE(contenu.contains(u"Classe de 61"));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
