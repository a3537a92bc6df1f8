// Every decision on whether a pupil's file exists or is the same one, made on
// a local disk and on the school's server, which (like Windows) takes
// "Dupont_Jean.txt" and "dupont_jean.txt" for one file.
#include "core/HistoryLines.h"
#include "core/HistoryMerge.h"
#include "core/Identification.h"
#include "core/MonopostCleanup.h"
#include "core/Paths.h"
#include "core/PupilFileMaintenance.h"
#include "core/PupilFolders.h"
#include "core/PupilSession.h"
#include "core/SessionState.h"
#include "core/ShellLink.h"
#include "core/TextFile.h"
#include "support/FakeSystem.h"
#include "support/ShareRoots.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

namespace {

QString entete(const QString &debut, const QString &poste = QStringLiteral("PC1"))
{
    return HistoryLines::entete_seance(QStringLiteral("Mardi"), QStringLiteral("14/11/2006"), debut,
                                       QStringLiteral("10:59:00"), poste);
}

QString test(const QString &debut)
{
    return QStringLiteral("\tTEST de %1 à %1 P0203012006").arg(debut);
}

class CaseBlindNames : public ShareRoots::OnEachDisk
{
protected:
    QString ecole() const { return folder->a(QStringLiteral("Eleves/Ecole")); }
    QString classe(const QString &annee, const QString &c) const { return Paths::join(ecole(), annee, c); }

    // The names a folder holds, as the server lists them.
    static QStringList noms(const QString &dossier, const QString &masque)
    {
        return QDir(dossier).entryList({masque}, QDir::Files);
    }

    // Whether this disk ignores case, found the way a pupil would find out.
    bool disqueSansCasse() const
    {
        const QString sonde = folder->a(QStringLiteral("Sonde.txt"));
        TextFile::saveLines(sonde, {});
        const bool oui = QFileInfo::exists(folder->a(QStringLiteral("SONDE.TXT")));
        QFile::remove(sonde);
        return oui;
    }

    FakeSystem system{QStringLiteral("PC1")};
};

// Known fault: a rename that changes only capitals wrote no new class link
// and then deleted the old one, so the pupil dropped out of every class.
TEST_P(CaseBlindNames, ARenameOfCapitalsOnlyKeepsThePupilInEveryClass)
{
    const QString fichier = PupilFolders::historyFile(ecole(), QStringLiteral("Dupont_Jean"));
    ASSERT_TRUE(TextFile::saveLines(fichier, {entete(QStringLiteral("10:00:00"))}));
    const QString ini = PupilFolders::personalSettingsFile(ecole(), QStringLiteral("Dupont_Jean"));
    ASSERT_TRUE(TextFile::saveLines(ini, {QStringLiteral("[config perso]")}));
    const QStringList classes{classe(QStringLiteral("2005-2006"), QStringLiteral("CM1")),
                              classe(QStringLiteral("2006-2007"), QStringLiteral("CM2"))};
    for (const QString &c : classes)
        ASSERT_TRUE(ShellLink::write(PupilFolders::linkFile(c, QStringLiteral("Dupont_Jean")), fichier));

    QString erreur;
    int liens = 0;
    ASSERT_TRUE(PupilFileMaintenance::renomme(system, fichier, QStringLiteral("DUPONT_Jean"), &erreur, &liens))
        << erreur.toStdString();
    EXPECT_EQ(liens, 2);
    EXPECT_EQ(noms(ecole(), QStringLiteral("*.txt")), QStringList{QStringLiteral("DUPONT_Jean.txt")});
    EXPECT_EQ(noms(ecole(), QStringLiteral("*.ini")), QStringList{QStringLiteral("DUPONT_Jean.ini")});
    EXPECT_EQ(TextFile::loadLines(PupilFolders::historyFile(ecole(), QStringLiteral("DUPONT_Jean"))).size(), 1);
    for (const QString &c : classes) {
        SCOPED_TRACE(c.toStdString());
        EXPECT_EQ(noms(c, QStringLiteral("*.lnk")), QStringList{QStringLiteral("DUPONT_Jean.lnk")});
        EXPECT_EQ(ShellLink::readTarget(PupilFolders::linkFile(c, QStringLiteral("DUPONT_Jean"))),
                  PupilFolders::historyFile(ecole(), QStringLiteral("DUPONT_Jean")));
    }
}

// Two names of one file: a merge must neither wait on its own lock nor write
// the sessions twice; two real files of a case-keeping disk are merged.
TEST_P(CaseBlindNames, MergingAFileWithItselfUnderOtherCapitalsNeitherHangsNorDoubles)
{
    const QString a = PupilFolders::historyFile(ecole(), QStringLiteral("Dupont_Jean"));
    const QString b = PupilFolders::historyFile(ecole(), QStringLiteral("dupont_jean"));
    ASSERT_TRUE(TextFile::saveLines(a, {entete(QStringLiteral("10:00:00")), test(QStringLiteral("10:01:00"))}));
    const bool unSeul = disqueSansCasse();
    if (!unSeul)
        ASSERT_TRUE(TextFile::saveLines(b, {entete(QStringLiteral("11:00:00"))}));
    EXPECT_EQ(PupilFolders::sameFile(a, b), unSeul);

    QElapsedTimer t;
    t.start();
    QString erreur;
    ASSERT_TRUE(HistoryMerge::mergeFiles(a, b, &erreur)) << erreur.toStdString();
    EXPECT_LT(t.elapsed(), 3000);
    EXPECT_EQ(TextFile::loadLines(a).size(), unSeul ? 2 : 3);

    const bool fusionne = PupilFileMaintenance::fusionne(a, b, &erreur);
    EXPECT_EQ(fusionne, !unSeul) << erreur.toStdString();
    if (unSeul)
        EXPECT_EQ(erreur, QStringLiteral("Les deux fichiers sont le même fichier."));
    EXPECT_EQ(noms(ecole(), QStringLiteral("*.lock*")), QStringList());
}

// A link made under other capitals (by a workstation where the pupil typed
// his name so) is his link: the save adds no second one.
TEST_P(CaseBlindNames, ASaveFindsTheClassLinkWhateverItsCapitals)
{
    const QString c = classe(QStringLiteral("2006-2007"), QStringLiteral("CM2"));
    const QString fichier = PupilFolders::historyFile(ecole(), QStringLiteral("Dupont_Jean"));
    ASSERT_TRUE(ShellLink::write(PupilFolders::linkFile(c, QStringLiteral("DUPONT_JEAN")), fichier));

    SessionState state;
    Environment env;
    env.system = &system;
    env.programFolder = folder->a(QStringLiteral("prog/"));
    state.mode_ecole = true;
    EleveState &e = state.eleve;
    e.nom = QStringLiteral("Dupont");
    e.prenom = QStringLiteral("Jean");
    e.cle_eleve = QStringLiteral("Dupont_Jean");
    e.classe = QStringLiteral("CM2");
    e.dossier_classe = c;
    e.dossier_eleve = ecole();
    e.fichier_eleve = fichier;
    e.lignes_seance << test(QStringLiteral("10:01:00"));
    QString erreur;
    ASSERT_TRUE(PupilSession::EnregistrementSeance(state, env, &erreur)) << erreur.toStdString();
    EXPECT_EQ(noms(c, QStringLiteral("*.lnk")), QStringList{QStringLiteral("DUPONT_JEAN.lnk")});
}

// "Dupont Jean" registering where the teacher renamed his file
// "DUPONT_Jean.txt": the same pupil, under the name on disk, on every kind of
// disk (the server would otherwise write into that file under another name).
TEST_P(CaseBlindNames, RegisteringUnderOtherCapitalsFindsThePupilsFile)
{
    SessionState state;
    state.mode_ecole = true;
    state.dossier_eleves = folder->a(QStringLiteral("Eleves"));
    state.nom_etablissement = QStringLiteral("Ecole");
    state.dossier_etablissement = ecole();
    state.annee_scolaire = QStringLiteral("2006-2007");
    state.dossier_annee = Paths::join(ecole(), state.annee_scolaire);
    state.niveaux = {{QStringLiteral("CM2"), {QStringLiteral("CM2")}}};
    const QString fichier = PupilFolders::historyFile(ecole(), QStringLiteral("DUPONT_Jean"));
    ASSERT_TRUE(TextFile::saveLines(fichier, {entete(QStringLiteral("10:00:00"))}));
    QDir().mkpath(classe(state.annee_scolaire, QStringLiteral("CM2")));

    Identification id(state);
    id.initialisation();
    ASSERT_TRUE(id.choisit_classe(QStringLiteral("CM2")));
    QStringList questions;
    QString erreur;
    ASSERT_TRUE(id.inscription(QStringLiteral("Dupont"), QStringLiteral("Jean"),
                               [&](const QString &, const QString &texte) {
                                   questions << texte;
                                   return false;
                               },
                               &erreur))
        << erreur.toStdString();
    EXPECT_EQ(state.eleve.cle_eleve, QStringLiteral("DUPONT_Jean"));
    EXPECT_EQ(state.eleve.fichier_eleve, fichier);
    EXPECT_TRUE(questions.isEmpty()) << questions.join(u'\n').toStdString();
}

// The start's clean-up brings a workstation's file into the server's copy
// that differs from it only by capitals, instead of laying a second file of
// the pupil beside it.
TEST_P(CaseBlindNames, TheStartsCleanUpJoinsTheServersCopyWhateverItsCapitals)
{
    SessionState state;
    Environment env;
    env.system = &system;
    system.recycleRemoves = true;
    QTemporaryDir poste;
    env.programFolder = Paths::withTrailingSlash(poste.path());
    state.dossier_programme = env.programFolder;
    state.dossier_eleves_monoposte = QStringLiteral("Eleves");
    state.dossier_eleves = folder->a(QStringLiteral("Eleves"));
    state.nom_etablissement = QStringLiteral("Ecole");
    state.annee_scolaire = QStringLiteral("2006-2007");
    const QString local = poste.filePath(QStringLiteral("Eleves/Ecole/Dupont_Jean.txt"));
    const QString serveur = PupilFolders::historyFile(ecole(), QStringLiteral("DUPONT_JEAN"));
    ASSERT_TRUE(TextFile::saveLines(local, {entete(QStringLiteral("14:00:00"))}));
    ASSERT_TRUE(TextFile::saveLines(serveur, {entete(QStringLiteral("10:00:00"))}));

    QStringList erreurs;
    EXPECT_EQ(MonopostCleanup::nettoie_doublons_monoposte_serveur(state, env, &erreurs), 1);
    EXPECT_TRUE(erreurs.isEmpty()) << erreurs.join(u'\n').toStdString();
    EXPECT_EQ(noms(ecole(), QStringLiteral("*.txt")), QStringList{QStringLiteral("DUPONT_JEAN.txt")});
    EXPECT_EQ(TextFile::loadLines(serveur).size(), 2);
    EXPECT_FALSE(QFileInfo::exists(local));
}

TABULON_ON_EACH_DISK(CaseBlindNames);

} // namespace
