#include "core/Catalogue.h"
#include "core/ClassFollowUp.h"
#include "core/HistoryLines.h"
#include "core/ShellLink.h"
#include "core/TextFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// A test of the 64 classic products: the first `justes` right in one second,
// the others wrong. Score = 100 × justes / 64, speed = 60 × justes / 64.
QString test(int justes)
{
    QString r;
    int i = 0;
    for (const QString &code : Catalogue::liste_produits_tables(QStringLiteral("tables_classiques"))) {
        const QString reponse = i++ < justes ? Catalogue::resultat_produit_4(code) : QStringLiteral("0001");
        r += u'P' + code + QStringLiteral("010") + reponse;
    }
    return r;
}

// One session on the day with the given test; justes < 0 gives a session
// without a test.
QStringList seance(const QString &jour, const QString &date, int justes, const QString &fin = "09:10:00")
{
    QStringList l{HistoryLines::entete_seance(jour, date, "09:00:00", "09:30:00", "POSTE")};
    if (justes < 0)
        l.append("\tAPPRENTISSAGE de 09:01:00 à 09:20:00: 40 répétitions");
    else
        l.append("\tTEST de 09:01:00 à " + fin + " " + test(justes));
    return l;
}

class ClassFollowUpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        eleves = dir.filePath("Eleves");
        ecole = eleves + "/Collège";
        d.dossierEleves = eleves;
        d.etablissement = "Collège";
        d.annee = "2006-2007";
        d.date = QDate(2006, 11, 20);
        d.maintenant = QDateTime(QDate(2006, 11, 20), QTime(14, 0, 0));
    }

    void eleve(const QString &cle, const QStringList &lignes, const QStringList &classes = {},
               const QString &dossier = {})
    {
        const QString fichier = (dossier.isEmpty() ? ecole : dossier) + "/" + cle + ".txt";
        ASSERT_TRUE(TextFile::saveLines(fichier, lignes));
        for (const QString &c : classes) {
            QDir().mkpath(ecole + "/2006-2007/" + c);
            ASSERT_TRUE(ShellLink::write(ecole + "/2006-2007/" + c + "/" + cle + ".lnk", fichier));
        }
    }

    QTemporaryDir dir;
    QString eleves;
    QString ecole;
    ClassFollowUp::Demande d;
};

} // namespace

TEST(ClassFollowUpAverage, RoundsHalvesToEven)
{
    struct Cas { qint64 somme; int nombre; int attendu; };
    for (const Cas &c : {Cas{0, 0, -1}, Cas{5, 2, 2}, Cas{7, 2, 4}, Cas{3, 2, 2}, Cas{194, 3, 65}, Cas{193, 3, 64},
                         Cas{0, 4, 0}})
        EXPECT_EQ(ClassFollowUp::moyenne(c.somme, c.nombre), c.attendu) << c.somme << "/" << c.nombre;
}

TEST_F(ClassFollowUpTest, ListFileForEveryOrderMeasureAndEdgeCase)
{
    // Class 61: scores 100, 85 and 9 (tests 5, 10 and 6 days old).
    eleve("Alain_Zoé", seance("Mercredi", "15/11/2006", 64), {"61"});
    eleve("Bernard_Yves", seance("Vendredi", "10/11/2006", 55), {"61"});
    eleve("Charles_Xavier", seance("Mardi", "14/11/2006", 6), {"61"});
    // Class 62: only a link whose history file is gone.
    QDir().mkpath(ecole + "/2006-2007/62");
    ASSERT_TRUE(ShellLink::write(ecole + "/2006-2007/62/Parti_Paul.lnk", ecole + "/Parti_Paul.txt"));
    // Class 63: a 22-character name with a test 5 days old, and a pupil with no test.
    eleve("Abcdefghijk_Lmnopqrstu", seance("Mercredi", "15/11/2006", 32, "09:12:00"), {"63"});
    eleve("Dupont_Jean", seance("Lundi", "13/11/2006", -1), {"63"});

    const QString titre = "Total: 5 élèves le Lundi 20/11/2006 à 14:00:00";
    using M = ClassFollowUp::Mesure;
    using O = ClassFollowUp::Ordre;
    struct Cas { const char *nom; M mesure; O ordre; QStringList lignes; };
    const QList<Cas> cas{
        {"résultat: 9 < 85 < 100, no test first, average -1", M::Score, O::Resultat,
         {titre,
          "\t61: 3 élèves...........65%",
          "\t\tCharles Xavier........9",
          "\t\tBernard Yves..........85",
          "\t\tAlain Zoé.............100",
          "\t63: 2 élèves...........50 ",
          "\t\tDupont Jean...........   ",
          "\t\tAbcdefghijk Lmnopqrstu 50"}},
        {"nom", M::Score, O::Nom,
         {titre,
          "\t61: 3 élèves...........65%",
          "\t\tAlain Zoé.............100",
          "\t\tBernard Yves..........85",
          "\t\tCharles Xavier........9",
          "\t63: 2 élèves...........50 ",
          "\t\tAbcdefghijk Lmnopqrstu 50",
          "\t\tDupont Jean...........   "}},
        {"date, speed: ages in days, newest first", M::Vitesse, O::Date,
         {titre,
          "\t61: 3 élèves...........39 brm (5 jours)",
          "\t\tAlain Zoé.............60 (5)",
          "\t\tCharles Xavier........6 (6)",
          "\t\tBernard Yves..........52 (10)",
          "\t63: 2 élèves...........30     (5)",
          "\t\tAbcdefghijk Lmnopqrstu 30 (5)",
          "\t\tDupont Jean...........   "}},
    };
    for (const Cas &c : cas) {
        d.mesure = c.mesure;
        d.ordre = c.ordre;
        const ClassFollowUp::Liste l = ClassFollowUp::construit(d);
        EXPECT_EQ(l.lignes, c.lignes) << c.nom;
        ASSERT_EQ(l.chemins.size(), l.lignes.size()) << c.nom;
        EXPECT_EQ(l.chemins[0], " ");
        EXPECT_TRUE(l.chemins[1].endsWith("/2006-2007/61")) << c.nom;
        EXPECT_EQ(l.eleves, 5);
    }

    // Paths follow their lines whatever the order.
    d.ordre = O::Resultat;
    d.mesure = M::Score;
    const ClassFollowUp::Liste l = ClassFollowUp::construit(d);
    EXPECT_EQ(l.chemins[2], ecole + "/Charles_Xavier.txt");
    EXPECT_EQ(l.chemins[4], ecole + "/Alain_Zoé.txt");
    EXPECT_EQ(l.chemins[6], ecole + "/Dupont_Jean.txt");
    // Records: one entry per pupil with a test, score then speed, sorted.
    EXPECT_EQ(l.records, QStringList({"009006Charles_Xavier", "050030Abcdefghijk_Lmnopqrstu", "085052Bernard_Yves",
                                      "100060Alain_Zoé"}));

    // "premier" from 15/11: Bernard's only test is earlier, Charles's too.
    d.premier = true;
    d.date = QDate(2006, 11, 15);
    const ClassFollowUp::Liste p = ClassFollowUp::construit(d);
    EXPECT_EQ(p.lignes[1], "\t61: 3 élèves...........100%");
    EXPECT_EQ(p.lignes[2], "\t\tBernard Yves..........   ");
}

TEST_F(ClassFollowUpTest, TitleForOneOrNoPupil)
{
    EXPECT_EQ(ClassFollowUp::construit(d).lignes, QStringList{"pas d'élève le Lundi 20/11/2006 à 14:00:00"});
    eleve("Seul_Sam", seance("Lundi", "20/11/2006", 64), {"61"});
    EXPECT_EQ(ClassFollowUp::construit(d).lignes,
              QStringList({"1 élève le Lundi 20/11/2006 à 14:00:00", "\t61: 1 élève............100%",
                           "\t\tSeul Sam..............100"}));
}

TEST_F(ClassFollowUpTest, WithoutEstablishmentListsTheLooseFilesAndKeepsTheRecords)
{
    eleve("Enfant_Un", seance("Mercredi", "15/11/2006", 64), {}, eleves);
    eleve("Enfant_Deux", seance("Lundi", "13/11/2006", 0), {}, eleves);
    d.etablissement.clear();
    d.ordre = ClassFollowUp::Ordre::Date;
    const ClassFollowUp::Liste l = ClassFollowUp::construit(d);
    EXPECT_EQ(l.lignes, QStringList({"2 élèves: score moyen= 50%", "\tEnfant Un.............100 ( 5 )",
                                     "\tEnfant Deux...........0 ( 7 )"}));
    EXPECT_TRUE(l.records.isEmpty());

    const QString stats = dir.filePath("Statistiques");
    ASSERT_TRUE(TextFile::saveLines(stats + "/liste_records.txt", {"100060Ancien_Record"}));
    QString erreur;
    ASSERT_TRUE(ClassFollowUp::enregistre(l, stats, false, &erreur)) << erreur.toStdString();
    EXPECT_EQ(TextFile::loadLines(stats + "/liste_eleves.txt"), l.lignes);
    EXPECT_EQ(TextFile::loadLines(stats + "/liste_records.txt"), QStringList{"100060Ancien_Record"});

    d.etablissement = "Collège";
    eleve("Seul_Sam", seance("Lundi", "20/11/2006", 64), {"61"});
    const ClassFollowUp::Liste e = ClassFollowUp::construit(d);
    ASSERT_TRUE(ClassFollowUp::enregistre(e, stats, true, &erreur));
    EXPECT_EQ(TextFile::loadLines(stats + "/liste_records.txt"), QStringList{"100060Seul_Sam"});
}

TEST_F(ClassFollowUpTest, AStopAnswerInterruptsThePass)
{
    for (int i = 0; i < 5; ++i)
        eleve(QString("Eleve_%1").arg(i), seance("Lundi", "13/11/2006", 10), {"61"});
    QList<int> vus;
    const ClassFollowUp::Liste l = ClassFollowUp::construit(d, [&](int fait, int total) {
        vus.append(fait * 10 + total);
        return fait < 2;
    });
    EXPECT_TRUE(l.interrompue);
    EXPECT_EQ(vus, QList<int>({5, 15, 25}));
}

// The tree is loaded back from the file, which a teacher may have edited: a
// line with too many tabs hangs one level below the line above it, never
// deeper than the pupils, and is shown without any of its tabs.
TEST(ClassFollowUpTree, DepthsAndParentsFromTheTabs)
{
    const QStringList lignes{"Total", "\tCM1a", "\t\tDupont Jean", "\t\t\t\tperdu", "\tCM2b", "\t\t\tsaut", "seul", ""};
    const struct
    {
        int parent;
        int profondeur;
        const char *texte;
    } attendu[] = {{-1, 0, "Total"}, {0, 1, "CM1a"}, {1, 2, "Dupont Jean"}, {1, 2, "perdu"},
                   {0, 1, "CM2b"},   {4, 2, "saut"}, {-1, 0, "seul"},     {-1, 0, ""}};
    const QList<ClassFollowUp::Noeud> noeuds = ClassFollowUp::arbre(lignes);
    ASSERT_EQ(noeuds.size(), std::size(attendu));
    for (qsizetype i = 0; i < noeuds.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(noeuds.at(i).parent, attendu[i].parent);
        EXPECT_EQ(noeuds.at(i).profondeur, attendu[i].profondeur);
        EXPECT_EQ(noeuds.at(i).texte, QString::fromUtf8(attendu[i].texte));
    }
}
