#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/HistoryLines.h"
#include "core/HistoryMerge.h"
#include "core/IniFile.h"
#include "core/MonopostCleanup.h"
#include "core/PupilHistory.h"
#include "core/PupilSession.h"
#include "core/RandomSource.h"
#include "core/SharedFileLock.h"
#include "core/ShellLink.h"
#include "core/SystemServices.h"
#include "core/TextFile.h"
#include "support/FakeSystem.h"
#include "support/NoRootOverride.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

const QString kClassiques = QStringLiteral("table_2,table_3,table_4,table_5,table_6,table_7,table_8,table_9");

QString reponses(const QString &tables, int dixiemes = 10, bool justes = true)
{
    QString r;
    for (const QString &code : Catalogue::liste_produits_tables(tables))
        r += u'P' + code + Catalogue::complete_zeros(dixiemes, 3)
             + (justes ? Catalogue::resultat_produit_4(code) : QStringLiteral("0000"));
    return r;
}

QString ligneTest(const QString &debut, const QString &enregistrements)
{
    return QStringLiteral("\tTEST de %1 à 10:20:00 ").arg(debut) + enregistrements;
}

struct SessionFixture : ::testing::Test
{
    QTemporaryDir dir;
    ManualClock clock{QDateTime(QDate(2006, 11, 14), QTime(10, 2, 11))};
    FakeSystem system{QStringLiteral("POSTE-12")};
    SeededRandom random{7};
    Environment env;
    SessionState state;
    QString fichier;

    void SetUp() override
    {
        env.clock = &clock;
        env.random = &random;
        env.system = &system;
        env.programFolder = dir.filePath("prog") + u'/';
        state.dossier_programme = env.programFolder;
        state.temps_acceptable = 6;
        state.ne_travailler_que_les_trous = QStringLiteral("non");
        IniFile ini(PupilSession::cheminIni(state, env));
        ASSERT_TRUE(ini.writeString("Paramètres", "Objectifs tables classiques par defaut", kClassiques));
        ASSERT_TRUE(ini.writeString("Etablissement", "Objectifs tables classiques par niveaux",
                                    "CE2<table_2,table_3>CM1<table_7>CM<>"));
        PupilSession::applique_objectifs(state, kClassiques);

        EleveState &e = state.eleve;
        e.nom = QStringLiteral("Dupont");
        e.prenom = QStringLiteral("Jean");
        e.cle_eleve = QStringLiteral("Dupont_Jean");
        e.dossier_eleve = dir.filePath("eleves/Ecole");
        fichier = e.dossier_eleve + QStringLiteral("/Dupont_Jean.txt");
        e.fichier_eleve = fichier;
    }

    void demarre() { PupilSession::initialise_session_eleve(state, env); }
    bool enregistre(QString *error = nullptr)
    {
        QString e;
        const bool ok = PupilSession::EnregistrementSeance(state, env, &e);
        if (error)
            *error = e;
        return ok;
    }
    QString entete(const QString &debut, const QString &fin, const QString &jour = QStringLiteral("Mardi 14/11/2006"))
    {
        return QStringLiteral("Séance du %1 de %2 à %3 sur le poste \"POSTE-12\"").arg(jour, debut, fin);
    }
};

} // namespace

TEST_F(SessionFixture, ATestOnlySessionAddsItsHeaderAndLineAndIsReadBackNextTime)
{
    demarre();
    EXPECT_TRUE(state.eleve.eleve_nouveau);
    EXPECT_EQ(state.heure_debut_seance, "10:02:11");
    const QString test = ligneTest("10:03:00", reponses(kClassiques));
    state.eleve.lignes_seance << test;
    clock.advanceMs((23 * 60 + 29) * 1000);
    QString error;
    ASSERT_TRUE(enregistre(&error)) << error.toStdString();

    const QStringList attendu{entete("10:02:11", "10:25:40"), test};
    EXPECT_EQ(TextFile::loadLines(fichier), attendu);
    QFile f(fichier);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("S\xE9" "ance du Mardi 14/11/2006 de 10:02:11 \xE0 10:25:40 sur le poste \"POSTE-12\"\r\n\tTEST"));

    // The next identification, the same day.
    state.eleve.lignes_seance.clear();
    demarre();
    EXPECT_FALSE(state.eleve.eleve_nouveau);
    EXPECT_TRUE(state.eleve.seance_du_jour);
    ASSERT_EQ(state.eleve.graphique.size(), 1);
    EXPECT_EQ(state.eleve.graphique[0].jour, "Mardi 14/11/2006");
    EXPECT_EQ(state.eleve.graphique[0].score, "100");
    EXPECT_EQ(state.eleve.dernier_test, reponses(kClassiques));
}

TEST_F(SessionFixture, ASessionIsNeverRecordedTwice)
{
    demarre();
    state.eleve.lignes_seance << ligneTest("10:03:00", reponses("table_2"));
    ASSERT_TRUE(enregistre());
    const QStringList une = TextFile::loadLines(fichier);
    ASSERT_EQ(une.size(), 2);

    // Closing twice: the second call finds the session in the file.
    clock.advanceMs(60000);
    ASSERT_TRUE(enregistre());
    EXPECT_EQ(TextFile::loadLines(fichier), une);

    // An activity ended after the first recording: only it is added, under
    // the header already written.
    const QString apprentissage = QStringLiteral("\tAPPRENTISSAGE de 10:04:00 à 10:10:00: 12 répétitions");
    state.eleve.lignes_seance << apprentissage;
    ASSERT_TRUE(enregistre());
    EXPECT_EQ(TextFile::loadLines(fichier), une + QStringList{apprentissage});

    // Change of pupil, then the program closes.
    QString error;
    ASSERT_TRUE(PupilSession::changement_eleve(state, env, &error)) << error.toStdString();
    EXPECT_TRUE(state.eleve.nom.isEmpty());
    EXPECT_TRUE(state.eleve.lignes_seance.isEmpty());
    EXPECT_TRUE(state.eleve.graphique.isEmpty());
    ASSERT_TRUE(enregistre());
    EXPECT_EQ(TextFile::loadLines(fichier), une + QStringList{apprentissage});
}

TEST_F(SessionFixture, AnotherWorkstationsSessionWrittenMeanwhileSurvives)
{
    const QStringList ancienne{entete("09:00:00", "09:10:00", "Lundi 13/11/2006"), ligneTest("09:01:00", reponses("table_2"))};
    ASSERT_TRUE(TextFile::saveLines(fichier, ancienne));
    demarre();
    EXPECT_EQ(state.eleve.historique, ancienne);

    // The same pupil on another machine, or the teacher merging his files.
    const QStringList autrePoste{"Séance du Mardi 14/11/2006 de 10:05:00 à 10:07:00 sur le poste \"POSTE-3\"",
                                 ligneTest("10:05:10", reponses("table_3"))};
    ASSERT_TRUE(TextFile::saveLines(fichier, ancienne + autrePoste));

    const QString test = ligneTest("10:03:00", reponses(kClassiques));
    state.eleve.lignes_seance << test;
    clock.advanceMs(600000);
    ASSERT_TRUE(enregistre());
    const QStringList attendu = ancienne + autrePoste + QStringList{entete("10:02:11", "10:12:11"), test};
    EXPECT_EQ(TextFile::loadLines(fichier), attendu);
    EXPECT_EQ(state.eleve.historique, attendu);
    EXPECT_FALSE(QFile::exists(SharedFileLock::lockPathFor(fichier)));
}

TEST_F(SessionFixture, APupilWithoutActivityGetsAnEmptyFileAndNoNameWritesNothing)
{
    demarre();
    ASSERT_TRUE(enregistre());
    EXPECT_TRUE(QFileInfo(fichier).isFile());
    EXPECT_EQ(QFileInfo(fichier).size(), 0);

    SessionState anonyme = state;
    anonyme.eleve.prenom.clear();
    anonyme.eleve.fichier_eleve = dir.filePath("eleves/Ecole/Anonyme.txt");
    anonyme.eleve.lignes_seance << ligneTest("10:03:00", reponses("table_2"));
    EXPECT_TRUE(PupilSession::EnregistrementSeance(anonyme, env, nullptr));
    EXPECT_FALSE(QFile::exists(anonyme.eleve.fichier_eleve));
}

TEST_F(SessionFixture, AFailedWriteIsReportedAndTheSessionKept)
{
    demarre();
    const QString test = ligneTest("10:03:00", reponses("table_2"));
    state.eleve.lignes_seance << test;
    // Something that cannot be read nor replaced stands where the file should be.
    ASSERT_TRUE(QDir().mkpath(fichier));
    QString error;
    EXPECT_FALSE(enregistre(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(state.eleve.lignes_seance, QStringList{test});

    // Once it is out of the way, the same session is recorded whole.
    ASSERT_TRUE(QDir(fichier).removeRecursively());
    ASSERT_TRUE(enregistre(&error)) << error.toStdString();
    EXPECT_EQ(TextFile::loadLines(fichier).size(), 2);
}

// Another workstation holds the pupil's file past the longest wait: the
// session waits on this workstation, the pupil is told, and it goes into the
// server's file with the next save, once.
TEST_F(SessionFixture, ASessionKeptWhileTheFileWasBusyGoesInAtTheNextSave)
{
    state.mode_ecole = true;
    state.dossier_eleves = dir.filePath("srv/Eleves");
    state.dossier_eleves_monoposte = QStringLiteral("Eleves");
    state.nom_etablissement = QStringLiteral("Ecole");
    EleveState &e = state.eleve;
    e.dossier_eleve = state.dossier_eleves + QStringLiteral("/Ecole");
    fichier = e.dossier_eleve + QStringLiteral("/Dupont_Jean.txt");
    e.fichier_eleve = fichier;
    const QString local = env.programFolder + QStringLiteral("Eleves/Ecole/Dupont_Jean.txt");
    const QStringList ancienne{entete("09:00:00", "09:05:00")};
    ASSERT_TRUE(TextFile::saveLines(fichier, ancienne));
    demarre();
    const QString test = ligneTest("10:03:00", reponses("table_2"));
    state.eleve.lignes_seance << test;

    std::optional<SharedFileLock> autrePoste(std::in_place, fichier);
    QString erreur;
    ASSERT_TRUE(autrePoste->lock(&erreur));
    QElapsedTimer t;
    t.start();
    QString avis;
    ASSERT_TRUE(PupilSession::EnregistrementSeance(state, env, &erreur, &avis)) << erreur.toStdString();
    EXPECT_GE(t.elapsed(), SharedFileLock::kWaitMs - 100);
    EXPECT_LE(t.elapsed(), 10000);
    EXPECT_TRUE(avis.contains(QStringLiteral("occupé sur un autre poste"))) << avis.toStdString();
    EXPECT_TRUE(avis.contains(QStringLiteral("gardée sur ce poste"))) << avis.toStdString();
    EXPECT_EQ(TextFile::loadLines(fichier), ancienne);
    const QStringList gardee = state.eleve.lignes_seance;
    EXPECT_EQ(TextFile::loadLines(local), gardee);

    // The other workstation is done; the pupil goes on and the session is saved again.
    autrePoste.reset();
    const QString suite = QStringLiteral("\tAPPRENTISSAGE de 10:21:00 à 10:25:00 4 répétitions");
    state.eleve.lignes_seance << suite;
    avis.clear();
    ASSERT_TRUE(PupilSession::EnregistrementSeance(state, env, &erreur, &avis)) << erreur.toStdString();
    EXPECT_TRUE(avis.isEmpty()) << avis.toStdString();
    EXPECT_EQ(TextFile::loadLines(fichier), ancienne + gardee + QStringList{suite});
    EXPECT_FALSE(QFileInfo::exists(local));
    EXPECT_FALSE(QFileInfo::exists(SharedFileLock::lockPathFor(fichier)));
}

namespace {

void dateFichier(const QString &chemin, const QDateTime &quand)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(quand, QFileDevice::FileModificationTime));
}

} // namespace

// A save killed during its final rename leaves its copy beside the file.
TEST_F(SessionFixture, CopiesLeftByAKilledSaveAreClearedAtTheNextSave)
{
    demarre();
    state.eleve.lignes_seance << ligneTest("10:03:00", reponses("table_2"));
    const QDateTime ilYaUneMinute = QDateTime::currentDateTime().addSecs(-60);
    const struct
    {
        QString nom;
        bool ancienne;
        bool reste;
    } cas[] = {
        {"Dupont_Jean.txt.AbC123", true, false},
        {"Dupont_Jean.txt.x9Y8z7", true, false},
        // Being written right now by a save that does not take the lock.
        {"Dupont_Jean.txt.Frais1", false, true},
        // Not a copy of this file, or not one a save makes.
        {"Martin_Paul.txt.AbC123", true, true},
        {"Dupont_Jean.txt.notes", true, true},
        {"Dupont_Jean.txt.ab-123", true, true},
    };
    for (const auto &c : cas) {
        const QString chemin = state.eleve.dossier_eleve + u'/' + c.nom;
        ASSERT_TRUE(TextFile::saveBytes(chemin, "Séance du"));
        if (c.ancienne)
            dateFichier(chemin, ilYaUneMinute);
    }
    QString error;
    ASSERT_TRUE(enregistre(&error)) << error.toStdString();
    for (const auto &c : cas)
        EXPECT_EQ(QFile::exists(state.eleve.dossier_eleve + u'/' + c.nom), c.reste) << c.nom.toStdString();
    EXPECT_EQ(TextFile::loadLines(fichier).size(), 2);
}

// A history file far bigger than any pupil's (damaged, or not a history at
// all) would take many times its size in memory: it is neither loaded nor
// rewritten, and the save says so; a single very long line is read as usual.
TEST_F(SessionFixture, AHugeHistoryIsLeftAloneAndALongLineIsRead)
{
    {
        QFile f(fichier);
        ASSERT_TRUE(QDir().mkpath(state.eleve.dossier_eleve));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(PupilHistory::kTailleMaxFichier + 1));  // sparse: costs no disk
    }
    demarre();
    EXPECT_FALSE(state.eleve.eleve_nouveau);
    EXPECT_TRUE(state.eleve.historique.isEmpty());
    const QString test = ligneTest("10:03:00", reponses("table_2"));
    state.eleve.lignes_seance << test;
    QString error;
    EXPECT_FALSE(enregistre(&error));
    EXPECT_TRUE(error.contains("trop volumineux")) << error.toStdString();
    EXPECT_EQ(QFileInfo(fichier).size(), PupilHistory::kTailleMaxFichier + 1);
    EXPECT_EQ(state.eleve.lignes_seance.last(), test);
    const QString autre = dir.filePath("serveur/Dupont_Jean.txt");
    ASSERT_TRUE(TextFile::saveLines(autre, {entete("09:00:00", "09:05:00")}));
    EXPECT_FALSE(HistoryMerge::mergeFiles(autre, fichier, &error));
    EXPECT_TRUE(error.contains("trop volumineux")) << error.toStdString();
    EXPECT_EQ(TextFile::loadLines(autre).size(), 1);

    const QString longue = ligneTest("10:03:00", QString(10 * 1024 * 1024, u'P'));
    ASSERT_TRUE(TextFile::saveLines(fichier, {entete("09:00:00", "09:05:00"), longue}));
    state.eleve.lignes_seance = {test};
    demarre();
    EXPECT_EQ(state.eleve.historique.size(), 2);
    ASSERT_TRUE(enregistre(&error)) << error.toStdString();
    EXPECT_EQ(TextFile::loadLines(fichier).size(), 4);
}

// At school the history lives on the server. When the share goes away during
// the session (folder gone, or the file cannot be written), the session waits
// in the workstation's own pupils folder and the next start hands it over.
TEST_F(SessionFixture, ASessionTheServerCannotTakeWaitsOnTheWorkstation)
{
    state.mode_ecole = true;
    state.dossier_eleves = dir.filePath("srv/Eleves");
    state.dossier_eleves_monoposte = QStringLiteral("Eleves");
    state.nom_etablissement = QStringLiteral("Ecole");
    state.annee_scolaire = QStringLiteral("2006-2007");
    state.autorise_config_perso = true;
    EleveState &e = state.eleve;
    e.classe = QStringLiteral("CM1a");
    e.dossier_eleve = state.dossier_eleves + QStringLiteral("/Ecole");
    e.dossier_classe = e.dossier_eleve + QStringLiteral("/2006-2007/CM1a");
    fichier = e.dossier_eleve + QStringLiteral("/Dupont_Jean.txt");
    e.fichier_eleve = fichier;
    const QString local = env.programFolder + QStringLiteral("Eleves/Ecole/Dupont_Jean.txt");
    const QStringList ancienne{entete("09:00:00", "09:05:00")};

    const QFileDevice::Permissions lecture = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const QFileDevice::Permissions parcours = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    const struct
    {
        const char *panne;
        std::function<void()> casse;
        bool lectureSeule = false;
    } cas[] = {
        {"share unmounted", [&] { ASSERT_TRUE(QDir(e.dossier_eleve).removeRecursively()); }},
        {"file cannot be written", [&] {
             ASSERT_TRUE(QFile::remove(fichier));
             ASSERT_TRUE(QDir().mkpath(fichier));
         }},
        // The file and its folder can be read but not written.
        {"share made read-only", [&] {
             ASSERT_TRUE(QFile::setPermissions(fichier, lecture));
             ASSERT_TRUE(QFile::setPermissions(e.dossier_eleve, lecture | parcours));
         }, true},
    };
    QStringList attendu = ancienne;
    int n = 0;
    for (const auto &c : cas) {
        SCOPED_TRACE(c.panne);
        ASSERT_TRUE(QDir().mkpath(e.dossier_classe));
        ASSERT_TRUE(TextFile::saveLines(fichier, attendu));
        demarre();
        const QString test = ligneTest(QStringLiteral("10:0%1:00").arg(++n), reponses("table_2"));
        state.eleve.lignes_seance = {test};
        clock.advanceMs(60000);
        c.casse();

        QString error;
        QString avis;
        std::optional<NoRootOverride> commeUnEleve;
        if (c.lectureSeule)
            commeUnEleve.emplace();
        const auto octets = [](const QString &chemin) {
            QFile f(chemin);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const QByteArray surLeServeur = octets(fichier);
        ASSERT_TRUE(PupilSession::EnregistrementSeance(state, env, &error, &avis)) << error.toStdString();
        commeUnEleve.reset();
        EXPECT_TRUE(avis.contains("gardée sur ce poste")) << avis.toStdString();
        if (c.lectureSeule) {
            EXPECT_EQ(octets(fichier), surLeServeur);
            // Still read-only at the next start: the session stays here.
            QStringList refus;
            {
                NoRootOverride toujoursCommeUnEleve;
                EXPECT_EQ(MonopostCleanup::nettoie_doublons_monoposte_serveur(state, env, &refus), 0);
            }
            EXPECT_FALSE(refus.isEmpty());
            EXPECT_EQ(octets(fichier), surLeServeur);
            EXPECT_TRUE(TextFile::loadLines(local).endsWith(state.eleve.lignes_seance.last()));
            ASSERT_TRUE(QFile::setPermissions(e.dossier_eleve, lecture | parcours | QFileDevice::WriteOwner));
            ASSERT_TRUE(QFile::setPermissions(fichier, lecture | QFileDevice::WriteOwner));
        }
        EXPECT_TRUE(avis.contains("réglages personnels")) << avis.toStdString();
        // Nothing stands in for the share where its folder was.
        if (n == 1) {
            EXPECT_FALSE(QFileInfo::exists(e.dossier_eleve));
        }
        const QStringList seance = state.eleve.lignes_seance;
        ASSERT_EQ(seance.size(), 2);
        EXPECT_TRUE(TextFile::loadLines(local).endsWith(seance.last()));

        // The share is back with the file as it was: the next start sends the session.
        if (QFileInfo(fichier).isDir()) {
            ASSERT_TRUE(QDir(fichier).removeRecursively());
        }
        ASSERT_TRUE(TextFile::saveLines(fichier, attendu));
        QStringList erreurs;
        EXPECT_EQ(MonopostCleanup::nettoie_doublons_monoposte_serveur(state, env, &erreurs), 1)
            << erreurs.join(u'\n').toStdString();
        attendu += seance;
        EXPECT_EQ(TextFile::loadLines(fichier), attendu);
        EXPECT_FALSE(QFileInfo::exists(local));
        EXPECT_TRUE(QFileInfo::exists(e.dossier_classe + QStringLiteral("/Dupont_Jean.lnk")));
    }
}

TEST_F(SessionFixture, TheClassLinkIsMadeOnceInSchoolMode)
{
    state.mode_ecole = true;
    state.eleve.classe = QStringLiteral("CM1a");
    state.eleve.dossier_classe = dir.filePath("eleves/Ecole/2006-2007/CM1a");
    ASSERT_TRUE(QDir().mkpath(state.eleve.dossier_classe));
    demarre();
    state.eleve.lignes_seance << ligneTest("10:03:00", reponses("table_2"));
    QString error;
    ASSERT_TRUE(enregistre(&error)) << error.toStdString();
    const QString lien = state.eleve.dossier_classe + QStringLiteral("/Dupont_Jean.lnk");
    ASSERT_TRUE(QFileInfo(lien).isFile());
    EXPECT_EQ(ShellLink::readTarget(lien), fichier);

    // A link that is there already, whatever made it, is left alone.
    ASSERT_TRUE(TextFile::saveBytes(lien, "autre"));
    ASSERT_TRUE(enregistre(&error));
    QFile f(lien);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("autre"));
}

TEST_F(SessionFixture, TheLevelsObjectivesReplaceTheDefaultsOnlyWhenTheyNameTables)
{
    EXPECT_EQ(PupilSession::objectifs_du_niveau("CE2<table_2,table_3>CM1<table_7>CM<>", "CM1"), "table_7");
    EXPECT_EQ(PupilSession::objectifs_du_niveau("CE2<table_2,table_3>CM1<table_7>", "CE2"), "table_2,table_3");
    EXPECT_EQ(PupilSession::objectifs_du_niveau("CE2<0202,0203,0204,0205,0206,0207,0208,0209>", "CE2"), "table_2");
    EXPECT_EQ(PupilSession::objectifs_du_niveau("CE2<4x<2-9>>", "CE2"), "table_4");
    for (const char *niveau : {"CM", "C", "M1", "table", "", "6e"}) {
        SCOPED_TRACE(niveau);
        EXPECT_TRUE(PupilSession::objectifs_du_niveau("CE2<table_2,table_3>CM1<table_7>CM<>", niveau).isEmpty());
    }
    EXPECT_TRUE(PupilSession::objectifs_du_niveau("Fichier Tabulon.ini endommagé", "CM1").isEmpty());
    EXPECT_TRUE(PupilSession::objectifs_du_niveau("CM1<table_7", "CM1") == "table_7");

    state.eleve.niveau = QStringLiteral("CM1");
    demarre();
    EXPECT_EQ(state.objectifs, "table_7");
    EXPECT_EQ(state.liste_produits, Catalogue::liste_produits_tables("table_7"));
    EXPECT_EQ(state.produits_etudies, state.liste_produits);
    EXPECT_EQ(state.liste_tables, QStringList{"07"});

    state.eleve.niveau = QStringLiteral("CM");
    PupilSession::applique_objectifs(state, kClassiques);
    demarre();
    EXPECT_EQ(state.objectifs, kClassiques);
    EXPECT_EQ(state.produits_etudies.size(), 64);
}

TEST_F(SessionFixture, PersonalSettingsAreReadWhenAllowedAndSavedWhenTheyDiffer)
{
    state.autorise_config_perso = true;
    ASSERT_TRUE(TextFile::saveLines(fichier, {entete("09:00:00", "09:10:00", "Lundi 13/11/2006")}));
    const QString perso = state.eleve.dossier_eleve + QStringLiteral("/Dupont_Jean.ini");

    // No objectives key ("*"): the defaults stay; the gap setting is taken.
    ASSERT_TRUE(TextFile::saveLines(perso, {"[config perso]", "ne travailler que les trous=oui"}));
    demarre();
    EXPECT_EQ(state.objectifs, kClassiques);
    EXPECT_EQ(state.eleve.trous_seuil, 0);

    struct Cas { QString valeur; QString objectifs; };
    const QList<Cas> cas{{"*", kClassiques}, {"", kClassiques}, {"n'importe quoi", kClassiques},
                         {"table_4,table_5", "table_4,table_5"}, {"6x<2-9>", "table_6"}};
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.valeur.toStdString());
        ASSERT_TRUE(TextFile::saveLines(perso, {"[config perso]", "Objectifs tables classiques=" + c.valeur,
                                                "ne travailler que les trous=non"}));
        PupilSession::applique_objectifs(state, kClassiques);
        demarre();
        EXPECT_EQ(state.objectifs, c.objectifs);
        EXPECT_EQ(state.eleve.trous_seuil, 100);
    }

    // The file exists: both keys are written back as they now stand.
    PupilSession::applique_objectifs(state, "table_8,table_9");
    state.eleve.trous_seuil = 0;
    ASSERT_TRUE(enregistre());
    const IniFile lu(perso);
    EXPECT_EQ(lu.readString("config perso", "Objectifs tables classiques"), "table_8,table_9");
    EXPECT_EQ(lu.readString("config perso", "ne travailler que les trous"), "oui");

    // Not allowed: the file is neither read nor written.
    state.autorise_config_perso = false;
    PupilSession::applique_objectifs(state, kClassiques);
    demarre();
    EXPECT_EQ(state.objectifs, kClassiques);
    PupilSession::applique_objectifs(state, "table_2");
    ASSERT_TRUE(enregistre());
    EXPECT_EQ(IniFile(perso).readString("config perso", "Objectifs tables classiques"), "table_8,table_9");
}

TEST_F(SessionFixture, APersonalFileIsCreatedOnlyForAPupilWhoDiffersFromTheDefaults)
{
    state.autorise_config_perso = true;
    const QString perso = state.eleve.dossier_eleve + QStringLiteral("/Dupont_Jean.ini");
    demarre();
    ASSERT_TRUE(enregistre());
    EXPECT_FALSE(QFile::exists(perso));

    PupilSession::applique_objectifs(state, "table_3");
    ASSERT_TRUE(enregistre());
    EXPECT_EQ(IniFile(perso).readString("config perso", "Objectifs tables classiques"), "table_3");
    EXPECT_EQ(IniFile(perso).readString("config perso", "ne travailler que les trous"), "non");

    // Without a stored default the pupil is on the classic tables, as the
    // start-up puts everybody: nothing to keep for him.
    ASSERT_TRUE(QFile::remove(perso));
    ASSERT_TRUE(TextFile::saveLines(PupilSession::cheminIni(state, env), {"[Paramètres]"}));
    PupilSession::applique_objectifs(state, kClassiques);
    ASSERT_TRUE(enregistre());
    EXPECT_FALSE(QFile::exists(perso));
}

TEST_F(SessionFixture, TheTrainingStartsFromTheLastTest)
{
    const QString faible = reponses("table_2,table_3,table_4,table_5,table_6", 10)
                           + reponses("table_7", 10, false) + reponses("table_8,table_9", 10);
    ASSERT_TRUE(TextFile::saveLines(fichier, {entete("09:00:00", "09:10:00", "Lundi 13/11/2006"),
                                              ligneTest("09:01:00", faible)}));
    state.objectif_apprentissage.nb_tables = 4;
    demarre();
    EXPECT_EQ(state.eleve.dernier_test, faible);
    EXPECT_EQ(state.objectif_apprentissage.nb_tables, 1);
    EXPECT_TRUE(state.objectif_apprentissage.mode_tables);
    ASSERT_FALSE(state.classement_tables.isEmpty());
    EXPECT_TRUE(state.classement_tables.first().startsWith("table_7="));
    EXPECT_TRUE(state.produits_a_memoriser.contains("0709"));

    ASSERT_TRUE(TextFile::saveLines(fichier, {entete("09:00:00", "09:10:00", "Lundi 13/11/2006"),
                                              ligneTest("09:01:00", reponses(kClassiques))}));
    demarre();
    EXPECT_FALSE(state.objectif_apprentissage.mode_tables);
    EXPECT_EQ(state.objectif_apprentissage.nb_produits, 8);
}

TEST_F(SessionFixture, DamagedHistoriesKeepTheirReadablePartAndTheirOddLines)
{
    const QByteArray bon = TextFile::encode1252(ligneTest("09:01:00", reponses(kClassiques)));
    struct Cas { const char *quoi; QByteArray octets; int jours; };
    const QList<Cas> cas{
        {"CR only", "S\xE9" "ance du Lundi 13/11/2006 de 09:00:00 \xE0 09:10:00 sur le poste \"A\"\r" + bon + "\r", 1},
        {"LF only", "S\xE9" "ance du Lundi 13/11/2006\n" + bon + "\n", 1},
        {"bytes without a character", QByteArrayLiteral("S\xE9" "ance du Lundi 13/11/2006 \x81\x8D\x8F\x90\x9D\r\n\x81\x00\xFF\r\n") + bon, 1},
        {"cut in the middle", "S\xE9" "ance du Lundi 13/11/2006 de 09\r\n\tTEST de 09:01:00 \xE0 09:0", 0},
        {"no header at all", bon + "\r\n" + bon, 0},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.quoi);
        ASSERT_TRUE(TextFile::saveBytes(fichier, c.octets));
        const QStringList avant = TextFile::loadLines(fichier);
        state.eleve.lignes_seance.clear();
        demarre();
        EXPECT_EQ(state.eleve.graphique.size(), c.jours);
        state.eleve.lignes_seance << ligneTest("10:03:00", reponses("table_2"));
        ASSERT_TRUE(enregistre());
        const QStringList apres = TextFile::loadLines(fichier);
        ASSERT_EQ(apres.size(), avant.size() + 2);
        EXPECT_EQ(apres.mid(0, avant.size()), avant);
        QFile f(fichier);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray octets = f.readAll();
        // Odd bytes go back to disk as they came.
        if (c.octets.contains("\x81\x8D")) {
            EXPECT_TRUE(octets.contains(QByteArrayLiteral("\x81\x8D\x8F\x90\x9D\r\n\x81\x00\xFF\r\n")));
        }
    }
}

TEST_F(SessionFixture, ATwentyMegabyteHistoryIsReadAndExtended)
{
    QByteArray gros;
    const QByteArray test = TextFile::encode1252(ligneTest("09:01:00", reponses(kClassiques)));
    QDate d(1990, 1, 1);
    int jours = 0;
    while (gros.size() < 20 * 1024 * 1024) {
        gros += TextFile::encode1252(HistoryLines::entete_seance("Jour", d.toString("dd/MM/yyyy"), "09:00:00",
                                                                 "09:30:00", "A"))
                + "\r\n" + test + "\r\n";
        d = d.addDays(1);
        ++jours;
    }
    ASSERT_TRUE(TextFile::saveBytes(fichier, gros));
    QElapsedTimer t;
    t.start();
    demarre();
    const qint64 lecture = t.elapsed();
    EXPECT_EQ(state.eleve.graphique.size(), jours);
    state.eleve.lignes_seance << ligneTest("10:03:00", reponses("table_2"));
    t.restart();
    ASSERT_TRUE(enregistre());
    const qint64 ecriture = t.elapsed();
    EXPECT_EQ(QFileInfo(fichier).size(), gros.size() + TextFile::encode1252(state.eleve.lignes_seance.join("\r\n")).size() + 2);
    std::printf("20 MB history: %d days, read and graph %lld ms, record %lld ms\n", jours, lecture, ecriture);
}
