#include "app/Tgeneral.h"
#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/ItemSelection.h"
#include "core/Paths.h"
#include "core/RandomSource.h"
#include "core/SessionState.h"
#include "core/TextFile.h"
#include "training/StepPanel.h"
#include "training/TObjectifs.h"
#include "training/Tapprent.h"
#include "training/Tchoix_libre.h"
#include "training/Tperfect.h"
#include "widgets/ColourLabel.h"
#include "widgets/DesignScaler.h"
#include "widgets/Dialogs.h"
#include "widgets/KeyPressTime.h"
#include "support/Capture.h"
#include "support/Accessibility.h"
#include "support/Wait.h"
#include "widgets/Tboite_message.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// Runs the action once the modal window is on screen (its exec() is running).
template <typename F>
void quandVisible(QWidget *fenetre, F action)
{
    auto *sonde = new QTimer(fenetre);
    sonde->setInterval(5);
    QObject::connect(sonde, &QTimer::timeout, fenetre, [fenetre, sonde, action] {
        if (!fenetre->isVisible())
            return;
        sonde->stop();
        sonde->deleteLater();
        action();
    });
    sonde->start();
}

class TapprentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::setTestMode(true);
        Dialogs::clearHistory();
        s.temps_acceptable = 3;
        s.ordre_rangement_items = QStringLiteral("valeur produit");
        s.nombre_items_par_bloc = 3;
        s.formule_recursive = QStringLiteral("1.1.1.3");
        s.eleve.nom = QStringLiteral("Martin");
        s.eleve.prenom = QStringLiteral("Léa");
        env.clock = &clock;
        env.random = &random;
    }

    void ouvre(const QStringList &items)
    {
        s.produits_a_memoriser = items;
        fenetre = std::make_unique<Tapprent>(s, env);
        fenetre->show();
        quest = enfant<QLabel>("label_quest1");
        champ = enfant<QLineEdit>("MaskEdit1");
        ASSERT_TRUE(quest && champ);
    }

    template <typename T>
    T *enfant(const char *nom) const
    {
        return fenetre->findChild<T *>(QString::fromLatin1(nom));
    }

    bool visible(const char *nom) const
    {
        QWidget *w = enfant<QWidget>(nom);
        return w && w->isVisible();
    }

    // The answer to the question on screen, read as the pupil reads it.
    QString reponseAffichee() const
    {
        const QString texte = quest->text();
        const int signe = int(texte.indexOf(QChar(0xD7)));
        return QString::number(texte.left(signe).toInt() * texte.mid(signe + 1).section(u' ', 0, 0).toInt());
    }

    // Types the answer key by key, the first key delaiMs after the question.
    void tape(const QString &reponse, qint64 delaiMs = 500)
    {
        clock.advanceMs(delaiMs);
        for (QChar c : reponse) {
            QTest::keyClick(champ, c.toLatin1());
            clock.advanceMs(100);
        }
    }

    // Answers right and waits for the pause after it to end.
    void repondJuste()
    {
        const int avant = repetitions();
        tape(reponseAffichee());
        ASSERT_EQ(repetitions(), avant + 1);
        auto *timer = fenetre->findChild<QTimer *>(QStringLiteral("Timer1"));
        ASSERT_TRUE(attend([timer] { return !timer->isActive(); }));
    }

    int repetitions() const
    {
        int n = 0;
        for (int i = 0; i < fenetre->moteur().items().size(); ++i)
            n += int(fenetre->moteur().reponses(i).size());
        return n;
    }

    // Léa, this morning, after a test of the table of 7: right and fast but
    // for 7×3 and 7×8 (4 s for 3 allowed). Her history file is in `dossier`.
    void apresDernierTest(const QTemporaryDir &dossier)
    {
        env.programFolder = dossier.path() + QLatin1Char('/');
        s.dossier_programme = env.programFolder;
        EleveState &e = s.eleve;
        e.cle_eleve = QStringLiteral("Martin_Léa");
        e.dossier_eleve = Paths::join(dossier.path(), QStringLiteral("Eleves"));
        e.fichier_eleve = Paths::join(e.dossier_eleve, QStringLiteral("Martin_Léa.txt"));
        s.jour_semaine = QStringLiteral("Jeudi");
        s.date_du_jour = QStringLiteral("10/12/2026");
        s.heure_debut_seance = QStringLiteral("10:00:00");
        QString enregistrements;
        for (int b = 2; b <= 9; ++b)
            enregistrements += QStringLiteral("P07%1%2%3")
                                   .arg(b, 2, 10, QLatin1Char('0'))
                                   .arg(b == 3 || b == 8 ? QStringLiteral("040") : QStringLiteral("020"))
                                   .arg(7 * b, 4, 10, QLatin1Char('0'));
        s.produits_etudies = Catalogue::liste_produits_tables(QStringLiteral("table_7"));
        e.dernier_test = enregistrements;
        ItemSelection::selection_apres_test(s);
    }

    // The main window with its training window, shown as the program shows it.
    Tapprent *relie(Tgeneral &general)
    {
        general.fenetres().boiteMessage = new Tboite_message(&general);
        auto *apprent = new Tapprent(s, env, &general);
        general.fenetres().apprent = apprent;
        general.relieFenetres();
        general.show();
        return apprent;
    }

    SessionState s;
    ManualClock clock{QDateTime(QDate(2026, 12, 10), QTime(10, 0, 0))};
    SeededRandom random{20261210};
    Environment env;
    std::unique_ptr<Tapprent> fenetre;
    QLabel *quest = nullptr;
    QLineEdit *champ = nullptr;
};

} // namespace

TEST_F(TapprentTest, OneWholeStepUntilEveryItemIsGreen)
{
    ouvre({"0809", "0607", "0708"});
    EXPECT_EQ(fenetre->windowTitle(), QStringLiteral("Léa Martin: Apprentissage des tables."));
    // Ordered by value; the new block shows its answers before the prompt.
    EXPECT_EQ(s.produits_a_memoriser, (QStringList{"0607", "0708", "0809"}));
    EXPECT_EQ(enfant<QLabel>("Gradlabel_0")->text(), QStringLiteral(" 6×7 "));
    EXPECT_EQ(enfant<QLabel>("Gradlabel_reponse_2")->text(), QStringLiteral(" 72 "));
    EXPECT_TRUE(visible("Gradlabel_egale_1") && visible("feu_1"));
    EXPECT_EQ(enfant<QLabel>("Label2")->text(), QStringLiteral("PRÊT?"));
    EXPECT_EQ(enfant<QPushButton>("BitBtn3")->text(), QStringLiteral("OUI"));
    EXPECT_FALSE(visible("Label3"));
    EXPECT_EQ(enfant<QLabel>("Label4")->text(), QStringLiteral("3"));
    EXPECT_EQ(enfant<ColourLabel>("tuile_0")->fond(), QColor(255, 0, 0));
    EXPECT_EQ(enfant<ColourLabel>("tuile_3"), nullptr);
    EXPECT_TRUE(Accessibility::fautes(fenetre.get()).isEmpty()) << Accessibility::fautes(fenetre.get()).join(u'\n').toStdString();

    QTest::mouseClick(enfant<QPushButton>("BitBtn3"), Qt::LeftButton);
    EXPECT_FALSE(visible("Gradlabel_egale_1"));
    EXPECT_EQ(quest->text(), QStringLiteral("6×7 = "));
    Capture::garde(fenetre.get(), QStringLiteral("entrainement"));
    EXPECT_EQ(enDessin(champ).width(), 90);
    EXPECT_EQ(enDessin(enfant<QPushButton>("Button_je_passe")).x(), enDessin(champ).right() + 27);
    for (int i = 0; i < 3; ++i)
        repondJuste();
    EXPECT_EQ(enfant<QLabel>("Label3")->text(), QStringLiteral("Tout juste"));
    EXPECT_EQ(enfant<QLabel>("Label2")->text(), QStringLiteral("Maintenant, dans le désordre."));
    EXPECT_EQ(enfant<QPushButton>("BitBtn3")->text(), QStringLiteral("OK"));
    EXPECT_TRUE(visible("icone_0"));
    EXPECT_EQ(enfant<QLabel>("icone_0")->accessibleDescription(), QStringLiteral("juste"));

    QTest::mouseClick(enfant<QPushButton>("BitBtn3"), Qt::LeftButton);
    int questions = 0;
    while (!visible("label_fin_niv1_a") && questions++ < 40) {
        repondJuste();
        if (questions == 1) {
            EXPECT_EQ(fenetre->findChild<QTimer *>(QStringLiteral("Timer1"))->interval(), 300);
        }
    }
    ASSERT_TRUE(visible("label_fin_niv1_a"));
    // Five fast right answers in a row for each of the three, at the least.
    EXPECT_GE(questions, 15);
    const int repetitionsFaites = repetitions();
    EXPECT_EQ(repetitionsFaites, 3 + questions);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fenetre->moteur().couleur(i), TrainingEngine::Couleur::Vert);
        auto *tuile = enfant<ColourLabel>(QStringLiteral("tuile_%1").arg(i).toLatin1());
        EXPECT_EQ(tuile->fond(), QColor(128, 255, 0));
        EXPECT_EQ(tuile->couleurTexte(), QColor(0, 0, 255));
        EXPECT_EQ(tuile->accessibleDescription(), QStringLiteral("vert"));
        EXPECT_EQ(enfant<QLabel>(QStringLiteral("feu_%1").arg(i).toLatin1())->accessibleDescription(),
                  QStringLiteral("feu vert"));
        EXPECT_EQ(enfant<QLabel>(QStringLiteral("batons_%1").arg(i).toLatin1())->accessibleDescription(),
                  QStringLiteral("5 bâtons"));
    }
    EXPECT_EQ(enfant<QLabel>("label_fin_niv1_b")->text(), QStringLiteral("Première étape terminée."));
    EXPECT_TRUE(visible("BitBtn1") && visible("BitBtn2"));
    EXPECT_FALSE(visible("MaskEdit1"));
    EXPECT_TRUE(s.objectif_apprentissage.apprentissage_termine);

    // Everything the pupil reads is what a screen reader reads.
    EXPECT_TRUE(Accessibility::fautes(fenetre.get()).isEmpty()) << Accessibility::fautes(fenetre.get()).join(u'\n').toStdString();

    const QString fin = clock.now().time().toString(QStringLiteral("HH:mm:ss"));
    QTest::mouseClick(enfant<QPushButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(fenetre->isVisible());
    ASSERT_EQ(s.eleve.lignes_seance.size(), 1);
    EXPECT_EQ(s.eleve.lignes_seance[0],
              QStringLiteral("\tAPPRENTISSAGE de 10:00:00 à ") + fin + QStringLiteral(": ")
                  + QString::number(repetitionsFaites) + QStringLiteral(" répétitions"));
}

TEST_F(TapprentTest, OneItemToTheEndThenOnToPerfectionnement)
{
    Tperfect perfect(s, env);
    ouvre({"0709"});
    fenetre->relie(nullptr, &perfect);
    QTest::mouseClick(enfant<QPushButton>("BitBtn3"), Qt::LeftButton);
    repondJuste();
    QTest::mouseClick(enfant<QPushButton>("BitBtn3"), Qt::LeftButton);
    // A range of one item: the same question again, without a redraw loop.
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(quest->text(), QStringLiteral("7×9 = "));
        repondJuste();
    }
    ASSERT_TRUE(visible("BitBtn2"));
    QString titre;
    quandVisible(&perfect, [&perfect, &titre] {
        titre = perfect.windowTitle();
        perfect.reject();
    });
    QTest::mouseClick(enfant<QPushButton>("BitBtn2"), Qt::LeftButton);
    EXPECT_TRUE(titre.endsWith(QStringLiteral("Perfectionnement: les tables inversées (niveau 'facile')")))
        << titre.toStdString();
    EXPECT_EQ(perfect.niveau(), 1);
    EXPECT_FALSE(fenetre->isVisible());
    ASSERT_EQ(s.eleve.lignes_seance.size(), 1);
    EXPECT_TRUE(s.eleve.lignes_seance[0].endsWith(QStringLiteral(": 6 répétitions")));
}

TEST_F(TapprentTest, WrongAnswersShowTheCorrectionAndStepBackInOrder)
{
    s.eleve.eleve_nouveau = true;
    ouvre({"0607", "0708", "0809"});
    // A new pupil is told how it works before the prompt.
    ASSERT_TRUE(attend([this] { return visible("Label3"); }));
    ASSERT_EQ(Dialogs::history().size(), 1);
    EXPECT_EQ(Dialogs::history()[0].title, QStringLiteral("Apprentissage"));
    EXPECT_EQ(enfant<QLabel>("Label3")->text(), QStringLiteral("On commence quand tu veux."));
    QTest::mouseClick(enfant<QPushButton>("BitBtn3"), Qt::LeftButton);

    repondJuste();
    repondJuste();
    ASSERT_EQ(quest->text(), QStringLiteral("8×9 = "));
    // "7" alone is not evaluated; the second digit is.
    tape(QStringLiteral("7"));
    EXPECT_EQ(repetitions(), 2);
    tape(QStringLiteral("1"));
    EXPECT_EQ(repetitions(), 3);
    EXPECT_EQ(enfant<QLabel>("label_rep2")->text(), QStringLiteral("8×9 = 72"));
    EXPECT_TRUE(visible("label_rep1"));
    EXPECT_FALSE(visible("Button_je_passe"));
    auto *ok = enfant<QPushButton>("ButtonOK");
    EXPECT_TRUE(ok->isVisible() && ok->hasFocus());
    EXPECT_EQ(enDessin(ok).x(), enDessin(enfant<QLabel>("label_rep2")).right() + 15);
    EXPECT_EQ(enfant<QLabel>("Gradlabel_2")->accessibleDescription(), QStringLiteral("rouge"));
    EXPECT_TRUE(Accessibility::fautes(fenetre.get()).isEmpty()) << Accessibility::fautes(fenetre.get()).join(u'\n').toStdString();
    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_FALSE(ok->isVisible());
    // One step back, then on again.
    EXPECT_EQ(quest->text(), QStringLiteral("7×8 = "));
    QTest::mouseClick(enfant<QPushButton>("Button_je_passe"), Qt::LeftButton);
    EXPECT_FALSE(visible("label_rep1"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(quest->text(), QStringLiteral("6×7 = "));
    for (int i = 0; i < 3; ++i)
        repondJuste();
    EXPECT_EQ(enfant<QLabel>("Label3")->text(), QStringLiteral("2 erreurs"));
    EXPECT_EQ(enfant<QLabel>("Label2")->text(), QStringLiteral("On recommence"));
    EXPECT_EQ(enfant<QLabel>("icone_2")->accessibleDescription(), QStringLiteral("faux"));
    EXPECT_EQ(enfant<ColourLabel>("Gradlabel_reponse_2")->fond(), QColor(Qt::black));
    EXPECT_EQ(enfant<ColourLabel>("Gradlabel_reponse_0")->fond(), QColor(255, 0, 0));
    EXPECT_TRUE(Accessibility::fautes(fenetre.get()).isEmpty()) << Accessibility::fautes(fenetre.get()).join(u'\n').toStdString();
    QTest::mouseClick(enfant<QPushButton>("BitBtn3"), Qt::LeftButton);
    EXPECT_TRUE(fenetre->moteur().phase_ordonnee());
    EXPECT_EQ(quest->text(), QStringLiteral("6×7 = "));
}

TEST_F(TapprentTest, ResponseTimeIsTakenFromTheKeyStamp)
{
    ouvre({"0709", "0809"});
    QTest::mouseClick(enfant<QPushButton>("BitBtn3"), Qt::LeftButton);
    ASSERT_EQ(quest->text(), QStringLiteral("7×9 = "));
    // Enter in the answer field presses no button ("je ne sais pas" least of all).
    QTest::keyClick(champ, Qt::Key_Return);
    EXPECT_EQ(repetitions(), 0);
    EXPECT_TRUE(fenetre->isVisible());
    // The first digit was pressed 660 ms before the window got to it.
    clock.advanceMs(2000);
    QKeyEvent six(QEvent::KeyPress, Qt::Key_6, Qt::NoModifier, QStringLiteral("6"));
    six.setTimestamp(quint64(quint32(KeyPressTime::maintenantSysteme() - 660)));
    QApplication::sendEvent(champ, &six);
    tape(QStringLiteral("3"), 0);
    ASSERT_EQ(fenetre->moteur().reponses(0).size(), 1);
    EXPECT_EQ(fenetre->moteur().reponses(0)[0].section(u':', 1).left(8), QStringLiteral("P0709013"));
}

TEST_F(TapprentTest, FreeChoiceRebuildsThePlanAndKeepsTheWorkDone)
{
    s.objectifs = QStringLiteral("table_2,table_3,table_4,table_5,table_6");
    s.classement_tables = {"table_4=20", "table_2=40"};
    Tchoix_libre choix(s, env);
    ouvre({"0607", "0708", "0809"});
    fenetre->relie(&choix, nullptr);
    QTest::mouseClick(enfant<QPushButton>("BitBtn3"), Qt::LeftButton);
    repondJuste();
    repondJuste();

    quandVisible(&choix, [&choix] {
        // Five tables shown, the advice with them; the weakest table is ticked.
        EXPECT_TRUE(choix.findChild<QCheckBox *>("CheckBox4")->isChecked());
        EXPECT_FALSE(choix.findChild<QCheckBox *>("CheckBox7")->isVisible());
        auto *conseil = choix.findChild<QLabel *>("Label_conseil");
        EXPECT_TRUE(conseil->isVisible());
        QTest::mouseClick(choix.findChild<QCheckBox *>("CheckBox6"), Qt::LeftButton);
        QTest::mouseClick(choix.findChild<QCheckBox *>("CheckBox2"), Qt::LeftButton);
        EXPECT_TRUE(conseil->styleSheet().contains(QStringLiteral("255,0,0")));
        QTest::mouseClick(choix.findChild<QCheckBox *>("CheckBox4"), Qt::LeftButton);
        EXPECT_TRUE(conseil->styleSheet().contains(QStringLiteral("0,0,255")));
        EXPECT_EQ(choix.findChild<QLabel *>("Label1")->text(), QStringLiteral("total 16 produits"));
        EXPECT_TRUE(Accessibility::fautes(&choix).isEmpty()) << Accessibility::fautes(&choix).join(u'\n').toStdString();
        QTest::mouseClick(choix.findChild<QPushButton *>("Button1"), Qt::LeftButton);
    });
    clock.advanceMs(60'000);
    QTest::mouseClick(enfant<QToolButton>("SpeedButton_libre"), Qt::LeftButton);

    // The two answers given before the rebuild are in the session's line.
    ASSERT_EQ(s.eleve.lignes_seance.size(), 1);
    EXPECT_EQ(s.eleve.lignes_seance[0], QStringLiteral("\tAPPRENTISSAGE de 10:00:00 à 10:01:01: 2 répétitions"));
    // Table of 6 then table of 2, ordered by value.
    EXPECT_EQ(s.produits_a_memoriser.size(), 16);
    EXPECT_EQ(s.produits_a_memoriser.first(), QStringLiteral("0202"));
    EXPECT_EQ(enfant<QLabel>("Label4")->text(), QStringLiteral("16"));
    EXPECT_EQ(fenetre->moteur().etape_courante(), 0);
    EXPECT_TRUE(visible("BitBtn3") && !visible("MaskEdit1"));
    // A single answer after it is not worth a line of its own.
    QTest::mouseClick(enfant<QPushButton>("BitBtn3"), Qt::LeftButton);
    repondJuste();
    fenetre->close();
    EXPECT_EQ(s.eleve.lignes_seance.size(), 1);
}

TEST_F(TapprentTest, SelectionBarChoosesTheItemsAgainAndRestarts)
{
    s.classement_tables = {"table_7=20", "table_8=40"};
    s.classement_produits = {"0708=0", "0807=0", "0709=100"};
    s.objectif_apprentissage.mode_tables = true;
    ouvre(Catalogue::liste_produits_tables(QStringLiteral("table_7")));
    auto *compteur = enfant<QLabel>("Label4");
    EXPECT_EQ(compteur->toolTip(), QStringLiteral("8 produits à apprendre"));
    EXPECT_TRUE(enfant<QToolButton>("SpeedButton_tables")->isChecked());

    QTest::mouseClick(enfant<QToolButton>("SpeedButton1"), Qt::LeftButton);
    EXPECT_EQ(compteur->text(), QStringLiteral("16"));
    EXPECT_EQ(fenetre->moteur().items().size(), 16);
    QTest::mouseClick(enfant<QToolButton>("SpeedButton1"), Qt::LeftButton);
    EXPECT_EQ(compteur->text(), QStringLiteral("16"));

    // Single products: the ranking stops at the first one known.
    QTest::mouseClick(enfant<QToolButton>("SpeedButton_trous"), Qt::LeftButton);
    EXPECT_FALSE(s.objectif_apprentissage.mode_tables);
    EXPECT_EQ(s.produits_a_memoriser, (QStringList{"0708", "0807"}));
    EXPECT_EQ(compteur->toolTip(), QStringLiteral("2 produits à apprendre"));
    EXPECT_EQ(fenetre->moteur().etape_courante(), 0);
    EXPECT_EQ(enfant<QLabel>("Gradlabel_1")->text(), QStringLiteral(" 8×7 "));
}

TEST_F(TapprentTest, FromTheLastTestToTheTrainingLineInThePupilsHistory)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    apresDernierTest(dossier);
    ASSERT_EQ(s.produits_a_memoriser, (QStringList{"0703", "0708"}));
    Tgeneral general(s, env);
    general.setFermetureSansQuestion(true);
    Tapprent *apprent = relie(general);

    int reponses = 0;
    quandVisible(apprent, [&] {
        auto *q = apprent->findChild<QLabel *>(QStringLiteral("label_quest1"));
        auto *c = apprent->findChild<QLineEdit *>(QStringLiteral("MaskEdit1"));
        auto *timer = apprent->findChild<QTimer *>(QStringLiteral("Timer1"));
        auto *fin = apprent->findChild<QLabel *>(QStringLiteral("label_fin_niv1_a"));
        auto *bouton = apprent->findChild<QPushButton *>(QStringLiteral("BitBtn3"));
        while (!fin->isVisible() && reponses < 40) {
            if (bouton->isVisible())
                QTest::mouseClick(bouton, Qt::LeftButton);
            const int signe = int(q->text().indexOf(QChar(0xD7)));
            const int valeur = q->text().left(signe).toInt() * q->text().mid(signe + 1).section(u' ', 0, 0).toInt();
            clock.advanceMs(900);
            QTest::keyClicks(c, QString::number(valeur));
            ++reponses;
            attend([timer] { return !timer->isActive(); });
        }
        QTest::mouseClick(apprent->findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    });
    general.findChild<QAction *>(QStringLiteral("apprentissage1"))->trigger();
    EXPECT_FALSE(apprent->isVisible());
    EXPECT_TRUE(s.objectif_apprentissage.apprentissage_termine);
    EXPECT_GE(reponses, 12);

    ASSERT_TRUE(general.EnregistrementSeance());
    const QStringList lignes = TextFile::loadLines(s.eleve.fichier_eleve);
    ASSERT_EQ(lignes.size(), 2);
    EXPECT_TRUE(lignes[0].startsWith(QStringLiteral("Séance du Jeudi 10/12/2026 de 10:00:00")));
    EXPECT_EQ(lignes[1], QStringLiteral("\tAPPRENTISSAGE de 10:00:00 à ")
                             + clock.now().time().toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(": ")
                             + QString::number(reponses) + QStringLiteral(" répétitions"));
}

// The machine is shut down while Léa trains: nobody answers a question then,
// and her training must still reach her history file.
TEST_F(TapprentTest, EndingWithTheSystemMidTrainingRecordsTheTrainingLine)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    apresDernierTest(dossier);
    Tgeneral general(s, env);
    Tapprent *apprent = relie(general);
    bool fermee = false;
    QObject::connect(&general, &Tgeneral::fermee, [&fermee] { fermee = true; });

    quandVisible(apprent, [&] {
        quest = apprent->findChild<QLabel *>(QStringLiteral("label_quest1"));
        champ = apprent->findChild<QLineEdit *>(QStringLiteral("MaskEdit1"));
        auto *timer = apprent->findChild<QTimer *>(QStringLiteral("Timer1"));
        auto *bouton = apprent->findChild<QPushButton *>(QStringLiteral("BitBtn3"));
        for (int i = 0; i < 3; ++i) {
            if (bouton->isVisible())
                QTest::mouseClick(bouton, Qt::LeftButton);
            tape(reponseAffichee(), 900);
            attend([timer] { return !timer->isActive(); });
        }
        general.fin_de_session_systeme();
    });
    general.findChild<QAction *>(QStringLiteral("apprentissage1"))->trigger();

    EXPECT_FALSE(apprent->isVisible());
    EXPECT_FALSE(general.isVisible());
    EXPECT_TRUE(fermee);
    EXPECT_TRUE(Dialogs::history().isEmpty());
    const QStringList lignes = TextFile::loadLines(s.eleve.fichier_eleve);
    ASSERT_EQ(lignes.size(), 2);
    EXPECT_TRUE(lignes[0].startsWith(QStringLiteral("Séance du Jeudi 10/12/2026 de 10:00:00")));
    EXPECT_EQ(lignes[1], QStringLiteral("\tAPPRENTISSAGE de 10:00:00 à ")
                             + clock.now().time().toString(QStringLiteral("HH:mm:ss"))
                             + QStringLiteral(": 3 répétitions"));
}

TEST_F(TapprentTest, NothingToTrainClosesTheWindowAtOnce)
{
    ouvre({});
    EXPECT_TRUE(attend([this] { return !fenetre->isVisible(); }));
    EXPECT_TRUE(s.eleve.lignes_seance.isEmpty());
}

TEST_F(TapprentTest, StepPanelRowsShrinkFromEighteenItemsWithoutPictures)
{
    QWidget zone;
    zone.resize(800, 600);
    StepPanel panel(&zone);
    QStringList items = Catalogue::liste_produits_tables(QStringLiteral("table_12,table_13,table_14"));
    struct Cas { int n; int h; bool images; };
    for (const Cas &c : {Cas{17, 32, true}, Cas{18, 32, false}, Cas{20, 29, false}}) {
        SCOPED_TRACE(c.n);
        panel.construit(items, 0, c.n - 1, false);
        EXPECT_EQ(panel.hauteur_ligne(), c.h);
        EXPECT_EQ(zone.findChild<QLabel *>(QStringLiteral("feu_0")) != nullptr, c.images);
        EXPECT_EQ(zone.findChild<QLabel *>(QStringLiteral("batons_0")) != nullptr, c.images);
        EXPECT_EQ(panel.height(), (c.h + 1) * c.n + 8);
        EXPECT_EQ(panel.y(), std::max(200 - panel.height() / 2, 0));
        auto *derniere = panel.findChild<QLabel *>(QStringLiteral("Gradlabel_%1").arg(c.n - 1));
        ASSERT_NE(derniere, nullptr);
        EXPECT_EQ(derniere->y(), 4 + (c.n - 1) * (c.h + 1));
        EXPECT_EQ(derniere->font().pointSize(), c.n < 18 ? 20 : 5 * c.h / 8);
    }
}

TEST_F(TapprentTest, ObjectivesKeepOneTableDownAndRewriteTheStudiedProducts)
{
    TObjectifs objectifs(s, env);
    s.objectifs = QStringLiteral("table_carres");
    objectifs.setTypeTables(QStringLiteral("etendues"));
    objectifs.show();
    EXPECT_EQ(objectifs.windowTitle(), QStringLiteral("Objectifs pour les tables étendues"));
    EXPECT_FALSE(objectifs.findChild<QWidget *>("Panel_2_9")->isVisible());
    auto *carres = objectifs.findChild<QToolButton *>("SpeedButton11");
    ASSERT_TRUE(carres->isChecked());
    EXPECT_FALSE(objectifs.findChild<QLabel *>("Label_12")->isEnabled());
    QTest::mouseClick(carres, Qt::LeftButton);
    EXPECT_TRUE(carres->isChecked());
    EXPECT_EQ(s.objectifs, QStringLiteral("table_carres"));
    objectifs.hide();

    // A group key counts as its tables.
    s.objectifs = QStringLiteral("tables_classiques");
    s.classement_tables = {"table_3=10", "table_7=50"};
    objectifs.setTypeTables(QStringLiteral("classiques"));
    objectifs.show();
    EXPECT_EQ(objectifs.findChild<QLabel *>("Label1")->text(), QStringLiteral("L'élève Martin Léa"));
    EXPECT_TRUE(objectifs.findChild<QToolButton *>("SpeedButton9")->isChecked());
    QTest::mouseClick(objectifs.findChild<QToolButton *>("SpeedButton3"), Qt::LeftButton);
    EXPECT_EQ(s.objectifs, QStringLiteral("table_2,table_4,table_5,table_6,table_7,table_8,table_9"));
    EXPECT_EQ(s.produits_etudies.size(), 56);
    EXPECT_FALSE(objectifs.findChild<QLabel *>("Label_3")->isEnabled());
    EXPECT_TRUE(Accessibility::fautes(&objectifs).isEmpty()) << Accessibility::fautes(&objectifs).join(u'\n').toStdString();
    // The items are chosen again from the rankings.
    EXPECT_EQ(s.produits_a_memoriser.first(), QStringLiteral("0302"));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
