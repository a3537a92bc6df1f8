#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QSaveFile>
#include <QThread>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <array>

namespace TextFile {
namespace {

// Code points of the bytes 0x80..0x9F; 0 marks the five unassigned bytes,
// which decode to the C1 control of the same value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

int byteFor(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u && u != 0)
            return 0x80 + i;
    }
    if (u >= 0x80 && u <= 0x9F && kHigh[u - 0x80] == 0)
        return u;
    return -1;
}

} // namespace

QByteArray encode1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = byteFor(c.unicode());
        out.append(b < 0 ? '?' : char(b));
    }
    return out;
}

QString decode1252(const QByteArray &bytes)
{
    return decode1252(QByteArrayView(bytes));
}

QString decode1252(QByteArrayView bytes)
{
    // Latin-1 but for 0x80 to 0x9F: the fast Latin-1 widening first, then
    // those few bytes put right.
    QString out = QString::fromLatin1(bytes);
    QChar *d = nullptr;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) {
            if (!d)
                d = out.data();
            d[i] = QChar(kHigh[b - 0x80]);
        }
    }
    return out;
}

bool fits1252(const QString &text)
{
    for (QChar c : text) {
        if (byteFor(c.unicode()) < 0)
            return false;
    }
    return true;
}

namespace {

enum class Opened { Yes, Missing, Failed };

// Opens for reading, the file server deciding whether the file is there: a
// network client answers "does it exist" and "how long is it" from a cache
// for a second or so, and a read cut at a cached size would miss what another
// workstation wrote meanwhile (and a save built on it would wipe that out).
Opened openFresh(QFile &file)
{
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(file.fileName());
#if defined(Q_OS_LINUX) && defined(STATX_SIZE)
    struct statx sx;
    statx(AT_FDCWD, native.constData(), AT_STATX_FORCE_SYNC, STATX_SIZE | STATX_MTIME, &sx);
#endif
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? Opened::Missing : Opened::Failed;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Opened::Failed;
    }
    return Opened::Yes;
#else
    if (file.open(QIODevice::ReadOnly))
        return Opened::Yes;
    return file.exists() ? Opened::Failed : Opened::Missing;
#endif
}

} // namespace

bool readBytes(const QString &path, QByteArray *bytes, qint64 maxBytes, bool *missing)
{
    bytes->clear();
    QFile file(path);
    const Opened opened = openFresh(file);
    if (missing)
        *missing = opened == Opened::Missing;
    if (opened != Opened::Yes)
        return false;
    *bytes = file.read(maxBytes);
    return true;
}

bool loadLines(const QString &path, QStringList *lines, QString *error, bool *missing)
{
    lines->clear();
    QFile file(path);
    const Opened opened = openFresh(file);
    if (missing)
        *missing = opened == Opened::Missing;
    if (opened == Opened::Missing) {
        if (error)
            *error = QStringLiteral("Le fichier %1 n'existe pas.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    if (opened == Opened::Failed) {
        if (error)
            *error = QStringLiteral("Impossible de lire le fichier %1.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    const QString text = decode1252(file.readAll());
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines->append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines->append(text.mid(start));
    return true;
}

QStringList loadLines(const QString &path)
{
    QStringList lines;
    loadLines(path, &lines, nullptr);
    return lines;
}

namespace {

// The file server refuses to replace a file that another workstation is
// reading at that very moment; the reader is done within moments.
constexpr int kReplaceRetryMs = 3000;

enum class Save { Done, Failed, Busy };

Save saveOnce(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // Unbuffered: a buffered save file keeps a small file in memory and, on a
    // full disk, its commit can replace the old file by an empty or cut copy
    // while reporting success. Written straight through, every short write
    // shows in the count returned, before anything replaces the old file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = QStringLiteral("Impossible d'écrire le fichier %1 : %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return Save::Failed;
    }
    if (file.write(bytes) != bytes.size() || file.size() != bytes.size()) {
        file.cancelWriting();
        if (error)
            *error = QStringLiteral("L'enregistrement du fichier %1 a échoué : le disque est plein ou le fichier "
                                    "dépasse la taille permise. L'ancien fichier est conservé.")
                         .arg(QDir::toNativeSeparators(path));
        return Save::Failed;
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("L'enregistrement du fichier %1 a échoué : %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        // The copy was written whole; only putting it in place failed.
        return file.error() == QFileDevice::RenameError ? Save::Busy : Save::Failed;
    }
    return Save::Done;
}

} // namespace

bool saveBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath());
    QElapsedTimer since;
    since.start();
    int pause = 10;
    for (;;) {
        const Save result = saveOnce(path, bytes, error);
        if (result != Save::Busy)
            return result == Save::Done;
        if (since.elapsed() >= kReplaceRetryMs)
            return false;
        QThread::msleep(static_cast<unsigned long>(pause));
        pause = std::min(pause * 2, 200);
    }
}

bool saveLines(const QString &path, const QStringList &lines, QString *error)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += encode1252(line);
        bytes += "\r\n";
    }
    return saveBytes(path, bytes, error);
}

} // namespace TextFile
