#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/RandomSource.h"
#include "core/SessionState.h"
#include "platform/LockKeys.h"
#include "timedtest/Ttest.h"
#include "training/TAdd.h"
#include "training/Tapprent.h"
#include "training/Tclavier.h"
#include "training/Tperfect.h"
#include "training/Treflechies.h"
#include "widgets/AnswerField.h"
#include "widgets/Beep.h"
#include "widgets/BallPlate.h"
#include "widgets/DesignScaler.h"
#include "widgets/Dialogs.h"
#include "widgets/LevelButton.h"
#include "widgets/ScoreMeter.h"

#include "support/Accessibility.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {


// Every visible control is heard as it is shown.
void verifieAccessibilite(QWidget *fenetre)
{
    const QStringList fautes = Accessibility::fautes(fenetre);
    EXPECT_TRUE(fautes.isEmpty()) << fautes.join('\n').toStdString();
}

class GamesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::setTestMode(true);
        Dialogs::clearHistory();
        s.temps_acceptable = 5;
        s.eleve.nom = "Martin";
        s.eleve.prenom = "Léa";
        env.clock = &clock;
        env.random = &random;
    }

    // Types the text key by key, the first key `delaiMs` after the question.
    void tape(QWidget *champ, const QString &texte, qint64 delaiMs = 800)
    {
        clock.advanceMs(delaiMs);
        for (QChar c : texte) {
            QTest::keyClick(champ, c.toLatin1());
            clock.advanceMs(100);
        }
    }

    // The feedback delay is not what these tests look at: let it run out now.
    static void presse(QTimer *timer)
    {
        if (timer->isActive())
            timer->start(0);
    }

    SessionState s;
    ManualClock clock;
    SeededRandom random{20261210};
    Environment env;
};

TEST_F(GamesTest, ScoreMeterGaugeJumpsAtEachQuarterAndCheersAtHundred)
{
    ScoreMeter meter;
    struct Cas { int score; int haut; };
    const Cas cas[] = {{0, 440}, {1, 440}, {24, 362}, {25, 341}, {26, 341}, {49, 266}, {50, 245}, {99, 73}, {100, 50}};
    for (const Cas &c : cas)
        EXPECT_EQ(ScoreMeter::haut_jauge(c.score), c.haut) << c.score;
    meter.show();
    meter.affiche_score(42);
    EXPECT_EQ(meter.accessibleDescription(), "Score: 42 sur 100");
    EXPECT_FALSE(meter.timerBravo()->isActive());
    meter.affiche_score(100);
    EXPECT_TRUE(meter.timerBravo()->isActive());
    EXPECT_EQ(meter.timerBravo()->interval(), 75);
    ASSERT_TRUE(attend([&] { return meter.position_banderole() >= 6; }));
    meter.affiche_score(99);
    EXPECT_FALSE(meter.timerBravo()->isActive());
}

TEST_F(GamesTest, LevelButtonStates)
{
    QWidget parent;
    parent.resize(400, 100);
    LevelButton un("niveau1", "Étape 1", &parent);
    LevelButton deux("niveau2", "Étape 2", &parent);
    deux.move(200, 0);
    parent.show();
    QSignalSpy choix(&deux, &LevelButton::choisi);
    QEnterEvent entree(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QEvent sortie(QEvent::Leave);

    QApplication::sendEvent(&deux, &entree);
    EXPECT_EQ(deux.etat(), LevelButton::SousLaSouris);
    QApplication::sendEvent(&deux, &sortie);
    EXPECT_EQ(deux.etat(), LevelButton::Disponible);

    deux.setEtat(LevelButton::Indisponible);
    QApplication::sendEvent(&deux, &entree);
    QTest::mouseClick(&deux, Qt::LeftButton);
    EXPECT_EQ(deux.etat(), LevelButton::Indisponible);
    EXPECT_EQ(choix.count(), 0);
    EXPECT_EQ(deux.accessibleDescription(), "indisponible");
    EXPECT_EQ(Accessibility::nom(&deux), "Étape 2");

    deux.setEtat(LevelButton::Disponible);
    QTest::mouseClick(&deux, Qt::LeftButton);
    EXPECT_EQ(choix.count(), 1);
    // Being current is the game's decision, not the click's.
    EXPECT_FALSE(deux.isChecked());
    deux.setEtat(LevelButton::Courant);
    EXPECT_TRUE(deux.isChecked());
    EXPECT_EQ(deux.accessibleDescription(), "en cours");
    QApplication::sendEvent(&deux, &sortie);
    EXPECT_EQ(deux.etat(), LevelButton::Courant);
}

// The windows are built before the configuration is read: the acceptable
// time is the one there when the game opens (2 s: "Plus vite!" past 4 s).
TEST_F(GamesTest, ReasonedTablesTakeTheAcceptableTimeWhenShown)
{
    s.temps_acceptable = -1;
    Treflechies fenetre(s, env);
    s.temps_acceptable = 2;
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    EXPECT_EQ(fenetre.jeu().secondes_acceptables(), 2);
    tape(fenetre.champ(), fenetre.jeu().round().attendu(), 4500);
    EXPECT_TRUE(fenetre.findChild<QLabel *>("GradLabel2")->isVisible());
    EXPECT_EQ(fenetre.findChild<QLabel *>("GradLabel2")->text(), "Plus vite!");
}

// The first question is set while its window is still coming up: its time
// starts when it is painted. Here the window takes 20 s to come up; an answer
// typed 0.3 s after the question appears is quick (acceptable time 9 s).
TEST_F(GamesTest, TheFirstQuestionOfEveryActivityIsTimedFromItsPaint)
{
    s.temps_acceptable = 9;
    s.temps_maximum = 30;
    s.produits_etudies = Catalogue::liste_produits_tables("table_7");
    s.perfectionnement_temps_initial = 8;
    s.perfectionnement_temps_final = 4;
    Treflechies reflechies(s, env);
    TAdd add(s, env);
    Tclavier clavier(s, env);
    Tperfect perfect(s, env);
    perfect.setNiveau(3);
    Ttest test(s, env);
    struct Cas
    {
        QWidget *fenetre;
        std::function<qint64()> affichage;
    };
    const Cas cas[] = {
        {&reflechies, [&] { return reflechies.jeu().round().affichage(); }},
        {&add, [&] { return add.jeu().round().affichage(); }},
        {&clavier, [&] { return clavier.jeu().round().affichage(); }},
        {&perfect, [&] { return perfect.perfectionnement().affichage(); }},
        {&test, [&] { return test.moteur().debut_question(); }},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.fenetre->objectName().toStdString());
        const qint64 montre = clock.monotonicMs();
        bool premiere = true;
        auto lente = [&] {
            if (std::exchange(premiere, false))
                clock.advanceMs(20000);
        };
        QMetaObject::Connection lien;
        if (auto *jeu = qobject_cast<GameWindow *>(c.fenetre))
            lien = QObject::connect(jeu, &GameWindow::questionPosee, lente);
        else if (c.fenetre == &perfect)
            lien = QObject::connect(&perfect, &Tperfect::questionPosee, lente);
        else
            lien = QObject::connect(&test, &Ttest::questionPosee, lente);
        c.fenetre->show();
        ASSERT_FALSE(premiere) << "no question on show";
        ASSERT_TRUE(QTest::qWaitForWindowExposed(c.fenetre));
        ASSERT_TRUE(attend([&] { return c.affichage() != montre; }));
        EXPECT_EQ(c.affichage(), montre + 20000);
        QObject::disconnect(lien);
        if (c.fenetre == &reflechies) {
            tape(reflechies.champ(), reflechies.jeu().round().attendu(), 300);
            EXPECT_EQ(reflechies.jeu().round().temps_reponse(), 300);
            EXPECT_FALSE(reflechies.findChild<QLabel *>("GradLabel2")->isVisible());
        }
        c.fenetre->close();
    }
}

// A stray Escape ends no activity: the training, perfectionnement and the
// three games stay on screen with their work; the close box still closes.
TEST_F(GamesTest, EscapeEndsNoActivity)
{
    s.produits_a_memoriser = Catalogue::liste_produits_tables("table_7");
    s.produits_etudies = s.produits_a_memoriser;
    s.ordre_rangement_items = "valeur produit";
    s.nombre_items_par_bloc = 3;
    s.formule_recursive = "1.1.1.3";
    std::vector<std::unique_ptr<QDialog>> activites;
    activites.push_back(std::make_unique<Tapprent>(s, env));
    activites.push_back(std::make_unique<Tperfect>(s, env));
    activites.push_back(std::make_unique<Treflechies>(s, env));
    activites.push_back(std::make_unique<TAdd>(s, env));
    activites.push_back(std::make_unique<Tclavier>(s, env));
    for (const auto &a : activites) {
        SCOPED_TRACE(a->objectName().toStdString());
        QSignalSpy fini(a.get(), &QDialog::finished);
        a->show();
        a->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(a.get()));
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : a.get(), Qt::Key_Escape);
        QTest::keyClick(a.get(), Qt::Key_Escape);
        EXPECT_TRUE(a->isVisible());
        EXPECT_EQ(fini.count(), 0);
        a->close();
        EXPECT_FALSE(a->isVisible());
    }
}

TEST_F(GamesTest, ReasonedTablesStepTwoPlayedToTheEnd)
{
    Treflechies fenetre(s, env);
    fenetre.show();
    auto *question = fenetre.findChild<QLabel *>("label_quest1");
    auto *champ = fenetre.findChild<AnswerField *>("MaskEdit1");
    auto *oui = fenetre.findChild<QLabel *>("GradLabel3");
    auto *message = fenetre.findChild<QLabel *>("GradLabel2");
    auto *memo = fenetre.findChild<QPlainTextEdit *>("Memo1");
    auto *correction = fenetre.findChild<QLabel *>("GradLabel1");
    auto *ok = fenetre.findChild<QPushButton *>("Button1");
    auto *timer1 = fenetre.findChild<QTimer *>("Timer1");
    auto *niveau1 = fenetre.findChild<LevelButton *>("niveau1");
    auto *niveau2 = fenetre.findChild<LevelButton *>("niveau2");
    ASSERT_TRUE(question && champ && oui && message && memo && correction && ok && timer1 && niveau1 && niveau2);
    EXPECT_EQ(fenetre.windowTitle(), "Tables Réfléchies");
    EXPECT_EQ(niveau1->etat(), LevelButton::Courant);
    EXPECT_EQ(question->text(), "1×" + question->text().mid(2, 1) + " = ");

    // Two wrong tries: the explanation, then the correction and "OK".
    const QString attendu = fenetre.jeu().round().attendu();
    tape(champ, QString(attendu.size(), attendu.startsWith('9') ? '8' : '9'));
    EXPECT_EQ(oui->text(), "NON!");
    EXPECT_TRUE(memo->isVisible());
    EXPECT_TRUE(memo->toPlainText().contains("Table de 1:"));
    EXPECT_EQ(champ->selectedText(), champ->text());
    tape(champ, QString(attendu.size(), attendu.startsWith('9') ? '8' : '9'));
    EXPECT_TRUE(correction->isVisible());
    EXPECT_EQ(correction->text(), fenetre.jeu().correction());
    EXPECT_FALSE(champ->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);
    presse(timer1);
    ASSERT_TRUE(attend([&] { return champ->isEnabled() && champ->text().isEmpty(); }));
    EXPECT_FALSE(correction->isVisible());
    EXPECT_EQ(fenetre.jeu().motif(), 0);

    QTest::mouseClick(niveau2, Qt::LeftButton);
    EXPECT_EQ(niveau2->etat(), LevelButton::Courant);
    EXPECT_EQ(niveau1->etat(), LevelButton::Disponible);
    int reponses = 0;
    while (!message->isVisible() || message->text() != "TERMINÉ!") {
        ASSERT_LT(++reponses, 14);
        tape(champ, fenetre.jeu().round().attendu(), 900);
        EXPECT_EQ(oui->text(), "OUI");
        verifieAccessibilite(&fenetre);
        presse(timer1);
        ASSERT_TRUE(attend([&] { return !timer1->isActive() && !oui->isVisible(); }));
    }
    EXPECT_EQ(reponses, 13);
    EXPECT_FALSE(question->isVisible());
    EXPECT_FALSE(champ->isVisible());
    EXPECT_EQ(fenetre.meter()->accessibleDescription(), "Score: 100 sur 100, bravo");
}

TEST_F(GamesTest, AdditionsOpenOnStepTwoAndTheLastLevelIsPlayedToTheEnd)
{
    TAdd fenetre(s, env);
    fenetre.show();
    auto *champ = fenetre.findChild<AnswerField *>("MaskEdit1");
    auto *question = fenetre.findChild<QLabel *>("GradLabel1");
    auto *message = fenetre.findChild<QLabel *>("GradLabel2");
    auto *timer1 = fenetre.findChild<QTimer *>("Timer1");
    auto *aide = fenetre.findChild<QTimer *>("Timer_aide_add");
    auto *image1 = fenetre.findChild<BallPlate *>("Image1");
    ASSERT_TRUE(champ && question && message && timer1 && aide && image1);
    EXPECT_EQ(fenetre.findChild<LevelButton *>("Niveau1")->etat(), LevelButton::Courant);
    EXPECT_EQ(fenetre.jeu().etape(), 2);
    EXPECT_FALSE(fenetre.meter()->isVisible());
    EXPECT_EQ(image1->rouges(), fenetre.jeu().terme1());
    EXPECT_EQ(enDessin(champ).width(), fenetre.jeu().round().longueur_attendue() == 2 ? 85 : 55);

    // Counting, in turn: 5, 10, 15, 20; 15 balls take two plaquettes.
    QTest::mouseClick(fenetre.findChild<LevelButton *>("Niveau0"), Qt::LeftButton);
    for (int n : {5, 10, 15}) {
        EXPECT_EQ(question->text(), "Combien de boules rouges");
        EXPECT_EQ(fenetre.jeu().terme1(), n);
        tape(champ, QString::number(n));
        presse(timer1);
        ASSERT_TRUE(attend([&] { return !timer1->isActive(); }));
    }
    EXPECT_EQ(image1->rouges(), 10);
    EXPECT_EQ(fenetre.findChild<BallPlate *>("Image2")->rouges(), 10);
    tape(champ, "20");
    presse(timer1);
    // All four right and quick: the counting goes on with step 1.
    ASSERT_TRUE(attend([&] { return fenetre.jeu().etape() == 1; }));

    QTest::mouseClick(fenetre.findChild<LevelButton *>("niveau3"), Qt::LeftButton);
    EXPECT_TRUE(fenetre.meter()->isVisible());
    // The help comes after ten seconds without a right answer.
    const int a = fenetre.jeu().terme1();
    const int b = fenetre.jeu().terme2();
    aide->start(0);
    ASSERT_TRUE(attend([&] { return fenetre.findChild<QLabel *>("lab5")->isVisible(); }));
    EXPECT_EQ(fenetre.findChild<QLabel *>("lab1")->text(), QStringLiteral("%1+%2").arg(a).arg(b));
    EXPECT_EQ(fenetre.findChild<QLabel *>("lab2")->text(), QString::number(10 - a));
    EXPECT_EQ(fenetre.findChild<QLabel *>("lab3")->text(), QString::number(a + b - 10));
    EXPECT_EQ(fenetre.findChild<QLabel *>("lab5")->text(), "Fais d'abord un groupe de 10!");
    verifieAccessibilite(&fenetre);
    int reponses = 0;
    while (message->text() != "TERMINÉ!" || !message->isVisible()) {
        ASSERT_LT(++reponses, 30);
        tape(champ, fenetre.jeu().round().attendu(), 1000);
        presse(timer1);
        ASSERT_TRUE(attend([&] { return !timer1->isActive(); }));
    }
    EXPECT_EQ(reponses, 20);
    EXPECT_EQ(fenetre.meter()->score(), 100);
}

TEST_F(GamesTest, KeyboardRefusesAWrongDigitAndFinishesAtFullSpeed)
{
    Tclavier fenetre(s, env);
    fenetre.show();
    auto *champ = fenetre.findChild<AnswerField *>("MaskEdit1");
    auto *question = fenetre.findChild<QLabel *>("label_quest1");
    auto *recopie = fenetre.findChild<QLabel *>("GradLabel1");
    auto *message = fenetre.findChild<QLabel *>("GradLabel2");
    auto *vitesse = fenetre.findChild<QLabel *>("label_temps2");
    auto *timer1 = fenetre.findChild<QTimer *>("Timer1");
    ASSERT_TRUE(champ && question && recopie && message && vitesse && timer1);
    EXPECT_FALSE(fenetre.findChild<QPushButton *>("BitBtn_pause")->isVisible());
    EXPECT_EQ(vitesse->text(), "0");
    EXPECT_TRUE(recopie->isVisible());

    const QString cible = question->text();
    const char faux = cible[0] == '5' ? '4' : char(cible[0].toLatin1() + 1);
    const int bips = Beep::demandes();
    clock.advanceMs(300);
    QTest::keyClick(champ, faux);
    EXPECT_EQ(Beep::demandes(), bips + 1);
    EXPECT_EQ(champ->selectedText(), QString(QChar(faux)));
    EXPECT_FALSE(timer1->isActive());
    // The right digit replaces it at once.
    tape(champ, cible, 200);
    EXPECT_TRUE(timer1->isActive());
    EXPECT_EQ(fenetre.jeu().frappes().size(), 1);

    int copies = 1;
    while (message->text() != "TERMINÉ!" || !message->isVisible()) {
        presse(timer1);
        ASSERT_TRUE(attend([&] { return !timer1->isActive(); }));
        if (!champ->isVisible())
            break;
        ASSERT_LT(++copies, 40);
        tape(champ, question->text(), 200);
    }
    EXPECT_EQ(message->text(), "TERMINÉ!");
    EXPECT_EQ(fenetre.jeu().etape(), 2);
    EXPECT_EQ(fenetre.meter()->score(), 100);
    EXPECT_FALSE(recopie->isVisible());
    EXPECT_GE(vitesse->text().toInt(), 60);
    verifieAccessibilite(&fenetre);
}

// The games are answered on the numeric keypad: shown, they switch Num Lock
// and Caps Lock on, again when the pupil releases either key, and off when
// closed. Only an X display lets the states be read (the offscreen platform
// of the usual run has no keyboard); the answer keys are checked everywhere.
TEST_F(GamesTest, EveryGameKeepsTheKeypadTypingDigitsWhileShown)
{
    const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    auto verrous = [] {
        bool num = false;
        bool caps = false;
        EXPECT_TRUE(LockKeys::lit_verrouillages(&num, &caps));
        return std::pair{num, caps};
    };
    const std::pair allumes{true, true};
    const std::pair eteints{false, false};
    std::unique_ptr<QDialog> jeux[] = {std::make_unique<Treflechies>(s, env), std::make_unique<TAdd>(s, env),
                                        std::make_unique<Tclavier>(s, env)};
    for (const auto &jeu : jeux) {
        SCOPED_TRACE(jeu->objectName().toStdString());
        if (x11) {
            ASSERT_TRUE(LockKeys::fixe_verrouillages(false, false));
        }
        jeu->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(jeu.get()));
        auto *champ = jeu->findChild<AnswerField *>("MaskEdit1");
        ASSERT_NE(champ, nullptr);
        if (x11) {
            EXPECT_EQ(verrous(), allumes);
            ASSERT_TRUE(LockKeys::fixe_verrouillages(false, true));
            QTest::keyRelease(champ, Qt::Key_NumLock);
            EXPECT_EQ(verrous(), allumes);
        }
        // Delete empties an answer begun, as in the test and the training.
        if (champ->longueur() >= 2) {
            QTest::keyClick(champ, '1');
            EXPECT_EQ(champ->text(), "1");
            champ->setCursorPosition(1);
            QTest::keyClick(champ, Qt::Key_Delete);
            EXPECT_EQ(champ->text(), "");
        }
        jeu->close();
        if (x11) {
            EXPECT_EQ(verrous(), eteints);
        }
    }
}

class PerfectTest : public GamesTest
{
protected:
    void ouvre(const QString &tables, int niveau)
    {
        s.produits_etudies = Catalogue::liste_produits_tables(tables);
        s.perfectionnement_temps_initial = 8;
        s.perfectionnement_temps_final = 4;
        fenetre = std::make_unique<Tperfect>(s, env);
        fenetre->setNiveau(niveau);
        spy = std::make_unique<QSignalSpy>(fenetre.get(), &Tperfect::questionPosee);
        fenetre->show();
        fenetre->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fenetre.get()));
        ok = fenetre->findChild<QPushButton *>("Button_OK");
        erreurs = fenetre->findChild<QLabel *>("label_erreurs");
        affichage = fenetre->findChild<QTimer *>("Timer_affichage");
        ASSERT_TRUE(ok && erreurs && affichage);
    }
    QLineEdit *champ(int n) { return fenetre->findChild<QLineEdit *>(QStringLiteral("MaskEdit%1").arg(n)); }

    // Types the expected pairs in the editable fields, the rows in reverse order.
    void repondJuste()
    {
        const auto &q = fenetre->perfectionnement().question();
        const int n = int(q.paires.size());
        for (int ligne = 0; ligne < n; ++ligne) {
            const auto &p = q.paires[n - 1 - ligne];
            const QLineEdit *premier = champ(2 * ligne + 1);
            const bool inverse = premier->isReadOnly() && premier->text() == p.b;
            tape(champ(2 * ligne + 1), premier->isReadOnly() ? QString() : (inverse ? p.b : p.a), 200);
            tape(champ(2 * ligne + 2), champ(2 * ligne + 2)->isReadOnly() ? QString() : (inverse ? p.a : p.b), 200);
        }
        EXPECT_TRUE(ok->hasFocus());
        QTest::keyClick(ok, Qt::Key_Space);
    }

    std::unique_ptr<Tperfect> fenetre;
    std::unique_ptr<QSignalSpy> spy;
    QPushButton *ok = nullptr;
    QLabel *erreurs = nullptr;
    QTimer *affichage = nullptr;
};

TEST_F(PerfectTest, LevelOnePlayedToTheEndAndRecordedInTheHistory)
{
    clock.setNow(QDateTime(QDate(2026, 12, 10), QTime(9, 15, 2)));
    ouvre("table_6", 1);
    EXPECT_EQ(fenetre->windowTitle(), "Léa Martin. Perfectionnement: les tables inversées (niveau 1)");
    EXPECT_EQ(fenetre->findChild<LevelButton *>("Niveau1")->etat(), LevelButton::Courant);
    EXPECT_FALSE(fenetre->findChild<QLabel *>("label_temps2")->isVisible());
    int questions = 0;
    while (ok->isVisible()) {
        ASSERT_LT(++questions, 20);
        const auto &q = fenetre->perfectionnement().question();
        EXPECT_EQ(fenetre->findChild<QLabel *>("label_quest1")->text(), QString::number(q.valeur) + "=");
        // One factor of each pair is given and cannot be changed.
        EXPECT_NE(champ(1)->isReadOnly(), champ(2)->isReadOnly());
        repondJuste();
        if (!ok->isVisible())
            break;
        EXPECT_EQ(erreurs->text(), "OUI!");
        presse(affichage);
        ASSERT_TRUE(attend([&] { return !affichage->isActive(); }));
    }
    EXPECT_EQ(questions, 9);
    EXPECT_EQ(erreurs->text(), "BRAVO!");
    EXPECT_TRUE(fenetre->findChild<QPushButton *>("BitBtn2")->isVisible());
    verifieAccessibilite(fenetre.get());
    clock.setNow(QDateTime(QDate(2026, 12, 10), QTime(9, 20, 40)));
    QTest::mouseClick(fenetre->findChild<QPushButton *>("BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(fenetre->isVisible());
    EXPECT_EQ(s.eleve.lignes_seance, QStringList{"\tPERFECTIONNEMENT de 09:15:02 à 09:20:40: niveau 1"});
}

TEST_F(PerfectTest, WrongAnswerShowsTheCorrectionInRedAndBlue)
{
    ouvre("tables_classiques", 2);
    // The values come in ascending order at first: 4, 6, 8, 9 ...
    EXPECT_EQ(fenetre->perfectionnement().question().valeur, 4);
    EXPECT_EQ(champ(1)->maxLength(), 1);
    // A factor 1 is refused on the spot.
    tape(champ(1), "1");
    EXPECT_EQ(champ(1)->text(), "");
    EXPECT_EQ(erreurs->text(), "1 interdit !");
    tape(champ(1), "2");
    EXPECT_TRUE(champ(2)->hasFocus());
    tape(champ(2), "3");
    QTest::keyClick(ok, Qt::Key_Space);
    EXPECT_EQ(erreurs->text(), "1 erreur !");
    auto *rep3 = fenetre->findChild<QLabel *>("label_rep3");
    auto *rep2 = fenetre->findChild<QLabel *>("label_rep2");
    ASSERT_TRUE(rep2 && rep3);
    EXPECT_EQ(rep2->text(), "2");
    EXPECT_EQ(rep2->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(fenetre->findChild<QLabel *>("label_rep4")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(champ(2)->palette().color(QPalette::Text), QColor(255, 0, 0));
    verifieAccessibilite(fenetre.get());
    const qsizetype avant = spy->count();
    QTest::keyClick(ok, Qt::Key_Space);
    EXPECT_EQ(spy->count(), avant + 1);
    EXPECT_EQ(fenetre->perfectionnement().question().valeur, 6);
    EXPECT_FALSE(rep2->isVisible());
    // An incomplete answer is refused.
    QTest::keyClick(ok, Qt::Key_Space);
    ASSERT_FALSE(Dialogs::history().isEmpty());
    EXPECT_EQ(Dialogs::history().last().text, "Réponse incomplète!");
    // Two questions asked at level 2: leaving it for level 3 records it.
    EXPECT_TRUE(s.eleve.lignes_seance.isEmpty());
    QTest::mouseClick(fenetre->findChild<LevelButton *>("Niveau3"), Qt::LeftButton);
    ASSERT_EQ(s.eleve.lignes_seance.size(), 1);
    EXPECT_TRUE(s.eleve.lignes_seance[0].endsWith(": niveau 2"));
}

// "1 interdit !" is wiped after 400 ms; a message shown after it stays as long
// as the correction it goes with.
TEST_F(PerfectTest, AMessageShownAfterAShortOneStays)
{
    ouvre("tables_classiques", 2);
    auto *simple = fenetre->findChild<QTimer *>("Timer_affichage_simple");
    ASSERT_TRUE(simple);
    tape(champ(1), "1");
    EXPECT_EQ(erreurs->text(), "1 interdit !");
    EXPECT_TRUE(simple->isActive());
    tape(champ(1), "2", 50);
    tape(champ(2), "3", 50);
    QTest::keyClick(ok, Qt::Key_Space);
    EXPECT_EQ(erreurs->text(), "1 erreur !");
    EXPECT_FALSE(simple->isActive());
    QTest::qWait(500);
    EXPECT_EQ(erreurs->text(), "1 erreur !");
    EXPECT_TRUE(fenetre->findChild<QLabel *>("label_rep2")->isVisible());
}

// Level 3: OK on an empty field gives no fresh allowance; the clock goes on
// with what was left.
TEST_F(PerfectTest, AnIncompleteAnswerAtLevelThreeKeepsTheClockRunning)
{
    ouvre("table_carres", 3);
    auto *chrono = fenetre->findChild<QTimer *>("Timer_chrono");
    ASSERT_TRUE(chrono && chrono->isActive());
    const int periode = fenetre->perfectionnement().question().periodeMs;
    clock.advanceMs(5000);
    QTest::keyClick(ok, Qt::Key_Space);
    ASSERT_FALSE(Dialogs::history().isEmpty());
    EXPECT_EQ(Dialogs::history().last().text, "Réponse incomplète!");
    EXPECT_TRUE(chrono->isActive());
    EXPECT_EQ(chrono->interval(), periode - 5000);
    clock.advanceMs(periode);
    QTest::keyClick(ok, Qt::Key_Space);
    EXPECT_EQ(chrono->interval(), 0) << "the time is out: \"Trop long!\" at once";
    ASSERT_TRUE(attend([&] { return erreurs->text() == "Trop long!"; }));
}

TEST_F(PerfectTest, LevelThreeClockAndSquaresWithoutLevelOne)
{
    ouvre("table_carres", 1);
    EXPECT_EQ(fenetre->niveau(), 2);
    EXPECT_EQ(fenetre->findChild<LevelButton *>("Niveau1")->etat(), LevelButton::Indisponible);
    EXPECT_EQ(fenetre->findChild<LevelButton *>("Niveau2")->etat(), LevelButton::Courant);
    QTest::mouseClick(fenetre->findChild<LevelButton *>("Niveau3"), Qt::LeftButton);
    EXPECT_EQ(fenetre->windowTitle(), "Léa Martin. Perfectionnement: les tables inversées (niveau 3)");
    auto *chrono = fenetre->findChild<QTimer *>("Timer_chrono");
    ASSERT_TRUE(chrono);
    EXPECT_TRUE(chrono->isActive());
    EXPECT_EQ(chrono->interval(), 25 * 1 * 8 * 100);
    EXPECT_EQ(fenetre->findChild<QLabel *>("label_temps2")->text(), "20 s");
    chrono->start(0);
    ASSERT_TRUE(attend([&] { return erreurs->text() == "Trop long!"; }));
    presse(affichage);
    ASSERT_TRUE(attend([&] { return !affichage->isActive() && erreurs->text().isEmpty(); }));
    int questions = 0;
    while (ok->isVisible()) {
        ASSERT_LT(++questions, 20);
        repondJuste();
        presse(affichage);
        ASSERT_TRUE(attend([&] { return !affichage->isActive(); }));
    }
    EXPECT_EQ(erreurs->text(), "Félicitations!!!");
    EXPECT_FALSE(fenetre->findChild<QPushButton *>("BitBtn2")->isVisible());
    EXPECT_FALSE(fenetre->findChild<QLabel *>("label_temps1")->isVisible());
    // Level 2 was left after one question: only level 3 reaches the history.
    fenetre->close();
    ASSERT_EQ(s.eleve.lignes_seance.size(), 1);
    EXPECT_TRUE(s.eleve.lignes_seance[0].endsWith(": niveau 3"));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
