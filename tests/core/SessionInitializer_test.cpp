#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/Dates.h"
#include "core/DefaultConfiguration.h"
#include "core/IniFile.h"
#include "core/NiveauxTexte.h"
#include "core/SessionInitializer.h"
#include "core/TeacherAccess.h"
#include "core/SystemServices.h"
#include "core/TextFile.h"
#include "support/FakeSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

// A stored path as a Windows workstation writes it.
QString backslashes(QString path)
{
    return path.replace(u'/', u'\\');
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList subfolders(const QString &path)
{
    return QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

const QString kTitreEcole = QStringLiteral("Tabulon version 0.97.01 :  apprentissage des tables à l'école - ");
const QString kRecherche = QStringLiteral("Recherche du serveur.....");

class SessionInitializerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_prog = m_dir.filePath("prog") + u'/';
        m_server = m_dir.filePath("srv");
        QDir().mkpath(m_prog);
        m_env.clock = &m_clock;
        m_env.system = &m_system;
        m_system.onlyListedReachable = true;
        m_env.programFolder = m_prog;
    }

    QString ini() const { return m_prog + "Tabulon.ini"; }
    void writeIni(const QStringList &lines) { ASSERT_TRUE(TextFile::saveLines(ini(), lines)); }

    // A school configuration whose server is m_server, written with "\".
    QStringList schoolIni(const QStringList &extraEtablissement = {}, const QString &tempsAcceptable = "4") const
    {
        QStringList lines{
            "[General]", "Mode=Ecole", "Autorise configuration personnelle=oui",
            "[Dossiers]", "Chemin serveur=" + backslashes(m_server),
            "Dossier élèves en réseau={Chemin serveur}\\Eleves",
            "Dossier élèves monoposte=Donnees\\Eleves", "Dossier statistiques=Statistiques",
            "[Paramètres]", "temps de réponse acceptable=" + tempsAcceptable, "temps de réponse maximum=30",
            "Objectifs tables classiques par defaut=table_7,table_8",
            "[Codes]", "Code d'accès professeur=1234", "Identification par code=oui",
            "[Etablissement]", "Nom=Collège des Tilleuls"};
        return lines + extraEtablissement;
    }

    void makeServer(const QStringList &iniLines)
    {
        QDir().mkpath(m_server + "/Tabulon/Statistiques");
        if (!iniLines.isEmpty()) {
            ASSERT_TRUE(TextFile::saveLines(m_server + "/Tabulon/Tabulon.ini", iniLines));
        }
    }

    bool start(SessionInitializer &init, int *cleanups = nullptr)
    {
        return init.initialise_session(
            [this](QString *path) {
                ++m_asked;
                m_proposal = *path;
                if (!m_answer)
                    return false;
                *path = *m_answer;
                return true;
            },
            [this, cleanups] {
                m_cleanupSawFolder = m_state.dossier_eleves;
                if (cleanups)
                    ++*cleanups;
            });
    }

    QTemporaryDir m_dir;
    QString m_prog;
    QString m_server;
    ManualClock m_clock{QDateTime(QDate(2026, 12, 10), QTime(10, 0, 0))};
    FakeSystem m_system{QStringLiteral("POSTE12")};
    Environment m_env;
    SessionState m_state;
    int m_asked = 0;
    QString m_proposal;
    std::optional<QString> m_answer;
    QString m_cleanupSawFolder;
};

} // namespace

TEST_F(SessionInitializerTest, FirstStartWritesTheDefaultsAndRunsAtHome)
{
    SessionInitializer init(m_state, m_env);
    EXPECT_TRUE(start(init));

    EXPECT_EQ(TextFile::loadLines(ini()), DefaultConfiguration::lignes());
    const QStringList stamp = TextFile::loadLines(m_prog + "PREMIER DEMARRAGE.TXT");
    EXPECT_EQ(stamp, QStringList{QString::number(Dates::ms_depuis_2000(m_clock.now()))});

    EXPECT_FALSE(m_state.mode_ecole);
    EXPECT_EQ(m_state.titre_fenetre, "Tabulon version 0.97.01 :  apprentissage des tables à la maison");
    EXPECT_TRUE(m_state.serveur_accessible);
    EXPECT_TRUE(m_state.poste_serveur);
    EXPECT_EQ(m_state.dossier_programme, m_prog);
    EXPECT_EQ(m_state.dossier_eleves, m_prog + "Eleves");
    EXPECT_TRUE(QFileInfo(m_prog + "Eleves").isDir());
    EXPECT_EQ(m_state.dossier_stats_local, m_prog + "Statistiques");
    EXPECT_TRUE(QFileInfo(m_prog + "Statistiques").isDir());
    EXPECT_TRUE(m_state.dossier_stats_serveur.isEmpty());
    EXPECT_EQ(m_state.annee_scolaire, "2026-2027");
    EXPECT_EQ(m_state.date_du_jour, "10/12/2026");
    EXPECT_EQ(m_state.jour_semaine, "Jeudi");
    EXPECT_EQ(m_state.heure_debut_seance, "10:00:00");

    EXPECT_EQ(m_state.temps_acceptable, 4);
    EXPECT_EQ(m_state.temps_maximum, 30);
    EXPECT_EQ(m_state.perfectionnement_temps_initial, 20);
    EXPECT_EQ(m_state.perfectionnement_temps_final, 20);
    EXPECT_EQ(m_state.nombre_items_par_bloc, 3);
    EXPECT_EQ(m_state.formule_recursive, "1.1.1.3");
    EXPECT_EQ(m_state.ordre_rangement_items, "valeur produit");
    EXPECT_TRUE(m_state.objectif_apprentissage.mode_tables);
    EXPECT_TRUE(m_state.chrono_test_visible);
    EXPECT_TRUE(m_state.bouton_pause_visible);
    EXPECT_FALSE(m_state.masquer_tests_incomplets);
    EXPECT_TRUE(m_state.perfectionnement_libre);
    EXPECT_FALSE(m_state.code_prof_requis);
    EXPECT_FALSE(m_state.identification_par_code);
    EXPECT_FALSE(m_state.autorise_config_perso);
    EXPECT_EQ(m_state.objectifs, "table_2,table_3,table_4,table_5,table_6,table_7,table_8,table_9");
    EXPECT_EQ(m_state.liste_produits.size(), 64);
    EXPECT_EQ(m_state.liste_tables, (QStringList{"02", "03", "04", "05", "06", "07", "08", "09"}));
    EXPECT_EQ(m_asked, 0);
    EXPECT_TRUE(init.journal().lignes().isEmpty());
    EXPECT_TRUE(init.problemes().isEmpty());

    // The stamp of the first start is never rewritten.
    m_clock.advanceMs(3600000);
    start(init);
    EXPECT_EQ(TextFile::loadLines(m_prog + "PREMIER DEMARRAGE.TXT"), stamp);
    EXPECT_EQ(m_state.heure_debut_seance, "11:00:00");
}

TEST_F(SessionInitializerTest, ANewSessionForgetsThePreviousPupil)
{
    SessionInitializer init(m_state, m_env);
    start(init);
    m_state.eleve.nom = "Dupont";
    m_state.eleve.cle_eleve = "Dupont_Léa";
    m_state.eleve.lignes_seance = {"\tTEST de ..."};
    m_state.eleve.seance_du_jour = true;
    m_state.eleve.graphique.append(EntreeGraphique{"Jeudi 10/12/2026", "80", "x"});
    start(init);
    EXPECT_TRUE(m_state.eleve.nom.isEmpty());
    EXPECT_TRUE(m_state.eleve.cle_eleve.isEmpty());
    EXPECT_TRUE(m_state.eleve.lignes_seance.isEmpty());
    EXPECT_TRUE(m_state.eleve.graphique.isEmpty());
    EXPECT_FALSE(m_state.eleve.seance_du_jour);
}

TEST_F(SessionInitializerTest, SchoolWithServerCopyDifferingOnlyByCaseKeepsTheLocalFile)
{
    writeIni(schoolIni());
    const QByteArray localBefore = bytesOf(ini());
    QStringList serverLines = schoolIni();
    serverLines[1] = "MODE=ECOLE";  // would not even be school mode if it were taken
    makeServer(serverLines);

    SessionInitializer init(m_state, m_env);
    int cleanups = 0;
    start(init, &cleanups);

    EXPECT_EQ(bytesOf(ini()), localBefore);
    EXPECT_EQ(init.journal().lignes(),
              (QStringList{kRecherche, "Récupération fichier configuration depuis serveur", "Fichier configuration récupéré",
                           "Nettoyage doublons éventuels entre poste local et serveur"}));
    EXPECT_EQ(TextFile::loadLines(m_prog + "Tabulon.log"), init.journal().lignes());
    EXPECT_TRUE(m_state.mode_ecole);
    EXPECT_TRUE(m_state.serveur_accessible);
    EXPECT_FALSE(m_state.poste_serveur);
    EXPECT_EQ(m_state.chemin_serveur, m_server);
    EXPECT_EQ(m_state.titre_fenetre, kTitreEcole + "Collège des Tilleuls");
    EXPECT_EQ(m_state.dossier_eleves, m_server + "/Eleves");
    EXPECT_TRUE(QFileInfo(m_server + "/Eleves").isDir());
    EXPECT_EQ(m_state.dossier_etablissement, m_server + "/Eleves/Collège des Tilleuls");
    EXPECT_EQ(m_state.dossier_annee, m_server + "/Eleves/Collège des Tilleuls/2026-2027");
    EXPECT_EQ(m_state.dossier_eleves_monoposte, "Donnees/Eleves");
    EXPECT_EQ(m_state.dossier_stats_serveur, m_server + "/Tabulon/Statistiques");
    EXPECT_EQ(cleanups, 1);
    EXPECT_EQ(m_cleanupSawFolder, m_server + "/Eleves");
    EXPECT_TRUE(m_state.code_prof_requis);
    EXPECT_EQ(m_state.code_professeur, "1234");
    EXPECT_TRUE(m_state.identification_par_code);
    EXPECT_TRUE(m_state.autorise_config_perso);
    EXPECT_EQ(m_state.objectifs, "table_7,table_8");
    EXPECT_EQ(m_state.liste_tables, (QStringList{"07", "08"}));
}

TEST_F(SessionInitializerTest, DifferingServerCopyReplacesTheLocalOneAndIsRead)
{
    writeIni(schoolIni());
    const QStringList serverLines = schoolIni({}, "7");
    makeServer(serverLines);

    SessionInitializer init(m_state, m_env);
    start(init);

    EXPECT_EQ(TextFile::loadLines(ini()), serverLines);
    EXPECT_TRUE(init.journal().lignes().contains("Ecriture Fichier configuration sur poste local"));
    EXPECT_EQ(m_state.temps_acceptable, 7);
}

TEST_F(SessionInitializerTest, EmptyServerCopyDoesNotWipeTheLocalSettings)
{
    writeIni(schoolIni());
    makeServer({});
    ASSERT_TRUE(TextFile::saveBytes(m_server + "/Tabulon/Tabulon.ini", QByteArray()));

    SessionInitializer init(m_state, m_env);
    start(init);
    EXPECT_EQ(TextFile::loadLines(ini()), schoolIni());
    EXPECT_TRUE(init.journal().lignes().contains("Récupération Fichier configuration impossible"));
    EXPECT_EQ(m_state.temps_acceptable, 4);
}

TEST_F(SessionInitializerTest, UnreachableServerWorksLocallyAndSearchesOnlyOnce)
{
    writeIni(schoolIni());  // m_server does not exist yet
    SessionInitializer init(m_state, m_env);
    int cleanups = 0;
    start(init, &cleanups);

    EXPECT_FALSE(m_state.serveur_accessible);
    EXPECT_FALSE(m_state.poste_serveur);
    EXPECT_TRUE(m_state.recherche_serveur_faite);
    EXPECT_EQ(m_state.titre_fenetre, kTitreEcole + "Collège des Tilleuls    (MODE MONOPOSTE)");
    EXPECT_EQ(m_state.dossier_eleves, m_prog + "Donnees/Eleves");
    EXPECT_TRUE(QFileInfo(m_prog + "Donnees/Eleves").isDir());
    EXPECT_EQ(init.journal().lignes(), QStringList{kRecherche});
    EXPECT_EQ(cleanups, 0);

    // The server comes back during the run: the search is not repeated.
    makeServer(schoolIni());
    start(init, &cleanups);
    EXPECT_FALSE(m_state.serveur_accessible);
    EXPECT_TRUE(init.journal().lignes().isEmpty());
    EXPECT_EQ(cleanups, 0);
}

TEST_F(SessionInitializerTest, ReachableServerWithoutItsTabulonFolder)
{
    struct Case { const char *computer; bool posteServeur; const char *suffix; };
    const Case cases[] = {
        {"POSTE12", false, "    (MODE MONOPOSTE)"},
        {"SRV", true, ""},  // the server path holds this machine's name
        {"", false, "    (MODE MONOPOSTE)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.computer);
        QDir().mkpath(m_server);
        writeIni(schoolIni());
        m_system.name = c.computer;
        SessionState state;
        SessionInitializer init(state, m_env);
        int cleanups = 0;
        init.initialise_session({}, [&cleanups] { ++cleanups; });
        EXPECT_TRUE(state.serveur_accessible);
        EXPECT_EQ(state.poste_serveur, c.posteServeur);
        EXPECT_EQ(state.titre_fenetre, kTitreEcole + "Collège des Tilleuls" + c.suffix);
        EXPECT_EQ(state.dossier_eleves, m_prog + "Donnees/Eleves");
        EXPECT_EQ(cleanups, 0);
    }
}

TEST_F(SessionInitializerTest, EmptyServerPathIsAskedTrimmedAndWrittenBack)
{
    QStringList lines = schoolIni();
    lines[4] = "Chemin serveur=";
    writeIni(lines);
    makeServer(schoolIni());
    m_answer = backslashes(m_server) + "\\";

    SessionInitializer init(m_state, m_env);
    start(init);
    EXPECT_EQ(m_asked, 1);
    EXPECT_FALSE(m_proposal.isEmpty());
    EXPECT_EQ(IniFile(ini()).readString("Dossiers", "Chemin serveur"), backslashes(m_server));
    EXPECT_EQ(m_state.chemin_serveur, m_server);
    // "{Chemin serveur}\Eleves" on the answer given.
    EXPECT_EQ(m_state.dossier_eleves, m_server + "/Eleves");
}

TEST_F(SessionInitializerTest, CancelledServerPathLeavesTheFileAndWorksLocally)
{
    QStringList lines = schoolIni();
    lines[4] = "Chemin serveur=";
    writeIni(lines);
    SessionInitializer init(m_state, m_env);
    start(init);  // no answer: cancelled
    EXPECT_EQ(m_asked, 1);
    EXPECT_EQ(IniFile(ini()).readString("Dossiers", "Chemin serveur"), QString());
    EXPECT_FALSE(m_state.serveur_accessible);
    EXPECT_TRUE(m_state.titre_fenetre.endsWith("(MODE MONOPOSTE)"));
}

TEST_F(SessionInitializerTest, ServerPlaceholderIsReplacedByTheStoredServerPath)
{
    // A share as Windows writes it: the fake answers for it, as a mounted share would.
    QStringList lines = schoolIni();
    lines[4] = "Chemin serveur=\\\\srv\\data";
    writeIni(lines);
    m_system.reachable.insert("//srv/data");
    SessionInitializer init(m_state, m_env);
    start(init);
    EXPECT_EQ(m_state.chemin_serveur, "//srv/data");
    EXPECT_TRUE(m_state.serveur_accessible);
    EXPECT_EQ(m_state.dossier_stats_serveur, "//srv/data/Tabulon/Statistiques");
}

TEST_F(SessionInitializerTest, RecordsFromTheServerReplaceTheLocalOnes)
{
    writeIni(schoolIni());
    makeServer(schoolIni());
    const QStringList server{"090050Martin_Paul", "100070dupont_Léa", "080030Zoé_Ali", "100070Dupont_Ana"};
    ASSERT_TRUE(TextFile::saveLines(m_server + "/Tabulon/Statistiques/liste_records.txt", server));
    ASSERT_TRUE(TextFile::saveLines(m_prog + "Statistiques/liste_records.txt", {"050010Ancien_Local"}));

    SessionInitializer init(m_state, m_env);
    EXPECT_FALSE(start(init));  // hidden until "Voir classement"
    const QStringList sorted{"080030Zoé_Ali", "090050Martin_Paul", "100070Dupont_Ana", "100070dupont_Léa"};
    EXPECT_EQ(m_state.liste_records, sorted);
    EXPECT_EQ(TextFile::loadLines(m_prog + "Statistiques/liste_records.txt"), sorted);
}

TEST_F(SessionInitializerTest, LocalRecordsAreShownAtOnce)
{
    ASSERT_TRUE(TextFile::saveLines(m_prog + "Statistiques/liste_records.txt", {"100090b_B", "", "100090A_a", "050010c_C"}));
    SessionInitializer init(m_state, m_env);
    EXPECT_TRUE(start(init));
    EXPECT_EQ(m_state.liste_records, (QStringList{"050010c_C", "100090A_a", "100090b_B"}));
}

TEST_F(SessionInitializerTest, DamagedConfigurationStillStarts)
{
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 131 + 7) % 256));
    struct Case { const char *name; QByteArray bytes; };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"garbage", "[[General\r\nMode\r\n=Ecole\r\n[Dossiers]]\r\n"},
        {"binary", binary},
        {"duplicated keys", "[General]\r\nMode=Maison\r\nMode=Ecole\r\n[Param\xE8tres]\r\n"
                            "temps de r\xE9ponse maximum=12\r\ntemps de r\xE9ponse maximum=99\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(TextFile::saveBytes(ini(), c.bytes));
        SessionState state;
        SessionInitializer init(state, m_env);
        init.initialise_session();
        EXPECT_FALSE(state.mode_ecole);
        EXPECT_TRUE(state.titre_fenetre.endsWith("à la maison"));
        // A damaged file is not replaced by the defaults: the teacher may want it back.
        EXPECT_EQ(bytesOf(ini()), c.bytes);
        EXPECT_EQ(state.liste_produits.size(), 64);
        EXPECT_TRUE(QFileInfo(state.dossier_eleves).isDir());
        EXPECT_TRUE(state.dossier_eleves.startsWith(m_prog));
    }
    EXPECT_EQ(IniFile(ini()).readInteger("Paramètres", "temps de réponse maximum"), 12);
}

TEST_F(SessionInitializerTest, OlderObjectiveFormIsConverted)
{
    QStringList lines = DefaultConfiguration::lignes();
    for (QString &l : lines) {
        if (l.startsWith("Objectifs tables classiques par defaut="))
            l = "Objectifs tables classiques par defaut=7x<2-9>,8x<2-9>";
    }
    writeIni(lines);
    SessionInitializer init(m_state, m_env);
    start(init);
    EXPECT_EQ(m_state.objectifs, "table_7,table_8");
    EXPECT_EQ(m_state.liste_produits, Catalogue::liste_produits_tables("table_7,table_8"));
}

TEST_F(SessionInitializerTest, SchoolIsSetUpFromTheLevelsOfTheYear)
{
    writeIni(schoolIni({"Niveaux et classes 2026-2027=CP<CPa>CE1<CE1a,CE1b>"}));
    makeServer(schoolIni({"Niveaux et classes 2026-2027=CP<CPa>CE1<CE1a,CE1b>"}));
    SessionInitializer init(m_state, m_env);
    start(init);
    const auto r = init.initialise_ecole();
    EXPECT_EQ(r.suite, SessionInitializer::SuiteEcole::Continue);
    EXPECT_FALSE(m_state.horloge_suspecte);
    EXPECT_FALSE(m_state.nouvelle_annee_scolaire);
    EXPECT_EQ(NiveauxTexte::format(m_state.niveaux), "CP<CPa>CE1<CE1a,CE1b>");
    EXPECT_EQ(m_state.nombreClasses(), 3);
    EXPECT_EQ(subfolders(m_state.dossier_etablissement), (QStringList{"2026-2027", "Hors classe"}));
    EXPECT_EQ(subfolders(m_state.dossier_annee), (QStringList{"CE1a", "CE1b", "CPa"}));
}

TEST_F(SessionInitializerTest, UnsafeClassAndSchoolNamesMakeNoFolderOutside)
{
    QStringList lines = schoolIni({"Niveaux et classes 2026-2027=CP<..,CPa,,a/b,\\x,.>CE1<CE1a>"});
    lines[lines.indexOf("Nom=Collège des Tilleuls")] = "Nom=..";
    writeIni(lines);
    SessionInitializer init(m_state, m_env);
    start(init);
    const QStringList before = subfolders(m_dir.path());
    EXPECT_EQ(init.initialise_ecole().suite, SessionInitializer::SuiteEcole::Continue);

    EXPECT_EQ(subfolders(m_dir.path()), before);
    EXPECT_EQ(subfolders(m_prog), (QStringList{"Donnees", "Statistiques"}));
    EXPECT_EQ(m_state.nom_etablissement, "..");
    EXPECT_EQ(QFileInfo(m_state.dossier_etablissement).absolutePath(), m_prog + "Donnees/Eleves");
    EXPECT_EQ(subfolders(m_prog + "Donnees/Eleves"), QStringList{QFileInfo(m_state.dossier_etablissement).fileName()});
    EXPECT_EQ(subfolders(m_state.dossier_annee), (QStringList{"CE1a", "CPa"}));
    EXPECT_EQ(NiveauxTexte::format(m_state.niveaux), "CP<CPa>CE1<CE1a>");
    int refused = 0;
    for (const QString &l : init.journal().lignes())
        refused += l.startsWith("Classe refusée") ? 1 : 0;
    EXPECT_EQ(refused, 5);
}

TEST_F(SessionInitializerTest, SuspectClockStopsTheSetUp)
{
    struct Case { const char *yearFolder; bool suspect; };
    const Case cases[] = {{"2030-2031", true}, {"2026-2027", false}, {"2abc", false}, {"1999-2000", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.yearFolder);
        QTemporaryDir dir;
        Environment env = m_env;
        env.programFolder = dir.filePath("prog") + u'/';
        QStringList lines = schoolIni({"Niveaux et classes 2026-2027=CP<CPa>"});
        ASSERT_TRUE(TextFile::saveLines(env.programFolder + "Tabulon.ini", lines));
        QDir().mkpath(env.programFolder + "Donnees/Eleves/Collège des Tilleuls/" + c.yearFolder);

        SessionState state;
        SessionInitializer init(state, env);
        init.initialise_session();
        const auto r = init.initialise_ecole();
        EXPECT_EQ(state.horloge_suspecte, c.suspect);
        if (c.suspect) {
            EXPECT_EQ(r.suite, SessionInitializer::SuiteEcole::ClockWarning);
            EXPECT_EQ(r.titre, "Attention!");
            EXPECT_EQ(r.texte, "Il semble que l'horloge soit déréglée: \n elle indique Jeudi 10/12/2026");
            EXPECT_TRUE(state.niveaux.isEmpty());
            EXPECT_FALSE(QFileInfo(state.dossier_annee).exists());
        } else {
            EXPECT_EQ(r.suite, SessionInitializer::SuiteEcole::Continue);
            EXPECT_TRUE(QFileInfo(state.dossier_annee + "/CPa").isDir());
        }
    }
}

TEST_F(SessionInitializerTest, NewSchoolYearTakesTheMostRecentStructure)
{
    struct Case { const char *name; QStringList etablissement; QString expected; };
    const Case cases[] = {
        {"three years back", {"Niveaux et classes 2015-2016=X<1>", "Niveaux et classes 2023-2024=CP<CPa>CE1<CE1a,CE1b>",
                              "Niveaux et classes 2021-2022=A<1>"}, "CP<CPa>CE1<CE1a,CE1b>"},
        {"none within ten years", {"Niveaux et classes 2015-2016=X<1>"}, NiveauxTexte::defaut()},
        {"nothing at all", {}, NiveauxTexte::defaut()},
        {"current year empty", {"Niveaux et classes 2026-2027=", "Niveaux et classes 2025-2026=B<b1>"}, "B<b1>"},
        {"current year damaged", {"Niveaux et classes 2026-2027=n'importe quoi"}, NiveauxTexte::defaut()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        Environment env = m_env;
        env.programFolder = dir.filePath("prog") + u'/';
        QStringList lines = schoolIni(c.etablissement);
        lines[lines.indexOf("Nom=Collège des Tilleuls")] = "Nom=";
        ASSERT_TRUE(TextFile::saveLines(env.programFolder + "Tabulon.ini", lines));
        SessionState state;
        SessionInitializer init(state, env);
        init.initialise_session();
        EXPECT_EQ(init.initialise_ecole().suite, SessionInitializer::SuiteEcole::NewSchoolYear);
        EXPECT_TRUE(state.nouvelle_annee_scolaire);
        EXPECT_EQ(state.nom_etablissement, "Collège de Valdorne");
        EXPECT_EQ(NiveauxTexte::format(state.niveaux), c.expected);
        EXPECT_FALSE(QFileInfo(state.dossier_annee).exists());
    }
}

TEST_F(SessionInitializerTest, YearSearchOfTheTeacherWindowIncludesTheCurrentYear)
{
    writeIni({"[Etablissement]", "Niveaux et classes 2026-2027=A<1>", "Niveaux et classes 2024-2025=B<2>"});
    const IniFile file(ini());
    EXPECT_EQ(SessionInitializer::annee_niveaux_recente(file, "2026-2027", 0, 10), "2026-2027");
    EXPECT_EQ(SessionInitializer::annee_niveaux_recente(file, "2026-2027", 1, 10), "2024-2025");
    EXPECT_EQ(SessionInitializer::annee_niveaux_recente(file, "2040-2041", 1, 10), QString());
    EXPECT_EQ(SessionInitializer::texte_niveaux_recent(file, "2026-2027", 1, 10), "B<2>");
    EXPECT_EQ(SessionInitializer::texte_niveaux_recent(file, "2040-2041", 0, 10), NiveauxTexte::defaut());
}

TEST_F(SessionInitializerTest, UnservableBlockSettingsFallBackToTheDefaultsWithALogLine)
{
    struct Case { const char *taille; const char *formule; bool taille_refusee; bool formule_refusee; };
    const Case cases[] = {
        {"5", "1.1.1", true, true},
        {"0", "1.0", true, true},
        {"4", "un.deux", false, true},
        {"2", "3.1.3", false, true},
        {"2", "1.1.2.1.1.4", false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.formule);
        QStringList lines = DefaultConfiguration::lignes();
        for (QString &l : lines) {
            if (l.startsWith("Nombre d'items par bloc="))
                l = QStringLiteral("Nombre d'items par bloc=") + c.taille;
            else if (l.startsWith("Formule récursive="))
                l = QStringLiteral("Formule récursive=") + c.formule;
        }
        writeIni(lines);
        SessionState state;
        SessionInitializer init(state, m_env);
        init.initialise_session();
        EXPECT_EQ(state.nombre_items_par_bloc, c.taille_refusee ? 3 : QByteArray(c.taille).toInt());
        EXPECT_EQ(state.formule_recursive, c.formule_refusee ? QStringLiteral("1.1.1.3") : QString::fromUtf8(c.formule));
        const QString journal = TextFile::loadLines(m_prog + "Tabulon.log").join(u'\n');
        EXPECT_EQ(journal.contains("Nombre d'items par bloc"), c.taille_refusee);
        EXPECT_EQ(journal.contains(QStringLiteral("Formule récursive \"") + c.formule), c.formule_refusee);
    }
}

TEST_F(SessionInitializerTest, AChangeOfPupilKeepsTheSchoolNameAndTheLiftedCode)
{
    writeIni(schoolIni({"Niveaux et classes 2026-2027=CP<CPa>"}));
    makeServer(schoolIni({"Niveaux et classes 2026-2027=CP<CPa>"}));
    SessionInitializer init(m_state, m_env);
    start(init);
    init.initialise_ecole();
    EXPECT_TRUE(m_state.code_prof_requis);
    const QString dossier = m_state.dossier_etablissement;

    // The teacher typed the code, keeping the access until the program ends,
    // and saved a new school name on the server and here.
    TeacherAccess acces(m_state);
    acces.setJusquaFermeture(true);
    ASSERT_EQ(acces.clique_Button_code("1234"), TeacherAccess::Resultat::Accepte);
    for (const QString &f : {ini(), m_server + "/Tabulon/Tabulon.ini"})
        ASSERT_TRUE(IniFile(f).writeString("Etablissement", "Nom", "Nouveau nom"));

    start(init);  // the next pupil
    EXPECT_FALSE(m_state.code_prof_requis);
    EXPECT_EQ(m_state.nom_etablissement, "Collège des Tilleuls");
    EXPECT_EQ(m_state.dossier_etablissement, dossier);
    // The code itself never reaches the log.
    for (const QString &l : TextFile::loadLines(m_prog + "Tabulon.log"))
        EXPECT_FALSE(l.contains("1234")) << l.toStdString();

    // The next run reads the new name.
    m_state = SessionState();
    SessionInitializer init2(m_state, m_env);
    start(init2);
    init2.initialise_ecole();
    EXPECT_EQ(m_state.nom_etablissement, "Nouveau nom");
    EXPECT_TRUE(m_state.code_prof_requis);
}

// A hand-edited "Tabulon.ini" (or a damaged one) can hold any number; each is
// held where it is read to what the settings window offers, so that the score
// arithmetic (ten times six times the acceptable time) cannot overflow.
TEST_F(SessionInitializerTest, NumbersOfTheSettingsFileAreHeldToTheirRange)
{
    struct Cas
    {
        QString brut;
        int temps;  // both response times and both perfectionnement times (1..99)
        int bloc;   // block size: outside 2..4 the default 3 takes its place
    };
    const Cas cas[] = {
        {"214748365", 99, 3}, {"99999999999999999999", 99, 3}, {"-7", 1, 3},
        {"0", 1, 3},          {" 12 ", 12, 3},                  {"abc", -1, 3},
    };
    const QStringList cles{"temps de réponse acceptable", "temps de réponse maximum", "Temps de réponse initial",
                           "Temps de réponse final", "Nombre d'items par bloc"};
    for (const Cas &c : cas) {
        QStringList lignes = DefaultConfiguration::lignes();
        for (QString &ligne : lignes) {
            for (const QString &cle : cles) {
                if (ligne.startsWith(cle + u'='))
                    ligne = cle + u'=' + c.brut;
            }
        }
        writeIni(lignes);
        m_state = SessionState{};
        SessionInitializer init(m_state, m_env);
        start(init);
        // An unreadable number falls back to the value a new configuration has.
        const auto attendu = [&](int parDefaut) { return c.temps < 0 ? parDefaut : c.temps; };
        EXPECT_EQ(m_state.temps_acceptable, attendu(4)) << c.brut.toStdString();
        EXPECT_EQ(m_state.temps_maximum, attendu(30)) << c.brut.toStdString();
        EXPECT_EQ(m_state.perfectionnement_temps_initial, attendu(20)) << c.brut.toStdString();
        EXPECT_EQ(m_state.perfectionnement_temps_final, attendu(20)) << c.brut.toStdString();
        EXPECT_EQ(m_state.nombre_items_par_bloc, c.bloc) << c.brut.toStdString();
    }
}
