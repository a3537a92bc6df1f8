#include "core/HistoryMerge.h"
#include "core/Identification.h"
#include "core/MonopostCleanup.h"
#include "core/Paths.h"
#include "core/PupilFolders.h"
#include "core/PupilKey.h"
#include "core/SessionState.h"
#include "core/ShellLink.h"
#include "core/SystemServices.h"
#include "core/TextFile.h"
#include "support/FakeSystem.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

void touch(const QString &path, const QStringList &lines = {})
{
    ASSERT_TRUE(TextFile::saveLines(path, lines));
}

QString entete(const QString &date, const QString &debut, const QString &fin, const QString &poste)
{
    return QStringLiteral("Séance du Mardi %1 de %2 à %3 sur le poste \"%4\"").arg(date, debut, fin, poste);
}

QString activite(const QString &mot, const QString &debut, const QString &fin, const QString &donnees = {})
{
    return QStringLiteral("\t%1 de %2 à %3 %4").arg(mot, debut, fin, donnees);
}

} // namespace

// ---------------------------------------------------------------- folders

TEST(PupilFolders, ListsAndPrune)
{
    QTemporaryDir tmp;
    const QString ecole = tmp.filePath(QStringLiteral("Ecole"));
    for (const char *d : {"2006-2007", "2007-2008", "Hors classe", "autre"})
        ASSERT_TRUE(QDir().mkpath(Paths::join(ecole, QString::fromUtf8(d))));
    touch(Paths::join(ecole, u"Dupont_Jean.txt"_qs));
    touch(Paths::join(ecole, u"Martin_Léa.TXT"_qs));
    touch(Paths::join(ecole, u"notes.ini"_qs));

    EXPECT_EQ(PupilFolders::listSubfolders(ecole, u"2*"_qs), (QStringList{u"2006-2007"_qs, u"2007-2008"_qs}));
    EXPECT_EQ(PupilFolders::listSubfolders(ecole).size(), 4);
    EXPECT_TRUE(PupilFolders::listSubfolders(tmp.filePath(u"absent"_qs)).isEmpty());

    QStringList liste{u"déjà là"_qs};
    PupilFolders::listFiles(ecole, u"*.txt"_qs, &liste);
    EXPECT_EQ(liste, (QStringList{u"déjà là"_qs, u"Dupont_Jean.txt"_qs, u"Martin_Léa.TXT"_qs}));
    PupilFolders::listFiles(tmp.filePath(u"absent"_qs), u"*.txt"_qs, &liste);
    EXPECT_EQ(liste.size(), 3);

    // A class folder as the teacher's lists read it: the same names, in the
    // same order, as the directory's own filtered listing.
    const QString classe = Paths::join(ecole, u"2006-2007/6A"_qs);
    ASSERT_TRUE(QDir().mkpath(classe + u"/dossier.lnk"_qs));
    for (const char *n : {"b_Zoé.lnk", "B_alain.LNK", "a_b.lnk", "Émile_X.lnk", ".cache.lnk", ".lnk", "lnk", "x.lnk.txt",
                          "_sous.lnk", "Z.Lnk"})
        touch(Paths::join(classe, QString::fromUtf8(n)));
    QStringList lus;
    PupilFolders::listFiles(classe, u"*.lnk"_qs, &lus);
    EXPECT_EQ(lus, QDir(classe).entryList({u"*.lnk"_qs}, QDir::Files | QDir::System | QDir::Hidden,
                                          QDir::Name | QDir::IgnoreCase));
    EXPECT_EQ(lus.size(), 8);

    QStringList liens{u"Dupont_Jean.lnk"_qs, u"Parti_Paul.lnk"_qs, u"x"_qs, u"Dupont_Jean.lnk"_qs};
    PupilFolders::pruneDeadLinks(&liens, ecole);
    EXPECT_EQ(liens, (QStringList{u"Dupont_Jean.lnk"_qs, u"Dupont_Jean.lnk"_qs}));

    EXPECT_EQ(PupilFolders::schoolYearBack(u"2007-2008"_qs, 1), u"2006-2007"_qs);
    EXPECT_EQ(PupilFolders::schoolYearBack(u"2007-2008"_qs, 4), u"2003-2004"_qs);
    EXPECT_EQ(PupilFolders::schoolYearBack(u"Fichier Tabulon.ini endommagé"_qs, 1), QString());
}

TEST(PupilFolders, RecycleFolderReplacesAndSystemBinIsAsked)
{
    QTemporaryDir tmp;
    const QString programme = Paths::withTrailingSlash(tmp.filePath(u"prog"_qs));
    const QString fichier = tmp.filePath(u"Dupont_Jean.txt"_qs);
    touch(fichier, {u"nouveau"_qs});
    touch(Paths::join(PupilFolders::recycleFolder(programme), u"Dupont_Jean.txt"_qs), {u"ancien"_qs});

    QString erreur;
    EXPECT_TRUE(PupilFolders::moveToRecycleFolder(programme, fichier, &erreur)) << erreur.toStdString();
    EXPECT_FALSE(QFileInfo::exists(fichier));
    EXPECT_EQ(TextFile::loadLines(Paths::join(programme, u"CorbeilleTabulon/Dupont_Jean.txt"_qs)),
              QStringList{u"nouveau"_qs});
    EXPECT_FALSE(PupilFolders::moveToRecycleFolder(programme, fichier, &erreur));
    EXPECT_FALSE(erreur.isEmpty());

    FakeSystem system{QStringLiteral("PC1")};
    system.recycleRemoves = true;
    touch(fichier);
    EXPECT_TRUE(PupilFolders::deleteToRecycleBin(system, fichier));
    EXPECT_EQ(system.recycled, QStringList{fichier});
    EXPECT_FALSE(PupilFolders::deleteToRecycleBin(system, fichier));
}

// ---------------------------------------------------------------- merge

TEST(HistoryMerge, SortKeys)
{
    const QStringList lignes{
        activite(u"TEST"_qs, u"09:00:00"_qs, u"09:05:00"_qs),             // before any header
        entete(u"14/11/2006"_qs, u"10:02:11"_qs, u"10:25:40"_qs, u"PC1"_qs),
        activite(u"TEST"_qs, u"10:05:00"_qs, u"10:09:00"_qs, u"P0609012054"_qs),
        activite(u"APPRENTISSAGE"_qs, u"10:10:00"_qs, u"10:20:00"_qs),
        activite(u"PERFECTIONNEMENT"_qs, u"10:21:00"_qs, u"10:24:00"_qs),
        u""_qs,
        entete(u"14/11/2006"_qs, u"23:55:00"_qs, u"00:10:00"_qs, u"PC1"_qs),
        activite(u"APPRENTISSAGE"_qs, u"00:01:00"_qs, u"00:09:00"_qs),  // went on past midnight
    };
    EXPECT_EQ(HistoryMerge::sortKeys(lignes),
              (QStringList{u"0000000009:00:00"_qs, u"2006111410:02:11"_qs, u"2006111410:05:00"_qs,
                           u"2006111410:10:00"_qs, u"2006111410:21:00"_qs, u"2006111410:02:11"_qs,
                           u"2006111423:55:00"_qs, u"2006111423:55:00"_qs}));
    EXPECT_EQ(HistoryMerge::headerKey(u"a/b"_qs).size(), 16);   // a damaged header still gives a whole key
}

TEST(HistoryMerge, TwoSessionsOfOneDayKeepTheirTrainingLines)
{
    const QString h1 = entete(u"14/11/2006"_qs, u"10:02:11"_qs, u"10:25:40"_qs, u"PC1"_qs);
    const QString a1 = activite(u"APPRENTISSAGE"_qs, u"10:03:00"_qs, u"10:10:00"_qs, u"0609,0708"_qs);
    const QString t1 = activite(u"TEST"_qs, u"10:11:00"_qs, u"10:15:00"_qs, u"P0609012054"_qs);
    const QString h2 = entete(u"14/11/2006"_qs, u"14:00:05"_qs, u"14:20:00"_qs, u"PC2"_qs);
    const QString a2 = activite(u"APPRENTISSAGE"_qs, u"14:01:00"_qs, u"14:10:00"_qs, u"0302"_qs);
    const QString p2 = activite(u"PERFECTIONNEMENT"_qs, u"14:11:00"_qs, u"14:15:00"_qs);
    const QString h0 = entete(u"13/11/2006"_qs, u"16:00:00"_qs, u"16:10:00"_qs, u"PC1"_qs);
    const QString a0 = activite(u"APPRENTISSAGE"_qs, u"16:01:00"_qs, u"16:09:00"_qs);

    // A holds the afternoon session and the day before; B the morning session,
    // which A also holds with its header in other letter case.
    const QString h1autre = entete(u"14/11/2006"_qs, u"10:02:11"_qs, u"10:25:40"_qs, u"pc1"_qs);
    const QStringList a{h0, a0, h1autre, a1, t1, h2, a2, p2};
    const QStringList b{h1, a1, t1};
    EXPECT_EQ(HistoryMerge::mergeLines(a, b), (QStringList{h0, a0, h1, a1, t1, h2, a2, p2}));
    EXPECT_EQ(HistoryMerge::mergeLines(b, a), (QStringList{h0, a0, h1autre, a1, t1, h2, a2, p2}));

    // A header and an activity that start in the same second keep file order.
    const QString h3 = entete(u"15/11/2006"_qs, u"09:00:00"_qs, u"09:30:00"_qs, u"PC1"_qs);
    const QString t3 = activite(u"TEST"_qs, u"09:00:00"_qs, u"09:04:00"_qs);
    EXPECT_EQ(HistoryMerge::mergeLines({h3, t3}, {}), (QStringList{h3, t3}));
}

TEST(HistoryMerge, FilesAreBothRewrittenOrLeftAlone)
{
    QTemporaryDir tmp;
    const QString a = tmp.filePath(u"local/Dupont_Jean.txt"_qs);
    const QString b = tmp.filePath(u"serveur/Dupont_Jean.txt"_qs);
    const QString h1 = entete(u"14/11/2006"_qs, u"10:02:11"_qs, u"10:25:40"_qs, u"PC1"_qs);
    const QString t1 = activite(u"TEST"_qs, u"10:11:00"_qs, u"10:15:00"_qs, u"P0609012054"_qs);
    const QString h2 = entete(u"15/11/2006"_qs, u"10:00:00"_qs, u"10:20:00"_qs, u"PC2"_qs);
    touch(a, {h2});
    touch(b, {h1, t1});

    QString erreur;
    ASSERT_TRUE(HistoryMerge::mergeFiles(a, b, &erreur)) << erreur.toStdString();
    EXPECT_EQ(TextFile::loadLines(a), (QStringList{h1, t1, h2}));
    EXPECT_EQ(TextFile::loadLines(b), (QStringList{h1, t1, h2}));
    ASSERT_TRUE(HistoryMerge::mergeFiles(a, b));
    EXPECT_EQ(TextFile::loadLines(b), (QStringList{h1, t1, h2})) << "merging again adds nothing";

    // A missing file counts as empty and receives the other one.
    const QString neuf = tmp.filePath(u"neuf/Dupont_Jean.txt"_qs);
    ASSERT_TRUE(HistoryMerge::mergeFiles(neuf, b));
    EXPECT_EQ(TextFile::loadLines(neuf), (QStringList{h1, t1, h2}));

    // A file that cannot be read must not be replaced by the other's text.
    const QString illisible = tmp.filePath(u"illisible/Dupont_Jean.txt"_qs);
    ASSERT_TRUE(QDir().mkpath(illisible));
    erreur.clear();
    EXPECT_FALSE(HistoryMerge::mergeFiles(a, illisible, &erreur));
    EXPECT_TRUE(erreur.contains(u"ne peut pas être lu"_qs)) << erreur.toStdString();
    EXPECT_TRUE(QFileInfo(illisible).isDir());

    // Another workstation holds the server file.
    touch(a, {h1});
    QLockFile autrePoste(HistoryMerge::lockPath(b));
    ASSERT_TRUE(autrePoste.tryLock(0));
    EXPECT_FALSE(HistoryMerge::mergeFiles(a, b, &erreur, 50));
    EXPECT_TRUE(erreur.contains(u"autre poste"_qs)) << erreur.toStdString();
    EXPECT_EQ(TextFile::loadLines(a), QStringList{h1});
    autrePoste.unlock();
    EXPECT_FALSE(QFileInfo::exists(HistoryMerge::lockPath(a)));
}

// ---------------------------------------------------------------- links

TEST(ShellLink, WritesLinksThatReadBack)
{
    QTemporaryDir tmp;
    const QString cible = tmp.filePath(u"Ecole/Martin_Léa.txt"_qs);
    touch(cible, {u"x"_qs});
    const QString reseau = u"//serveur/partage/Eleves/Ecole/Dupont_Jean.txt"_qs;
    struct Cas
    {
        QString cible;
        QString lnkinfo;    // what an independent reader must print
    };
    QString natif = cible;
    natif.replace(u'/', u'\\');
    const Cas cas[] = {
        {cible, u"Local path"_qs + u'\t' + natif},
        {reseau, u"Network path"_qs + u'\t' + u"\\\\serveur\\partage\\Eleves\\Ecole\\Dupont_Jean.txt"_qs},
        {u"C:/Tabulon/Eleves/Zoé_Lefèvre.txt"_qs, u"Local path"_qs + u'\t' + u"C:\\Tabulon\\Eleves\\Zoé_Lefèvre.txt"_qs},
    };
    int n = 0;
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.cible.toStdString());
        const QString lien = tmp.filePath(QStringLiteral("2006-2007/61/lien%1.lnk").arg(++n));
        QString erreur;
        ASSERT_TRUE(ShellLink::write(lien, c.cible, &erreur)) << erreur.toStdString();
        EXPECT_EQ(ShellLink::readTarget(lien), c.cible);

        QFile f(lien);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray octets = f.readAll();
        ASSERT_GT(octets.size(), 76);
        EXPECT_EQ(octets.left(4), QByteArray("\x4C\0\0\0", 4));
        EXPECT_EQ(octets.mid(4, 16).toHex(), QByteArray("0114020000000000c000000000000046"));
        EXPECT_TRUE(octets[20] & 0x02) << "HasLinkInfo";
        EXPECT_EQ(octets.right(4), QByteArray(4, '\0')) << "terminal block";

        if (!QFileInfo::exists(u"/usr/bin/lnkinfo"_qs))
            continue;
        QProcess lnkinfo;
        lnkinfo.start(u"/usr/bin/lnkinfo"_qs, {lien});
        ASSERT_TRUE(lnkinfo.waitForFinished(10000));
        // lnkinfo reads the path bytes as Windows-1252 and prints UTF-8.
        const QString sortie = QString::fromUtf8(lnkinfo.readAllStandardOutput());
        EXPECT_EQ(lnkinfo.exitCode(), 0) << sortie.toStdString();
        QString ligne;
        for (const QString &l : sortie.split(u'\n')) {
            if (l.trimmed().startsWith(c.lnkinfo.section(u'\t', 0, 0)))
                ligne = l;
        }
        EXPECT_TRUE(ligne.contains(c.lnkinfo.section(u'\t', 1))) << sortie.toStdString();
    }
}

TEST(ShellLink, RelativeTargetsAreMadeAbsolute)
{
    QTemporaryDir tmp;
    const QString lien = tmp.filePath(u"61/Dupont_Jean.lnk"_qs);
    ASSERT_TRUE(ShellLink::write(lien, u"Eleves\\Ecole\\Dupont_Jean.txt"_qs));
    EXPECT_EQ(ShellLink::readTarget(lien), QDir::current().absoluteFilePath(u"Eleves/Ecole/Dupont_Jean.txt"_qs));
    QString erreur;
    EXPECT_FALSE(ShellLink::write(lien, QString(), &erreur));
    EXPECT_FALSE(erreur.isEmpty());
}

TEST(ShellLink, MembershipIsTheFileNameAndDamagedLinksAreHarmless)
{
    QTemporaryDir tmp;
    const QString classe = tmp.filePath(u"61"_qs);
    ASSERT_TRUE(QDir().mkpath(classe));
    touch(Paths::join(classe, u"Dupont_Jean.lnk"_qs), {u"pas un lien"_qs});
    touch(Paths::join(classe, u"Martin_Léa.LNK"_qs));
    EXPECT_TRUE(ShellLink::isMember(classe, u"Dupont_Jean"_qs));
    EXPECT_TRUE(ShellLink::isMember(classe, u"Martin_Léa"_qs));
    EXPECT_FALSE(ShellLink::isMember(classe, u"Dupont_Jea"_qs));
    EXPECT_FALSE(ShellLink::isMember(tmp.filePath(u"absent"_qs), u"Dupont_Jean"_qs));

    EXPECT_EQ(ShellLink::readTarget(Paths::join(classe, u"Dupont_Jean.lnk"_qs)), QString());
    EXPECT_EQ(ShellLink::readTarget(tmp.filePath(u"absent.lnk"_qs)), QString());
    // A genuine link cut short anywhere gives no target, never a crash.
    const QString lien = Paths::join(classe, u"Vrai.lnk"_qs);
    ASSERT_TRUE(ShellLink::write(lien, u"//srv/part/Ecole/Vrai.txt"_qs));
    QFile f(lien);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray octets = f.readAll();
    f.close();
    for (qsizetype n = 0; n < octets.size() - 4; n += 3) {
        ASSERT_TRUE(TextFile::saveBytes(lien, octets.left(n)));
        const QString t = ShellLink::readTarget(lien);
        EXPECT_TRUE(t.isEmpty() || u"//srv/part/Ecole/Vrai.txt"_qs.startsWith(t)) << n << " " << t.toStdString();
    }
}

// ---------------------------------------------------------------- clean-up

class Nettoyage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        env.programFolder = Paths::withTrailingSlash(tmp.filePath(u"prog"_qs));
        env.system = &system;
        state.dossier_programme = env.programFolder;
        state.dossier_eleves_monoposte = u"Eleves"_qs;
        state.dossier_eleves = tmp.filePath(u"srv/Eleves"_qs);
        state.nom_etablissement = u"Ecole"_qs;
        state.annee_scolaire = u"2006-2007"_qs;
        local = env.programFolder + u"Eleves/Ecole"_qs;
        serveur = state.dossier_eleves + u"/Ecole"_qs;
        system.recycleRemoves = true;
    }

    QTemporaryDir tmp;
    FakeSystem system{QStringLiteral("PC1")};
    Environment env;
    SessionState state;
    QString local;
    QString serveur;
};

TEST_F(Nettoyage, SendsLocalFilesAndLinksToTheServer)
{
    const QString h1 = entete(u"14/11/2006"_qs, u"10:02:11"_qs, u"10:25:40"_qs, u"SRV"_qs);
    const QString h2 = entete(u"14/11/2006"_qs, u"14:00:00"_qs, u"14:20:00"_qs, u"PC1"_qs);
    const QString a2 = activite(u"APPRENTISSAGE"_qs, u"14:01:00"_qs, u"14:10:00"_qs);
    touch(local + u"/Dupont_Jean.txt"_qs, {h1, h2, a2});
    touch(serveur + u"/Dupont_Jean.txt"_qs, {h1});
    touch(local + u"/Martin_Léa.txt"_qs, {h2});
    touch(local + u"/Hors classe/Solo_Paul.txt"_qs, {h2});
    for (const char *c : {"61", "62"})
        ASSERT_TRUE(ShellLink::write(QStringLiteral("%1/2006-2007/%2/Martin_Léa.lnk").arg(local, QString::fromUtf8(c)),
                                     local + u"/Martin_Léa.txt"_qs));
    touch(serveur + u"/2006-2007/62/Martin_Léa.lnk"_qs, {u"déjà là"_qs});

    QStringList erreurs;
    EXPECT_EQ(MonopostCleanup::nettoie_doublons_monoposte_serveur(state, env, &erreurs), 3);
    EXPECT_TRUE(erreurs.isEmpty()) << erreurs.join(u'\n').toStdString();

    EXPECT_EQ(TextFile::loadLines(serveur + u"/Dupont_Jean.txt"_qs), (QStringList{h1, h2, a2}));
    EXPECT_EQ(TextFile::loadLines(serveur + u"/Martin_Léa.txt"_qs), QStringList{h2});
    EXPECT_EQ(TextFile::loadLines(serveur + u"/Hors classe/Solo_Paul.txt"_qs), QStringList{h2});
    QStringList restants;
    PupilFolders::listFiles(local, u"*.txt"_qs, &restants);
    PupilFolders::listFiles(local + u"/Hors classe"_qs, u"*.txt"_qs, &restants);
    EXPECT_TRUE(restants.isEmpty()) << restants.join(u',').toStdString();
    QStringList corbeille;
    PupilFolders::listFiles(PupilFolders::recycleFolder(env.programFolder), u"*.txt"_qs, &corbeille);
    EXPECT_EQ(corbeille.size(), 3);

    EXPECT_EQ(ShellLink::readTarget(serveur + u"/2006-2007/61/Martin_Léa.lnk"_qs), serveur + u"/Martin_Léa.txt"_qs);
    EXPECT_EQ(TextFile::loadLines(serveur + u"/2006-2007/62/Martin_Léa.lnk"_qs), QStringList{u"déjà là"_qs});
    EXPECT_EQ(system.recycled.size(), 2);
    EXPECT_FALSE(ShellLink::isMember(local + u"/2006-2007/61"_qs, u"Martin_Léa"_qs));
    EXPECT_FALSE(ShellLink::isMember(local + u"/2006-2007/62"_qs, u"Martin_Léa"_qs));
    EXPECT_EQ(MonopostCleanup::informationText(3), u"3 fichiers transmis au serveur"_qs);

    EXPECT_EQ(MonopostCleanup::nettoie_doublons_monoposte_serveur(state, env), 0) << "nothing left to send";
}

TEST_F(Nettoyage, AFileThatCannotReachTheServerStaysLocal)
{
    touch(local + u"/Dupont_Jean.txt"_qs, {u"ligne"_qs});
    ASSERT_TRUE(QDir().mkpath(serveur + u"/Dupont_Jean.txt"_qs));   // the server copy cannot be read
    QStringList erreurs;
    EXPECT_EQ(MonopostCleanup::nettoie_doublons_monoposte_serveur(state, env, &erreurs), 0);
    EXPECT_EQ(erreurs.size(), 1);
    EXPECT_EQ(TextFile::loadLines(local + u"/Dupont_Jean.txt"_qs), QStringList{u"ligne"_qs});
}

TEST_F(Nettoyage, NeverEmptiesTheFolderItWorksOn)
{
    state.dossier_eleves = env.programFolder + u"Eleves"_qs;
    touch(local + u"/Dupont_Jean.txt"_qs, {u"ligne"_qs});
    EXPECT_EQ(MonopostCleanup::nettoie_doublons_monoposte_serveur(state, env), 0);
    EXPECT_TRUE(QFileInfo::exists(local + u"/Dupont_Jean.txt"_qs));
}

// ---------------------------------------------------------------- identification rules

class Ident : public ::testing::Test
{
protected:
    void SetUp() override
    {
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

    // A pupil of class `classe` whose first session was on `date`.
    void eleve(const QString &cle, const QString &classe, const QString &date = u"14/11/2006"_qs,
               const QString &annee = u"2007-2008"_qs)
    {
        touch(PupilFolders::historyFile(ecole, cle), {entete(date, u"10:00:00"_qs, u"10:10:00"_qs, u"PC1"_qs)});
        ASSERT_TRUE(ShellLink::write(PupilFolders::linkFile(Paths::join(ecole, annee, classe), cle),
                                     PupilFolders::historyFile(ecole, cle)));
    }

    QTemporaryDir tmp;
    Environment env;
    SessionState state;
    QString ecole;
};

TEST_F(Ident, ClassChoiceAndNameClick)
{
    eleve(u"Martin_Léa"_qs, u"61"_qs);
    eleve(u"Dupont Martin_Zoé"_qs, u"61"_qs);
    eleve(u"Élie_Paul"_qs, u"61"_qs);
    touch(ecole + u"/Hors classe/Solo_Paul.txt"_qs);
    Identification id(state);
    id.initialisation();
    EXPECT_EQ(id.etape(), Identification::Etape::ChoixClasse);
    EXPECT_FALSE(id.choisit_classe(u"99"_qs));

    ASSERT_TRUE(id.choisit_classe(u"61"_qs));
    EXPECT_EQ(id.etape(), Identification::Etape::ChoixNom);
    EXPECT_EQ(state.eleve.niveau, u"sixième"_qs);
    EXPECT_EQ(state.eleve.dossier_classe, state.dossier_annee + u"/61"_qs);
    EXPECT_EQ(id.textePanelClasse(), u" Classe: 61 "_qs);
    EXPECT_EQ(id.nomsAffiches(), (QStringList{u"Dupont Martin Zoé"_qs, u"Élie Paul"_qs, u"Martin Léa"_qs}));

    ASSERT_TRUE(id.choisit_eleve(0));
    EXPECT_EQ(id.etape(), Identification::Etape::Terminee);
    EXPECT_EQ(state.eleve.cle_eleve, u"Dupont Martin_Zoé"_qs);
    EXPECT_EQ(state.eleve.nom, u"Dupont Martin"_qs);
    EXPECT_EQ(state.eleve.prenom, u"Zoé"_qs);
    EXPECT_EQ(state.eleve.fichier_eleve, ecole + u"/Dupont Martin_Zoé.txt"_qs);
    EXPECT_TRUE(QFileInfo::exists(state.eleve.fichier_eleve));

    id.initialisation();
    EXPECT_TRUE(state.eleve.cle_eleve.isEmpty());
    id.choisit_aucune();
    EXPECT_EQ(id.textePanelClasse(), u" Classe: aucune "_qs);
    EXPECT_TRUE(state.eleve.classe.isEmpty());
    ASSERT_EQ(id.listeEleves(), QStringList{u"Solo_Paul.txt"_qs});

    // An empty class goes straight to registration.
    id.initialisation();
    ASSERT_TRUE(id.choisit_classe(u"51"_qs));
    EXPECT_EQ(id.etape(), Identification::Etape::Inscription);

    QList<QStringList> colonnes = Identification::colonnes(QStringList(31, u"x"_qs));
    ASSERT_EQ(colonnes.size(), 3);
    EXPECT_EQ(colonnes[0].size(), 15);
    EXPECT_EQ(colonnes[2].size(), 1);
}

TEST_F(Ident, FormerPupilQuestion)
{
    eleve(u"Dupont_Jean"_qs, u"61"_qs, u"14/11/2006"_qs, u"2006-2007"_qs);
    eleve(u"Martin_Léa"_qs, u"51"_qs, u"14/11/2005"_qs, u"2005-2006"_qs);
    touch(ecole + u"/Bernard_Paul.txt"_qs);
    Identification id(state);
    struct Cas
    {
        QString nom, prenom;
        bool reponse;
        QString question;
        QString cle;
    };
    const Cas cas[] = {
        {u"Dupon"_qs, u"Jean"_qs, true, u"Etais-tu en 61 l'année dernière?"_qs, u"Dupont_Jean"_qs},
        {u"Dupon"_qs, u"Jean"_qs, false, u"Etais-tu en 61 l'année dernière?"_qs, u"Dupon_Jean"_qs},
        {u"Léa"_qs, u"Martin"_qs, true, u"Etais-tu en 51 il y a 2 ans?"_qs, u"Martin_Léa"_qs},
        {u"Bernar"_qs, u"Paul"_qs, true, u"Es-tu déjà venu(e) sous le nom Bernard Paul ?"_qs, u"Bernard_Paul"_qs},
        {u"Durand"_qs, u"Paul"_qs, true, QString(), u"Durand_Paul"_qs},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE((c.nom + u' ' + c.prenom).toStdString());
        id.initialisation();
        ASSERT_TRUE(id.choisit_classe(u"62"_qs));
        QStringList questions;
        QString erreur;
        ASSERT_TRUE(id.inscription(c.nom, c.prenom,
                                   [&](const QString &titre, const QString &texte) {
                                       EXPECT_EQ(titre, u"Ancien élève?"_qs);
                                       questions.append(texte);
                                       return c.reponse;
                                   },
                                   &erreur))
            << erreur.toStdString();
        EXPECT_EQ(questions.value(0), c.question);
        EXPECT_EQ(state.eleve.cle_eleve, c.cle);
        EXPECT_EQ(state.eleve.fichier_eleve, PupilFolders::historyFile(ecole, c.cle));
        EXPECT_EQ(state.eleve.classe, u"62"_qs);
        EXPECT_EQ(id.etape(), Identification::Etape::Terminee);
    }
}

TEST_F(Ident, RefusedNamesChangeNothing)
{
    Identification id(state);
    id.initialisation();
    ASSERT_TRUE(id.choisit_classe(u"61"_qs));
    const QString trop(PupilKey::kMaxFieldLength + 1, u'a');
    const QStringList cas[] = {
        {u""_qs, u"Jean"_qs},  {u"Dupont"_qs, u""_qs},   {u"D"_qs, u"Jean"_qs},
        {u"D "_qs, u"Jean"_qs}, {u"Dupont"_qs, u"J-"_qs}, {u"Dup0nt"_qs, u"Jean"_qs},
        {u"Dupont"_qs, u"Jean_Paul"_qs}, {u"O'Neil"_qs, u"Jean"_qs}, {u"../x"_qs, u"Jean"_qs},
        {u"Dupont"_qs, trop},   {u"Lé😀a"_qs, u"Jean"_qs},
        // Control characters, separators of either system, a name far too long.
        {u"Du\tpont"_qs, u"Jean"_qs}, {u"Dupont"_qs, u"Je\u0000an"_qs}, {u"Dupont"_qs, u"..\\..\\Jean"_qs},
        {QString(300, u'a'), u"Jean"_qs},
    };
    for (const QStringList &c : cas) {
        SCOPED_TRACE(c.join(u'|').toStdString());
        QString erreur;
        EXPECT_FALSE(id.inscription(c[0], c[1], {}, &erreur));
        EXPECT_FALSE(erreur.isEmpty());
        EXPECT_TRUE(state.eleve.cle_eleve.isEmpty());
        EXPECT_TRUE(state.eleve.fichier_eleve.isEmpty());
        EXPECT_EQ(id.etape(), Identification::Etape::Inscription);
    }
    EXPECT_FALSE(Identification::champSuffisant(u"A "_qs));
    EXPECT_TRUE(Identification::champSuffisant(u"Al"_qs));
}

TEST_F(Ident, CodesAlreadyGivenStayValid)
{
    state.identification_par_code = true;
    // Jean and Jane give the same code; Jean came first and keeps it, though
    // Jane comes first in the list.
    eleve(u"Dupont_Jean"_qs, u"61"_qs, u"14/11/2006"_qs);
    eleve(u"Martin_Léa"_qs, u"61"_qs, u"15/11/2006"_qs);
    Identification id(state);
    id.initialisation();
    ASSERT_TRUE(id.choisit_classe(u"61"_qs));
    EXPECT_EQ(id.etape(), Identification::Etape::SaisieCode);
    ASSERT_TRUE(id.inscription(u"Dupont"_qs, u"Jane"_qs, {}));
    EXPECT_EQ(id.etape(), Identification::Etape::AffichageCode);
    const QString codeJane = state.eleve.code_eleve;
    EXPECT_EQ(codeJane, PupilKey::pupilCode(u"Dupont_Jane "_qs));
    EXPECT_NE(codeJane, PupilKey::pupilCode(u"Dupont_Jean"_qs));

    // Jane's first session is recorded; she is in the class list from now on.
    eleve(u"Dupont_Jane"_qs, u"61"_qs, u"20/11/2006"_qs);
    id.initialisation();
    ASSERT_TRUE(id.choisit_classe(u"61"_qs));
    ASSERT_EQ(id.listeEleves().first(), u"Dupont_Jane.lnk"_qs);
    struct Cas
    {
        QString code;
        QString cle;
    };
    const Cas cas[] = {
        {codeJane, u"Dupont_Jane"_qs},
        {PupilKey::pupilCode(u"Dupont_Jean"_qs), u"Dupont_Jean"_qs},
        {PupilKey::pupilCode(u"Martin_Léa"_qs).toUpper(), u"Martin_Léa"_qs},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.code.toStdString());
        id.demande_code();
        ASSERT_TRUE(id.verifie_code(c.code));
        EXPECT_EQ(state.eleve.cle_eleve, c.cle);
        EXPECT_EQ(state.eleve.fichier_eleve, PupilFolders::historyFile(ecole, c.cle));
    }
    id.demande_code();
    EXPECT_FALSE(id.verifie_code(u"zz9z"_qs));
    EXPECT_EQ(id.etape(), Identification::Etape::CodeInconnu);
    id.demande_code();
    EXPECT_EQ(id.etape(), Identification::Etape::SaisieCode);

    // Jane registering again is shown the code she already has.
    ASSERT_TRUE(id.inscription(u"Dupont"_qs, u"Jane"_qs, {}));
    EXPECT_EQ(state.eleve.code_eleve, codeJane);
}

TEST_F(Ident, CodeFindsTheFileInTheGroupFolder)
{
    state.identification_par_code = true;
    // Home mode: the files lie in dossier_eleves, there is no school folder.
    state.mode_ecole = false;
    touch(state.dossier_eleves + u"/Martin_Léa.txt"_qs);
    Identification id(state);
    id.initialisation();
    EXPECT_EQ(id.etape(), Identification::Etape::SaisieCode);
    ASSERT_TRUE(id.verifie_code(PupilKey::pupilCode(u"Martin_Léa"_qs)));
    EXPECT_EQ(state.eleve.fichier_eleve, state.dossier_eleves + u"/Martin_Léa.txt"_qs);

    // School mode, no class: the file is in "Hors classe".
    state.mode_ecole = true;
    touch(ecole + u"/Hors classe/Solo_Paul.txt"_qs);
    id.initialisation();
    id.choisit_aucune();
    ASSERT_TRUE(id.verifie_code(PupilKey::pupilCode(u"Solo_Paul"_qs)));
    EXPECT_EQ(state.eleve.fichier_eleve, ecole + u"/Hors classe/Solo_Paul.txt"_qs);
    EXPECT_TRUE(QFileInfo::exists(state.eleve.fichier_eleve));
}
