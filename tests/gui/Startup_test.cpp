#include "app/TabulonApp.h"
#include "app/Tgeneral.h"
#include "app/Tident.h"
#include "core/Clock.h"
#include "core/IniFile.h"
#include "core/Paths.h"
#include "core/RandomSource.h"
#include "core/SystemServices.h"
#include "core/TextFile.h"
#include "platform/SingleInstance.h"
#include "teacher/TAcces_prof.h"
#include "teacher/TProfesseur.h"
#include "widgets/Dialogs.h"
#include "support/FakeSystem.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_programme.isValid());
        ASSERT_TRUE(m_garde.isValid());
        m_env.clock = &m_horloge;
        m_env.random = &m_hasard;
        m_env.system = &m_systeme;
        m_env.programFolder = m_programme.path();
        Dialogs::setTestMode(true);
        Dialogs::clearHistory();
    }

    void TearDown() override { Dialogs::setTestMode(false); }

    TabulonApp::Options options() const
    {
        TabulonApp::Options o;
        o.nomGarde = QStringLiteral("_TabulonTest");
        o.dossierGarde = m_garde.path();
        o.arretPremiereFenetre = true;
        return o;
    }

    QString fichier(const QString &nom) const { return Paths::join(m_programme.path(), nom); }

    // A school workstation's "Tabulon.ini": the server folder, the teacher
    // code and the lines of the establishment section after its name.
    bool ecritIniEcole(const QString &serveur, const QString &code, const QStringList &etablissement = {}) const
    {
        return TextFile::saveLines(fichier(QStringLiteral("Tabulon.ini")),
                                   QStringList{QStringLiteral("[General]"), QStringLiteral("Mode=Ecole"),
                                               QStringLiteral("[Dossiers]"), QStringLiteral("Chemin serveur=") + serveur,
                                               QStringLiteral("Dossier élèves en réseau={Chemin serveur}\\Eleves"),
                                               QStringLiteral("Dossier élèves monoposte=Eleves"),
                                               QStringLiteral("Dossier statistiques=Statistiques"),
                                               QStringLiteral("[Codes]"), QStringLiteral("Code d'accès professeur=") + code,
                                               QStringLiteral("[Etablissement]"), QStringLiteral("Nom=Ecole du Test")}
                                       + etablissement);
    }

    QTemporaryDir m_programme;
    QTemporaryDir m_garde;
    ManualClock m_horloge{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    SeededRandom m_hasard{3};
    FakeSystem m_systeme;
    Environment m_env;
};

TEST_F(StartupTest, AFirstStartAtHomeWritesTheDefaultConfigurationAndAsksWhoIsThere)
{
    TabulonApp programme(m_env, options());
    QWidget *premiere = nullptr;
    bool modale = false;
    bool principaleCachee = false;
    bool principaleConstruite = true;
    programme.setPremiereFenetre([&](QWidget *fenetre) {
        premiere = fenetre;
        modale = fenetre->isModal();
        principaleCachee = !programme.general()->isVisible();
        principaleConstruite = programme.general()->findChild<QMenuBar *>()
                               || programme.general()->findChild<QWidget *>(QStringLiteral("SpeedButton_professeur"));
    });

    EXPECT_EQ(programme.run(), 0);
    EXPECT_FALSE(programme.instanceRefusee());
    ASSERT_NE(premiere, nullptr);
    EXPECT_NE(qobject_cast<Tident *>(premiere), nullptr);
    EXPECT_TRUE(modale);
    EXPECT_TRUE(principaleCachee);
    EXPECT_FALSE(principaleConstruite);

    const IniFile ini(fichier(QStringLiteral("Tabulon.ini")));
    ASSERT_TRUE(ini.exists());
    EXPECT_EQ(ini.readString(QStringLiteral("General"), QStringLiteral("Mode")), QStringLiteral("Maison"));
    EXPECT_TRUE(QFileInfo::exists(fichier(QStringLiteral("Tabulon.log"))));
    EXPECT_TRUE(QFileInfo::exists(fichier(QStringLiteral("PREMIER DEMARRAGE.TXT"))));
    EXPECT_FALSE(programme.state().mode_ecole);
    EXPECT_EQ(programme.general()->windowTitle(),
              QStringLiteral("Tabulon version 0.97.01 :  apprentissage des tables à la maison"));
    // The main window, hidden behind the identification, had built none of
    // its controls then; once they come they show the mode the start read:
    // settings, no teacher entry, no ranking button at home.
    const TgeneralUi &ui = programme.general()->ui();
    EXPECT_FALSE(ui.SpeedButton_professeur->isVisibleTo(programme.general()));
    EXPECT_FALSE(ui.Button_records->isVisibleTo(programme.general()));
    EXPECT_TRUE(ui.SpeedButton_reglages->isVisibleTo(programme.general()));
    EXPECT_TRUE(ui.Configuration1->isVisible());
    EXPECT_FALSE(ui.Professeur1->isVisible());
    EXPECT_EQ(ui.button_test->text(), QStringLiteral("  TEST"));
    EXPECT_FALSE(ui.Label_objectifs->text().isEmpty());
    // Nothing needed a person.
    EXPECT_TRUE(Dialogs::history().isEmpty());
    // The start built no window but the one it showed: the others come when
    // first needed.
    const QList<QDialog *> fenetres = programme.general()->findChildren<QDialog *>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(fenetres.size(), 1);
    EXPECT_EQ(fenetres.first(), premiere);
}

TEST_F(StartupTest, ASecondCopyEndsAtOnceWithoutAnyWindowOrFile)
{
    SingleInstance autreCopie(options().nomGarde, options().dossierGarde);
    ASSERT_TRUE(autreCopie.tryAcquire());
    {
        TabulonApp programme(m_env, options());
        bool fenetreVue = false;
        programme.setPremiereFenetre([&](QWidget *) { fenetreVue = true; });
        EXPECT_EQ(programme.run(), 0);
        EXPECT_TRUE(programme.instanceRefusee());
        EXPECT_FALSE(fenetreVue);
        EXPECT_EQ(programme.general(), nullptr);
        EXPECT_FALSE(QFileInfo::exists(fichier(QStringLiteral("Tabulon.ini"))));
    }

    // Once the other copy has ended, the program starts.
    autreCopie.release();
    TabulonApp programme(m_env, options());
    bool fenetreVue = false;
    programme.setPremiereFenetre([&](QWidget *) { fenetreVue = true; });
    EXPECT_EQ(programme.run(), 0);
    EXPECT_FALSE(programme.instanceRefusee());
    EXPECT_TRUE(fenetreVue);
}

TEST_F(StartupTest, ASchoolWithoutClassesForTheYearOpensTheTeacherWindowInstead)
{
    const QString serveur = Paths::join(m_programme.path(), QStringLiteral("serveur"));
    ASSERT_TRUE(QDir().mkpath(serveur));
    ASSERT_TRUE(ecritIniEcole(serveur, QString(), {QStringLiteral("Niveaux et classes 2025-2026=CM1<CM1a>CM2<CM2a,CM2b>")}));

    TabulonApp programme(m_env, options());
    TProfesseur *professeur = nullptr;
    programme.setPremiereFenetre([&](QWidget *fenetre) { professeur = qobject_cast<TProfesseur *>(fenetre); });
    EXPECT_EQ(programme.run(), 0);

    ASSERT_NE(professeur, nullptr);
    EXPECT_TRUE(professeur->nouvelleAnnee());
    EXPECT_TRUE(programme.state().mode_ecole);
    EXPECT_EQ(programme.state().annee_scolaire, QStringLiteral("2026-2027"));
    // Last year's structure is proposed for the new year.
    ASSERT_EQ(programme.state().niveaux.size(), 2);
    EXPECT_EQ(programme.state().niveaux[1].classes, QStringList({QStringLiteral("CM2a"), QStringLiteral("CM2b")}));
    // No identification was asked for.
    EXPECT_EQ(programme.general()->fenetres().ident, nullptr);
}

TEST_F(StartupTest, WithATeacherCodeTheNewYearIsSetUpOnlyBehindTheCode)
{
    const QString serveur = Paths::join(m_programme.path(), QStringLiteral("serveur"));
    ASSERT_TRUE(QDir().mkpath(serveur));
    ASSERT_TRUE(ecritIniEcole(serveur, QStringLiteral("abcd")));
    Dialogs::setTestMode(true);
    Dialogs::clearHistory();
    TabulonApp programme(m_env, options());
    QWidget *premiere = nullptr;
    programme.setPremiereFenetre([&](QWidget *fenetre) { premiere = fenetre; });
    EXPECT_EQ(programme.run(), 0);
    Dialogs::setTestMode(false);
    // A pupil at the keyboard gets the prompt; closing it ends the program
    // with the reason, and the teacher window never opened.
    EXPECT_NE(qobject_cast<TAcces_prof *>(premiere), nullptr);
    ASSERT_FALSE(Dialogs::history().isEmpty());
    EXPECT_EQ(Dialogs::history().last().title, QStringLiteral("Nouvelle année scolaire"));
    EXPECT_TRUE(Dialogs::history().last().text.startsWith(QStringLiteral("L'enseignant doit d'abord préparer")));
    EXPECT_EQ(programme.general()->fenetres().professeur, nullptr);
    EXPECT_EQ(programme.general()->fenetres().ident, nullptr);
}

TEST_F(StartupTest, TheNewYearSavedByTheTeacherIsUsedAtTheNextStart)
{
    const QString serveur = Paths::join(m_programme.path(), QStringLiteral("serveur"));
    ASSERT_TRUE(QDir().mkpath(Paths::join(serveur, QStringLiteral("Tabulon"))));
    ASSERT_TRUE(ecritIniEcole(serveur, QString()));

    // First start: nothing configured for the year, the teacher sets it up.
    {
        TabulonApp programme(m_env, options());
        bool enregistre = false;
        programme.setPremiereFenetre([&](QWidget *fenetre) {
            auto *professeur = qobject_cast<TProfesseur *>(fenetre);
            ASSERT_NE(professeur, nullptr);
            // The window fills itself as it shows: act once it is up.
            QTimer::singleShot(0, professeur, [&enregistre, professeur] {
            auto *niveaux = professeur->findChild<QSpinBox *>(QStringLiteral("SpinEdit_niveaux"));
            ASSERT_NE(niveaux, nullptr);
            niveaux->setValue(2);
            auto *classe = professeur->findChild<QLineEdit *>(QStringLiteral("Edit2_1"));
            ASSERT_NE(classe, nullptr);
            classe->setText(QStringLiteral("6eA"));
            auto *bouton = professeur->findChild<QPushButton *>(QStringLiteral("Button_enregistrer_etablissement"));
            ASSERT_NE(bouton, nullptr);
            QTest::mouseClick(bouton, Qt::LeftButton);
            enregistre = true;
            });
        });
        EXPECT_EQ(programme.run(), 0);
        ASSERT_TRUE(enregistre);
    }
    const IniFile ini(fichier(QStringLiteral("Tabulon.ini")));
    EXPECT_EQ(ini.readString(QStringLiteral("Etablissement"), QStringLiteral("Niveaux et classes 2026-2027")),
              QStringLiteral("sixième<6eA,62>cinquième<51,52,53>"));

    // Next start: the identification is asked for and the class folders exist.
    TabulonApp programme(m_env, options());
    QWidget *premiere = nullptr;
    programme.setPremiereFenetre([&](QWidget *fenetre) { premiere = fenetre; });
    EXPECT_EQ(programme.run(), 0);
    EXPECT_NE(qobject_cast<Tident *>(premiere), nullptr);
    const QString annee = Paths::join(serveur, QStringLiteral("Eleves/Ecole du Test/2026-2027"));
    for (const QString &classe : {QStringLiteral("6eA"), QStringLiteral("62"), QStringLiteral("51"),
                                  QStringLiteral("52"), QStringLiteral("53")})
        EXPECT_TRUE(QFileInfo(Paths::join(annee, classe)).isDir()) << classe.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Paths::join(annee, QStringLiteral("41"))));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
