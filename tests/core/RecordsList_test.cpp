#include "core/RecordsList.h"

#include "core/SessionState.h"
#include "core/TextFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct RecordsFixture : ::testing::Test
{
    QTemporaryDir dir;
    SessionState state;

    void SetUp() override
    {
        state.dossier_stats_local = dir.filePath("local/Statistiques");
        state.chemin_serveur = dir.filePath("serveur");
        state.dossier_stats_serveur = dir.filePath("serveur/Tabulon/Statistiques");
    }
    QString serveur() const { return RecordsList::cheminServeur(state); }
    QString local() const { return RecordsList::cheminLocal(state); }
};

} // namespace

TEST(RecordsListDecode, RanksFromTheLastLineWithDotsToTheScoreColumn)
{
    const QStringList deux{"095012Martin_Léa", "100020Petit_Paul"};
    EXPECT_EQ(RecordsList::decode_liste_records(deux),
              (QStringList{QString(28, u' ') + "score (vitesse)", "  ",
                           "1. Petit Paul..............100%  (20)",
                           "2. Martin Léa.............. 95%  (12)"}));
    EXPECT_EQ(RecordsList::trois_premiers(deux), (QStringList{"Petit Paul", "Martin Léa"}));

    const QStringList trois{"050010Alpha_Beta", "060005Gamma_Delta", "098023Dupont_Jean"};
    const QStringList lignes = RecordsList::decode_liste_records(trois);
    ASSERT_EQ(lignes.size(), 5);
    EXPECT_EQ(lignes[2], "1. Dupont Jean............. 98%  (23)");
    EXPECT_EQ(lignes[4], "3. Alpha Beta.............. 50%  (10)");
    EXPECT_EQ(lignes[3].indexOf(u'%'), lignes[2].indexOf(u'%'));
    EXPECT_EQ(RecordsList::trois_premiers(trois), (QStringList{"Dupont Jean", "Gamma Delta", "Alpha Beta"}));
}

TEST(RecordsListDecode, RankWidthFollowsTheCountAndLongNamesGetOneSpace)
{
    QStringList liste;
    for (int i = 0; i < 10; ++i)
        liste << QStringLiteral("0") + QString::number(50 + i) + QStringLiteral("005Eleve_N") + QString::number(i);
    const QStringList lignes = RecordsList::decode_liste_records(liste);
    ASSERT_EQ(lignes.size(), 12);
    // Two-digit ranks: every score column lines up, "1." and "10." alike.
    EXPECT_TRUE(lignes[2].startsWith("1. Eleve N9"));
    EXPECT_TRUE(lignes[11].startsWith("10. Eleve N0"));
    for (int i = 3; i < 12; ++i)
        EXPECT_EQ(lignes[i].indexOf(u'%'), lignes[2].indexOf(u'%')) << lignes[i].toStdString();

    const QStringList longs{"087041Delacroix-Montmorency_Marie-Christine", "090041Abcdefghijk_Nopqrstuvwx"};
    EXPECT_EQ(RecordsList::decode_liste_records(longs).mid(2),
              (QStringList{"1. Abcdefghijk Nopqrstuvwx. 90%  (41)",
                           "2. Delacroix-Montmorency Marie-Christine  87%  (41)"}));
}

TEST(RecordsListDecode, MalformedLinesAreNeverRankedNorFatal)
{
    EXPECT_EQ(RecordsList::decode_liste_records({}), QStringList{"Aucun record."});
    const QStringList abime{"", "12", "09x012Martin_Léa", "abcdefgh", "0950", "095012SansPrenom", "zzz"};
    const QStringList lignes = RecordsList::decode_liste_records(abime);
    ASSERT_EQ(lignes.size(), 3);
    EXPECT_TRUE(lignes[2].startsWith("1. SansPrenom ."));
    EXPECT_EQ(RecordsList::trois_premiers(abime), QStringList{"SansPrenom "});
    EXPECT_EQ(RecordsList::decode_liste_records({"garbage", "x"}), QStringList{"Aucun record."});
    EXPECT_TRUE(RecordsList::trois_premiers({"garbage"}).isEmpty());
}

TEST_F(RecordsFixture, LoadsTheServerCopyFirstSortedWithoutRegardToCase)
{
    ASSERT_TRUE(TextFile::saveLines(local(), {"100099Local_Seul"}));
    EXPECT_EQ(RecordsList::charge(state), QStringList{"100099Local_Seul"});

    ASSERT_TRUE(TextFile::saveLines(serveur(), {"095012martin_Léa", "095012Martin_Alain", "", "ligne abîmée", "090001Petit_Paul"}));
    EXPECT_EQ(RecordsList::charge(state),
              (QStringList{"090001Petit_Paul", "095012Martin_Alain", "095012martin_Léa", "ligne abîmée"}));

    QString error;
    ASSERT_TRUE(RecordsList::enregistre(state, {"080010Nouveau_Nom", "ligne abîmée"}, &error)) << error.toStdString();
    EXPECT_EQ(TextFile::loadLines(serveur()), (QStringList{"080010Nouveau_Nom", "ligne abîmée"}));
    EXPECT_EQ(TextFile::loadLines(local()), QStringList{"100099Local_Seul"});
}

TEST_F(RecordsFixture, WithoutAServerTheLocalFileIsUsed)
{
    state.chemin_serveur.clear();
    EXPECT_TRUE(RecordsList::cheminServeur(state).isEmpty());
    EXPECT_TRUE(RecordsList::charge(state).isEmpty());
    QString error;
    ASSERT_TRUE(RecordsList::enregistre(state, {"080010Nouveau_Nom"}, &error));
    EXPECT_EQ(TextFile::loadLines(local()), QStringList{"080010Nouveau_Nom"});
    EXPECT_TRUE(local().endsWith("local/Statistiques/liste_records.txt"));
}

TEST_F(RecordsFixture, AFailedSaveIsReported)
{
    state.chemin_serveur.clear();
    // A plain file where the statistics folder should be.
    ASSERT_TRUE(TextFile::saveLines(dir.filePath("local"), {"x"}));
    QString error;
    EXPECT_FALSE(RecordsList::enregistre(state, {"080010Nouveau_Nom"}, &error));
    EXPECT_FALSE(error.isEmpty());
    int rang = 0;
    EXPECT_FALSE(RecordsList::met_a_jour(state, 90, 20, "Petit", "Paul", nullptr, &rang, &error));
}

TEST_F(RecordsFixture, UpdateKeepsAResultWrittenMeanwhileByAnotherWorkstation)
{
    ASSERT_TRUE(TextFile::saveLines(serveur(), {"070010Martin_Léa", "mal formée"}));
    QStringList enMemoire = RecordsList::charge(state);
    // Another workstation adds its pupil after this one loaded the list.
    ASSERT_TRUE(TextFile::saveLines(serveur(), {"070010Martin_Léa", "mal formée", "099030Autre_Poste"}));

    QStringList liste;
    int rang = 0;
    QString error;
    ASSERT_TRUE(RecordsList::met_a_jour(state, 100, 25, "Petit", "Paul", &liste, &rang, &error)) << error.toStdString();
    const QStringList attendu{"070010Martin_Léa", "099030Autre_Poste", "100025Petit_Paul", "mal formée"};
    EXPECT_EQ(liste, attendu);
    EXPECT_EQ(TextFile::loadLines(serveur()), attendu);
    EXPECT_EQ(rang, 1);

    // The same pupil again: his line is replaced, not added.
    ASSERT_TRUE(RecordsList::met_a_jour(state, 80, 12, "Martin", "Léa", &liste, &rang, &error));
    EXPECT_EQ(liste.filter("Martin_Léa").size(), 1);
    EXPECT_TRUE(liste.contains("080012Martin_Léa"));
    EXPECT_EQ(rang, 3);
    EXPECT_FALSE(QFile::exists(serveur() + ".lock"));
}
