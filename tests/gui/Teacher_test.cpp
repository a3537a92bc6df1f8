#include "core/IniFile.h"
#include "core/SessionState.h"
#include "core/TeacherAccess.h"
#include "core/TextFile.h"
#include "teacher/EtablissementTab.h"
#include "teacher/TAcces_prof.h"
#include "teacher/TProfesseur.h"
#include "widgets/Dialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

template<typename T>
T *enfant(const QWidget &w, const char *nom)
{
    T *found = w.findChild<T *>(QString::fromLatin1(nom));
    EXPECT_NE(found, nullptr) << nom;
    return found;
}

// Enter goes where the keyboard's focus is, as it would for a person.
void entree()
{
    QWidget *focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_Return);
}

QStringList titresMontres()
{
    QStringList t;
    for (const Dialogs::Shown &s : Dialogs::history())
        t.append(s.title);
    return t;
}

class TeacherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Dialogs::setTestMode(true);
        Dialogs::clearHistory();
        env.programFolder = dir.path() + u'/';
        state.annee_scolaire = QStringLiteral("2026-2027");
        state.code_professeur = QStringLiteral("abcd");
        state.code_prof_requis = true;
    }
    void TearDown() override { Dialogs::setTestMode(false); }

    QString iniPath() const { return dir.filePath(QStringLiteral("Tabulon.ini")); }
    QString stocke(const QString &annee) const
    {
        return IniFile(iniPath()).readString(QStringLiteral("Etablissement"), QStringLiteral("Niveaux et classes ") + annee);
    }

    // Shows the window and waits until it has the keyboard.
    static void montre(QWidget &w)
    {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    Environment env;
    SessionState state;
};

TEST_F(TeacherTest, TypedCodeIsLowerCaseMaskedAndAtMostFourCharacters)
{
    TAcces_prof prompt(state);
    montre(prompt);
    auto *edit = enfant<QLineEdit>(prompt, "Edit3");
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClicks(edit, QStringLiteral("ABcDEF"));
    EXPECT_EQ(edit->text(), QStringLiteral("abcd"));
    EXPECT_EQ(edit->displayText(), QStringLiteral("****"));
    EXPECT_EQ(prompt.windowTitle(), QStringLiteral("Accès réservé au professeur"));
    EXPECT_EQ(enfant<QLabel>(prompt, "Label18")->text(), QStringLiteral("Entrez le code  professeur:"));
    EXPECT_TRUE(enfant<QRadioButton>(prompt, "RadioButton2")->isChecked());
}

TEST_F(TeacherTest, RightCodeAsksAgainNextTimeUnlessKeptUntilTheProgramCloses)
{
    TAcces_prof prompt(state);
    montre(prompt);
    QTest::keyClicks(enfant<QLineEdit>(prompt, "Edit3"), QStringLiteral("ABCD"));
    entree();
    EXPECT_EQ(prompt.result(), QDialog::Accepted);
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_TRUE(TeacherAccess::code_demande(state));

    // Shown again: the entry is empty and the code is asked again; this time
    // the teacher keeps the access for the run.
    montre(prompt);
    EXPECT_TRUE(enfant<QLineEdit>(prompt, "Edit3")->text().isEmpty());
    QTest::mouseClick(enfant<QRadioButton>(prompt, "RadioButton1"), Qt::LeftButton);
    QTest::keyClicks(enfant<QLineEdit>(prompt, "Edit3"), QStringLiteral("abcd"));
    entree();
    EXPECT_EQ(prompt.result(), QDialog::Accepted);
    EXPECT_FALSE(TeacherAccess::code_demande(state));

    // The choice belongs to the run, not to one window.
    TAcces_prof autre(state);
    montre(autre);
    EXPECT_TRUE(enfant<QRadioButton>(autre, "RadioButton1")->isChecked());
}

TEST_F(TeacherTest, ThePromptIsLeftByAnnulerOrEscapeWithoutAccess)
{
    TAcces_prof prompt(state);
    for (const bool parEchap : {false, true}) {
        SCOPED_TRACE(parEchap ? "Echap" : "Annuler");
        montre(prompt);
        QTest::keyClicks(enfant<QLineEdit>(prompt, "Edit3"), QStringLiteral("ab"));
        if (parEchap)
            QTest::keyClick(enfant<QLineEdit>(prompt, "Edit3"), Qt::Key_Escape);
        else
            QTest::mouseClick(enfant<QPushButton>(prompt, "Button_annuler"), Qt::LeftButton);
        EXPECT_FALSE(prompt.isVisible());
        EXPECT_EQ(prompt.result(), QDialog::Rejected);
        EXPECT_TRUE(TeacherAccess::code_demande(state));
    }
}

TEST_F(TeacherTest, WrongCodeThenEnterTwiceAcknowledgesThenSubmitsTheEmptyEntry)
{
    TAcces_prof prompt(state);
    montre(prompt);
    auto *edit = enfant<QLineEdit>(prompt, "Edit3");
    auto *label18 = enfant<QLabel>(prompt, "Label18");
    auto *label8 = enfant<QLabel>(prompt, "Label8");
    EXPECT_FALSE(label8->isVisible());

    QTest::keyClicks(edit, QStringLiteral("zut"));
    entree();
    EXPECT_TRUE(prompt.isVisible());
    EXPECT_FALSE(label18->isVisible());
    EXPECT_TRUE(label8->isVisible());
    EXPECT_EQ(label8->text(), QStringLiteral("Code erroné"));
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(edit->text(), QStringLiteral("zut"));
    EXPECT_TRUE(enfant<QPushButton>(prompt, "Button_code")->hasFocus());

    entree();   // acknowledges the failure
    EXPECT_TRUE(label18->isVisible());
    EXPECT_FALSE(label8->isVisible());
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_TRUE(edit->hasFocus());

    entree();   // submits the empty entry
    EXPECT_TRUE(label8->isVisible());
    EXPECT_TRUE(prompt.isVisible());
    EXPECT_TRUE(TeacherAccess::code_demande(state));
}

TEST_F(TeacherTest, ClosingThePromptCancelsAndDemandeReportsTheOutcome)
{
    TAcces_prof prompt(state);
    QTimer::singleShot(0, &prompt, [&] { prompt.close(); });
    EXPECT_FALSE(prompt.demande());

    QTimer::singleShot(0, &prompt, [&] {
        QTest::keyClicks(prompt.findChild<QLineEdit *>(QStringLiteral("Edit3")), QStringLiteral("abcd"));
        QTest::keyClick(prompt.findChild<QLineEdit *>(QStringLiteral("Edit3")), Qt::Key_Return);
    });
    EXPECT_TRUE(prompt.demande());
}

TEST_F(TeacherTest, StoredCodesThatCanNeverBeTypedAreNamed)
{
    struct Cas { QString code; QString extrait; };
    const QList<Cas> cas{
        {QString(), QString()},
        {QStringLiteral("ab1"), QString()},
        {QStringLiteral("Abcd"), QStringLiteral("majuscules")},
        {QStringLiteral("abcde"), QStringLiteral("plus de 4 caractères")},
        {IniFile::kMarker, QStringLiteral("absent du fichier Tabulon.ini")},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.code.toStdString());
        const QString texte = TeacherAccess::code_prof_inaccessible(c.code);
        if (c.extrait.isEmpty())
            EXPECT_TRUE(texte.isEmpty());
        else
            EXPECT_TRUE(texte.contains(c.extrait)) << texte.toStdString();
    }

    // The prompt keeps comparing as stored: a code with capitals never matches.
    state.code_professeur = QStringLiteral("Abcd");
    TeacherAccess acces(state);
    EXPECT_EQ(acces.clique_Button_code(QStringLiteral("abcd")), TeacherAccess::Resultat::Refuse);
    // An empty stored code needs no prompt at all (start-up clears the flag).
    state.code_professeur.clear();
    state.code_prof_requis = false;
    EXPECT_FALSE(TeacherAccess::code_demande(state));
}

TEST_F(TeacherTest, LevelsAndClassesFollowTheSpinBoxesAndAreSavedForThisYear)
{
    ASSERT_TRUE(TextFile::saveLines(iniPath(), {"[Etablissement]", "Nom=Ecole des Tilleuls",
                                                "Niveaux et classes 2024-2025=CP<CPa>CE1<CE1a,CE1b>"}));
    state.nom_etablissement = QStringLiteral("Ecole des Tilleuls");
    TProfesseur prof(state, env);
    montre(prof);
    EXPECT_EQ(prof.windowTitle(), QStringLiteral("Enseignant"));
    auto *classeur = enfant<QTabWidget>(prof, "Classeur");
    EXPECT_EQ(classeur->currentIndex(), 3);
    EXPECT_EQ(classeur->tabText(3), QStringLiteral("Suivi de classes"));
    classeur->setCurrentIndex(0);

    EXPECT_EQ(enfant<QLabel>(prof, "Label_annee_scol")->text(), QStringLiteral("Année scolaire 2026-2027:"));
    EXPECT_EQ(enfant<QLineEdit>(prof, "Edit2")->text(), QStringLiteral("Ecole des Tilleuls"));
    auto *niveaux = enfant<QSpinBox>(prof, "SpinEdit_niveaux");
    EXPECT_EQ(niveaux->value(), 2);
    EXPECT_EQ(enfant<QLineEdit>(prof, "Edit1_2")->text(), QStringLiteral("CE1"));
    EXPECT_EQ(enfant<QLineEdit>(prof, "Edit3_2")->text(), QStringLiteral("CE1b"));
    EXPECT_EQ(prof.findChild<QWidget *>(QStringLiteral("Edit1_3")), nullptr);
    EXPECT_EQ(enfant<QWidget>(prof, "Rangee_2")->y() - enfant<QWidget>(prof, "Rangee_1")->y(),
              EtablissementTab::kHauteurRangee);

    // One more level, by the keyboard.
    niveaux->setFocus();
    QTest::keyClick(niveaux, Qt::Key_Up);
    EXPECT_EQ(enfant<QLineEdit>(prof, "Edit1_3")->text(), QStringLiteral("niveau"));
    EXPECT_EQ(enfant<QSpinBox>(prof, "SpinEdit3")->value(), 1);
    EXPECT_EQ(enfant<QLineEdit>(prof, "Edit2_3")->text(), QStringLiteral("classe"));

    // A class box made late still comes next when tabbing through its row.
    auto *classesCp = enfant<QSpinBox>(prof, "SpinEdit1");
    QTest::keyClick(classesCp, Qt::Key_Up);
    auto *nouvelle = enfant<QLineEdit>(prof, "Edit3_1");
    EXPECT_EQ(nouvelle->text(), QStringLiteral("classe"));
    enfant<QLineEdit>(prof, "Edit2_1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(nouvelle->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(enfant<QLineEdit>(prof, "Edit1_2")->hasFocus());

    // Fewer classes for CE1: its last box goes.
    QTest::keyClick(enfant<QSpinBox>(prof, "SpinEdit2"), Qt::Key_Down);
    EXPECT_EQ(prof.findChild<QWidget *>(QStringLiteral("Edit3_2")), nullptr);

    nouvelle->setText(QStringLiteral("CPb"));
    enfant<QLineEdit>(prof, "Edit1_3")->setText(QStringLiteral("CE2"));
    enfant<QLineEdit>(prof, "Edit2_3")->setText(QStringLiteral("CE2-des-Mésanges"));
    QTest::mouseClick(enfant<QPushButton>(prof, "Button_enregistrer_etablissement"), Qt::LeftButton);

    ASSERT_EQ(Dialogs::history().size(), 1);
    EXPECT_EQ(Dialogs::history().first().kind, QStringLiteral("warning"));
    EXPECT_EQ(Dialogs::history().first().title, QStringLiteral("ATTENTION!"));
    EXPECT_EQ(Dialogs::history().first().text,
              QStringLiteral("OK.\n\rLe logiciel doit être redémarré\n\rpour prendre en compte les changements"));
    EXPECT_EQ(classeur->currentIndex(), 2);
    EXPECT_EQ(stocke(QStringLiteral("2026-2027")), QStringLiteral("CP<CPa,CPb>CE1<CE1a>CE2<CE2-des-Mé>"));
    EXPECT_EQ(stocke(QStringLiteral("2024-2025")), QStringLiteral("CP<CPa>CE1<CE1a,CE1b>"));
    ASSERT_EQ(state.niveaux.size(), 3);
    EXPECT_EQ(state.niveaux[2].classes, QStringList{QStringLiteral("CE2-des-Mé")});
}

TEST_F(TeacherTest, DefaultStructureCutToTwoLevelsAndARefusedSave)
{
    TProfesseur prof(state, env);
    montre(prof);
    enfant<QTabWidget>(prof, "Classeur")->setCurrentIndex(0);
    EXPECT_EQ(enfant<QLineEdit>(prof, "Edit2")->text(), QStringLiteral("Collège de Valdorne"));
    auto *niveaux = enfant<QSpinBox>(prof, "SpinEdit_niveaux");
    EXPECT_EQ(niveaux->value(), 4);
    EXPECT_EQ(enfant<QLineEdit>(prof, "Edit1_4")->text(), QStringLiteral("troisième"));
    niveaux->setValue(2);
    EXPECT_EQ(prof.findChild<QWidget *>(QStringLiteral("Edit1_3")), nullptr);
    EXPECT_EQ(prof.findChild<QWidget *>(QStringLiteral("Edit2_4")), nullptr);

    // An empty class box: nothing is written and the box gets the focus.
    auto *vide = enfant<QLineEdit>(prof, "Edit3_2");
    vide->clear();
    QTest::mouseClick(enfant<QPushButton>(prof, "Button_enregistrer_etablissement"), Qt::LeftButton);
    ASSERT_EQ(Dialogs::history().size(), 1);
    EXPECT_EQ(Dialogs::history().first().title, QStringLiteral("Enregistrement impossible"));
    EXPECT_EQ(Dialogs::history().first().text, QStringLiteral("Le nom de la classe 2 du niveau 2 est vide."));
    EXPECT_TRUE(vide->hasFocus());
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
    EXPECT_EQ(enfant<QTabWidget>(prof, "Classeur")->currentIndex(), 0);

    // Enter in a box saves nothing; Enter on the focused button saves.
    vide->setText(QStringLiteral("52"));
    QTest::keyClick(vide, Qt::Key_Return);
    EXPECT_EQ(Dialogs::history().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
    enfant<QPushButton>(prof, "Button_enregistrer_etablissement")->setFocus();
    entree();
    EXPECT_EQ(titresMontres().last(), QStringLiteral("ATTENTION!"));
    EXPECT_EQ(stocke(QStringLiteral("2026-2027")), QStringLiteral("sixième<61,62>cinquième<51,52,53>"));
    EXPECT_EQ(IniFile(iniPath()).readString(QStringLiteral("Etablissement"), QStringLiteral("Nom")),
              QStringLiteral("Collège de Valdorne"));
}

TEST_F(TeacherTest, NewSchoolYearOpensOnTheEstablishmentAndClosingEndsTheProgram)
{
    TProfesseur prof(state, env);
    QSignalSpy fermer(&prof, &TProfesseur::programmeDoitFermer);

    // An ordinary opening and closing says nothing and ends nothing.
    montre(prof);
    prof.close();
    EXPECT_TRUE(Dialogs::history().isEmpty());
    EXPECT_EQ(fermer.count(), 0);

    prof.setNouvelleAnnee(true);
    montre(prof);
    EXPECT_EQ(enfant<QTabWidget>(prof, "Classeur")->currentIndex(), 0);
    ASSERT_EQ(Dialogs::history().size(), 1);
    EXPECT_EQ(Dialogs::history().first().title, QStringLiteral("Nouvelle année scolaire"));
    EXPECT_EQ(Dialogs::history().first().text,
              QStringLiteral("Vous devez effectuer la répartition\n\rdes classes pour l'année 2026-2027"));

    // Escape does not close it: the program would end on a stray key.
    QTest::keyClick(&prof, Qt::Key_Escape);
    EXPECT_TRUE(prof.isVisible());
    EXPECT_EQ(Dialogs::history().size(), 1);
    prof.close();
    EXPECT_FALSE(prof.isVisible());
    ASSERT_EQ(Dialogs::history().size(), 2);
    EXPECT_EQ(Dialogs::history().last().title, QStringLiteral("Fermeture du programme"));
    EXPECT_EQ(Dialogs::history().last().text,
              QStringLiteral("Le logiciel doit être redémarré\n\rpour prendre en compte les changements"));
    EXPECT_EQ(fermer.count(), 1);
}

TEST_F(TeacherTest, TheSevenTabsInOrder)
{
    TProfesseur prof(state, env);
    auto *classeur = enfant<QTabWidget>(prof, "Classeur");
    const QStringList noms{"Bahut", "Parametres", "Obj_niveaux", "Bilans", "Stat_prod", "stat_class", "maintenance_fichiers"};
    const QStringList titres{"Etablissement", "Paramètres", "Objectifs à atteindre", "Suivi de classes",
                             "Statistiques produits", "Statistiques élèves", "Maintenance"};
    ASSERT_EQ(classeur->count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(classeur->widget(i)->objectName(), noms[i]);
        EXPECT_EQ(classeur->tabText(i), titres[i]);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
