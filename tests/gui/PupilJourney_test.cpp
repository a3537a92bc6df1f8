#include "app/GraphBar.h"
#include "app/ProgressGraph.h"
#include "app/RotatedLabel.h"
#include "app/TabulonApp.h"
#include "app/Tgeneral.h"
#include "app/Tident.h"
#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/IniFile.h"
#include "core/Paths.h"
#include "core/RandomSource.h"
#include "core/ShellLink.h"
#include "core/SystemServices.h"
#include "core/TextFile.h"
#include "timedtest/Ttest.h"
#include "training/TAdd.h"
#include "training/Tapprent.h"
#include "training/Tclavier.h"
#include "training/Tperfect.h"
#include "training/Treflechies.h"
#include "widgets/AnswerField.h"
#include "widgets/Dialogs.h"
#include "support/FakeSystem.h"
#include "widgets/Tboite_message.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <ostream>

// A pupil's whole road through the real program: identification, the first
// test with its countdown, the answers typed key by key, the second chance,
// the verdict, the graph, the change of pupil and the history file on disk;
// then a restart on the same folder, and the same road at school with a
// server folder.

// Readable failures: texts as UTF-8, stored bytes with their CR, LF, TAB and
// Windows-1252 letters escaped.
void PrintTo(const QString &texte, std::ostream *os)
{
    *os << '"' << texte.toStdString() << '"';
}

void PrintTo(const QByteArray &octets, std::ostream *os)
{
    *os << '"';
    for (const char c : octets) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            *os << "\\r";
        else if (c == '\n')
            *os << "\\n\n";
        else if (c == '\t')
            *os << "\\t";
        else if (u < 0x20 || u >= 0x7F)
            *os << "\\x" << "0123456789ABCDEF"[u >> 4] << "0123456789ABCDEF"[u & 15];
        else
            *os << c;
    }
    *os << '"';
}

namespace {

// The pupil's actions, one after the other, each run when its condition holds
// from whatever event loop is running then (the identification's modal loop,
// the main window's loop). An action never blocks: a click that opens a modal
// window is made from a zero timer, so that the scenario goes on inside that
// window's loop. A step that waits too long, or a fatal failure, closes every
// window so that the program's run() returns and the test can report.
class Scenario : public QObject
{
public:
    using Condition = std::function<bool()>;

    explicit Scenario(std::function<void()> arret) : m_arret(std::move(arret)) {}

    // A step run once.
    void etape(const QString &nom, Condition pret, std::function<void()> action)
    {
        m_etapes.append({nom, std::move(pret), [action = std::move(action)] {
                             action();
                             return true;
                         }});
    }
    // A step run each time its condition holds, until its action returns true.
    void repete(const QString &nom, Condition pret, std::function<bool()> action)
    {
        m_etapes.append({nom, std::move(pret), std::move(action)});
    }
    // Run at every tick before the current step: for what must be watched
    // while it happens (the countdown).
    void setVeille(std::function<void()> veille) { m_veille = std::move(veille); }

    void demarre()
    {
        m_depuis.start();
        planifie();
    }
    bool termine() const { return m_index >= m_etapes.size(); }
    QString etapeEnCours() const { return termine() ? QString() : m_etapes.at(m_index).nom; }

private:
    struct Etape
    {
        QString nom;
        Condition pret;
        std::function<bool()> action;
    };

    static constexpr int kDelaiEtapeMs = 15000;

    void planifie() { QTimer::singleShot(2, this, [this] { tic(); }); }

    void tic()
    {
        if (m_abandon) {
            m_arret();
            planifie();
            return;
        }
        if (termine())
            return;
        planifie();
        if (m_veille)
            m_veille();
        Etape &e = m_etapes[m_index];
        if (!e.pret()) {
            if (m_depuis.elapsed() > kDelaiEtapeMs) {
                ADD_FAILURE() << "Étape jamais atteinte: " << e.nom.toStdString();
                m_abandon = true;
            }
            return;
        }
        const bool finie = e.action();
        if (::testing::Test::HasFatalFailure()) {
            ADD_FAILURE() << "Arrêt à l'étape: " << e.nom.toStdString();
            m_abandon = true;
            return;
        }
        if (finie)
            ++m_index;
        m_depuis.restart();
    }

    QList<Etape> m_etapes;
    std::function<void()> m_veille;
    std::function<void()> m_arret;
    QElapsedTimer m_depuis;
    int m_index = 0;
    bool m_abandon = false;
};

template <typename T>
T *enfant(QObject *parent, const char *nom)
{
    return parent ? parent->findChild<T *>(QString::fromLatin1(nom)) : nullptr;
}

// "Séance du Jeudi 10/12/2026 ..." and the test lines are stored in
// Windows-1252; every character they hold is also in Latin-1, where the two
// agree.
QByteArray octets(const QStringList &lignes)
{
    QByteArray b;
    for (const QString &l : lignes)
        b += l.toLatin1() + "\r\n";
    return b;
}

// No warning, error or question box came up on the way.
void aucuneBoite()
{
    for (const Dialogs::Shown &b : Dialogs::history())
        ADD_FAILURE() << "Boîte inattendue: " << b.title.toStdString() << ": " << b.text.toStdString();
}

QByteArray contenu(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

class PupilJourneyTest : public ::testing::Test
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
        o.nomGarde = QStringLiteral("_TabulonParcours");
        o.dossierGarde = m_garde.path();
        return o;
    }

    QString fichier(const QString &relatif) const { return Paths::join(m_programme.path(), relatif); }

    // Ends a run that went wrong: every modal window is refused, the test
    // window hidden and the main window closed without a question.
    std::function<void()> arret(TabulonApp &programme)
    {
        return [&programme] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *d = qobject_cast<QDialog *>(w); d && d->isVisible())
                    d->reject();
            }
            Tgeneral *general = programme.general();
            if (!general)
                return;
            if (general->fenetres().test)
                general->fenetres().test->hide();
            if (general->isVisible()) {
                general->setFermetureSansQuestion(true);
                general->close();
            }
        };
    }

    // The registration form of the identification, typed in lower case as a
    // pupil types: the names come out capitalised.
    void inscritJeanDupont(Tident *ident)
    {
        auto *editNom = enfant<QLineEdit>(ident, "Edit_nom");
        auto *editPrenom = enfant<QLineEdit>(ident, "Edit_prenom");
        ASSERT_TRUE(editNom && editPrenom);
        ASSERT_TRUE(editNom->isVisible());
        EXPECT_EQ(ident->focusWidget(), editNom);
        QTest::keyClicks(editNom, QStringLiteral("dupont"));
        QTest::keyClick(editNom, Qt::Key_Return);
        EXPECT_EQ(ident->focusWidget(), editPrenom);
        QTest::keyClicks(editPrenom, QStringLiteral("jean"));
        EXPECT_EQ(editNom->text(), QStringLiteral("Dupont"));
        EXPECT_EQ(editPrenom->text(), QStringLiteral("Jean"));
        QTest::keyClick(editPrenom, Qt::Key_Return);
    }

    // The product on the screen, read from the question as the pupil reads it
    // (" 7×9? ").
    static QString produitAffiche(Ttest *test)
    {
        const QString texte = enfant<QLabel>(test, "Label_quest")->text().trimmed();
        const qsizetype signe = texte.indexOf(QChar(0xD7));
        if (signe < 1 || !texte.endsWith(u'?'))
            return {};
        return Catalogue::complete_zeros(texte.left(signe).toInt(), 2)
               + Catalogue::complete_zeros(texte.mid(signe + 1).chopped(1).toInt(), 2);
    }

    // Types the answer digit by digit, the first digit delaiMs after the
    // question; returns the record the program must write for it.
    QString tape(Ttest *test, const QString &code, const QString &reponse, qint64 delaiMs)
    {
        auto *champ = enfant<QLineEdit>(test, "MaskEdit1");
        m_horloge.advanceMs(delaiMs);
        for (qsizetype i = 0; i < reponse.size(); ++i) {
            if (i > 0)
                m_horloge.advanceMs(150);
            QTest::keyClick(champ, reponse.at(i).toLatin1());
        }
        return QStringLiteral("P") + code + Catalogue::complete_zeros(int(delaiMs / 100), 3)
               + Catalogue::complete_zeros(reponse.toInt(), 4);
    }

    static QString faux(const QString &juste)
    {
        const int n = juste.toInt();
        const QString plus = QString::number(n + 1);
        return plus.size() == juste.size() ? plus : QString::number(n - 1);
    }

    // The main window's graph: its bars and the texts drawn around them.
    struct Graphe
    {
        QList<GraphBar *> barres;
        QStringList textes;   // score labels and rotated day labels
    };
    static Graphe graphe(Tgeneral *general)
    {
        Graphe g;
        ProgressGraph *graphique = general->ui().graphique;
        for (int n = 1;; ++n) {
            auto *composant = graphique->findChild<QWidget *>(QStringLiteral("composant%1").arg(n));
            if (!composant)
                break;
            if (auto *barre = qobject_cast<GraphBar *>(composant))
                g.barres.append(barre);
            else if (auto *label = qobject_cast<QLabel *>(composant))
                g.textes.append(label->text());
            else if (auto *tourne = qobject_cast<RotatedLabel *>(composant))
                g.textes.append(tourne->text());
        }
        return g;
    }

    QTemporaryDir m_programme;
    QTemporaryDir m_garde;
    ManualClock m_horloge{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    SeededRandom m_hasard{20261210};
    FakeSystem m_systeme;
    Environment m_env;
};

// What a test answered by the scenario must have written.
struct Reponses
{
    QString enregistrements;
    QStringList fautifs;        // products answered wrongly in the first pass, in that order
    QStringList redemandes;     // products asked in the second chance
    qint64 dixiemes = 0;        // sum of the kept answers' times
    QDateTime debut;
    QDateTime fin;
};

TEST_F(PupilJourneyTest, AtHomeANewPupilTakesHisFirstTestAndFindsItAgainAfterARestart)
{
    const QString historique = fichier(QStringLiteral("Eleves/Dupont_Jean.txt"));
    const QString aujourdhui = QStringLiteral("Jeudi 10/12/2026");
    Reponses premier;
    QByteArray apresPremiereSeance;

    // First start: nothing on disk.
    {
        TabulonApp programme(m_env, options());
        Scenario scenario(arret(programme));
        auto general = [&] { return programme.general(); };
        auto ident = [&] { return general() ? general()->fenetres().ident : nullptr; };
        auto test = [&] { return general() ? general()->fenetres().test : nullptr; };
        auto boite = [&] { return general() ? general()->fenetres().boiteMessage : nullptr; };
        std::unique_ptr<QSignalSpy> questions;
        int repondues = 0;
        QStringList decompte;
        bool testAvantDecompte = false;

        scenario.etape(QStringLiteral("inscription"), [&] { return ident() && ident()->isVisible(); }, [&] {
            // A new pupil in an empty home folder goes straight to the registration.
            inscritJeanDupont(ident());
        });
        scenario.etape(
            QStringLiteral("menu"),
            [&] { return general() && general()->isVisible() && general()->ui().button_test->isVisible(); },
            [&] {
                EXPECT_FALSE(ident()->isVisible());
                EXPECT_EQ(general()->ui().Label_nom->text(), QStringLiteral("Dupont Jean"));
                EXPECT_FALSE(general()->ui().graphique->isVisible());
                // The windows come when first needed: built now, to be watched from the start.
                general()->construitFenetres();
                ASSERT_NE(test(), nullptr);
                questions = std::make_unique<QSignalSpy>(test(), &Ttest::questionPosee);
                // The short display of the answer before its correction is not
                // what this test looks at: 64 × 300 ms would only slow it down.
                enfant<QTimer>(test(), "affiche")->setInterval(1);
                m_horloge.advanceMs(7000);
                QTest::mouseClick(general()->ui().button_test, Qt::LeftButton);
            });
        scenario.etape(
            QStringLiteral("premier test"), [&] { return boite() && boite()->isVisible(); }, [&] {
                EXPECT_EQ(boite()->windowTitle(), QStringLiteral("Premier test"));
                EXPECT_EQ(boite()->commentaire(), QStringLiteral("Tu dois répondre avec le clavier.\r La vitesse compte!"));
                auto *ok = enfant<QPushButton>(boite(), "Button_OK");
                EXPECT_EQ(ok->text(), QStringLiteral("OK"));
                QTest::mouseClick(ok, Qt::LeftButton);
                EXPECT_EQ(boite()->commentaire(), QStringLiteral("PRÊT?"));
                EXPECT_EQ(ok->text(), QStringLiteral("OUI"));
                EXPECT_FALSE(test()->isVisible());
                QTest::mouseClick(ok, Qt::LeftButton);
                EXPECT_FALSE(ok->isVisible());
            });
        scenario.setVeille([&] {
            // The countdown: the box without its button.
            if (!boite() || !boite()->isVisible() || enfant<QPushButton>(boite(), "Button_OK")->isVisible())
                return;
            const QString c = boite()->commentaire();
            if (decompte.isEmpty() || decompte.last() != c)
                decompte << c;
            if (test() && test()->isVisible())
                testAvantDecompte = true;
        });
        scenario.etape(QStringLiteral("fenêtre du test"), [&] { return test() && test()->isVisible(); }, [&] {
            EXPECT_EQ(decompte, QStringList({QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("2"),
                                             QStringLiteral("1")}));
            EXPECT_FALSE(testAvantDecompte);
            EXPECT_FALSE(boite()->isVisible());
            EXPECT_EQ(test()->windowTitle(), QStringLiteral("Jean Dupont: test complet"));
            premier.debut = m_horloge.now();
        });

        // The first pass: every product of the objectives (the tables 2 to 9),
        // right within the acceptable time, except 7×2, 7×3 and 7×4 answered
        // right but slowly (10 s, a quarter of the marks) and two others
        // answered wrongly on purpose.
        scenario.repete(
            QStringLiteral("premier passage"),
            [&] { return questions && questions->count() > repondues && !test()->boiteMessage()->isVisible(); },
            [&] {
                const QString code = produitAffiche(test());
                EXPECT_EQ(code.size(), 4);
                const QString juste = Catalogue::resultat_produit(code);
                ++repondues;
                qint64 delai = 1200 + 100 * (repondues % 10);
                QString reponse = juste;
                if (code == QStringLiteral("0702") || code == QStringLiteral("0703") || code == QStringLiteral("0704"))
                    delai = 10000;
                else if (premier.fautifs.size() < 2 && repondues >= 5 && !code.startsWith(QStringLiteral("07")))
                    reponse = faux(juste);
                if (reponse != juste)
                    premier.fautifs << code;
                else
                    premier.dixiemes += delai / 100;
                premier.enregistrements += tape(test(), code, reponse, delai);
                return repondues == 64;
            });
        scenario.etape(
            QStringLiteral("deuxième chance"),
            [&] { return test()->boiteMessage()->isVisible(); },
            [&] {
                Tboite_message *chance = test()->boiteMessage();
                EXPECT_EQ(questions->count(), 64);
                EXPECT_EQ(chance->windowTitle(), QStringLiteral("DEUXIÈME CHANCE!"));
                const QStringList lignes = chance->commentaire().split(QChar(13));
                ASSERT_EQ(lignes.size(), 4);
                EXPECT_EQ(lignes[0].trimmed(), QStringLiteral("Tu as fait 2 erreurs."));
                EXPECT_EQ(lignes[1].trimmed(), QStringLiteral("Je te pose à nouveau les 2 questions."));
                EXPECT_EQ(lignes[3].trimmed(), QStringLiteral("PRÊT?"));
                auto *oui = enfant<QPushButton>(chance, "Button_OK");
                EXPECT_EQ(oui->text(), QStringLiteral("OUI"));
                QTest::mouseClick(oui, Qt::LeftButton);
            });
        scenario.repete(
            QStringLiteral("deuxième passage"),
            [&] { return questions->count() > repondues && !test()->boiteMessage()->isVisible(); },
            [&] {
                const QString code = produitAffiche(test());
                premier.redemandes << code;
                ++repondues;
                premier.dixiemes += 20;
                premier.enregistrements += tape(test(), code, Catalogue::resultat_produit(code), 2000);
                return repondues == 66;
            });
        scenario.etape(
            QStringLiteral("verdict"), [&] { return enfant<QWidget>(test(), "Panel3")->isVisible(); }, [&] {
                premier.fin = m_horloge.now();
                EXPECT_EQ(premier.redemandes, premier.fautifs);
                EXPECT_FALSE(enfant<QWidget>(test(), "MaskEdit1")->isVisible());
                // Table 7: (5 × 100 + 3 × 25) / 8 = 71, known badly; the others
                // at 100; the whole: (61 × 100 + 3 × 25) / 64 = 96.
                const struct
                {
                    const char *label;
                    QString texte;
                } attendus[] = {
                    {"Label_tu_sais", QStringLiteral("Tu sais tes tables à")},
                    {"label_pourcent", QStringLiteral("96%")},
                    {"Label_apprec", QStringLiteral("très bien")},
                    {"Label3", QStringLiteral("MAL")},
                    {"Label4", QStringLiteral("la table de ")},
                    {"Label5", QStringLiteral("7")},
                    {"Label7", QStringLiteral("BIEN")},
                    {"Label8", QStringLiteral("les tables de ")},
                    {"Label9", QStringLiteral("2, 3, 4, 5, 6, 8 et 9.")},
                    {"Label10", QStringLiteral("Conseil: commence par réviser la table de 7.")},
                };
                for (const auto &a : attendus) {
                    SCOPED_TRACE(a.label);
                    auto *label = enfant<QLabel>(test(), a.label);
                    ASSERT_NE(label, nullptr);
                    EXPECT_TRUE(label->isVisible());
                    EXPECT_EQ(label->text(), a.texte);
                }
                EXPECT_FALSE(enfant<QLabel>(test(), "Label11")->isVisible());
                auto *retour = enfant<QPushButton>(test(), "BitBtn1");
                EXPECT_EQ(retour->text(), QStringLiteral("   Retour menu "));
                QTest::mouseClick(retour, Qt::LeftButton);
            });
        scenario.etape(QStringLiteral("retour au menu"), [&] { return !test()->isVisible(); }, [&] {
            // The day's test is done: the "  TEST" button goes, the bar comes.
            EXPECT_FALSE(general()->ui().button_test->isVisible());
            EXPECT_TRUE(general()->ui().graphique->isVisible());
            const Graphe g = graphe(general());
            ASSERT_EQ(g.barres.size(), 1);
            EXPECT_EQ(g.barres[0]->fillColor(), QColor(0x00, 0x00, 0xFF));
            EXPECT_TRUE(g.textes.contains(QStringLiteral("96%")));
            EXPECT_TRUE(g.textes.contains(QStringLiteral("Jeu 10/12/26")));
            // The complete classic test entered the records list.
            EXPECT_EQ(general()->ui().LabelRecords[0]->text(), QStringLiteral("1. Dupont Jean"));
            m_horloge.advanceMs(30000);
            QTimer::singleShot(0, general()->ui().ButtonChangerEleve, &QToolButton::click);
        });
        scenario.etape(QStringLiteral("changement d'élève"), [&] { return ident()->isVisible(); }, [&] {
            apresPremiereSeance = contenu(historique);
            // He is known now: the next pupil is offered his name.
            auto *liste = enfant<QListWidget>(ident(), "ListBox1");
            EXPECT_TRUE(liste->isVisible());
            EXPECT_EQ(liste->count(), 1);
            EXPECT_EQ(liste->item(0)->text(), QStringLiteral("Dupont Jean"));
            // The pupil closes the window instead of choosing; then the program.
            ident()->reject();
        });
        scenario.etape(QStringLiteral("fermeture"), [&] { return !ident()->isVisible(); },
                       [&] { general()->close(); });

        scenario.demarre();
        EXPECT_EQ(programme.run(), 0);
        ASSERT_TRUE(scenario.termine()) << "bloqué à: " << scenario.etapeEnCours().toStdString();
    }

    aucuneBoite();

    // The history: the session header and the test line, byte for byte.
    const QString ligneTest = QStringLiteral("\tTEST de ") + premier.debut.toString(QStringLiteral("HH:mm:ss"))
                              + QStringLiteral(" à ") + premier.fin.toString(QStringLiteral("HH:mm:ss"))
                              + QLatin1Char(' ') + premier.enregistrements;
    const QString entete = QStringLiteral("Séance du ") + aujourdhui + QStringLiteral(" de 10:00:00 à ")
                           + premier.fin.addMSecs(30000).toString(QStringLiteral("HH:mm:ss"))
                           + QStringLiteral(" sur le poste \"POSTE-TEST\"");
    EXPECT_EQ(premier.debut.time(), QTime(10, 0, 7));
    EXPECT_EQ(premier.enregistrements.size(), 66 * 12);
    EXPECT_EQ(apresPremiereSeance, octets({entete, ligneTest}));
    EXPECT_TRUE(apresPremiereSeance.startsWith("S\xE9" "ance du Jeudi 10/12/2026 de 10:00:00 \xE0 "));
    // Closing after the change of pupil added nothing.
    EXPECT_EQ(contenu(historique), apresPremiereSeance);

    // Records line: score, speed (right answers per minute), key.
    const int vitesse = int(std::nearbyint(60.0 * 64 / (double(premier.dixiemes) / 10)));
    EXPECT_EQ(TextFile::loadLines(fichier(QStringLiteral("Statistiques/liste_records.txt"))),
              QStringList({QStringLiteral("096") + Catalogue::complete_zeros(vitesse, 3) + QStringLiteral("Dupont_Jean")}));

    // Second start on the same folder: the pupil picks his name, his history
    // gives the same bar back; a second test that day is allowed after the
    // warning but does not change the day's bar.
    m_horloge.advanceMs(20 * 60 * 1000);
    QByteArray apresDeuxiemeSeance;
    QDateTime debutSeance2;
    QDateTime finSeance2;
    Reponses second;
    {
        TabulonApp programme(m_env, options());
        Scenario scenario(arret(programme));
        auto general = [&] { return programme.general(); };
        auto ident = [&] { return general() ? general()->fenetres().ident : nullptr; };
        auto test = [&] { return general() ? general()->fenetres().test : nullptr; };
        std::unique_ptr<QSignalSpy> questions;
        int repondues = 0;
        Graphe avantTest;

        scenario.etape(QStringLiteral("son nom"), [&] { return ident() && ident()->isVisible(); }, [&] {
            auto *question = enfant<QLabel>(ident(), "label_inscription");
            EXPECT_EQ(question->text(), QStringLiteral("Est-ce ton nom?"));
            auto *liste = enfant<QListWidget>(ident(), "ListBox1");
            ASSERT_EQ(liste->count(), 1);
            EXPECT_EQ(liste->item(0)->text(), QStringLiteral("Dupont Jean"));
            debutSeance2 = m_horloge.now();
            QTest::mouseClick(enfant<QPushButton>(ident(), "Button_oui"), Qt::LeftButton);
        });
        scenario.etape(QStringLiteral("son graphique"), [&] { return general() && general()->isVisible(); }, [&] {
            EXPECT_EQ(general()->ui().Label_nom->text(), QStringLiteral("Dupont Jean"));
            EXPECT_TRUE(general()->ui().graphique->isVisible());
            avantTest = graphe(general());
            ASSERT_EQ(avantTest.barres.size(), 1);
            EXPECT_EQ(avantTest.barres[0]->fillColor(), QColor(0x00, 0x00, 0xFF));
            EXPECT_TRUE(avantTest.textes.contains(QStringLiteral("96%")));
            EXPECT_TRUE(avantTest.textes.contains(QStringLiteral("Jeu 10/12/26")));

            general()->construitFenetres();
            questions = std::make_unique<QSignalSpy>(test(), &Ttest::questionPosee);
            enfant<QTimer>(test(), "affiche")->setInterval(1);
            Dialogs::clearHistory();
            Dialogs::setNextAnswer(true);
            QTest::mouseClick(general()->ui().button_test, Qt::LeftButton);
            ASSERT_EQ(Dialogs::history().size(), 1);
            EXPECT_EQ(Dialogs::history()[0].title, QStringLiteral("UN SEUL test par jour"));
            EXPECT_EQ(Dialogs::history()[0].kind, QStringLiteral("okCancel"));
        });
        scenario.repete(
            QStringLiteral("second test"), [&] { return questions && questions->count() > repondues; }, [&] {
                const QString code = produitAffiche(test());
                ++repondues;
                second.enregistrements += tape(test(), code, Catalogue::resultat_produit(code), 1500);
                return repondues == 64;
            });
        scenario.etape(
            QStringLiteral("verdict parfait"), [&] { return enfant<QWidget>(test(), "Panel3")->isVisible(); },
            [&] {
                second.fin = m_horloge.now();
                EXPECT_FALSE(test()->boiteMessage()->isVisible());
                EXPECT_EQ(enfant<QLabel>(test(), "label_pourcent")->text(), QStringLiteral("100%"));
                EXPECT_EQ(enfant<QLabel>(test(), "Label_apprec")->text(), QStringLiteral("parfait"));
                EXPECT_EQ(enfant<QLabel>(test(), "Label9")->text(), QStringLiteral("2, 3, 4, 5, 6, 7, 8 et 9."));
                EXPECT_FALSE(enfant<QLabel>(test(), "Label3")->isVisible());
                EXPECT_FALSE(enfant<QLabel>(test(), "Label10")->isVisible());
                QTest::mouseClick(enfant<QPushButton>(test(), "BitBtn1"), Qt::LeftButton);
            });
        scenario.etape(QStringLiteral("même barre"), [&] { return !test()->isVisible(); }, [&] {
            // Only the first test of a day makes the bar.
            const Graphe g = graphe(general());
            ASSERT_EQ(g.barres.size(), 1);
            EXPECT_EQ(g.barres[0]->fillColor(), QColor(0x00, 0x00, 0xFF));
            EXPECT_EQ(g.textes, avantTest.textes);
            m_horloge.advanceMs(60000);
            finSeance2 = m_horloge.now();
            QTimer::singleShot(0, general()->ui().ButtonChangerEleve, &QToolButton::click);
        });
        scenario.etape(QStringLiteral("changement d'élève"), [&] { return ident()->isVisible(); }, [&] {
            apresDeuxiemeSeance = contenu(historique);
            ident()->reject();
        });
        scenario.etape(QStringLiteral("fermeture"), [&] { return !ident()->isVisible(); },
                       [&] { general()->close(); });

        scenario.demarre();
        EXPECT_EQ(programme.run(), 0);
        ASSERT_TRUE(scenario.termine()) << "bloqué à: " << scenario.etapeEnCours().toStdString();
    }

    const QString entete2 = QStringLiteral("Séance du ") + aujourdhui + QStringLiteral(" de ")
                            + debutSeance2.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" à ")
                            + finSeance2.toString(QStringLiteral("HH:mm:ss"))
                            + QStringLiteral(" sur le poste \"POSTE-TEST\"");
    const QString ligneTest2 = QStringLiteral("\tTEST de ") + debutSeance2.toString(QStringLiteral("HH:mm:ss"))
                               + QStringLiteral(" à ") + second.fin.toString(QStringLiteral("HH:mm:ss"))
                               + QLatin1Char(' ') + second.enregistrements;
    EXPECT_EQ(apresDeuxiemeSeance, octets({entete, ligneTest, entete2, ligneTest2}));
    EXPECT_EQ(contenu(historique), apresDeuxiemeSeance);
}

// The settings read at start reach every activity, although every window
// was built before they were read: with an acceptable time of 2 s the
// reasoned tables hurry an answer given after 4.5 s, but not a first answer
// given 0.3 s after the question appears. A stray Escape closes none of the
// activities; their close box does.
TEST_F(PupilJourneyTest, TheSettingsOfTheStartReachEveryActivityAndEscapeEndsNone)
{
    {
        TabulonApp::Options o = options();
        o.arretPremiereFenetre = true;
        TabulonApp premier(m_env, o);
        premier.run();
    }
    IniFile ini(fichier(QStringLiteral("Tabulon.ini")));
    ASSERT_TRUE(ini.exists());
    ASSERT_TRUE(ini.writeInteger(QStringLiteral("Paramètres"), QStringLiteral("temps de réponse acceptable"), 2));

    TabulonApp programme(m_env, options());
    Scenario scenario(arret(programme));
    auto general = [&] { return programme.general(); };
    auto ident = [&] { return general() ? general()->fenetres().ident : nullptr; };
    std::unique_ptr<QSignalSpy> questions;
    QStringList ouvertes;

    scenario.etape(QStringLiteral("inscription"), [&] { return ident() && ident()->isVisible(); },
                   [&] { inscritJeanDupont(ident()); });
    scenario.etape(QStringLiteral("menu"), [&] { return general() && general()->isVisible(); }, [&] {
        EXPECT_EQ(programme.state().temps_acceptable, 2);
        // Windows are built at their first use; the spies need them now.
        general()->construitFenetres();
        Treflechies *reflechies = general()->fenetres().reflechies;
        ASSERT_NE(reflechies, nullptr);
        questions = std::make_unique<QSignalSpy>(reflechies, &GameWindow::questionPosee);
        QTimer::singleShot(0, general(), [&] { general()->ui().SpeedButton_1_10->click(); });
    });
    scenario.etape(QStringLiteral("première question"),
                   [&] { return general()->fenetres().reflechies->isVisible() && questions->count() == 1; }, [&] {
        Treflechies *reflechies = general()->fenetres().reflechies;
        EXPECT_EQ(reflechies->jeu().secondes_acceptables(), 2);
        QWidget *champ = reflechies->champ();
        m_horloge.advanceMs(300);
        for (QChar c : reflechies->jeu().round().attendu())
            QTest::keyClick(champ, c.toLatin1());
        EXPECT_EQ(reflechies->jeu().round().temps_reponse(), 300);
        EXPECT_FALSE(enfant<QLabel>(reflechies, "GradLabel2")->isVisible());
        QTest::keyClick(champ, Qt::Key_Escape);
        EXPECT_TRUE(reflechies->isVisible());
    });
    scenario.etape(QStringLiteral("deuxième question"),
                   [&] { return questions->count() == 2; }, [&] {
        Treflechies *reflechies = general()->fenetres().reflechies;
        m_horloge.advanceMs(4500);
        for (QChar c : reflechies->jeu().round().attendu())
            QTest::keyClick(reflechies->champ(), c.toLatin1());
        EXPECT_TRUE(enfant<QLabel>(reflechies, "GradLabel2")->isVisible());
        EXPECT_EQ(enfant<QLabel>(reflechies, "GradLabel2")->text(), QStringLiteral("Plus vite!"));
        reflechies->close();
    });
    // Each other activity: opened from its button, Escape, still there, closed.
    const QList<std::pair<const char *, std::function<QDialog *()>>> activites = {
        {"SpeedButton_perfectionnement", [&]() -> QDialog * { return general()->fenetres().perfect; }},
        {"SpeedButton_additions", [&]() -> QDialog * { return general()->fenetres().add; }},
        {"SpeedButton_el_6", [&]() -> QDialog * { return general()->fenetres().clavier; }},
        {"SpeedButton_apprentissage", [&]() -> QDialog * { return general()->fenetres().apprent; }},
    };
    for (const auto &[bouton, fenetre] : activites) {
        const QString nom = QString::fromLatin1(bouton);
        scenario.etape(QStringLiteral("ouvre ") + nom,
                       [&, fenetre] { return general()->isActiveWindow() || !QApplication::activeModalWidget(); },
                       [&, nom] {
                           auto *b = enfant<QAbstractButton>(general(), nom.toLatin1().constData());
                           ASSERT_NE(b, nullptr);
                           QTimer::singleShot(0, general(), [b] { b->click(); });
                       });
        scenario.etape(QStringLiteral("Échap dans ") + nom, [fenetre] { return fenetre() && fenetre()->isVisible(); },
                       [&, fenetre] {
                           QDialog *d = fenetre();
                           ouvertes << d->objectName();
                           QWidget *focus = d->focusWidget();
                           QTest::keyClick(focus ? focus : d, Qt::Key_Escape);
                           QTest::keyClick(d, Qt::Key_Escape);
                           QApplication::processEvents();
                           EXPECT_TRUE(d->isVisible()) << d->objectName().toStdString();
                           d->close();
                           EXPECT_FALSE(d->isVisible());
                       });
    }
    scenario.etape(QStringLiteral("fin"), [&] { return !QApplication::activeModalWidget(); }, [&] {
        general()->setFermetureSansQuestion(true);
        general()->close();
    });
    scenario.demarre();
    EXPECT_EQ(programme.run(), 0);
    EXPECT_TRUE(scenario.termine()) << scenario.etapeEnCours().toStdString();
    EXPECT_EQ(ouvertes, QStringList({"Tperfect", "TAdd", "Tclavier", "Tapprent"}));
}

TEST_F(PupilJourneyTest, AtSchoolTheHistoryAndTheClassLinkGoToTheServer)
{
    const QString serveur = fichier(QStringLiteral("serveur"));
    ASSERT_TRUE(QDir().mkpath(Paths::join(serveur, QStringLiteral("Tabulon"))));
    ASSERT_TRUE(TextFile::saveLines(
        fichier(QStringLiteral("Tabulon.ini")),
        {QStringLiteral("[General]"), QStringLiteral("Mode=Ecole"), QStringLiteral("[Dossiers]"),
         QStringLiteral("Chemin serveur=") + serveur,
         QStringLiteral("Dossier élèves en réseau={Chemin serveur}\\Eleves"),
         QStringLiteral("Dossier élèves monoposte=Eleves"), QStringLiteral("Dossier statistiques=Statistiques"),
         QStringLiteral("[Etablissement]"), QStringLiteral("Nom=Ecole du Test"),
         QStringLiteral("Niveaux et classes 2026-2027=CM1<CM1a>CM2<CM2a,CM2b>"),
         QStringLiteral("Objectifs tables classiques par niveaux=CM1<table_2>CM2<table_2,table_5>"),
         QStringLiteral("[Paramètres]"), QStringLiteral("temps de réponse acceptable=4"),
         QStringLiteral("temps de réponse maximum=30"),
         QStringLiteral("Objectifs tables classiques par defaut=table_2,table_3,table_4,table_5,table_6,table_7,"
                        "table_8,table_9"),
         QStringLiteral("[Codes]"), QStringLiteral("Identification par code=non"),
         QStringLiteral("[Apparence]"), QStringLiteral("Chrono test visible=oui")}));

    const QString ecole = Paths::join(serveur, QStringLiteral("Eleves/Ecole du Test"));
    const QString historique = Paths::join(ecole, QStringLiteral("Dupont_Jean.txt"));
    const QString lien = Paths::join(ecole, QStringLiteral("2026-2027/CM2b/Dupont_Jean.lnk"));
    QString enregistrements;
    QDateTime debut;
    QDateTime fin;
    QByteArray apresChangement;
    bool lienPresent = false;
    {
        TabulonApp programme(m_env, options());
        Scenario scenario(arret(programme));
        auto general = [&] { return programme.general(); };
        auto ident = [&] { return general() ? general()->fenetres().ident : nullptr; };
        auto test = [&] { return general() ? general()->fenetres().test : nullptr; };
        auto boite = [&] { return general() ? general()->fenetres().boiteMessage : nullptr; };
        std::unique_ptr<QSignalSpy> questions;
        int repondues = 0;
        int nombre = 0;
        QString fautif;

        scenario.etape(QStringLiteral("sa classe"), [&] { return ident() && ident()->isVisible(); }, [&] {
            EXPECT_EQ(enfant<QLabel>(ident(), "label_classe")->text(), QStringLiteral("Clique sur ta classe:"));
            auto *cm2 = enfant<QListWidget>(ident(), "ListBox2");
            ASSERT_NE(cm2, nullptr);
            ASSERT_EQ(cm2->count(), 2);
            QListWidgetItem *item = cm2->item(1);
            ASSERT_EQ(item->text(), QStringLiteral("CM2b"));
            QTest::mouseClick(cm2->viewport(), Qt::LeftButton, {}, cm2->visualItemRect(item).center());
            // An empty class goes straight to the registration.
            EXPECT_EQ(enfant<QLabel>(ident(), "PanelClasse")->text(), QStringLiteral(" Classe: CM2b "));
            inscritJeanDupont(ident());
        });
        scenario.etape(
            QStringLiteral("menu"),
            [&] { return general() && general()->isVisible() && general()->ui().button_test->isVisible(); },
            [&] {
                EXPECT_EQ(general()->ui().Label_classe->text(), QStringLiteral("CM2b"));
                general()->construitFenetres();
                questions = std::make_unique<QSignalSpy>(test(), &Ttest::questionPosee);
                enfant<QTimer>(test(), "affiche")->setInterval(1);
                // The countdown was watched at home; here it only has to end.
                enfant<QTimer>(boite(), "Timer1")->setInterval(10);
                QTest::mouseClick(general()->ui().button_test, Qt::LeftButton);
                EXPECT_EQ(boite()->windowTitle(), QStringLiteral("Premier test"));
                auto *ok = enfant<QPushButton>(boite(), "Button_OK");
                QTest::mouseClick(ok, Qt::LeftButton);
                QTest::mouseClick(ok, Qt::LeftButton);
            });
        scenario.etape(QStringLiteral("fenêtre du test"), [&] { return test()->isVisible(); }, [&] {
            debut = m_horloge.now();
        });
        // The level's objectives: the tables 2 and 5, one wrong answer.
        scenario.repete(
            QStringLiteral("questions"),
            [&] { return questions->count() > repondues && !test()->boiteMessage()->isVisible(); },
            [&] {
                const QString code = produitAffiche(test());
                const QString juste = Catalogue::resultat_produit(code);
                ++repondues;
                QString reponse = juste;
                if (repondues == 3) {
                    fautif = code;
                    reponse = faux(juste);
                }
                enregistrements += tape(test(), code, reponse, 1800);
                nombre = repondues;
                return repondues == 17;
            });
        scenario.setVeille([&] {
            // The single mistake's box is answered as it comes.
            Tboite_message *chance = test() ? test()->boiteMessage() : nullptr;
            if (!chance || !chance->isVisible())
                return;
            const QStringList lignes = chance->commentaire().split(QChar(13));
            EXPECT_EQ(nombre, 16);
            EXPECT_EQ(lignes.value(0).trimmed(), QStringLiteral("Tu as fait 1 erreur."));
            EXPECT_EQ(lignes.value(1).trimmed(), QStringLiteral("Je te pose à nouveau la question."));
            QTest::mouseClick(enfant<QPushButton>(chance, "Button_OK"), Qt::LeftButton);
        });
        scenario.etape(
            QStringLiteral("verdict"), [&] { return enfant<QWidget>(test(), "Panel3")->isVisible(); }, [&] {
                fin = m_horloge.now();
                EXPECT_EQ(enregistrements.mid(16 * 12, 5), QStringLiteral("P") + fautif);
                // Not the whole classic set: the share of all the tables is told.
                EXPECT_EQ(enfant<QLabel>(test(), "Label_tu_sais")->text(),
                          QStringLiteral("Tu sais les tables testées à"));
                EXPECT_EQ(enfant<QLabel>(test(), "label_pourcent")->text(), QStringLiteral("100%"));
                EXPECT_EQ(enfant<QLabel>(test(), "Label11")->text(),
                          QStringLiteral("c'est à dire 25% de toutes les tables."));
                QTest::mouseClick(enfant<QPushButton>(test(), "BitBtn1"), Qt::LeftButton);
            });
        scenario.etape(QStringLiteral("retour au menu"), [&] { return !test()->isVisible(); }, [&] {
            const Graphe g = graphe(general());
            ASSERT_EQ(g.barres.size(), 1);
            EXPECT_EQ(g.barres[0]->fillColor(), QColor(0xFF, 0x00, 0xFF));
            EXPECT_TRUE(g.textes.contains(QStringLiteral("100%")));
            m_horloge.advanceMs(10000);
            QTimer::singleShot(0, general()->ui().ButtonChangerEleve, &QToolButton::click);
        });
        scenario.etape(QStringLiteral("changement d'élève"), [&] { return ident()->isVisible(); }, [&] {
            apresChangement = contenu(historique);
            lienPresent = QFileInfo::exists(lien);
            ident()->reject();
        });
        scenario.etape(QStringLiteral("fermeture"), [&] { return !ident()->isVisible(); },
                       [&] { general()->close(); });

        scenario.demarre();
        EXPECT_EQ(programme.run(), 0);
        ASSERT_TRUE(scenario.termine()) << "bloqué à: " << scenario.etapeEnCours().toStdString();
    }

    aucuneBoite();
    EXPECT_EQ(enregistrements.size(), 17 * 12);
    const QString entete = QStringLiteral("Séance du Jeudi 10/12/2026 de 10:00:00 à ")
                           + fin.addMSecs(10000).toString(QStringLiteral("HH:mm:ss"))
                           + QStringLiteral(" sur le poste \"POSTE-TEST\"");
    const QString ligneTest = QStringLiteral("\tTEST de ") + debut.toString(QStringLiteral("HH:mm:ss"))
                              + QStringLiteral(" à ") + fin.toString(QStringLiteral("HH:mm:ss")) + QLatin1Char(' ')
                              + enregistrements;
    EXPECT_EQ(apresChangement, octets({entete, ligneTest}));
    EXPECT_TRUE(lienPresent);
    EXPECT_EQ(ShellLink::readTarget(lien), historique);
    // Nothing of him stayed on the workstation.
    EXPECT_FALSE(QFileInfo::exists(fichier(QStringLiteral("Eleves/Ecole du Test/Dupont_Jean.txt"))));
    EXPECT_FALSE(QFileInfo::exists(fichier(QStringLiteral("Eleves/Dupont_Jean.txt"))));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
