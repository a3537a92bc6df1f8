#include "app/Tident.h"
#include "core/Paths.h"
#include "core/PupilFolders.h"
#include "core/PupilKey.h"
#include "core/SessionState.h"
#include "core/ShellLink.h"
#include "core/TextFile.h"
#include "widgets/DesignScaler.h"
#include "widgets/Dialogs.h"
#include "support/Accessibility.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

class TidentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::setTestMode(true);
        Dialogs::clearHistory();
        env.programFolder = Paths::withTrailingSlash(tmp.filePath(u"prog"_qs));
        state.mode_ecole = true;
        state.dossier_eleves = tmp.filePath(u"Eleves"_qs);
        state.nom_etablissement = u"Ecole"_qs;
        state.dossier_etablissement = state.dossier_eleves + u"/Ecole"_qs;
        state.annee_scolaire = u"2007-2008"_qs;
        state.dossier_annee = state.dossier_etablissement + u"/2007-2008"_qs;
        state.niveaux = {{u"sixième"_qs, {u"61"_qs, u"62"_qs}}, {u"cinquième"_qs, {u"51"_qs}}};
        ecole = state.dossier_etablissement;
    }

    void TearDown() override { Dialogs::setTestMode(false); }

    void eleve(const QString &cle, const QString &classe, const QString &annee = u"2007-2008"_qs)
    {
        ASSERT_TRUE(TextFile::saveLines(PupilFolders::historyFile(ecole, cle),
                                        {u"Séance du Mardi 14/11/2006 de 10:00:00 à 10:10:00 sur le poste \"PC1\""_qs}));
        ASSERT_TRUE(ShellLink::write(PupilFolders::linkFile(Paths::join(ecole, annee, classe), cle),
                                     PupilFolders::historyFile(ecole, cle)));
    }

    template<typename T>
    T *w(Tident &f, const char *nom)
    {
        T *widget = f.findChild<T *>(QString::fromLatin1(nom));
        EXPECT_NE(widget, nullptr) << nom;
        return widget;
    }

    QStringList items(QListWidget *l)
    {
        QStringList t;
        for (int i = 0; i < l->count(); ++i)
            t.append(l->item(i)->text());
        return t;
    }

    void clique(QListWidget *l, const QString &texte)
    {
        const auto trouves = l->findItems(texte, Qt::MatchExactly);
        ASSERT_EQ(trouves.size(), 1) << texte.toStdString();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(trouves.first()).center());
    }

    // Shows the window as the main window would, without blocking.
    void ouvre(Tident &f)
    {
        f.show();
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    }

    QTemporaryDir tmp;
    Environment env;
    SessionState state;
    QString ecole;
};

} // namespace

TEST_F(TidentTest, ClassClickThenNameClick)
{
    eleve(u"Martin_Léa"_qs, u"61"_qs);
    eleve(u"Dupont Martin_Zoé"_qs, u"61"_qs);
    Tident f(state, env);
    ouvre(f);
    EXPECT_EQ(f.windowTitle(), u"Identification"_qs);
    EXPECT_EQ(w<QLabel>(f, "label_classe")->text(), u"Clique sur ta classe:"_qs);
    auto *l1 = w<QListWidget>(f, "ListBox1");
    auto *l2 = w<QListWidget>(f, "ListBox2");
    auto *autre = w<QListWidget>(f, "ListBox_autre");
    EXPECT_EQ(items(l1), (QStringList{u"61"_qs, u"62"_qs}));
    EXPECT_EQ(items(l2), QStringList{u"51"_qs});
    EXPECT_EQ(items(autre), QStringList{u"aucune"_qs});
    const auto *l3 = f.findChild<QListWidget *>(u"ListBox3"_qs);
    EXPECT_TRUE(!l3 || !l3->isVisible());
    // 11 x longest + 14 wide, 18 x rows + 4 high, 10 apart, "aucune" 30 apart.
    // In design pixels: the window shows them at its scale.
    EXPECT_EQ(enDessin(l1), QRect(0, 0, 36, 40));
    EXPECT_EQ(enDessin(l2), QRect(46, 0, 36, 22));
    EXPECT_EQ(enDessin(autre).left(), enDessin(l2).right() + 1 + 30);
    EXPECT_FALSE(w<QLabel>(f, "PanelClasse")->isVisible());

    clique(l1, u"61"_qs);
    EXPECT_EQ(w<QLabel>(f, "label_classe")->text(), u"Clique sur ton nom:"_qs);
    EXPECT_EQ(w<QLabel>(f, "PanelClasse")->text(), u" Classe: 61 "_qs);
    EXPECT_TRUE(w<QPushButton>(f, "ButtonChangerClasse")->isVisible());
    EXPECT_EQ(w<QPushButton>(f, "ButtonChangerClasse")->text(), u"Changer  classe"_qs);
    EXPECT_EQ(w<QLabel>(f, "label_inscription")->text(), u"Pas dans la liste? Clique ici:"_qs);
    EXPECT_TRUE(w<QPushButton>(f, "button_inscription")->isVisible());
    EXPECT_FALSE(autre->isVisible());
    EXPECT_EQ(items(l1), (QStringList{u"Dupont Martin Zoé"_qs, u"Martin Léa"_qs}));
    EXPECT_EQ(enDessin(l1).width(), 12 * 17 + 10);

    // The class folder goes away before the name is clicked: the history
    // file lies in the school folder, so the pupil is still found.
    ASSERT_TRUE(QDir(state.dossier_annee + u"/61"_qs).removeRecursively());
    clique(l1, u"Dupont Martin Zoé"_qs);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(state.eleve.cle_eleve, u"Dupont Martin_Zoé"_qs);
    EXPECT_EQ(state.eleve.fichier_eleve, ecole + u"/Dupont Martin_Zoé.txt"_qs);
    EXPECT_EQ(state.eleve.classe, u"61"_qs);
    EXPECT_EQ(state.eleve.niveau, u"sixième"_qs);
}

TEST_F(TidentTest, KeyboardOnlyAndSingleName)
{
    eleve(u"Martin_Léa"_qs, u"62"_qs);
    Tident f(state, env);
    ouvre(f);
    auto *l1 = w<QListWidget>(f, "ListBox1");
    ASSERT_TRUE(l1->hasFocus());
    QTest::keyClick(l1, Qt::Key_Down);
    QTest::keyClick(l1, Qt::Key_Down);
    QTest::keyClick(l1, Qt::Key_Return);
    EXPECT_EQ(w<QLabel>(f, "PanelClasse")->text(), u" Classe: 62 "_qs);
    EXPECT_FALSE(w<QLabel>(f, "label_classe")->isVisible());
    EXPECT_EQ(w<QLabel>(f, "label_inscription")->text(), u"Est-ce ton nom?"_qs);
    auto *oui = w<QPushButton>(f, "Button_oui");
    EXPECT_TRUE(oui->isVisible());
    EXPECT_TRUE(w<QPushButton>(f, "Button_non")->isVisible());
    EXPECT_FALSE(w<QPushButton>(f, "button_inscription")->isVisible());
    // Heard as shown, after the texts changed.
    EXPECT_EQ(Accessibility::nom(w<QLabel>(f, "label_inscription")), u"Est-ce ton nom?"_qs);
    EXPECT_EQ(Accessibility::nom(w<QLabel>(f, "PanelClasse")), u" Classe: 62 "_qs);
    EXPECT_TRUE(Accessibility::fautes(&f).isEmpty()) << Accessibility::fautes(&f).join(u'\n').toStdString();
    ASSERT_TRUE(oui->hasFocus());
    QTest::keyClick(oui, Qt::Key_Space);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(state.eleve.cle_eleve, u"Martin_Léa"_qs);
}

TEST_F(TidentTest, RegistrationTyping)
{
    Tident f(state, env);
    ouvre(f);
    clique(w<QListWidget>(f, "ListBox1"), u"62"_qs);   // empty class: straight to registration
    auto *nom = w<QLineEdit>(f, "Edit_nom");
    auto *prenom = w<QLineEdit>(f, "Edit_prenom");
    auto *ok = w<QPushButton>(f, "Button_id");
    ASSERT_TRUE(nom->isVisible());
    ASSERT_TRUE(nom->hasFocus());
    EXPECT_EQ(w<QLabel>(f, "Label_nom")->text(), u"Nom de famille:"_qs);
    EXPECT_EQ(w<QLabel>(f, "label_prenom")->text(), u"Prénom:"_qs);
    EXPECT_FALSE(ok->isEnabled());

    QTest::keyClicks(nom, u"  o'neil2"_qs);
    EXPECT_EQ(nom->text(), u"Oneil"_qs);
    nom->clear();
    nom->insert(u"12_dup😀ont"_qs);                       // pasted
    EXPECT_EQ(nom->text(), u"Dupont"_qs);
    EXPECT_EQ(nom->cursorPosition(), 6);
    QTest::keyClick(nom, Qt::Key_Return);
    ASSERT_TRUE(prenom->hasFocus());
    QTest::keyClicks(prenom, u"j"_qs);
    EXPECT_FALSE(ok->isEnabled()) << "one letter is not a first name";
    QTest::keyClick(prenom, Qt::Key_Return);
    EXPECT_TRUE(f.isVisible());
    QTest::keyClicks(prenom, u"ean--pierre"_qs);
    EXPECT_EQ(prenom->text(), u"Jean-Pierre"_qs);
    EXPECT_TRUE(ok->isEnabled());
    QTest::keyClick(prenom, Qt::Key_Up);
    EXPECT_TRUE(nom->hasFocus());
    QTest::keyClick(nom, Qt::Key_Tab);
    EXPECT_TRUE(prenom->hasFocus());
    QTest::keyClick(prenom, Qt::Key_Return);

    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(state.eleve.cle_eleve, u"Dupont_Jean-Pierre"_qs);
    EXPECT_EQ(state.eleve.nom, u"Dupont"_qs);
    EXPECT_EQ(state.eleve.prenom, u"Jean-Pierre"_qs);
    EXPECT_EQ(state.eleve.fichier_eleve, ecole + u"/Dupont_Jean-Pierre.txt"_qs);
    EXPECT_TRUE(Dialogs::history().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(state.eleve.fichier_eleve)) << "the identification writes nothing";
}

TEST_F(TidentTest, TheRegistrationFormLeadsBackToTheListByButtonOrEscape)
{
    eleve(u"Martin_Léa"_qs, u"61"_qs);
    eleve(u"Durand_Paul"_qs, u"61"_qs);
    Tident f(state, env);
    ouvre(f);
    clique(w<QListWidget>(f, "ListBox1"), u"61"_qs);
    auto *retour = w<QPushButton>(f, "Button_retour");
    auto *nom = w<QLineEdit>(f, "Edit_nom");
    for (const bool parEchap : {false, true}) {
        SCOPED_TRACE(parEchap ? "Echap" : "bouton");
        QTest::mouseClick(w<QPushButton>(f, "button_inscription"), Qt::LeftButton);
        ASSERT_TRUE(nom->isVisible());
        EXPECT_TRUE(retour->isVisible());
        EXPECT_EQ(retour->text(), u"Retour à la liste"_qs);
        QTest::keyClicks(nom, u"Erreur"_qs);
        if (parEchap)
            QTest::keyClick(nom, Qt::Key_Escape);
        else
            QTest::mouseClick(retour, Qt::LeftButton);
        EXPECT_TRUE(f.isVisible());
        EXPECT_FALSE(nom->isVisible());
        EXPECT_FALSE(retour->isVisible());
        EXPECT_EQ(w<QLabel>(f, "label_classe")->text(), u"Clique sur ton nom:"_qs);
        EXPECT_EQ(items(w<QListWidget>(f, "ListBox1")), (QStringList{u"Durand Paul"_qs, u"Martin Léa"_qs}));
    }
    // An empty class has no list to go back to: the form is the only way on.
    QTest::mouseClick(w<QPushButton>(f, "ButtonChangerClasse"), Qt::LeftButton);
    clique(w<QListWidget>(f, "ListBox1"), u"62"_qs);
    ASSERT_TRUE(nom->isVisible());
    EXPECT_FALSE(retour->isVisible());
    QTest::keyClick(nom, Qt::Key_Escape);
    EXPECT_TRUE(nom->isVisible());
    EXPECT_TRUE(f.isVisible());
}

TEST_F(TidentTest, FormerPupilYes)
{
    eleve(u"Dupont_Jean"_qs, u"61"_qs, u"2006-2007"_qs);
    Tident f(state, env);
    ouvre(f);
    clique(w<QListWidget>(f, "ListBox1"), u"62"_qs);
    QTest::keyClicks(w<QLineEdit>(f, "Edit_nom"), u"dupon"_qs);
    QTest::keyClicks(w<QLineEdit>(f, "Edit_prenom"), u"jean"_qs);
    Dialogs::setNextAnswer(true);
    QTest::mouseClick(w<QPushButton>(f, "Button_id"), Qt::LeftButton);
    ASSERT_EQ(Dialogs::history().size(), 1);
    EXPECT_EQ(Dialogs::history()[0].kind, u"question"_qs);
    EXPECT_EQ(Dialogs::history()[0].title, u"Ancien élève?"_qs);
    EXPECT_EQ(Dialogs::history()[0].text, u"Etais-tu en 61 l'année dernière?"_qs);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(state.eleve.cle_eleve, u"Dupont_Jean"_qs);
    EXPECT_EQ(state.eleve.fichier_eleve, ecole + u"/Dupont_Jean.txt"_qs);
    EXPECT_EQ(state.eleve.classe, u"62"_qs);
}

TEST_F(TidentTest, CodeEntryWrongThenRight)
{
    state.identification_par_code = true;
    eleve(u"Martin_Léa"_qs, u"61"_qs);
    eleve(u"Dupont_Jean"_qs, u"61"_qs);
    Tident f(state, env);
    ouvre(f);
    clique(w<QListWidget>(f, "ListBox1"), u"61"_qs);
    auto *code = w<QLineEdit>(f, "Edit_code");
    ASSERT_TRUE(code->isVisible());
    ASSERT_TRUE(code->hasFocus());
    EXPECT_FALSE(w<QListWidget>(f, "ListBox1")->isVisible());
    EXPECT_EQ(w<QLabel>(f, "label_tape_code")->text(), u"Tape ton code:"_qs);
    EXPECT_EQ(w<QLabel>(f, "label_inscription")->text(), u"Si tu ne sais pas ton code, clique ici:"_qs);

    QTest::keyClicks(code, u"Z9Z9Z"_qs);
    EXPECT_EQ(code->text(), u"zz9z"_qs);
    auto *inconnu = w<QLabel>(f, "label_code_inconnu");
    auto *retour = w<QPushButton>(f, "Button_code_inconnu");
    EXPECT_TRUE(inconnu->isVisible());
    EXPECT_EQ(inconnu->text(), u"code inconnu"_qs);
    EXPECT_FALSE(code->isEnabled());
    EXPECT_FALSE(w<QPushButton>(f, "button_inscription")->isVisible());
    ASSERT_TRUE(retour->hasFocus());
    QTest::keyClick(retour, Qt::Key_Space);

    ASSERT_TRUE(code->isEnabled());
    EXPECT_TRUE(code->text().isEmpty());
    EXPECT_TRUE(code->hasFocus());
    EXPECT_FALSE(inconnu->isVisible());
    QTest::keyClicks(code, PupilKey::pupilCode(u"Martin_Léa"_qs).toUpper());
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(state.eleve.cle_eleve, u"Martin_Léa"_qs);
    EXPECT_EQ(state.eleve.fichier_eleve, ecole + u"/Martin_Léa.txt"_qs);
}

TEST_F(TidentTest, RegistrationShowsTheCode)
{
    state.identification_par_code = true;
    eleve(u"Dupont_Jean"_qs, u"61"_qs);
    Tident f(state, env);
    ouvre(f);
    clique(w<QListWidget>(f, "ListBox1"), u"61"_qs);
    QTest::mouseClick(w<QPushButton>(f, "button_inscription"), Qt::LeftButton);
    QTest::keyClicks(w<QLineEdit>(f, "Edit_nom"), u"dupont"_qs);
    QTest::keyClicks(w<QLineEdit>(f, "Edit_prenom"), u"jane"_qs);
    Dialogs::setNextAnswer(false);      // not the former Dupont Jean
    QTest::keyClick(w<QLineEdit>(f, "Edit_prenom"), Qt::Key_Return);
    ASSERT_TRUE(f.isVisible());
    auto *panel = w<QLabel>(f, "Panel_code");
    ASSERT_TRUE(panel->isVisible());
    // Jean already has Jane's plain code: she is given the next one.
    EXPECT_EQ(panel->text(), PupilKey::pupilCode(u"Dupont_Jane "_qs));
    EXPECT_EQ(w<QLabel>(f, "label_code")->text(), u"Ton code est:"_qs);
    EXPECT_EQ(w<QLabel>(f, "label_cahier")->text(), u"Note-le sur ton cahier"_qs);
    EXPECT_FALSE(w<QPushButton>(f, "Button_id")->isVisible());
    EXPECT_EQ(Accessibility::nom(panel), panel->text());
    EXPECT_TRUE(Accessibility::fautes(&f).isEmpty()) << Accessibility::fautes(&f).join(u'\n').toStdString();
    auto *ok = w<QPushButton>(f, "Button_code");
    ASSERT_TRUE(ok->hasFocus());
    QTest::keyClick(ok, Qt::Key_Space);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(state.eleve.code_eleve, panel->text());
}

TEST_F(TidentTest, LargeSchoolsLoseNobody)
{
    state.niveaux.clear();
    for (int n = 1; n <= 10; ++n)
        state.niveaux.append({QStringLiteral("niveau%1").arg(n), {QStringLiteral("C%1").arg(n)}});
    // 130 pupils in class C10: nine columns, the last with 10 names.
    for (int i = 0; i < 130; ++i)
        eleve(QStringLiteral("Eleve_N%1").arg(QChar(u'a' + i / 26)) + QChar(u'a' + i % 26), u"C10"_qs);
    Tident f(state, env);
    ouvre(f);
    auto *l10 = f.findChild<QListWidget *>(u"ListBox10"_qs);
    ASSERT_NE(l10, nullptr);
    EXPECT_TRUE(l10->isVisible());
    EXPECT_EQ(items(l10), QStringList{u"C10"_qs});
    l10->setFocus();
    QTest::keyClick(l10, Qt::Key_Down);
    QTest::keyClick(l10, Qt::Key_Return);

    int total = 0;
    for (int n = 1; n <= 9; ++n) {
        auto *l = f.findChild<QListWidget *>(QStringLiteral("ListBox%1").arg(n));
        ASSERT_NE(l, nullptr) << n;
        EXPECT_EQ(l->count(), n < 9 ? 15 : 10) << n;
        total += l->count();
    }
    EXPECT_EQ(total, 130);
    EXPECT_FALSE(l10->isVisible());
    auto *l9 = f.findChild<QListWidget *>(u"ListBox9"_qs);
    l9->setFocus();
    l9->setCurrentRow(9);
    QTest::keyClick(l9, Qt::Key_Return);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(state.eleve.cle_eleve, u"Eleve_Nez"_qs);
}

TEST_F(TidentTest, ChangeClassAndHomeMode)
{
    eleve(u"Martin_Léa"_qs, u"61"_qs);
    {
        Tident f(state, env);
        ouvre(f);
        clique(w<QListWidget>(f, "ListBox1"), u"61"_qs);
        QTest::mouseClick(w<QPushButton>(f, "ButtonChangerClasse"), Qt::LeftButton);
        EXPECT_EQ(w<QLabel>(f, "label_classe")->text(), u"Clique sur ta classe:"_qs);
        EXPECT_TRUE(state.eleve.classe.isEmpty());
        clique(w<QListWidget>(f, "ListBox_autre"), u"aucune"_qs);
        EXPECT_EQ(w<QLabel>(f, "PanelClasse")->text(), u" Classe: aucune "_qs);
        EXPECT_TRUE(w<QLineEdit>(f, "Edit_nom")->isVisible()) << "nobody without a class yet";
    }
    state.mode_ecole = false;
    ASSERT_TRUE(TextFile::saveLines(state.dossier_eleves + u"/Petit_Paul.txt"_qs, {}));
    ASSERT_TRUE(TextFile::saveLines(state.dossier_eleves + u"/Petit_Lou.txt"_qs, {}));
    Tident f(state, env);
    ouvre(f);
    EXPECT_FALSE(w<QLabel>(f, "PanelClasse")->isVisible());
    EXPECT_FALSE(w<QPushButton>(f, "ButtonChangerClasse")->isVisible());
    auto *l1 = w<QListWidget>(f, "ListBox1");
    EXPECT_EQ(items(l1), (QStringList{u"Petit Lou"_qs, u"Petit Paul"_qs}));
    clique(l1, u"Petit Paul"_qs);
    EXPECT_EQ(state.eleve.fichier_eleve, state.dossier_eleves + u"/Petit_Paul.txt"_qs);
    EXPECT_TRUE(state.eleve.classe.isEmpty());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
