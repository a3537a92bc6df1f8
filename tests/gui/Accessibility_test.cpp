#include "app/GraphBar.h"
#include "app/TabulonApp.h"
#include "app/Tgeneral.h"
#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/Dates.h"
#include "core/RandomSource.h"
#include "core/SessionState.h"
#include "timedtest/Ttest.h"
#include "widgets/Dialogs.h"
#include "widgets/Tboite_message.h"
#include "support/Accessibility.h"
#include "support/FakeSystem.h"
#include "support/Wait.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Windows of the toolkit itself (menus, tool tips, the hint bubble) are not
// windows of the program.
bool fenetreDuProgramme(const QWidget *w)
{
    const Qt::WindowType genre = w->windowType();
    return genre != Qt::Popup && genre != Qt::ToolTip && genre != Qt::Desktop
           && !QByteArray(w->metaObject()->className()).startsWith('Q');
}

EntreeGraphique entree(const QDate &date, int score)
{
    return {Dates::jour_texte(date), QString::number(score), QString()};
}

} // namespace

// Every window the program creates is opened in turn, as it is once a
// pupil's session has started: whatever is shown must be heard the same way.
// Windows added to the program are walked without changing this test.
TEST(Accessibility, EveryWindowOfTheProgramIsHeardAsItIsSeen)
{
    QTemporaryDir programme;
    QTemporaryDir garde;
    ASSERT_TRUE(programme.isValid() && garde.isValid());
    ManualClock horloge{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    SeededRandom hasard{5};
    FakeSystem systeme;
    Environment env;
    env.clock = &horloge;
    env.random = &hasard;
    env.system = &systeme;
    env.programFolder = programme.path();
    Dialogs::setTestMode(true);

    TabulonApp::Options options;
    options.nomGarde = QStringLiteral("_TabulonAccessibilite");
    options.dossierGarde = garde.path();
    TabulonApp app(env, options);

    QStringList fautes;
    QStringList vues;
    const auto examine = [&](QWidget *fenetre) {
        vues << fenetre->objectName();
        fautes += Accessibility::fautes(fenetre);
    };

    // The identification, as a new pupil first sees it; then he registers.
    app.setPremiereFenetre([&](QWidget *fenetre) {
        QTimer::singleShot(0, fenetre, [&, fenetre] {
            examine(fenetre);
            auto *nom = fenetre->findChild<QLineEdit *>(QStringLiteral("Edit_nom"));
            auto *prenom = fenetre->findChild<QLineEdit *>(QStringLiteral("Edit_prenom"));
            if (!nom || !prenom) {
                ADD_FAILURE() << "pas de formulaire d'inscription";
                fenetre->close();
                return;
            }
            QTest::keyClicks(nom, QStringLiteral("dupont"));
            QTest::keyClicks(prenom, QStringLiteral("jean"));
            QTest::keyClick(prenom, Qt::Key_Return);
        });
    });

    bool parcouru = false;
    QElapsedTimer depuis;
    depuis.start();
    QTimer veille;
    veille.setInterval(10);
    QObject::connect(&veille, &QTimer::timeout, [&] {
        Tgeneral *general = app.general();
        const bool pret = general && general->isVisible() && !QApplication::activeModalWidget();
        if (!pret && depuis.elapsed() < 20000)
            return;
        veille.stop();
        if (pret) {
            // A pupil with a few days of tests: the graph's bars are drawn.
            app.state().eleve.graphique = {entree(QDate(2026, 12, 8), 45), entree(QDate(2026, 12, 9), 85),
                                           entree(QDate(2026, 12, 10), 100)};
            general->affiche_graphique();
            QTest::qWait(20);
            QStringList barres;
            for (GraphBar *barre : general->findChildren<GraphBar *>())
                barres << Accessibility::description(barre);
            barres.sort();
            EXPECT_EQ(barres.join(QLatin1Char('|')).toStdString(),
                      std::string("Jeudi 10/12/2026 : 100 %, parfait|Mardi 08/12/2026 : 45 %, très faible|"
                                  "Mercredi 09/12/2026 : 85 %, bien"));
            examine(general);
            // The program builds its windows when first needed: all of them now.
            general->construitFenetres();
            const QList<QWidget *> fenetres = QApplication::topLevelWidgets();
            for (QWidget *fenetre : fenetres) {
                if (fenetre == general || !fenetreDuProgramme(fenetre))
                    continue;
                const bool dejaVue = fenetre->isVisible();
                fenetre->show();
                QTest::qWait(20);
                examine(fenetre);
                if (!dejaVue)
                    fenetre->hide();
            }
            parcouru = true;
        } else {
            ADD_FAILURE() << "la fenêtre principale n'est jamais venue";
        }
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *d = qobject_cast<QDialog *>(w); d && d->isVisible())
                d->reject();
        }
        if (general) {
            general->setFermetureSansQuestion(true);
            general->close();
        }
    });
    veille.start();
    // A window that opens a box of its own when shown must not hang the walk.
    QTimer surveillance;
    surveillance.setInterval(1000);
    QObject::connect(&surveillance, &QTimer::timeout, [&] {
        if (depuis.elapsed() < 60000)
            return;
        if (auto *modale = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "fenêtre modale restée ouverte: " << modale->objectName().toStdString();
            modale->reject();
        }
    });
    surveillance.start();
    app.run();
    Dialogs::setTestMode(false);

    ASSERT_TRUE(parcouru);
    for (const char *attendue : {"Tident", "Tgeneral", "Ttest", "Tboite_message", "TTexte", "TAboutBox"})
        EXPECT_TRUE(vues.contains(QString::fromLatin1(attendue))) << attendue << " pas ouverte";
    EXPECT_TRUE(fautes.isEmpty()) << fautes.join(QLatin1Char('\n')).toStdString();
}

// Centred in 47 characters, as the second-chance box lays out its lines.
QString centre(const QString &ligne)
{
    const QString marge((47 - ligne.size()) / 2, QLatin1Char(' '));
    return marge + ligne + marge;
}

// The pupil's test heard through the accessibility interface: each
// question, the second-chance box and every line of the verdict, with the
// exact texts shown.
TEST(Accessibility, TheTestIsHeardWordForWord)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    Dialogs::setTestMode(true);
    SessionState s;
    s.temps_acceptable = 6;
    s.temps_maximum = 15;
    s.chrono_test_visible = true;
    s.objectifs = QStringLiteral("table_2,table_3,table_4,table_5,table_6,table_7,table_8,table_9");
    s.produits_etudies = Catalogue::liste_produits_tables(s.objectifs);
    s.dossier_stats_local = dossier.path();
    s.eleve.nom = QStringLiteral("Martin");
    s.eleve.prenom = QStringLiteral("Léa");
    ManualClock horloge;
    SeededRandom hasard{12};
    Environment env;
    env.clock = &horloge;
    env.random = &hasard;

    Ttest test(s, env);
    test.findChild<QTimer *>(QStringLiteral("affiche"))->setInterval(1);
    QSignalSpy reponses(&test, &Ttest::reponseEnregistree);
    test.show();
    auto *question = test.findChild<QLabel *>(QStringLiteral("Label_quest"));
    auto *champ = test.findChild<QLineEdit *>(QStringLiteral("MaskEdit1"));
    ASSERT_TRUE(question && champ);

    // 7×2 and 7×3 wrong, twice; everything else right and fast.
    const auto repond = [&] {
        const QString entendu = Accessibility::nom(question);
        EXPECT_EQ(entendu, question->text());
        const QString produit = entendu.trimmed().chopped(1);
        const qsizetype signe = produit.indexOf(QChar(0xD7));
        const int a = produit.left(signe).toInt();
        const int b = produit.mid(signe + 1).toInt();
        EXPECT_TRUE(a >= 2 && a <= 9 && b >= 2 && b <= 9) << entendu.toStdString();
        const bool faux = a == 7 && (b == 2 || b == 3);
        const qsizetype avant = reponses.count();
        horloge.advanceMs(1200);
        QTest::keyClicks(champ, QString::number(faux ? a * b + 1 : a * b));
        ASSERT_TRUE(attend([&] { return reponses.count() > avant; }));
    };
    for (int n = 0; n < 64; ++n) {
        repond();
        ASSERT_FALSE(::testing::Test::HasFatalFailure()) << "question " << n + 1;
    }

    Tboite_message *boite = test.boiteMessage();
    ASSERT_TRUE(attend([&] { return boite->isVisible(); }));
    auto *commentaire = boite->findChild<QLabel *>(QStringLiteral("Commentaire"));
    auto *oui = boite->findChild<QPushButton *>(QStringLiteral("Button_OK"));
    ASSERT_TRUE(commentaire && oui);
    EXPECT_EQ(Accessibility::nom(commentaire),
              centre(QStringLiteral("Tu as fait 2 erreurs.")) + QLatin1Char('\n')
                  + centre(QStringLiteral("Je te pose à nouveau les 2 questions.")) + QLatin1Char('\n')
                  + QString(47, QLatin1Char(' ')) + QLatin1Char('\n') + centre(QStringLiteral("PRÊT?")));
    EXPECT_EQ(Accessibility::nom(oui), QStringLiteral("OUI"));
    QTest::mouseClick(oui, Qt::LeftButton);
    for (int n = 0; n < 2; ++n)
        repond();

    ASSERT_TRUE(attend([&] { return test.moteur().termine(); }));
    const struct
    {
        const char *controle;
        const char *entendu;
    } verdict[] = {
        {"Label_tu_sais", "Tu sais tes tables à"},
        {"label_pourcent", "96%"},
        {"Label_apprec", "très bien"},
        {"Label2", "Tu sais "},
        {"Label3", "MAL"},
        {"Label4", "la table de "},
        {"Label5", "7"},
        {"Label6", "Tu sais "},
        {"Label7", "BIEN"},
        {"Label8", "les tables de "},
        {"Label9", "2, 3, 4, 5, 6, 8 et 9."},
        {"Label10", "Conseil: commence par réviser la table de 7."},
        {"Label12", "Pour suivre ce conseil, clique sur \"étape suivante\""},
    };
    for (const auto &v : verdict) {
        SCOPED_TRACE(v.controle);
        auto *label = test.findChild<QLabel *>(QString::fromLatin1(v.controle));
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->isVisible());
        EXPECT_EQ(Accessibility::nom(label).toStdString(), std::string(v.entendu));
    }
    // The drawings of the verdict say what they show.
    EXPECT_EQ(Accessibility::description(test.findChild<QLabel *>(QStringLiteral("Image2"))).toStdString(),
              std::string("96 %, réponses fausses ou absentes : 7×2, 7×3"));
    EXPECT_EQ(Accessibility::description(test.findChild<QLabel *>(QStringLiteral("Image1"))).toStdString(),
              std::string("96 %, très bien"));
    const QStringList fautes = Accessibility::fautes(&test);
    EXPECT_TRUE(fautes.isEmpty()) << fautes.join(QLatin1Char('\n')).toStdString();
    test.hide();
    Dialogs::setTestMode(false);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
