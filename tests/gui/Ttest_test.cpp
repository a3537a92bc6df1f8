#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/RandomSource.h"
#include "core/RecordsList.h"
#include "core/SessionState.h"
#include "core/TextFile.h"
#include "widgets/KeyPressTime.h"
#include "timedtest/Ttest.h"
#include "widgets/DesignScaler.h"
#include "widgets/Dialogs.h"
#include "widgets/LedDisplay.h"
#include "widgets/TMonHint.h"
#include "support/Capture.h"
#include "support/Wait.h"
#include "widgets/Tboite_message.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kClassiques = "table_2,table_3,table_4,table_5,table_6,table_7,table_8,table_9";

// Waits for the condition while the event loop runs; false after the timeout.
class TtestTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::setTestMode(true);
        Dialogs::clearHistory();
        ASSERT_TRUE(m_dir.isValid());
        s.temps_acceptable = 6;
        s.temps_maximum = 15;
        s.chrono_test_visible = true;
        s.bouton_pause_visible = true;
        s.objectifs = kClassiques;
        s.produits_etudies = Catalogue::liste_produits_tables(kClassiques);
        s.dossier_stats_local = m_dir.path();
        s.eleve.nom = "Martin";
        s.eleve.prenom = "Léa";
        env.clock = &clock;
        env.random = &random;
    }

    void ouvre()
    {
        fenetre = std::make_unique<Ttest>(s, env);
        fenetre->show();
        quest = fenetre->findChild<QLabel *>("Label_quest");
        champ = fenetre->findChild<QLineEdit *>("MaskEdit1");
        boite = fenetre->findChild<Tboite_message *>("Tboite_message");
        ASSERT_TRUE(quest && champ && boite);
        // The short display before the correction is not what these tests look at.
        fenetre->findChild<QTimer *>("affiche")->setInterval(1);
        spyReponses = std::make_unique<QSignalSpy>(fenetre.get(), &Ttest::reponseEnregistree);
    }

    // The code of the question on screen, read as the pupil reads it.
    QString codeAffiche() const
    {
        const QString texte = quest->text().trimmed();
        const int signe = int(texte.indexOf(QChar(0xD7)));
        const int a = texte.left(signe).toInt();
        const int b = texte.mid(signe + 1).chopped(1).toInt();
        return Catalogue::complete_zeros(a, 2) + Catalogue::complete_zeros(b, 2);
    }

    // Types the answer key by key, the first key delaiMs after the question,
    // and waits for its correction.
    void tape(const QString &reponse, qint64 delaiMs)
    {
        const qsizetype avant = spyReponses->count();
        clock.advanceMs(delaiMs);
        for (QChar c : reponse) {
            QTest::keyClick(champ, c.toLatin1());
            clock.advanceMs(150);
        }
        ASSERT_TRUE(attend([&] { return spyReponses->count() > avant; }));
    }

    QTemporaryDir m_dir;
    SessionState s;
    ManualClock clock;
    SeededRandom random{20261210};
    Environment env;
    std::unique_ptr<Ttest> fenetre;
    QLabel *quest = nullptr;
    QLineEdit *champ = nullptr;
    Tboite_message *boite = nullptr;
    std::unique_ptr<QSignalSpy> spyReponses;
};

QString dixiemes(qint64 ms)
{
    return Catalogue::complete_zeros(ms / 100, 3);
}

} // namespace

TEST_F(TtestTest, TimersHaveTheirPeriods)
{
    s.temps_maximum = 12;
    fenetre = std::make_unique<Ttest>(s, env);
    fenetre->show();
    const struct
    {
        const char *nom;
        int periode;
    } cas[] = {{"compteur_timer", 980}, {"chrono", 12000},          {"affiche", 300},
               {"TimerJePasse", 900},   {"Timer_label_temps", 500}, {"inhibe_impression", 3000}};
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        auto *t = fenetre->findChild<QTimer *>(c.nom);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->interval(), c.periode);
    }
    EXPECT_TRUE(fenetre->findChild<QTimer *>("chrono")->isActive());
    EXPECT_TRUE(fenetre->findChild<QTimer *>("compteur_timer")->isActive());
    EXPECT_EQ(fenetre->windowTitle(), "Léa Martin: test complet");
    EXPECT_EQ(fenetre->findChild<QPushButton *>("BitBtn1")->text(), "   Retour menu ");
}

TEST_F(TtestTest, CompleteTestTypedThroughTheWindow)
{
    ouvre();
    ASSERT_EQ(fenetre->moteur().nombre_produits(), 64);

    // The tiles: 8 columns of 8, in list order, blue with yellow captions.
    QLabel *premiere = fenetre->panl(1);
    ASSERT_NE(premiere, nullptr);
    EXPECT_EQ(premiere->objectName(), "panel4");
    EXPECT_EQ(enDessin(premiere), QRect(264, 272, 40, 16));
    EXPECT_EQ(enDessin(fenetre->panl(9)), QRect(306, 272, 40, 16));
    EXPECT_EQ(enDessin(fenetre->panl(64)), QRect(264 + 42 * 7, 272 + 18 * 7, 40, 16));
    EXPECT_EQ(fenetre->panl(64)->text(), "9×9=");
    EXPECT_EQ(premiere->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(premiere->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(fenetre->panl(65), nullptr);

    QString attendu;
    QString faux;
    QString passe;
    for (int rang = 1; rang <= 64; ++rang) {
        SCOPED_TRACE(rang);
        const QString code = codeAffiche();
        ASSERT_EQ(code, fenetre->moteur().code_courant());
        const QString juste = Catalogue::resultat_produit(code);
        ASSERT_EQ(champ->maxLength(), juste.size());
        ASSERT_EQ(enDessin(champ).width(), 30 + 30 * juste.size());
        const qint64 delai = 1000 + 100 * (rang % 20) + 30;
        if (rang == 10) {
            faux = code;
            const QString erreur = juste.size() == 1 ? "1" : QString(juste.size(), '1');
            ASSERT_NE(erreur, juste);
            tape(erreur, delai);
            attendu += "P" + code + dixiemes(delai) + Catalogue::complete_zeros(erreur.toInt(), 4);
        } else if (rang == 20) {
            passe = code;
            auto *bouton = fenetre->findChild<QPushButton *>("Button_je_passe");
            ASSERT_TRUE(attend([&] { return bouton->isEnabled(); }));
            clock.advanceMs(2000);
            QTest::mouseClick(bouton, Qt::LeftButton);
            attendu += "P" + code + "020" + "0000";
        } else {
            tape(juste, delai);
            attendu += "P" + code + dixiemes(delai) + Catalogue::complete_zeros(juste.toInt(), 4);
        }
        if (rang == 1) {
            // The first answer is on its tile, grey with white text.
            const int position = int(s.produits_etudies.indexOf(code)) + 1;
            EXPECT_EQ(fenetre->panl(position)->text(), Catalogue::ecrit_produit(code) + "=" + juste);
            EXPECT_EQ(fenetre->panl(position)->palette().color(QPalette::Window), QColor(192, 192, 192));
            EXPECT_EQ(fenetre->panl(position)->palette().color(QPalette::WindowText), QColor(Qt::white));
        }
    }

    // One mistake: the second chance, then the failed product again.
    ASSERT_TRUE(attend([&] { return boite->isVisible(); }));
    EXPECT_EQ(boite->windowTitle(), "DEUXIÈME CHANCE!");
    EXPECT_EQ(boite->commentaire().split(QChar(13)).at(0).trimmed(), "Tu as fait 1 erreur.");
    EXPECT_EQ(boite->findChild<QPushButton *>("Button_OK")->text(), "OUI");
    const int positionFaux = int(s.produits_etudies.indexOf(faux)) + 1;
    EXPECT_EQ(fenetre->panl(positionFaux)->text(), Catalogue::ecrit_produit(faux) + "=");
    QTest::keyClick(boite, Qt::Key_Return);
    ASSERT_TRUE(attend([&] { return !boite->isVisible(); }));
    ASSERT_EQ(codeAffiche(), faux);
    tape(Catalogue::resultat_produit(faux), 2000);
    attendu += "P" + faux + "020" + Catalogue::resultat_produit_4(faux);

    // The verdict, and the test line handed over byte for byte.
    ASSERT_TRUE(fenetre->moteur().termine());
    const QString fin = clock.now().time().toString("HH:mm:ss");
    const QString ligne = "\tTEST de 10:00:00 à " + fin + " " + attendu;
    ASSERT_EQ(s.eleve.lignes_seance, QStringList{ligne});
    ASSERT_EQ(s.eleve.graphique.size(), 1);
    EXPECT_EQ(s.eleve.graphique[0].ligneTest, ligne);
    EXPECT_EQ(s.eleve.graphique[0].score, "98");
    EXPECT_EQ(TextFile::loadLines(RecordsList::cheminLocal(s)).value(0).left(3), "098");

    auto texte = [&](const char *nom) { return fenetre->findChild<QLabel *>(nom)->text(); };
    auto visible = [&](const char *nom) { return fenetre->findChild<QWidget *>(nom)->isVisible(); };
    EXPECT_TRUE(visible("Panel3"));
    EXPECT_FALSE(visible("Panel1"));
    EXPECT_FALSE(visible("MaskEdit1"));
    EXPECT_EQ(texte("Label_tu_sais"), "Tu sais tes tables à");
    EXPECT_EQ(texte("label_pourcent"), "98%");
    Capture::garde(fenetre.get(), QStringLiteral("verdict"));
    EXPECT_EQ(enDessin(fenetre->findChild<QLabel *>("label_pourcent")).width(), 101);
    EXPECT_EQ(texte("Label_apprec"), "très bien");
    EXPECT_FALSE(visible("Label11"));
    const QString tablePasse = QString::number(passe.left(2).toInt());
    QStringList bien{tablePasse};
    for (int t = 2; t <= 9; ++t) {
        if (QString::number(t) != tablePasse)
            bien << QString::number(t);
    }
    EXPECT_EQ(texte("Label7"), "BIEN");
    EXPECT_EQ(texte("Label8"), "les tables de ");
    EXPECT_EQ(texte("Label9"), TestConclusion::joint_tables(bien));
    EXPECT_TRUE(visible("Label9"));
    EXPECT_FALSE(visible("Label3"));
    EXPECT_FALSE(visible("Label10"));
    EXPECT_FALSE(visible("label_record"));
    EXPECT_TRUE(visible("Image1"));
    EXPECT_TRUE(visible("Image2"));
    EXPECT_FALSE(fenetre->findChild<QLabel *>("Image2")->pixmap().isNull());
    EXPECT_EQ(fenetre->panl(1), nullptr);
    for (const char *nom : {"BitBtn1", "BitBtn2", "BitBtn3"}) {
        SCOPED_TRACE(nom);
        EXPECT_TRUE(visible(nom));
    }

    // "Etape suivante" closes the window and sends the pupil on.
    QSignalSpy suite(fenetre.get(), &Ttest::etapeSuivante);
    QSignalSpy cache(fenetre.get(), &Ttest::testHidden);
    QTest::mouseClick(fenetre->findChild<QPushButton *>("BitBtn2"), Qt::LeftButton);
    EXPECT_FALSE(fenetre->isVisible());
    ASSERT_EQ(suite.count(), 1);
    EXPECT_EQ(suite.at(0).at(0).toBool(), s.produits_a_memoriser.isEmpty());
    EXPECT_EQ(cache.count(), 1);
}

TEST_F(TtestTest, TimeOutShowsTooLongThenAsksTheNextQuestion)
{
    s.temps_maximum = 1;
    s.produits_etudies = {"0709", "0804"};
    ouvre();
    const QString premier = codeAffiche();
    ASSERT_TRUE(attend([&] { return boite->isVisible(); }, 3000));
    EXPECT_EQ(boite->windowTitle(), "Dépassement du temps de réponse");
    EXPECT_EQ(boite->commentaire(), "Trop long!");
    EXPECT_EQ(fenetre->moteur().enregistrements(), "P" + premier + "0100000");
    const int position = int(s.produits_etudies.indexOf(premier)) + 1;
    EXPECT_EQ(fenetre->panl(position)->text(), Catalogue::ecrit_produit(premier) + "=");
    EXPECT_EQ(fenetre->panl(position)->palette().color(QPalette::Window), QColor(192, 192, 192));

    QTest::keyClick(boite, Qt::Key_Return);
    ASSERT_TRUE(attend([&] { return !boite->isVisible(); }));
    EXPECT_NE(codeAffiche(), premier);
    tape(Catalogue::resultat_produit(codeAffiche()), 400);
    // No second chance for a time-out: the test is over.
    EXPECT_TRUE(fenetre->moteur().termine());
    EXPECT_FALSE(boite->isVisible());
}

TEST_F(TtestTest, PauseHidesTheQuestionAndContinueTimesItAfresh)
{
    s.produits_etudies = {"0709"};
    ouvre();
    auto *pause = fenetre->findChild<QPushButton *>("BitBtn_pause");
    ASSERT_TRUE(pause->isVisible());
    clock.advanceMs(3000);
    QTest::keyClick(champ, '6');
    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_EQ(quest->text(), "     ");
    EXPECT_EQ(pause->text(), "Continuer");
    EXPECT_EQ(enDessin(pause).width(), 110);
    EXPECT_FALSE(champ->isEnabled());
    EXPECT_TRUE(champ->text().isEmpty());
    EXPECT_FALSE(fenetre->findChild<QTimer *>("chrono")->isActive());

    clock.advanceMs(60000);
    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_EQ(pause->text(), "Pause");
    EXPECT_EQ(enDessin(pause).width(), 90);
    EXPECT_EQ(quest->text(), " 7×9? ");
    tape("63", 1200);
    EXPECT_EQ(fenetre->moteur().enregistrements(), "P07090120063");
}

TEST_F(TtestTest, SecondsCounterAndItsNotices)
{
    s.produits_etudies = {"0709"};
    ouvre();
    auto *compteur = fenetre->findChild<LedDisplay *>("compteur");
    auto *timer = fenetre->findChild<QTimer *>("compteur_timer");
    auto *notice = fenetre->findChild<QLabel *>("Label_temps");
    ASSERT_TRUE(compteur && timer && notice);
    for (int i = 1; i <= 20; ++i) {
        QMetaObject::invokeMethod(timer, "timeout");
        if (i == 10) {
            EXPECT_TRUE(notice->isVisible());
            EXPECT_EQ(notice->text(), "10 secondes");
        }
    }
    EXPECT_EQ(compteur->value(), 20);
    EXPECT_EQ(compteur->texte(), "20");
    EXPECT_EQ(notice->text(), "20 secondes");
    ASSERT_TRUE(attend([&] { return !notice->isVisible(); }, 2000));
}

TEST_F(TtestTest, DesignAreaIsScaledToTheWindowAndCentred)
{
    ouvre();
    EXPECT_TRUE(fenetre->windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(fenetre->size(), fenetre->screen()->availableGeometry().size());
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenetre.get()));
    EXPECT_TRUE(champ->hasFocus());

    auto *fond = fenetre->findChild<QWidget *>("fond");
    ASSERT_NE(fond, nullptr);
    fenetre->setWindowState(Qt::WindowNoState);
    // 700 / 600: the height decides, the width has room left on both sides.
    fenetre->resize(1200, 700);
    EXPECT_EQ(fond->geometry(), QRect(133, 0, 933, 700));
    // Every control keeps its place in the design, at the design's scale.
    EXPECT_EQ(fenetre->panl(1)->mapTo(fenetre.get(), QPoint()), QPoint(133 + 308, 317));
    EXPECT_EQ(fenetre->panl(1)->size(), QSize(47, 19));
    const QRect champDessin = enDessin(champ);
    EXPECT_EQ(champDessin.y(), 160);
    EXPECT_EQ(champ->geometry(), DesignScaler::scaled(champDessin, 700.0 / 600.0));
    EXPECT_GT(quest->font().pixelSize(), 56);
    EXPECT_TRUE(champ->hasFocus());

    // Smaller than the design: all of it still shows, smaller.
    fenetre->resize(700, 500);
    EXPECT_EQ(fond->geometry(), QRect(16, 0, 667, 500));
    EXPECT_EQ(enDessin(fenetre->panl(1)).topLeft(), QPoint(264, 272));

    // The extended tables need a wider design, scaled and centred as well.
    s.produits_etudies = Catalogue::liste_produits_tables("tables_etendues");
    ouvre();
    fenetre->setWindowState(Qt::WindowNoState);
    fenetre->resize(1024, 768);
    fond = fenetre->findChild<QWidget *>("fond");
    const QSize dessin = enDessin(fond).size();
    ASSERT_GT(dessin.width(), 800);
    EXPECT_EQ(fond->width(), 1024);
    EXPECT_EQ(fond->pos(), QPoint(0, (768 - fond->height()) / 2));
    EXPECT_NEAR(double(fond->height()) / fond->width(), double(dessin.height()) / dessin.width(), 0.01);
}

TEST_F(TtestTest, EmptyProductListShowsNoQuestionAndRecordsNothing)
{
    s.produits_etudies.clear();
    s.liste_produits.clear();
    ouvre();
    EXPECT_EQ(quest->text(), "Aucun produit à tester.");
    EXPECT_FALSE(champ->isVisible());
    EXPECT_TRUE(fenetre->findChild<QPushButton *>("BitBtn1")->isVisible());
    EXPECT_FALSE(fenetre->findChild<QPushButton *>("BitBtn2")->isVisible());
    EXPECT_EQ(fenetre->panl(1), nullptr);
    QTest::qWait(20);
    EXPECT_TRUE(s.eleve.lignes_seance.isEmpty());
    EXPECT_FALSE(boite->isVisible());
}

TEST_F(TtestTest, KeyStampedByTheWindowingSystemIsDatedFromItsPress)
{
    s.produits_etudies = {"0709", "0709"};
    ouvre();
    // The first digit was pressed 660 ms before the window got to it.
    clock.advanceMs(2000);
    QKeyEvent six(QEvent::KeyPress, Qt::Key_6, Qt::NoModifier, "6");
    six.setTimestamp(quint64(quint32(KeyPressTime::maintenantSysteme() - 660)));
    QApplication::sendEvent(champ, &six);
    tape("3", 0);
    // A stamp from another clock is not trusted: the key is dated on arrival.
    clock.advanceMs(1500);
    QKeyEvent autre(QEvent::KeyPress, Qt::Key_6, Qt::NoModifier, "6");
    autre.setTimestamp(quint64(quint32(KeyPressTime::maintenantSysteme() - 3'600'000)));
    QApplication::sendEvent(champ, &autre);
    tape("3", 0);
    const QString recs = fenetre->moteur().enregistrements();
    ASSERT_EQ(recs.size(), 24);
    // 2000 − 660 ms: 1.3 s, with room for a stall between the stamp and its reading.
    EXPECT_EQ(recs.left(8), "P0709013");
    EXPECT_EQ(recs.mid(12), "P07090150063");
}

TEST(KeyPressTime, StampsAreTrustedOnlyWhenRecentOnTheSameClock)
{
    const qint64 maintenant = 5'000'000;
    const qint64 apresTour = (qint64(1) << 32) + 3;
    const struct
    {
        const char *nom;
        quint64 stamp;
        qint64 now;
        qint64 age;
    } cas[] = {
        {"no stamp", 0, maintenant, -1},
        {"recent", quint64(maintenant - 5), maintenant, 5},
        {"two seconds", quint64(maintenant - 2000), maintenant, 2000},
        {"too old", quint64(maintenant - 2001), maintenant, -1},
        {"slightly ahead", quint64(maintenant + 10), maintenant, 0},
        {"far ahead", quint64(maintenant + 100), maintenant, -1},
        {"32-bit wrap", 0xFFFFFFFEull, apresTour, 5},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(KeyPressTime::age(c.stamp, c.now), c.age);
    }
}

TEST(TMonHint, ToolTipsOpenTheBubbleAndAKeyClosesIt)
{
    installeBulles(*qApp);
    QPushButton bouton("Effacer");
    bouton.setToolTip("Efface ta réponse");
    bouton.show();
    QHelpEvent aide(QEvent::ToolTip, QPoint(5, 5), bouton.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&bouton, &aide);
    TMonHint *bulle = TMonHint::instance();
    ASSERT_TRUE(bulle->isVisible());
    EXPECT_EQ(bulle->texte(), "Efface ta réponse");
    EXPECT_TRUE(bulle->font().bold());
    EXPECT_TRUE(bulle->font().italic());
    EXPECT_EQ(bulle->font().pointSize(), 15);
    // The tail rises to the top; the rounded body starts 20 pixels lower.
    const QPainterPath forme = TMonHint::contour(bulle->size());
    EXPECT_TRUE(forme.contains(QPointF(23, 2)));
    EXPECT_FALSE(forme.contains(QPointF(4, 4)));
    EXPECT_TRUE(forme.contains(QPointF(bulle->width() / 2.0, bulle->height() / 2.0)));

    QTest::keyClick(&bouton, Qt::Key_A);
    EXPECT_FALSE(bulle->isVisible());
}

TEST(Tboite_message, FirstTestLeadsThroughReadyAndTheCountdown)
{
    Tboite_message boite;
    QSignalSpy pret(&boite, &Tboite_message::premierTestPret);
    QSignalSpy tropLong(&boite, &Tboite_message::tropLongFerme);
    auto *bouton = boite.findChild<QPushButton *>("Button_OK");
    auto *commentaire = boite.findChild<QLabel *>("Commentaire");
    auto *timer = boite.findChild<QTimer *>("Timer1");
    ASSERT_TRUE(bouton && commentaire && timer);
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_FALSE(timer->isActive());

    boite.montre("Premier test", Tboite_message::texte_premier_test());
    ASSERT_TRUE(boite.isVisible());
    EXPECT_TRUE(boite.isModal());
    EXPECT_EQ(commentaire->text(), "Tu dois répondre avec le clavier.\n La vitesse compte!");
    EXPECT_EQ(bouton->y(), commentaire->height() + 80);
    EXPECT_GE(boite.findChild<QWidget *>("panel1")->width(), 180);

    QTest::keyClick(&boite, Qt::Key_Return);
    EXPECT_EQ(boite.commentaire(), "PRÊT?");
    EXPECT_EQ(bouton->text(), "OUI");
    QTest::keyClick(&boite, Qt::Key_Return);
    EXPECT_EQ(boite.commentaire(), "4");
    EXPECT_FALSE(bouton->isVisible());
    EXPECT_TRUE(timer->isActive());

    QStringList vus;
    for (int i = 0; i < 3; ++i) {
        QMetaObject::invokeMethod(timer, "timeout");
        vus << boite.commentaire();
    }
    EXPECT_EQ(vus, QStringList({"3", "2", "1"}));
    EXPECT_TRUE(boite.isVisible());
    EXPECT_EQ(pret.count(), 0);
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_FALSE(boite.isVisible());
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(pret.count(), 1);
    EXPECT_EQ(tropLong.count(), 0);
}

TEST(Tboite_message, OtherBoxesCloseOnTheButtonAndSayWhatFollows)
{
    Tboite_message boite;
    QSignalSpy pret(&boite, &Tboite_message::premierTestPret);
    QSignalSpy tropLong(&boite, &Tboite_message::tropLongFerme);
    QSignalSpy deuxieme(&boite, &Tboite_message::deuxiemeChanceFermee);

    boite.montre("Apprentissage inutile", "Tu sais déjà tes tables!!");
    QTest::keyClick(&boite, Qt::Key_Return);
    EXPECT_FALSE(boite.isVisible());

    boite.montre("Dépassement du temps de réponse", "Trop long!");
    QTest::keyClick(&boite, Qt::Key_Return);
    EXPECT_FALSE(boite.isVisible());

    // The second-chance comment ends with "PRÊT?" but is not it: OUI closes at once.
    const QString comment = QString(13, ' ') + "Tu as fait 3 erreurs." + QString(13, ' ') + QChar(13) + "PRÊT?";
    boite.montre("DEUXIÈME CHANCE!", comment, "OUI");
    QTest::keyClick(&boite, Qt::Key_Return);
    EXPECT_FALSE(boite.isVisible());

    // Escape closes too, and is told like the button.
    boite.montre("Dépassement du temps de réponse", "Trop long!");
    QTest::keyClick(&boite, Qt::Key_Escape);
    EXPECT_FALSE(boite.isVisible());

    EXPECT_EQ(pret.count(), 0);
    EXPECT_EQ(tropLong.count(), 2);
    EXPECT_EQ(deuxieme.count(), 1);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
