// Short runs of the crash and race campaigns (bench/save_campaign runs the
// long ones). This executable is also the recorder its children run.
#include "support/SaveCampaign.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString programme;

// Two workstations on the local disk: one pupils' folder, a local folder each.
QList<SaveCampaign::Poste> postes(const QTemporaryDir &dossier)
{
    return {{dossier.path() + QStringLiteral("/serveur"), dossier.path() + QStringLiteral("/poste-a")},
            {dossier.path() + QStringLiteral("/serveur"), dossier.path() + QStringLiteral("/poste-b")}};
}

TEST(SaveCampaign, AKilledRecorderNeverCutsTheFileNorLosesAReportedSession)
{
    QTemporaryDir dossier;
    const SaveCampaign::Bilan b = SaveCampaign::coupures(programme, postes(dossier), 40, 20261210);
    SCOPED_TRACE(SaveCampaign::texte(b).toStdString());
    EXPECT_EQ(b.fichiersCoupes, 0);
    EXPECT_EQ(b.seancesPerdues, 0);
    EXPECT_EQ(b.copiesRestantes, 0);
    EXPECT_TRUE(b.problemes.isEmpty()) << b.problemes.join(u'\n').toStdString();
    // The kills must have fallen while sessions were being recorded.
    EXPECT_GT(b.seancesSignalees, 0);
}

TEST(SaveCampaign, TwoWorkstationsAndTheTeacherKeepEverySessionOnce)
{
    QTemporaryDir dossier;
    const SaveCampaign::Bilan b = SaveCampaign::course(programme, postes(dossier), 60);
    SCOPED_TRACE(SaveCampaign::texte(b).toStdString());
    EXPECT_EQ(b.seancesSignalees, 122);
    EXPECT_EQ(b.seancesPerdues, 0);
    EXPECT_EQ(b.doublons, 0);
    EXPECT_EQ(b.fichiersCoupes, 0);
    EXPECT_GT(b.fusions, 0);
    EXPECT_TRUE(b.problemes.isEmpty()) << b.problemes.join(u'\n').toStdString();
}

TEST(SaveCampaign, ATeacherRenamingThePupilMidSessionLosesAndDoublesNothing)
{
    QTemporaryDir dossier;
    const SaveCampaign::Bilan b = SaveCampaign::renommages(programme, postes(dossier), 40, 20261210);
    SCOPED_TRACE(SaveCampaign::texte(b).toStdString());
    EXPECT_EQ(b.renommages, 40);
    // Sessions were recorded between the renames, under the old name.
    EXPECT_GT(b.seancesSignalees, 40);
    EXPECT_GT(b.fichiers, 1);
    EXPECT_EQ(b.seancesPerdues, 0);
    EXPECT_EQ(b.doublons, 0);
    EXPECT_EQ(b.fichiersCoupes, 0);
    EXPECT_TRUE(b.problemes.isEmpty()) << b.problemes.join(u'\n').toStdString();
}

} // namespace

int main(int argc, char **argv)
{
    if (SaveCampaign::estEnregistreur(argc, argv))
        return SaveCampaign::enregistreur(argc, argv);
    programme = QString::fromLocal8Bit(argv[0]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
