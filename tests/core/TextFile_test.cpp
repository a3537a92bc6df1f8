#include "core/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TextFile, RoundTripsWindows1252WithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a/b/eleve.txt");
    const QStringList lines{QStringLiteral("Séance du Mardi 14/11/2006"), QStringLiteral("\tTEST de 6×9 € œ Ÿ"), QString()};
    ASSERT_TRUE(TextFile::saveLines(path, lines));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray raw = f.readAll();
    EXPECT_TRUE(raw.startsWith("S\xE9" "ance"));
    EXPECT_TRUE(raw.contains("6\xD7" "9 \x80 \x9C \x9F\r\n"));
    EXPECT_TRUE(raw.endsWith("\r\n\r\n"));
    EXPECT_EQ(TextFile::loadLines(path), lines);
}

TEST(TextFile, ReadsAnyLineEndAndMissingFileIsEmpty)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("mixed.txt");
    ASSERT_TRUE(TextFile::saveBytes(path, "un\rdeux\ntrois\r\nquatre"));
    EXPECT_EQ(TextFile::loadLines(path), (QStringList{"un", "deux", "trois", "quatre"}));
    EXPECT_TRUE(TextFile::loadLines(dir.filePath("absent.txt")).isEmpty());
}

TEST(TextFile, CharactersOutside1252BecomeQuestionMarks)
{
    EXPECT_FALSE(TextFile::fits1252(QStringLiteral("Zoë 😀")));
    EXPECT_TRUE(TextFile::fits1252(QStringLiteral("Zoë Œ")));
    EXPECT_EQ(TextFile::encode1252(QStringLiteral("a😀")), QByteArray("a??"));
}

TEST(TextFile, FailedSaveIsReportedAndTouchesNothing)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath("fichier");
    ASSERT_TRUE(TextFile::saveLines(blocker, {"ancien"}));
    // A file stands where the folder should be: the save cannot happen.
    QString error;
    EXPECT_FALSE(TextFile::saveLines(blocker + "/eleve.txt", {"nouveau"}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(TextFile::loadLines(blocker), QStringList{"ancien"});
}
