#include "core/ClassTestCollector.h"
#include "core/ComparisonChart.h"
#include "core/Dates.h"
#include "core/NiveauxTexte.h"
#include "core/ProductStatistics.h"
#include "core/HistoryLines.h"
#include "core/PupilDetail.h"
#include "core/PupilFolders.h"
#include "core/ReportBatch.h"
#include "core/ShellLink.h"
#include "core/TextFile.h"
#include "support/ClassFiles.h"
#include "../bench/support/SchoolGenerator.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

using namespace ClassTestCollector;
using namespace ComparisonChart;
using Fixtures::entete;
using Fixtures::ligneTest;
using Fixtures::testDeScore;

namespace {

constexpr int T = 4;

EleveTest eleve(int niveau, int classe, const QString &enregistrements)
{
    return {{niveau, classe}, QStringLiteral("X_Y"), enregistrements, QStringLiteral("Lundi 02/10/2026")};
}

class SmallSchool : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        etab = dir.filePath(QStringLiteral("eleves/Collège"));
        annee = PupilFolders::yearFolder(etab, QStringLiteral("2026-2027"));
        niveaux = {{QStringLiteral("sixième"), {QStringLiteral("61"), QStringLiteral("62")}},
                   {QStringLiteral("cinquième"), {QStringLiteral("51")}}};
    }

    void pupil(const QString &classe, const QString &cle, const QStringList &lignes)
    {
        ASSERT_TRUE(Fixtures::ecritEleve(etab, annee, classe, cle, lignes));
    }

    QTemporaryDir dir;
    QString etab;
    QString annee;
    QList<Niveau> niveaux;
};

} // namespace

TEST_F(SmallSchool, CollectsTheSelectedTestOfEachPupilOfTheTickedClasses)
{
    const QString ancien = testDeScore(10);
    const QString recent = testDeScore(60);
    pupil(QStringLiteral("61"), QStringLiteral("Dupont_Léa"),
          {entete("Lundi", "02/10/2026", "10:00:00", "10:20:00"), ligneTest(ancien),
           entete("Lundi", "09/10/2026", "10:00:00", "10:20:00"), ligneTest(recent)});
    pupil(QStringLiteral("61"), QStringLiteral("Martin_Paul"), {entete("Lundi", "02/10/2026", "09:00:00", "09:10:00")});
    pupil(QStringLiteral("61"), QStringLiteral("Parti_Sans"), {});   // his file is gone: a pupil without test
    pupil(QStringLiteral("62"), QStringLiteral("Autre_Eve"),
          {entete("Lundi", "02/10/2026", "10:00:00", "10:20:00"), ligneTest(recent)});
    pupil(QStringLiteral("51"), QStringLiteral("Petit_Max"),
          {entete("Lundi", "02/10/2026", "10:00:00", "10:20:00"), ligneTest(ancien)});

    Critere dernier;
    dernier.date = QStringLiteral("05/10/2026");
    int appels = 0;
    const Resultat r = collecte(niveaux, {{1, 1}, {2, 1}}, annee, etab, dernier, [&appels](int fait, int total) {
        ++appels;
        EXPECT_LE(fait, total);
        return true;
    });
    EXPECT_EQ(r.nbEleves, 4);
    EXPECT_EQ(r.nbAvecTest(), 2);
    ASSERT_EQ(r.eleves.size(), 4);
    EXPECT_EQ(r.eleves.at(0).cle, QStringLiteral("Dupont_Léa"));
    EXPECT_EQ(r.eleves.at(0).enregistrements, ancien);
    EXPECT_EQ(r.eleves.at(0).date, QStringLiteral("Vendredi 02/10/2026"));
    EXPECT_TRUE(r.eleves.at(1).enregistrements.isEmpty());
    EXPECT_TRUE(r.eleves.at(2).enregistrements.isEmpty());
    EXPECT_EQ(r.eleves.at(3).classe, (Classe{2, 1}));
    EXPECT_GE(appels, 3);

    Critere premier;
    premier.direction = QStringLiteral("premier");
    premier.date = QStringLiteral("05/10/2026");
    EXPECT_EQ(collecte(niveaux, {{1, 1}}, annee, etab, premier).eleves.at(0).enregistrements, recent);

    const Resultat annule = collecte(niveaux, {{1, 1}}, annee, etab, dernier, [](int fait, int) { return fait < 1; });
    EXPECT_TRUE(annule.annule);
}

// Several threads read the history files: the pupils, their tests and the
// statistics made from them must be those of a one-thread pass, whatever
// thread read which file, and stopping must still stop.
TEST(ClassTestCollector, ThreadedCollectionMatchesTheOneThreadPass)
{
    QTemporaryDir dir;
    const QDate jour(2026, 12, 10);
    const GeneratedSchool ecole = generateSchool(dir.path(), 150, 11, jour);
    ASSERT_TRUE(ecole.ok) << ecole.error.toStdString();
    // One history file gone and one unreadable: pupils without a test.
    ASSERT_TRUE(QFile::remove(ecole.fichiers.at(3)));
    ASSERT_TRUE(QFile::setPermissions(ecole.fichiers.at(40), QFileDevice::Permissions{}));
    const QList<Niveau> niveaux = NiveauxTexte::parse(ecole.niveauxEtClasses);
    QSet<Classe> toutes;
    for (int i = 1; i <= niveaux.size(); ++i)
        for (int j = 1; j <= niveaux.at(i - 1).classes.size(); ++j)
            toutes.insert({i, j});
    const QString annee = PupilFolders::yearFolder(ecole.dossierEtablissement, ecole.anneeCourante);

    const auto statistiques = [](const Resultat &r) {
        ProductStatistics s;
        for (const EleveTest &e : r.eleves)
            if (!e.enregistrements.isEmpty())
                s.ajoute_test(e.enregistrements, T);
        return s;
    };
    struct Cas
    {
        const char *nom;
        Critere critere;
    };
    Critere dernier;
    dernier.date = Dates::date_texte(jour);
    Critere premier;
    premier.direction = QStringLiteral("premier");
    premier.date = Dates::date_texte(jour.addYears(-2));
    Critere complets = dernier;
    complets.masquerIncomplets = true;
    complets.objectifs = QStringLiteral("7,8,9");
    for (const Cas &cas : {Cas{"dernier", dernier}, Cas{"premier", premier}, Cas{"complets", complets}}) {
        SCOPED_TRACE(cas.nom);
        const Resultat seul = collecte(niveaux, toutes, annee, ecole.dossierEtablissement, cas.critere, {}, 0);
        ASSERT_EQ(seul.nbEleves, 150);
        ASSERT_GT(seul.nbAvecTest(), 100);
        EXPECT_LT(seul.nbAvecTest(), 150);
        for (int aides : {1, 3}) {
            SCOPED_TRACE(aides);
            QList<int> faits;
            const Resultat r = collecte(niveaux, toutes, annee, ecole.dossierEtablissement, cas.critere,
                                        [&faits](int fait, int) {
                                            faits.append(fait);
                                            return true;
                                        },
                                        aides);
            EXPECT_FALSE(r.annule);
            ASSERT_FALSE(faits.isEmpty());
            EXPECT_TRUE(std::is_sorted(faits.begin(), faits.end()));
            EXPECT_EQ(faits.last(), 150);
            ASSERT_EQ(r.eleves.size(), seul.eleves.size());
            for (qsizetype k = 0; k < r.eleves.size(); ++k) {
                EXPECT_EQ(r.eleves.at(k).classe, seul.eleves.at(k).classe) << k;
                EXPECT_EQ(r.eleves.at(k).cle, seul.eleves.at(k).cle) << k;
                EXPECT_EQ(r.eleves.at(k).enregistrements, seul.eleves.at(k).enregistrements) << k;
                EXPECT_EQ(r.eleves.at(k).date, seul.eleves.at(k).date) << k;
            }
            const ProductStatistics a = statistiques(seul);
            const ProductStatistics b = statistiques(r);
            EXPECT_EQ(b.nombreTests(), a.nombreTests());
            for (int p = 1; p <= ProductStatistics::kPanneaux; ++p)
                for (auto c : {ProductStatistics::RapideJuste, ProductStatistics::LenteJuste,
                               ProductStatistics::Fausse, ProductStatistics::Absente}) {
                    EXPECT_EQ(b.compte(p, c), a.compte(p, c)) << p;
                    EXPECT_EQ(b.temps(p, c), a.temps(p, c)) << p;
                }
            EXPECT_EQ(b.confusions(), a.confusions());
        }
    }

    // Stopped at once: nothing is read.
    int appels = 0;
    const Resultat arrete = collecte(niveaux, toutes, annee, ecole.dossierEtablissement, dernier,
                                     [&appels](int, int) { return ++appels < 1; }, 3);
    EXPECT_TRUE(arrete.annule);
    EXPECT_EQ(appels, 1);
    EXPECT_EQ(arrete.nbAvecTest(), 0);
}

TEST(ComparisonChart, SharesOfPupilsByScoreBand)
{
    const QList<Niveau> niveaux{{QStringLiteral("sixième"), {QStringLiteral("61")}}};
    // Scores 95, 100 and 40 (of 64 products: 61, 64 and 26 right in 2 s give 95, 100, 40).
    const QList<EleveTest> eleves{eleve(1, 1, testDeScore(61)), eleve(1, 1, testDeScore(64)),
                                  eleve(1, 1, testDeScore(26)), eleve(1, 1, QString())};
    const Graphique g = genere_donnees(niveaux, {{1, 1}}, eleves, Abscisse::Score, Ordonnee::PctEleves, T);
    EXPECT_EQ(g.titre, QStringLiteral("Répartition (%) par score"));
    EXPECT_EQ(g.nbEleves, 3);
    ASSERT_EQ(g.barres.size(), 10);
    EXPECT_EQ(g.barres.at(4), qMakePair(QStringLiteral("40..49%"), 33));
    EXPECT_EQ(g.barres.at(9), qMakePair(QStringLiteral("90..100%"), 67));
    EXPECT_EQ(g.barres.at(0), qMakePair(QStringLiteral("0..9%"), 0));
    EXPECT_EQ(g.haut, 70);
    EXPECT_TRUE(g.texte().startsWith(QStringLiteral("Répartition (%) par score\t70\t3 élèves\t0..9%\t0\t")));
}

TEST(ComparisonChart, AveragesByClassAndLevel)
{
    const QList<Niveau> niveaux{{QStringLiteral("sixième"), {QStringLiteral("61"), QStringLiteral("62")}},
                                {QStringLiteral("cinquième"), {QStringLiteral("51"), QStringLiteral("52")}}};
    // 61: scores 50 and 75 (rounded average 63 of 62.5); 62: no test; 51: 100; 52 is not ticked.
    const QList<EleveTest> eleves{eleve(1, 1, testDeScore(32)), eleve(1, 1, testDeScore(48)),
                                  eleve(1, 2, QString()), eleve(2, 1, testDeScore(64)), eleve(2, 2, testDeScore(64))};
    const QSet<Classe> cochees{{1, 1}, {1, 2}, {2, 1}};
    const Graphique parClasse = genere_donnees(niveaux, cochees, eleves, Abscisse::Classe, Ordonnee::Score, T);
    EXPECT_EQ(parClasse.titre, QStringLiteral("Score par classe"));
    EXPECT_EQ(parClasse.barres, (QList<QPair<QString, int>>{{"61", 63}, {"51", 100}}));
    EXPECT_EQ(parClasse.haut, 100);
    EXPECT_EQ(parClasse.nbEleves, 3);

    const Graphique nombre = genere_donnees(niveaux, cochees, eleves, Abscisse::Niveau, Ordonnee::NbEleves, T);
    EXPECT_EQ(nombre.barres, (QList<QPair<QString, int>>{{"sixième", 2}, {"cinquième", 1}}));
    EXPECT_EQ(nombre.haut, 3);

    // Speed by class: 32 right in 64 × 2 s = 15 right answers per minute.
    const Graphique vitesse = genere_donnees(niveaux, cochees, eleves, Abscisse::Classe, Ordonnee::Rapidite, T);
    EXPECT_EQ(vitesse.titre, QStringLiteral("Rapidité (nb br/mn) par classe"));
    EXPECT_EQ(vitesse.barres.at(0).first, QStringLiteral("61"));
}

TEST(ComparisonChart, SpeedBandsReachTheFastestPupilAndNoPupilGivesNoDivision)
{
    const QList<Niveau> niveaux{{QStringLiteral("sixième"), {QStringLiteral("61")}}};
    // 64 right in 1 s each: 60 per minute, band 12 "60..64", beyond the ten usual labels.
    const QList<EleveTest> eleves{eleve(1, 1, testDeScore(64, 10)), eleve(1, 1, testDeScore(64, 40))};
    const Graphique g = genere_donnees(niveaux, {{1, 1}}, eleves, Abscisse::Rapidite, Ordonnee::NbEleves, T);
    ASSERT_EQ(g.barres.size(), 13);
    EXPECT_EQ(g.barres.at(12), qMakePair(QStringLiteral("60..64"), 1));
    EXPECT_EQ(g.barres.at(3), qMakePair(QStringLiteral("15..19"), 1));
    EXPECT_EQ(g.titre, QStringLiteral("Nombre d'élèves par rapidité"));

    const Graphique vide = genere_donnees(niveaux, {{1, 1}}, {eleve(1, 1, QString())}, Abscisse::Score,
                                          Ordonnee::PctEleves, T);
    EXPECT_EQ(vide.nbEleves, 0);
    for (const auto &barre : vide.barres)
        EXPECT_EQ(barre.second, 0);

    const struct {
        int m;
        int haut;
    } axes[] = {{0, 1}, {3, 4}, {9, 10}, {67, 70}, {100, 200}, {150, 200}, {999, 1000}};
    for (const auto &a : axes)
        EXPECT_EQ(haut_axe(a.m), a.haut) << a.m;
}

TEST(PupilDetail, SummaryOfSessionsAndRetainedTests)
{
    const QString t1 = ligneTest(testDeScore(10));
    const QString t2 = ligneTest(testDeScore(20));
    const QStringList lignes{
        entete("Lundi", "02/10/2026", "10:00:00", "10:20:00"), t1,
        entete("Lundi", "02/10/2026", "14:00:00", "14:05:30"), t2,   // second test that day: not retained
        entete("Lundi", "02/10/2026", "16:00:00", "16:10:00"), QStringLiteral("\tAPPRENTISSAGE de ..."),
        entete("Mardi", "03/10/2026", "23:50:00", "00:10:00"), QStringLiteral("\tAPPRENTISSAGE de ..."),
        entete("Mardi", "03/10/2026", "10:00:00", "10:20:00"), t2,
    };
    const PupilDetail d = PupilDetail::calcule(lignes, QStringLiteral("/x/Dupont_Léa.txt"), QStringLiteral("61: 2 élèves....50%"));
    EXPECT_EQ(d.identite(), QStringLiteral("Léa Dupont"));
    EXPECT_EQ(d.classe, QStringLiteral("61"));
    EXPECT_EQ(d.resume(), QStringLiteral("5 séances, sur 2 jours (le 02/10/2026 et le 03/10/2026)"));
    // 20 + 5.5 + 10 + 20 (across midnight) + 20 minutes.
    EXPECT_EQ(d.tempsTotal(), QStringLiteral("temps total: 1 h 15 min"));
    ASSERT_EQ(d.tests.size(), 2);
    EXPECT_EQ(d.tests.at(0).jour, QStringLiteral("Mardi 03/10/2026"));
    EXPECT_EQ(d.tests.at(1).ligneTest, t1);

    const struct {
        QStringList lignes;
        QString resume;
    } cas[] = {
        {{}, "aucune séance"},
        {{entete("Lundi", "02/10/2026", "10:00:00", "10:20:00")}, "1 seule séance, le 02/10/2026"},
        {{entete("Lundi", "02/10/2026", "10:00:00", "10:20:00"), entete("Lundi", "02/10/2026", "11:00:00", "11:20:00")},
         "2 séances, le même jour: 02/10/2026"},
        // Sessions on three days without any test are still three days.
        {{entete("Lundi", "02/10/2026", "10:00:00", "10:20:00"), entete("Mardi", "03/10/2026", "10:00:00", "10:20:00"),
          entete("Jeudi", "05/10/2026", "10:00:00", "10:20:00")},
         "3 séances, sur 3 jours (du 02/10/2026 au 05/10/2026)"},
    };
    for (const auto &c : cas)
        EXPECT_EQ(PupilDetail::calcule(c.lignes, QStringLiteral("A_B.txt"), QString()).resume(), c.resume);

    // A merged file that comes back to a day keeps that day's first test only.
    const QStringList melange{entete("Lundi", "02/10/2026", "10:00:00", "10:20:00"), t1,
                              entete("Mardi", "03/10/2026", "10:00:00", "10:20:00"), t2,
                              entete("Lundi", "02/10/2026", "14:00:00", "14:20:00"), t2};
    const PupilDetail m = PupilDetail::calcule(melange, QStringLiteral("A_B.txt"), QString());
    ASSERT_EQ(m.tests.size(), 2);
    EXPECT_EQ(m.tests.at(1).ligneTest, t1);

    // A damaged or forged file of 30,000 sessions of almost a day each sums
    // past what an int of seconds holds; the total must still be right.
    const QStringList longues(30000, entete("Lundi", "02/10/2026", "00:00:00", "23:59:59"));
    EXPECT_EQ(PupilDetail::calcule(longues, QStringLiteral("A_B.txt"), QString()).tempsTotal(),
              QStringLiteral("temps total: 719991 h 40 min"));
}

TEST_F(SmallSchool, ReportsOfAClassOrOfOnePupil)
{
    pupil(QStringLiteral("61"), QStringLiteral("Zoé_Anne"),
          {entete("Lundi", "02/10/2026", "10:00:00", "10:20:00"), ligneTest(testDeScore(30))});
    pupil(QStringLiteral("61"), QStringLiteral("Albert_Jean"),
          {entete("Lundi", "02/10/2026", "10:00:00", "10:20:00"), ligneTest(testDeScore(40))});
    pupil(QStringLiteral("61"), QStringLiteral("Martin_Paul"), {entete("Lundi", "02/10/2026", "09:00:00", "09:10:00")});
    Critere critere;
    critere.date = QStringLiteral("05/10/2026");

    const ReportBatch classe = ReportBatch::prepare(PupilFolders::classFolder(annee, QStringLiteral("61")),
                                                    QStringLiteral("61: 3 élèves..........35%"), etab, critere);
    EXPECT_EQ(classe.nomPropose, QStringLiteral("Classe de 61"));
    EXPECT_EQ(classe.classe, QStringLiteral("61"));
    ASSERT_EQ(classe.bilans.size(), 2);
    EXPECT_EQ(classe.bilans.at(0).nom, QStringLiteral("Albert"));
    EXPECT_EQ(classe.bilans.at(1).prenom, QStringLiteral("Anne"));
    EXPECT_EQ(classe.bilans.at(1).date, QStringLiteral("Vendredi 02/10/2026"));
    EXPECT_EQ(classe.sansTest, QStringList{QStringLiteral("Martin_Paul")});

    const ReportBatch seul = ReportBatch::prepare(PupilFolders::historyFile(etab, QStringLiteral("Zoé_Anne")),
                                                  QStringLiteral("Zoé Anne........30"), etab, critere);
    EXPECT_EQ(seul.nomPropose, QStringLiteral("Zoé_Anne"));
    EXPECT_TRUE(seul.classe.isEmpty());
    ASSERT_EQ(seul.bilans.size(), 1);
}
