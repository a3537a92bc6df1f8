#include "app/Tgeneral.h"
#include "core/Clock.h"
#include "core/Dates.h"
#include "core/RandomSource.h"
#include "core/SessionState.h"
#include "core/TextFile.h"
#include "widgets/Dialogs.h"
#include "support/Capture.h"
#include "support/LayoutFit.h"
#include "support/WindowEnvironment.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A school whose name and classes are as long as real ones get, with a
// pupil of a few days of tests: what the windows show is what a teacher
// and a pupil would see.
class LayoutFit_test : public ::testing::Test, protected WindowEnvironment
{
protected:
    LayoutFit_test() : WindowEnvironment(9) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_dossier.isValid());
        Dialogs::setTestMode(true);
        const QString serveur = m_dossier.filePath(QStringLiteral("serveur"));
        ASSERT_TRUE(QDir().mkpath(serveur + QStringLiteral("/Tabulon")));
        ASSERT_TRUE(TextFile::saveLines(
            m_env.programFolder + QStringLiteral("Tabulon.ini"),
            {QStringLiteral("[General]"), QStringLiteral("Mode=Ecole"), QStringLiteral("[Dossiers]"),
             QStringLiteral("Chemin serveur=") + serveur,
             QStringLiteral("Dossier élèves en réseau={Chemin serveur}\\Eleves"),
             QStringLiteral("Dossier élèves monoposte=Eleves"), QStringLiteral("Dossier statistiques=Statistiques"),
             QStringLiteral("[Etablissement]"), QStringLiteral("Nom=Collège Tabulon de Valdorne-les-Bains"),
             QStringLiteral("Niveaux et classes 2026-2027=sixième<6eA,6eB>cinquième<5eA>quatrième<4eA>")}));
    }

    void TearDown() override { Dialogs::setTestMode(false); }

    void eleveDuJour()
    {
        EleveState &e = m_state.eleve;
        e.nom = QStringLiteral("Delacroix-Beaumarchais");
        e.prenom = QStringLiteral("Marie-Charlotte");
        e.cle_eleve = e.nom + QLatin1Char('_') + e.prenom;
        e.classe = QStringLiteral("6eA");
        for (int j = 0; j < 12; ++j)
            e.graphique.append({Dates::jour_texte(QDate(2026, 11, 2).addDays(3 * j)), QString::number(40 + 5 * j),
                                QString()});
    }

    SessionState m_state;
};

// The check itself: a text cut at its end, a caption larger than its
// button, a control reaching out of its panel are each seen; what fits is not.
TEST(LayoutFit, SeesACutTextAndAControlOutOfItsParent)
{
    QWidget fenetre;
    fenetre.setObjectName(QStringLiteral("fenetre"));
    fenetre.resize(300, 200);
    auto *panneau = new QWidget(&fenetre);
    panneau->setObjectName(QStringLiteral("panneau"));
    panneau->setGeometry(0, 0, 200, 100);
    auto *coupe = new QLabel(QStringLiteral("Total: 300 élèves le Jeudi 10/12/2026"), panneau);
    coupe->setObjectName(QStringLiteral("coupe"));
    coupe->setGeometry(0, 0, 60, 20);
    auto *entier = new QLabel(QStringLiteral("Oui"), panneau);
    entier->setObjectName(QStringLiteral("entier"));
    entier->setGeometry(0, 30, 120, 20);
    auto *bouton = new QPushButton(QStringLiteral("Retour à la liste des élèves"), panneau);
    bouton->setObjectName(QStringLiteral("bouton"));
    bouton->setGeometry(0, 60, 80, 30);
    auto *dehors = new QPushButton(QStringLiteral("OK"), panneau);
    dehors->setObjectName(QStringLiteral("dehors"));
    dehors->setGeometry(170, 60, 80, 30);
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));

    const QStringList fautes = LayoutFit::fautes(&fenetre);
    const auto vu = [&fautes](const char *nom) {
        return std::any_of(fautes.cbegin(), fautes.cend(),
                           [nom](const QString &f) { return f.startsWith(QString::fromLatin1(nom) + u' '); });
    };
    EXPECT_TRUE(vu("coupe"));
    EXPECT_TRUE(vu("bouton"));
    EXPECT_TRUE(vu("dehors"));
    EXPECT_FALSE(vu("entier"));
    EXPECT_EQ(fautes.size(), 3) << fautes.join(u'\n').toStdString();
}

// Every window the program has, each tab of it, on a small, a square and a
// wide screen (the three screens of the offscreen platform set up in main).
TEST_F(LayoutFit_test, EveryWindowShowsItsTextsWholeAtThreeScreenSizes)
{
    const QList<QScreen *> ecrans = QGuiApplication::screens();
    ASSERT_EQ(ecrans.size(), 3);
    Tgeneral general(m_state, m_env);
    general.setFermetureSansQuestion(true);
    general.setFenetresALaDemande(true);
    general.initialise_session();
    ASSERT_TRUE(m_state.mode_ecole);
    general.initialiseur().initialise_ecole();
    ASSERT_EQ(m_state.niveaux.size(), 3);
    eleveDuJour();
    general.construitFenetres();

    QList<QWidget *> fenetres{&general};
    for (QWidget *w : general.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip)
            fenetres.append(w);
    }
    ASSERT_GE(fenetres.size(), 15);

    QStringList fautes;
    QStringList vues;
    for (QScreen *ecran : ecrans) {
        const QRect zone = ecran->availableGeometry();
        const QString nomEcran = QStringLiteral("%1×%2").arg(zone.width()).arg(zone.height());
        general.hide();
        general.setGeometry(zone);
        general.windowHandle()->setScreen(ecran);
        general.showMaximized();
        general.affiche_graphique();
        for (QWidget *fenetre : fenetres) {
            const bool principale = fenetre == &general;
            if (!principale) {
                fenetre->hide();
                fenetre->move(zone.topLeft() + QPoint(10, 10));
                if (fenetre->windowHandle())
                    fenetre->windowHandle()->setScreen(ecran);
                fenetre->show();
            }
            QTest::qWait(10);
            const auto examine = [&](const QString &ou) {
                vues << ou;
                Capture::garde(fenetre, nomEcran + QLatin1Char('-') + QString(ou).replace(QLatin1Char('/'), u'-'));
                for (const QString &faute : LayoutFit::fautes(fenetre))
                    fautes << nomEcran + QStringLiteral(" ") + ou + QStringLiteral(" : ") + faute;
            };
            QList<QTabWidget *> classeurs;
            for (QTabWidget *classeur : fenetre->findChildren<QTabWidget *>()) {
                if (classeur->window() == fenetre)
                    classeurs.append(classeur);
            }
            if (classeurs.isEmpty())
                examine(fenetre->objectName());
            for (QTabWidget *classeur : classeurs) {
                for (int onglet = 0; onglet < classeur->count(); ++onglet) {
                    classeur->setCurrentIndex(onglet);
                    QTest::qWait(10);
                    examine(fenetre->objectName() + QLatin1Char('/') + classeur->tabText(onglet));
                }
            }
            if (!principale)
                fenetre->hide();
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *d = qobject_cast<QDialog *>(w); d && d->isVisible() && !fenetres.contains(w))
                    d->reject();
            }
        }
    }
    for (const char *attendue : {"Tgeneral", "Tident", "Ttest", "Tapprent", "Professeur/Suivi de classes",
                                 "Professeur/Statistiques élèves", "Tstats_el", "TStats", "Acces_prof"})
        EXPECT_TRUE(vues.contains(QString::fromUtf8(attendue))) << attendue << " pas examinée: "
                                                                 << vues.join(QLatin1Char(',')).toStdString();
    fautes.removeDuplicates();
    EXPECT_TRUE(fautes.isEmpty()) << fautes.size() << " fautes\n" << fautes.join(QLatin1Char('\n')).toStdString();
    general.close();
}

} // namespace

int main(int argc, char **argv)
{
    // Three screens side by side, the sizes every window must read whole at;
    // without frames, a maximised window is exactly the screen's size.
    QTemporaryDir dossier;
    const QString config = dossier.filePath(QStringLiteral("ecrans.json"));
    QFile fichier(config);
    if (!fichier.open(QIODevice::WriteOnly)
        || fichier.write(R"({"windowFrameMargins": false, "screens": [
            {"name": "petit", "x": 0, "y": 0, "width": 800, "height": 600, "logicalDpi": 96, "dpr": 1},
            {"name": "carre", "x": 800, "y": 0, "width": 1280, "height": 1024, "logicalDpi": 96, "dpr": 1},
            {"name": "large", "x": 2080, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "dpr": 1}]})")
               < 0)
        return 2;
    fichier.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
