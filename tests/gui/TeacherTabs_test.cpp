#include "core/Catalogue.h"
#include "core/HistoryLines.h"
#include "core/IniFile.h"
#include "core/SessionState.h"
#include "core/ShellLink.h"
#include "core/TextFile.h"
#include "support/FakeSystem.h"
#include "teacher/SuiviTab.h"
#include "teacher/TProfesseur.h"
#include "teacher/Treglages.h"
#include "timedtest/TTexte.h"
#include "widgets/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

template<typename T>
T *enfant(const QWidget &w, const QString &nom)
{
    T *found = w.findChild<T *>(nom);
    EXPECT_NE(found, nullptr) << nom.toStdString();
    return found;
}

QString test(int justes)
{
    QString r;
    int i = 0;
    for (const QString &code : Catalogue::liste_produits_tables(QStringLiteral("tables_classiques")))
        r += u'P' + code + QStringLiteral("010")
             + (i++ < justes ? Catalogue::resultat_produit_4(code) : QStringLiteral("0001"));
    return r;
}

class TeacherTabs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Dialogs::setTestMode(true);
        Dialogs::clearHistory();
        systeme.recycleRemoves = true;
        env.programFolder = dir.path() + u'/';
        env.system = &systeme;
        state.annee_scolaire = QStringLiteral("2026-2027");
        state.nom_etablissement = QStringLiteral("Collège");
        state.dossier_eleves = dir.filePath(QStringLiteral("Eleves"));
        state.dossier_etablissement = state.dossier_eleves + QStringLiteral("/Collège");
        state.dossier_stats_local = dir.filePath(QStringLiteral("Statistiques"));
        state.temps_acceptable = 4;
        ASSERT_TRUE(TextFile::saveLines(ini(), {"[Etablissement]", "Nom=Collège",
                                                "Niveaux et classes 2026-2027=sixième<61,62>cinquième<51>",
                                                "[Apprentissage par blocs]", "Formule récursive=1.1.1.3"}));
    }
    void TearDown() override { Dialogs::setTestMode(false); }

    QString ini() const { return dir.filePath(QStringLiteral("Tabulon.ini")); }
    QString fichier(const QString &cle) const { return state.dossier_etablissement + u'/' + cle + QStringLiteral(".txt"); }

    void eleve(const QString &cle, int justes, const QString &classe)
    {
        const QDate jour = QDate::currentDate().addDays(-3);
        ASSERT_TRUE(TextFile::saveLines(
            fichier(cle), {HistoryLines::entete_seance("Lundi", jour.toString("dd/MM/yyyy"), "09:00:00", "09:30:00", "P"),
                           "\tTEST de 09:01:00 à 09:10:00 " + test(justes)}));
        const QString dossier = state.dossier_etablissement + QStringLiteral("/2026-2027/") + classe;
        QDir().mkpath(dossier);
        ASSERT_TRUE(ShellLink::write(dossier + u'/' + cle + QStringLiteral(".lnk"), fichier(cle)));
    }

    QTemporaryDir dir;
    FakeSystem systeme;
    Environment env;
    SessionState state;
};

} // namespace

TEST_F(TeacherTabs, TheListIsBuiltOnceOffTheInterfaceThreadWhenTheWindowOpens)
{
    eleve(QStringLiteral("Alain_Zoé"), 64, QStringLiteral("61"));
    eleve(QStringLiteral("Bernard_Yves"), 32, QStringLiteral("61"));
    TProfesseur prof(state, env);
    SuiviTab *suivi = prof.suivi();
    QSignalSpy construite(suivi, &SuiviTab::listeConstruite);
    prof.show();
    // The activation starts the pass; a click meanwhile starts nothing.
    ASSERT_TRUE(QTest::qWaitFor([&] { return suivi->enCours() || construite.count() > 0; }, 5000));
    if (suivi->enCours()) {
        EXPECT_FALSE(suivi->Button_liste_elevesClick());
        EXPECT_TRUE(enfant<QProgressBar>(prof, "Progression_liste")->isVisible());
        EXPECT_FALSE(enfant<QPushButton>(prof, "Button3")->isEnabled());
    }
    ASSERT_TRUE(construite.count() > 0 || construite.wait(10000));
    EXPECT_EQ(construite.count(), 1);
    EXPECT_EQ(enfant<QTabWidget>(prof, "Classeur")->currentIndex(), TProfesseur::OngletSuivi);

    auto *arbre = enfant<QTreeWidget>(prof, "TreeView1");
    ASSERT_EQ(arbre->topLevelItemCount(), 1);
    QTreeWidgetItem *titre = arbre->topLevelItem(0);
    EXPECT_TRUE(titre->text(0).startsWith(QStringLiteral("Total: 2 élèves le "))) << titre->text(0).toStdString();
    EXPECT_TRUE(titre->isExpanded());
    ASSERT_EQ(titre->childCount(), 1);
    EXPECT_EQ(titre->child(0)->text(0), QStringLiteral("61: 2 élèves...........75%"));
    EXPECT_EQ(titre->child(0)->child(0)->text(0), QStringLiteral("Bernard Yves..........50"));
    EXPECT_EQ(suivi->chemins().at(2), fichier(QStringLiteral("Bernard_Yves")));
    EXPECT_EQ(enfant<QPushButton>(prof, "Button3")->text(), QStringLiteral("Rafraîchir liste"));
    for (const char *b : {"Button_dev", "Button_red", "Button_impr_list"})
        EXPECT_TRUE(enfant<QPushButton>(prof, QString::fromLatin1(b))->isVisible()) << b;
    EXPECT_EQ(TextFile::loadLines(state.dossier_stats_local + QStringLiteral("/liste_records.txt")),
              QStringList({"050030Bernard_Yves", "100060Alain_Zoé"}));

    // "Imprimer " shows the list file in the text window.
    QStringList montre;
    QTimer::singleShot(0, [&] {
        if (auto *t = qobject_cast<TTexte *>(QApplication::activeModalWidget())) {
            montre = t->texte();
            t->close();
        }
    });
    QTest::mouseClick(enfant<QPushButton>(prof, "Button_impr_list"), Qt::LeftButton);
    EXPECT_EQ(montre, TextFile::loadLines(state.dossier_stats_local + QStringLiteral("/liste_eleves.txt")));
    EXPECT_EQ(montre.size(), 4);
}

// The pupil chosen in the class tree: his detail beside the tree, his
// report (or his whole class's) saved as PDF with the test the tab chooses.
TEST_F(TeacherTabs, APupilChosenInTheTreeShowsHisDetailAndSavesHisReport)
{
    eleve(QStringLiteral("Alain_Zoé"), 64, QStringLiteral("61"));
    eleve(QStringLiteral("Bernard_Yves"), 32, QStringLiteral("61"));
    TProfesseur prof(state, env);
    QSignalSpy construite(prof.suivi(), &SuiviTab::listeConstruite);
    prof.show();
    ASSERT_TRUE(construite.count() > 0 || construite.wait(10000));
    auto *arbre = enfant<QTreeWidget>(prof, "TreeView1");
    ASSERT_EQ(arbre->topLevelItemCount(), 1);
    QTreeWidgetItem *classe = arbre->topLevelItem(0)->child(0);
    ASSERT_NE(classe, nullptr);
    classe->setExpanded(true);
    QTreeWidgetItem *bernard = classe->child(0);
    ASSERT_EQ(bernard->text(0), QStringLiteral("Bernard Yves..........50"));
    auto *detail = enfant<QTextEdit>(prof, "RichView1");
    auto *enregistrer = enfant<QPushButton>(prof, "ButtonEnregistrer");

    auto choisit = [&](QTreeWidgetItem *item) {
        arbre->scrollToItem(item);
        QTest::mouseClick(arbre->viewport(), Qt::LeftButton, {}, arbre->visualItemRect(item).center());
    };
    auto texteDuPdf = [](const QString &pdf) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        EXPECT_TRUE(p.waitForFinished(10000));
        return QString::fromUtf8(p.readAllStandardOutput());
    };

    choisit(arbre->topLevelItem(0));
    EXPECT_FALSE(enregistrer->isEnabled()) << "the title line is no pupil and no class";

    choisit(bernard);
    const QString texte = detail->toPlainText();
    EXPECT_TRUE(texte.startsWith(QStringLiteral("Yves Bernard\nClasse de 61\n"))) << texte.toStdString();
    EXPECT_TRUE(texte.contains(QStringLiteral("1 seule séance, le "))) << texte.toStdString();
    ASSERT_TRUE(enregistrer->isEnabled());
    const QString pdfEleve = dir.filePath(QStringLiteral("yves.pdf"));
    Dialogs::setNextFileName(pdfEleve);
    QTest::mouseClick(enregistrer, Qt::LeftButton);
    const QString contenu = texteDuPdf(pdfEleve);
    EXPECT_TRUE(contenu.contains(u"BERNARD Yves")) << contenu.toStdString();
    EXPECT_TRUE(contenu.contains(u"Classe de 61"));
    EXPECT_FALSE(contenu.contains(u"Zoé"));

    // A class line gives every pupil of the class.
    choisit(classe);
    EXPECT_EQ(detail->toPlainText(), state.dossier_etablissement + QStringLiteral("/2026-2027/61"));
    const QString pdfClasse = dir.filePath(QStringLiteral("classe.pdf"));
    Dialogs::setNextFileName(pdfClasse);
    QTest::mouseClick(enregistrer, Qt::LeftButton);
    const QString deux = texteDuPdf(pdfClasse);
    EXPECT_TRUE(deux.contains(u"BERNARD Yves") && deux.contains(u"ALAIN Zoé")) << deux.toStdString();

    // The test saved is the one "Test affiché" chooses: none from tomorrow on.
    QTest::mouseClick(enfant<QRadioButton>(prof, "RadioButton2"), Qt::LeftButton);
    enfant<QDateEdit>(prof, "DateTimePicker2")->setDate(QDate::currentDate().addDays(1));
    choisit(bernard);
    const QString rien = dir.filePath(QStringLiteral("rien.pdf"));
    Dialogs::setNextFileName(rien);
    QTest::mouseClick(enregistrer, Qt::LeftButton);
    EXPECT_FALSE(QFileInfo::exists(rien));
    EXPECT_EQ(Dialogs::history().last().title, QStringLiteral("Pas de test"));
}

TEST_F(TeacherTabs, MaintenanceRenamesAndRefusesATakenName)
{
    eleve(QStringLiteral("Dupon_Jean"), 10, QStringLiteral("61"));
    eleve(QStringLiteral("Martin_Léa"), 10, QStringLiteral("62"));
    TProfesseur prof(state, env);
    prof.show();
    enfant<QTabWidget>(prof, "Classeur")->setCurrentIndex(TProfesseur::OngletMaintenance);
    Dialogs::setNextFileName(fichier(QStringLiteral("Dupon_Jean")));
    QTest::mouseClick(enfant<QPushButton>(prof, "Button_ChoixFichier1"), Qt::LeftButton);
    auto *f1 = enfant<QLineEdit>(prof, "Edit_fichier1");
    EXPECT_EQ(QDir::fromNativeSeparators(f1->text()), fichier(QStringLiteral("Dupon_Jean")));
    // File 1's sessions are shown, their activities without their data.
    auto *seances = enfant<QTreeWidget>(prof, "TreeView2");
    ASSERT_EQ(seances->topLevelItemCount(), 1);
    EXPECT_TRUE(seances->topLevelItem(0)->text(0).startsWith(u"Séance du Lundi "));
    ASSERT_EQ(seances->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(seances->topLevelItem(0)->child(0)->text(0), QStringLiteral("TEST de 09:01:00 à 09:10:00"));
    EXPECT_FALSE(enfant<QPushButton>(prof, "Button_supprime_test")->isEnabled());

    auto *nom = enfant<QLineEdit>(prof, "Edit_nouveau_nom");
    nom->setText(QStringLiteral("Martin_Léa"));
    Dialogs::clearHistory();
    QTest::mouseClick(enfant<QPushButton>(prof, "Button4"), Qt::LeftButton);
    ASSERT_FALSE(Dialogs::history().isEmpty());
    EXPECT_EQ(Dialogs::history().last().kind, QStringLiteral("warning"));
    EXPECT_TRUE(QFileInfo::exists(fichier(QStringLiteral("Dupon_Jean"))));

    nom->setText(QStringLiteral("Dupont_Jean"));
    QTest::mouseClick(enfant<QPushButton>(prof, "Button4"), Qt::LeftButton);
    EXPECT_EQ(Dialogs::history().last().title, QStringLiteral("Pour information:"));
    EXPECT_TRUE(QFileInfo::exists(fichier(QStringLiteral("Dupont_Jean"))));
    EXPECT_TRUE(QFileInfo::exists(state.dossier_etablissement + QStringLiteral("/2026-2027/61/Dupont_Jean.lnk")));
    EXPECT_TRUE(f1->text().isEmpty());
    EXPECT_EQ(seances->topLevelItemCount(), 0);

    // Delete: the file goes to the recycle folder, with the message.
    f1->setText(fichier(QStringLiteral("Martin_Léa")));
    QTest::mouseClick(enfant<QPushButton>(prof, "Button2"), Qt::LeftButton);
    EXPECT_EQ(Dialogs::history().last().text, QStringLiteral("Fichier récupérable dans le dossier 'CorbeilleTabulon'"));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("CorbeilleTabulon/Martin_Léa.txt"))));

    // A namesake deleted later keeps the first copy, and the message says
    // which name the new one took.
    eleve(QStringLiteral("Martin_Léa"), 20, QStringLiteral("61"));
    f1->setText(fichier(QStringLiteral("Martin_Léa")));
    QTest::mouseClick(enfant<QPushButton>(prof, "Button2"), Qt::LeftButton);
    EXPECT_EQ(Dialogs::history().last().text,
              QStringLiteral("Fichier récupérable dans le dossier 'CorbeilleTabulon'\nsous le nom \"Martin_Léa (2).txt\"."));
    EXPECT_NE(TextFile::loadLines(dir.filePath(QStringLiteral("CorbeilleTabulon/Martin_Léa.txt"))),
              TextFile::loadLines(dir.filePath(QStringLiteral("CorbeilleTabulon/Martin_Léa (2).txt"))));
}

// Another school chosen in the follow-up tab, and its list could not be
// saved: the tree and its paths still show one list, the new one, and a
// class's reports are read from that school's folder and carry its name.
TEST_F(TeacherTabs, AnotherSchoolsListUnsavedStillGivesItsOwnPupilsReports)
{
    eleve(QStringLiteral("Alain_Zoé"), 64, QStringLiteral("61"));
    const QString jaures = state.dossier_eleves + QStringLiteral("/Ecole Jaurès");
    const QDate jour = QDate::currentDate().addDays(-3);
    for (const QString &cle : {QStringLiteral("Alain_Zoé"), QStringLiteral("Caron_Luc")}) {
        const QString f = jaures + u'/' + cle + QStringLiteral(".txt");
        ASSERT_TRUE(TextFile::saveLines(
            f, {HistoryLines::entete_seance("Lundi", jour.toString("dd/MM/yyyy"), "09:00:00", "09:30:00", "P"),
                "\tTEST de 09:01:00 à 09:10:00 " + test(32)}));
        QDir().mkpath(jaures + QStringLiteral("/2026-2027/61"));
        ASSERT_TRUE(ShellLink::write(jaures + QStringLiteral("/2026-2027/61/") + cle + QStringLiteral(".lnk"), f));
    }
    TProfesseur prof(state, env);
    QSignalSpy construite(prof.suivi(), &SuiviTab::listeConstruite);
    prof.show();
    ASSERT_TRUE(construite.count() > 0 || construite.wait(10000));

    // A folder where the list file goes: the save fails.
    const QString liste = state.dossier_stats_local + QStringLiteral("/liste_eleves.txt");
    ASSERT_TRUE(QFile::remove(liste));
    ASSERT_TRUE(QDir().mkpath(liste));
    enfant<QComboBox>(prof, "ComboBox1")->setCurrentText(QStringLiteral("Ecole Jaurès"));
    Dialogs::clearHistory();
    QTest::mouseClick(enfant<QPushButton>(prof, "Button3"), Qt::LeftButton);
    ASSERT_TRUE(construite.count() > 1 || construite.wait(10000));
    ASSERT_FALSE(Dialogs::history().isEmpty());
    EXPECT_EQ(Dialogs::history().first().title, QStringLiteral("Liste élèves"));

    auto *arbre = enfant<QTreeWidget>(prof, "TreeView1");
    ASSERT_EQ(arbre->topLevelItemCount(), 1);
    QTreeWidgetItem *classe = arbre->topLevelItem(0)->child(0);
    ASSERT_TRUE(classe);
    ASSERT_EQ(classe->childCount(), 2);
    EXPECT_TRUE(classe->child(1)->text(0).startsWith(QStringLiteral("Caron Luc."))) << classe->child(1)->text(0).toStdString();
    EXPECT_EQ(prof.suivi()->chemins().at(3), jaures + QStringLiteral("/Caron_Luc.txt"));

    arbre->setCurrentItem(classe);
    const QString pdf = dir.filePath(QStringLiteral("jaures.pdf"));
    Dialogs::setNextFileName(pdf);
    QTest::mouseClick(enfant<QPushButton>(prof, "ButtonEnregistrer"), Qt::LeftButton);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(10000));
    const QString texte = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(texte.contains(u"CARON Luc") && texte.contains(u"ALAIN Zoé")) << texte.toStdString();
    EXPECT_TRUE(texte.contains(u"Ecole Jaurès")) << texte.toStdString();
    EXPECT_FALSE(texte.contains(u"Collège")) << texte.toStdString();
}

TEST_F(TeacherTabs, SettingsTabWritesTheServerCopyTooAndRefusesAFormulaThePlanCannotUse)
{
    // A workstation that is not the server, the server reachable.
    const QString serveur = dir.filePath(QStringLiteral("serveur"));
    ASSERT_TRUE(TextFile::saveLines(serveur + QStringLiteral("/Tabulon/Tabulon.ini"), TextFile::loadLines(ini())));
    state.mode_ecole = true;
    state.serveur_accessible = true;
    state.chemin_serveur = serveur;
    TProfesseur prof(state, env);
    prof.show();
    enfant<QTabWidget>(prof, "Classeur")->setCurrentIndex(TProfesseur::OngletParametres);

    enfant<QLineEdit>(prof, "Edit_serveur")->setText(QStringLiteral("\\\\srv\\partage\\\\"));
    enfant<QLineEdit>(prof, "Edit5")->setText(QStringLiteral("abc"));
    auto *autre = enfant<QRadioButton>(prof, "RadioButton_formule4");
    auto *formule = enfant<QLineEdit>(prof, "Edit_formule");
    EXPECT_FALSE(formule->isEnabled());
    QTest::mouseClick(autre, Qt::LeftButton, {}, QPoint(5, autre->height() / 2));
    EXPECT_TRUE(formule->isEnabled());
    formule->setText(QStringLiteral("1.2.1.3"));
    enfant<QRadioButton>(prof, "RadioButton_ordclass")->setChecked(true);
    enfant<QRadioButton>(prof, "RadioButton34")->setChecked(true);
    auto *enregistrer = enfant<QPushButton>(prof, "Button_enregistrer_parametres");
    Dialogs::clearHistory();
    QTest::mouseClick(enregistrer, Qt::LeftButton);
    ASSERT_EQ(Dialogs::history().size(), 1);
    EXPECT_TRUE(Dialogs::history().first().text.startsWith(QStringLiteral("Formule récursive d'apprentissage")));
    EXPECT_EQ(IniFile(ini()).readString(QStringLiteral("Apprentissage par blocs"), QStringLiteral("Formule récursive")),
              QStringLiteral("1.1.1.3"));

    formule->setText(QStringLiteral("1.1.2"));
    QTest::mouseClick(enregistrer, Qt::LeftButton);
    EXPECT_EQ(Dialogs::history().last().title, QStringLiteral("ATTENTION!"));
    for (const QString &f : {ini(), serveur + QStringLiteral("/Tabulon/Tabulon.ini")}) {
        const IniFile i(f);
        EXPECT_EQ(i.readString(QStringLiteral("Apprentissage par blocs"), QStringLiteral("Formule récursive")),
                  QStringLiteral("1.1.2"));
        EXPECT_EQ(i.readString(QStringLiteral("Dossiers"), QStringLiteral("Chemin serveur")),
                  QStringLiteral("\\\\srv\\partage\\"));
        EXPECT_EQ(i.readString(QStringLiteral("Options d'apprentissage"), QStringLiteral("Ordre rangement items")),
                  QStringLiteral("par tables"));
        EXPECT_EQ(i.readString(QStringLiteral("Apparence"), QStringLiteral("Masquer tests incomplets")),
                  QStringLiteral("oui"));
        EXPECT_EQ(i.readString(QStringLiteral("Codes"), QStringLiteral("Code d'accès professeur")), QStringLiteral("abc"));
    }

    // Reopened, the window shows what was saved.
    prof.close();
    prof.show();
    EXPECT_TRUE(autre->isChecked());
    EXPECT_EQ(formule->text(), QStringLiteral("1.1.2"));
    EXPECT_TRUE(enfant<QRadioButton>(prof, "RadioButton_ordclass")->isChecked());
    EXPECT_TRUE(enfant<QRadioButton>(prof, "RadioButton34")->isChecked());
}

TEST_F(TeacherTabs, ObjectivesTickAColumnForEveryLevelAndSaveTheChosenRange)
{
    TProfesseur prof(state, env);
    prof.show();
    enfant<QTabWidget>(prof, "Classeur")->setCurrentIndex(TProfesseur::OngletObjectifs);
    EXPECT_EQ(enfant<QLineEdit>(prof, "Edit_obj_2")->text(), QStringLiteral("cinquième"));
    // Nothing stored: every classic table for every level.
    EXPECT_TRUE(enfant<QCheckBox>(prof, "CheckBox_obj_2_9")->isChecked());
    EXPECT_FALSE(enfant<QCheckBox>(prof, "CheckBox_obj_1_12")->isVisible());

    auto *b = enfant<QCheckBox>(prof, "CheckBox_obj_1_7");
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, b->height() / 2));
    EXPECT_FALSE(enfant<QCheckBox>(prof, "CheckBox_obj_2_7")->isChecked());
    QTest::mouseClick(enfant<QRadioButton>(prof, "RadioButton46"), Qt::LeftButton, {}, QPoint(4, 8));
    for (int t = 3; t <= 9; ++t)
        enfant<QCheckBox>(prof, QStringLiteral("CheckBox_obj_2_%1").arg(t))->setChecked(false);
    QTest::mouseClick(enfant<QPushButton>(prof, "Button_enregistrer_objectifs"), Qt::LeftButton);
    EXPECT_EQ(Dialogs::history().last().title, QStringLiteral("ATTENTION!"));
    EXPECT_EQ(IniFile(ini()).readString(QStringLiteral("Etablissement"),
                                        QStringLiteral("Objectifs tables classiques par niveaux")),
              QStringLiteral("sixième<table_2,table_3,table_4,table_5,table_6,table_8,table_9>cinquième<table_2>"));
    EXPECT_FALSE(IniFile(ini()).hasKey(QStringLiteral("Etablissement"),
                                       QStringLiteral("Objectifs tables etendues par niveaux")));

    // Reopened: the levels differ, so "non" is selected.
    prof.close();
    prof.show();
    EXPECT_TRUE(enfant<QRadioButton>(prof, "RadioButton46")->isChecked());
    EXPECT_FALSE(enfant<QCheckBox>(prof, "CheckBox_obj_1_7")->isChecked());
}

TEST_F(TeacherTabs, ReglagesWithNoExtendedTableTickedStoresTheSquares)
{
    Treglages reglages(state, env);
    reglages.show();
    enfant<QRadioButton>(reglages, "RadioButton4")->setChecked(true);
    EXPECT_FALSE(enfant<QCheckBox>(reglages, "CheckBox_2")->isEnabled());
    EXPECT_TRUE(enfant<QCheckBox>(reglages, "CheckBox_11")->isEnabled());
    enfant<QRadioButton>(reglages, "RadioGroup1_1")->setChecked(true);
    enfant<QSpinBox>(reglages, "SpinEdit_tmps_max")->setValue(12);
    QTest::mouseClick(enfant<QPushButton>(reglages, "Button_enregistrer_parametres"), Qt::LeftButton);
    EXPECT_EQ(Dialogs::history().last().title, QStringLiteral("ATTENTION!"));
    EXPECT_TRUE(enfant<QCheckBox>(reglages, "CheckBox_11")->isChecked());
    const IniFile i(ini());
    EXPECT_EQ(i.readString(QStringLiteral("Paramètres"), QStringLiteral("Objectifs tables etendues par defaut")),
              QStringLiteral("1111,1212,1313,1414,1515,1616,1717,1818,1919"));
    EXPECT_FALSE(i.hasKey(QStringLiteral("Paramètres"), QStringLiteral("Objectifs tables classiques par defaut")));
    EXPECT_EQ(i.readString(QStringLiteral("General"), QStringLiteral("Mode")), QStringLiteral("Maison"));
    EXPECT_EQ(i.readInteger(QStringLiteral("Paramètres"), QStringLiteral("temps de réponse maximum")), 12);
    EXPECT_EQ(enfant<QSpinBox>(reglages, "SpinEdit_tmps_max")->maximum(), 99);
}

TEST(TeacherMessages, LineBreaksOfEveryStoredFormShowAsBreaks)
{
    struct Cas { const char *texte; const char *montre; };
    for (const Cas &c : {Cas{"OK.\n\rLe logiciel doit être redémarré\n\rpour prendre", "OK.\nLe logiciel doit être redémarré\npour prendre"},
                         Cas{"a\rb", "a\nb"}, Cas{"a\r\nb", "a\nb"}, Cas{"a\nb", "a\nb"}, Cas{"a\n\n\rb", "a\n\nb"}})
        EXPECT_EQ(Dialogs::displayText(QString::fromUtf8(c.texte)), QString::fromUtf8(c.montre)) << c.texte;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
