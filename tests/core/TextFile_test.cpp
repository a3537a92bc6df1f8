#include "core/TextFile.h"
#include "support/FileSizeLimit.h"

#include <QDir>
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

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<illisible>");
}

QStringList historyLines(int count, const QString &tag)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("Séance %1 du Jeudi 10/12/2026 à 14:%2\t6×9=54\tTEST 85 %").arg(tag).arg(i % 60, 2, 10, QChar('0'));
    return lines;
}

} // namespace

TEST(TextFile, SavePastTheDiskLimitFailsAndKeepsTheOldFileByteForByte)
{
    // A history of a few KiB over an old one of 6,647 bytes; the limit cuts
    // the new file at various points: nothing, inside the first buffer-full,
    // one byte short, and past the old size but short of the new one.
    const QStringList newLines = historyLines(200, QStringLiteral("nouvelle"));
    QByteArray newBytes;
    for (const QString &l : newLines)
        newBytes += TextFile::encode1252(l) + "\r\n";
    struct Case { const char *name; qint64 limit; };
    const Case cases[] = {
        {"rien", 0},
        {"un octet", 1},
        {"moitié", newBytes.size() / 2},
        {"un octet de moins", newBytes.size() - 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath("Dupont Marie.txt");
        QByteArray old = TextFile::encode1252(historyLines(150, QStringLiteral("ancienne")).join("\r\n"));
        old = old.left(6647);
        ASSERT_TRUE(TextFile::saveBytes(path, old));
        ASSERT_EQ(readAll(path).size(), 6647);
        QString error;
        bool saved = true;
        {
            FileSizeLimit limit(static_cast<rlim_t>(c.limit));
            ASSERT_TRUE(limit.ok());
            saved = TextFile::saveLines(path, newLines, &error);
        }
        EXPECT_FALSE(saved);
        EXPECT_TRUE(error.contains(QStringLiteral("Dupont Marie.txt")) && error.contains(QStringLiteral("a échoué")))
            << error.toStdString();
        const QByteArray after = readAll(path);
        EXPECT_EQ(after.size(), old.size());
        EXPECT_TRUE(after == old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Dupont Marie.txt"});
    }
}

TEST(TextFile, SaveThatJustFitsTheLimitSucceeds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("liste_records.txt");
    ASSERT_TRUE(TextFile::saveLines(path, {"ancien"}));
    const QStringList lines = historyLines(200, QStringLiteral("x"));
    QByteArray expected;
    for (const QString &l : lines)
        expected += TextFile::encode1252(l) + "\r\n";
    bool saved = false;
    {
        FileSizeLimit limit(static_cast<rlim_t>(expected.size()));
        ASSERT_TRUE(limit.ok());
        saved = TextFile::saveLines(path, lines);
    }
    EXPECT_TRUE(saved);
    EXPECT_EQ(readAll(path), expected);
}
