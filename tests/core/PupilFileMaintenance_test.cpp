#include "core/HistoryLines.h"
#include "core/PupilFileMaintenance.h"
#include "core/SharedFileLock.h"
#include "core/ShellLink.h"
#include "core/TextFile.h"
#include "support/FakeSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Maintenance : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ecole = dir.filePath("Eleves/Collège");
        systeme.recycleRemoves = true;
    }

    QString fichier(const QString &cle) const { return ecole + "/" + cle + ".txt"; }
    QString lien(const QString &classe, const QString &cle) const { return ecole + "/" + classe + "/" + cle + ".lnk"; }

    void eleve(const QString &cle, const QStringList &lignes, const QStringList &classes)
    {
        ASSERT_TRUE(TextFile::saveLines(fichier(cle), lignes));
        for (const QString &c : classes) {
            QDir().mkpath(ecole + "/" + c);
            ASSERT_TRUE(ShellLink::write(lien(c, cle), fichier(cle)));
        }
    }

    static QStringList seance(const QString &date, const QString &debut)
    {
        return {HistoryLines::entete_seance("Lundi", date, debut, "10:00:00", "P"),
                "\tAPPRENTISSAGE de " + debut + " à 10:00:00: 12 répétitions"};
    }

    QTemporaryDir dir;
    QString ecole;
    FakeSystem systeme;
};

} // namespace

TEST_F(Maintenance, RenameCarriesTheLinksOfEveryYearAndRefusesWithoutTouchingAnything)
{
    eleve("Dupon_Jean", seance("13/11/2006", "09:00:00"), {"2005-2006/51", "2006-2007/61"});
    eleve("Martin_Léa", seance("14/11/2006", "09:00:00"), {"2006-2007/61"});
    ASSERT_TRUE(TextFile::saveLines(ecole + "/Dupon_Jean.ini", {"[config perso]"}));

    struct Refus { const char *nom; const char *fichier; const char *attendu; };
    for (const Refus &r : {Refus{"Martin_Léa", "Dupon_Jean", "existe déjà"}, Refus{"martin_léa", "Dupon_Jean", "existe déjà"},
                           Refus{"", "Dupon_Jean", "nouveau nom"}, Refus{"Dupont", "Dupon_Jean", "Nom_Prénom"},
                           Refus{"Du/pont_Jean", "Dupon_Jean", "nom de fichier"},
                           Refus{"Dupont_Jean", "Absent_Paul", "n'existe pas"}}) {
        QString erreur;
        EXPECT_FALSE(PupilFileMaintenance::renomme(systeme, fichier(r.fichier), r.nom, &erreur)) << r.nom;
        EXPECT_TRUE(erreur.contains(QString::fromUtf8(r.attendu))) << erreur.toStdString();
    }
    EXPECT_TRUE(QFileInfo::exists(fichier("Dupon_Jean")));
    EXPECT_TRUE(QFileInfo::exists(lien("2006-2007/61", "Dupon_Jean")));
    EXPECT_TRUE(systeme.recycled.isEmpty());

    QString erreur;
    int liens = 0;
    ASSERT_TRUE(PupilFileMaintenance::renomme(systeme, fichier("Dupon_Jean"), " Dupont_Jean ", &erreur, &liens))
        << erreur.toStdString();
    EXPECT_EQ(liens, 2);
    EXPECT_FALSE(QFileInfo::exists(fichier("Dupon_Jean")));
    EXPECT_EQ(TextFile::loadLines(fichier("Dupont_Jean")), seance("13/11/2006", "09:00:00"));
    EXPECT_TRUE(QFileInfo::exists(ecole + "/Dupont_Jean.ini"));
    for (const QString c : {"2005-2006/51", "2006-2007/61"}) {
        EXPECT_FALSE(QFileInfo::exists(lien(c, "Dupon_Jean"))) << c.toStdString();
        EXPECT_EQ(ShellLink::readTarget(lien(c, "Dupont_Jean")), fichier("Dupont_Jean")) << c.toStdString();
    }
    EXPECT_EQ(systeme.recycled.size(), 2);
    // The other pupil's link is left alone.
    EXPECT_TRUE(QFileInfo::exists(lien("2006-2007/61", "Martin_Léa")));
}

TEST_F(Maintenance, ARenameWaitsForASessionBeingRecordedElsewhere)
{
    eleve("Dupon_Jean", seance("13/11/2006", "09:00:00"), {"2006-2007/61"});
    // Another workstation is writing this pupil's session.
    SharedFileLock autrePoste(fichier("Dupon_Jean"), 60000);
    QString erreur;
    ASSERT_TRUE(autrePoste.lock(&erreur));
    EXPECT_FALSE(PupilFileMaintenance::renomme(systeme, fichier("Dupon_Jean"), "Dupont_Jean", &erreur, nullptr, 200));
    EXPECT_FALSE(erreur.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(fichier("Dupon_Jean")));
    EXPECT_FALSE(QFileInfo::exists(fichier("Dupont_Jean")));
    EXPECT_TRUE(QFileInfo::exists(lien("2006-2007/61", "Dupon_Jean")));
    autrePoste.unlock();
    EXPECT_TRUE(PupilFileMaintenance::renomme(systeme, fichier("Dupon_Jean"), "Dupont_Jean", &erreur, nullptr, 200));
}

TEST_F(Maintenance, MergeJoinsTheHistoriesAndTheClassesBothWays)
{
    eleve("Durand_Eva", seance("13/11/2006", "09:00:00"), {"2006-2007/61"});
    eleve("Durant_Eva", seance("14/11/2006", "09:00:00") + seance("13/11/2006", "09:00:00"), {"2006-2007/62"});
    QString erreur;
    EXPECT_FALSE(PupilFileMaintenance::fusionne(fichier("Durand_Eva"), fichier("Durand_Eva"), &erreur));
    EXPECT_FALSE(PupilFileMaintenance::fusionne(fichier("Durand_Eva"), fichier("Absent_Eva"), &erreur));

    ASSERT_TRUE(PupilFileMaintenance::fusionne(fichier("Durand_Eva"), fichier("Durant_Eva"), &erreur))
        << erreur.toStdString();
    const QStringList attendu = seance("13/11/2006", "09:00:00") + seance("14/11/2006", "09:00:00");
    EXPECT_EQ(TextFile::loadLines(fichier("Durand_Eva")), attendu);
    EXPECT_EQ(TextFile::loadLines(fichier("Durant_Eva")), attendu);
    EXPECT_EQ(ShellLink::readTarget(lien("2006-2007/62", "Durand_Eva")), fichier("Durand_Eva"));
    EXPECT_EQ(ShellLink::readTarget(lien("2006-2007/61", "Durant_Eva")), fichier("Durant_Eva"));
    EXPECT_TRUE(QFileInfo::exists(lien("2006-2007/61", "Durand_Eva")));
    EXPECT_TRUE(QFileInfo::exists(lien("2006-2007/62", "Durant_Eva")));
}

// A pupil first registered without a class, then in a class: his two files
// are merged, and the classes go to the file of the school folder. Two
// unrelated schools are still refused.
TEST_F(Maintenance, MergeTakesTheSchoolsOwnOutOfClassFolder)
{
    eleve("Leroy_Tom", seance("14/11/2006", "09:00:00"), {"2005-2006/51", "2006-2007/61"});
    const QString horsClasse = ecole + "/Hors classe/Leroy_Tom.txt";
    QDir().mkpath(ecole + "/Hors classe");
    ASSERT_TRUE(TextFile::saveLines(horsClasse, seance("13/11/2006", "09:00:00")));
    const QString autreEcole = dir.filePath("Eleves/Ecole Jaurès/Hors classe/Leroy_Tom.txt");
    QDir().mkpath(QFileInfo(autreEcole).path());
    ASSERT_TRUE(TextFile::saveLines(autreEcole, seance("12/11/2006", "09:00:00")));

    QString erreur;
    EXPECT_FALSE(PupilFileMaintenance::fusionne(autreEcole, fichier("Leroy_Tom"), &erreur));
    EXPECT_EQ(erreur, "Les deux fichiers doivent être dans le même dossier d'établissement.");
    EXPECT_EQ(TextFile::loadLines(fichier("Leroy_Tom")), seance("14/11/2006", "09:00:00"));

    const QStringList attendu = seance("13/11/2006", "09:00:00") + seance("14/11/2006", "09:00:00");
    ASSERT_TRUE(PupilFileMaintenance::fusionne(horsClasse, fichier("Leroy_Tom"), &erreur)) << erreur.toStdString();
    EXPECT_EQ(TextFile::loadLines(horsClasse), attendu);
    EXPECT_EQ(TextFile::loadLines(fichier("Leroy_Tom")), attendu);
    EXPECT_EQ(ShellLink::readTarget(lien("2005-2006/51", "Leroy_Tom")), fichier("Leroy_Tom"));
    EXPECT_EQ(ShellLink::readTarget(lien("2006-2007/61", "Leroy_Tom")), fichier("Leroy_Tom"));

    // Either way round, and under another key: the out-of-class file is in
    // no class, so the class file keeps its own classes and no more, and no
    // link is made for the out-of-class key.
    eleve("Leroy_Thomas", seance("15/11/2006", "09:00:00"), {"2006-2007/62"});
    ASSERT_TRUE(PupilFileMaintenance::fusionne(fichier("Leroy_Thomas"), horsClasse, &erreur)) << erreur.toStdString();
    EXPECT_TRUE(TextFile::loadLines(horsClasse).contains(seance("15/11/2006", "09:00:00").first()));
    EXPECT_EQ(ShellLink::readTarget(lien("2006-2007/62", "Leroy_Thomas")), fichier("Leroy_Thomas"));
    EXPECT_FALSE(QFileInfo::exists(lien("2006-2007/62", "Leroy_Tom")));
    EXPECT_FALSE(QFileInfo::exists(lien("2006-2007/61", "Leroy_Thomas")));
}

TEST_F(Maintenance, DeleteKeepsTheFileInTheRecycleFolderAndDropsTheLinks)
{
    eleve("Parti_Paul", seance("13/11/2006", "09:00:00"), {"2005-2006/51", "2006-2007/61"});
    ASSERT_TRUE(TextFile::saveLines(ecole + "/Parti_Paul.ini", {"[config perso]"}));
    const QString programme = dir.filePath("Programme");
    QString erreur;
    ASSERT_TRUE(PupilFileMaintenance::supprime(systeme, programme, fichier("Parti_Paul"), &erreur))
        << erreur.toStdString();
    EXPECT_FALSE(QFileInfo::exists(fichier("Parti_Paul")));
    EXPECT_EQ(TextFile::loadLines(programme + "/CorbeilleTabulon/Parti_Paul.txt"), seance("13/11/2006", "09:00:00"));
    EXPECT_TRUE(QFileInfo::exists(programme + "/CorbeilleTabulon/Parti_Paul.ini"));
    EXPECT_FALSE(QFileInfo::exists(lien("2005-2006/51", "Parti_Paul")));
    EXPECT_FALSE(QFileInfo::exists(lien("2006-2007/61", "Parti_Paul")));

    // A file that is not there: refused, and nothing else happens.
    systeme.recycled.clear();
    EXPECT_FALSE(PupilFileMaintenance::supprime(systeme, programme, fichier("Parti_Paul"), &erreur));
    EXPECT_TRUE(systeme.recycled.isEmpty());
}

// A namesake, or the same pupil deleted again a year later: every copy stays
// in the recycle folder, each under a name of its own, letter case ignored
// as the share ignores it.
TEST_F(Maintenance, DeletingTheSameNameAgainKeepsEveryCopy)
{
    const QString programme = dir.filePath("Programme");
    const QString corbeille = programme + "/CorbeilleTabulon/";
    QDir().mkpath(corbeille);
    ASSERT_TRUE(TextFile::saveLines(corbeille + "parti_paul.txt", {"copie de 2004"}));
    struct Cas { QString date; QString nom; bool ini; };
    const Cas cas[] = {{"13/11/2006", "Parti_Paul (2).txt", true}, {"14/11/2007", "Parti_Paul (3).txt", false}};
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.nom.toStdString());
        eleve("Parti_Paul", seance(c.date, "09:00:00"), {});
        if (c.ini) {
            ASSERT_TRUE(TextFile::saveLines(ecole + "/Parti_Paul.ini", {"[config perso]"}));
        }
        QString erreur;
        QString nom;
        ASSERT_TRUE(PupilFileMaintenance::supprime(systeme, programme, fichier("Parti_Paul"), &erreur, &nom))
            << erreur.toStdString();
        EXPECT_EQ(nom, c.nom);
        EXPECT_EQ(TextFile::loadLines(corbeille + c.nom), seance(c.date, "09:00:00"));
    }
    EXPECT_EQ(TextFile::loadLines(corbeille + "parti_paul.txt"), QStringList{"copie de 2004"});
    // The settings took the name of their history.
    EXPECT_TRUE(QFileInfo::exists(corbeille + "Parti_Paul (2).ini"));
    EXPECT_EQ(QDir(corbeille).entryList(QDir::Files).size(), 4);
}
