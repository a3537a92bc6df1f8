#include "platform/PlatformServices.h"

#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(PlatformServices, ExistingFoldersAreReachableWhateverTheSeparators)
{
    QTemporaryDir dir;
    PlatformServices services;
    QString stored = dir.path();
    stored.replace(u'/', u'\\');
    EXPECT_TRUE(services.isShareReachable(dir.path()));
    EXPECT_TRUE(services.isShareReachable(stored));
    EXPECT_FALSE(services.isShareReachable(dir.filePath("absent")));
    EXPECT_FALSE(services.isShareReachable(QString()));
    EXPECT_FALSE(services.isShareReachable(QStringLiteral("\\\\serveur-inexistant\\partage")));
    ASSERT_TRUE(TextFile::saveLines(dir.filePath("fichier.txt"), {"x"}));
    EXPECT_FALSE(services.isShareReachable(dir.filePath("fichier.txt")));
    EXPECT_FALSE(services.computerName().isEmpty());
}

TEST(PlatformServices, RecycleBinIsTheDesktopTrash)
{
    QTemporaryDir home;
    QTemporaryDir data;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());

    PlatformServices services;
    const QString victim = data.filePath("Dupont_Léa.txt");
    for (int round = 1; round <= 2; ++round) {
        ASSERT_TRUE(TextFile::saveLines(victim, {QStringLiteral("séance %1").arg(round)}));
        EXPECT_TRUE(services.moveToRecycleBin(victim));
        EXPECT_FALSE(QFileInfo::exists(victim));
    }
    const QString trash = home.filePath("Trash");
    // The second file of the same name does not replace the first.
    EXPECT_EQ(TextFile::loadLines(trash + "/files/Dupont_Léa.txt"), QStringList{"séance 1"});
    EXPECT_EQ(TextFile::loadLines(trash + "/files/Dupont_Léa.2.txt"), QStringList{"séance 2"});
    QFile info(trash + "/info/Dupont_Léa.txt.trashinfo");
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    const QByteArray text = info.readAll();
    EXPECT_TRUE(text.startsWith("[Trash Info]\nPath="));
    EXPECT_TRUE(text.contains("Dupont_L%C3%A9a.txt\nDeletionDate=")) << text.constData();
    EXPECT_TRUE(QFileInfo::exists(trash + "/info/Dupont_Léa.2.txt.trashinfo"));

    EXPECT_FALSE(services.moveToRecycleBin(data.filePath("absent.txt")));
    qputenv("XDG_DATA_HOME", saved);
}
