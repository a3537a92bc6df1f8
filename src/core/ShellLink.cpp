#include "core/ShellLink.h"

#include "core/Paths.h"
#include "core/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace ShellLink {
namespace {

constexpr quint32 kHeaderSize = 0x4C;
constexpr unsigned char kClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

constexpr quint32 kHasLinkTargetIdList = 0x01;
constexpr quint32 kHasLinkInfo = 0x02;
constexpr quint32 kIsUnicode = 0x80;

constexpr quint32 kVolumeIdAndLocalBasePath = 0x01;
constexpr quint32 kCommonNetworkRelativeLink = 0x02;
constexpr quint32 kLinkInfoHeaderSize = 0x1C;
constexpr quint32 kDriveFixed = 3;
constexpr quint32 kValidNetType = 0x02;
constexpr quint32 kNetLanman = 0x00020000;
constexpr quint32 kFileAttributeDirectory = 0x10;
constexpr quint32 kFileAttributeArchive = 0x20;
constexpr quint32 kShowNormal = 1;

void putU16(QByteArray &b, quint16 v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void putU32(QByteArray &b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

void putU64(QByteArray &b, quint64 v)
{
    putU32(b, quint32(v & 0xFFFFFFFFu));
    putU32(b, quint32(v >> 32));
}

void putCString(QByteArray &b, const QString &text)
{
    b.append(TextFile::encode1252(text));
    b.append('\0');
}

// 100-nanosecond intervals since 1 January 1601 (UTC); 0 for an unknown time.
quint64 fileTime(const QDateTime &t)
{
    if (!t.isValid())
        return 0;
    const qint64 ms = t.toMSecsSinceEpoch();
    return quint64(ms) * 10000ull + 116444736000000000ull;
}

quint32 getU32(const QByteArray &b, qsizetype at)
{
    if (at < 0 || at + 4 > b.size())
        return 0;
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

quint16 getU16(const QByteArray &b, qsizetype at)
{
    if (at < 0 || at + 2 > b.size())
        return 0;
    return quint16(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}

// A NUL-terminated string inside [at, end); empty when it runs past the end.
QString getCString(const QByteArray &b, qsizetype at, qsizetype end)
{
    if (at <= 0 || at >= end)
        return {};
    const qsizetype zero = b.indexOf('\0', at);
    if (zero < 0 || zero >= end)
        return {};
    return TextFile::decode1252(b.mid(at, zero - at));
}

QString getWString(const QByteArray &b, qsizetype at, qsizetype end)
{
    if (at <= 0 || at >= end)
        return {};
    QString s;
    for (qsizetype i = at; i + 1 < end; i += 2) {
        const quint16 c = getU16(b, i);
        if (c == 0)
            return s;
        s += QChar(c);
    }
    return {};
}

QByteArray localLinkInfo(const QString &basePath)
{
    QByteArray volume;
    putU32(volume, 0);              // size, patched below
    putU32(volume, kDriveFixed);
    putU32(volume, 0);              // drive serial number: unknown
    putU32(volume, 0x10);           // volume label right after these fields
    volume.append('\0');            // empty label
    volume[0] = char(volume.size());

    QByteArray base;
    putCString(base, basePath);

    const quint32 volumeOffset = kLinkInfoHeaderSize;
    const quint32 baseOffset = volumeOffset + quint32(volume.size());
    const quint32 suffixOffset = baseOffset + quint32(base.size());
    const quint32 total = suffixOffset + 1;

    QByteArray info;
    putU32(info, total);
    putU32(info, kLinkInfoHeaderSize);
    putU32(info, kVolumeIdAndLocalBasePath);
    putU32(info, volumeOffset);
    putU32(info, baseOffset);
    putU32(info, 0);                // no network link
    putU32(info, suffixOffset);
    info.append(volume);
    info.append(base);
    info.append('\0');              // empty common path suffix
    return info;
}

QByteArray networkLinkInfo(const QString &netName, const QString &suffix)
{
    QByteArray cnrl;
    putU32(cnrl, 0);                // size, patched below
    putU32(cnrl, kValidNetType);
    putU32(cnrl, 0x14);             // net name right after these fields
    putU32(cnrl, 0);                // no device name
    putU32(cnrl, kNetLanman);
    putCString(cnrl, netName);
    const quint32 cnrlSize = quint32(cnrl.size());
    for (int i = 0; i < 4; ++i)
        cnrl[i] = char((cnrlSize >> (8 * i)) & 0xFF);

    QByteArray tail;
    putCString(tail, suffix);

    const quint32 cnrlOffset = kLinkInfoHeaderSize;
    const quint32 suffixOffset = cnrlOffset + cnrlSize;
    const quint32 total = suffixOffset + quint32(tail.size());

    QByteArray info;
    putU32(info, total);
    putU32(info, kLinkInfoHeaderSize);
    putU32(info, kCommonNetworkRelativeLink);
    putU32(info, 0);                // no volume
    putU32(info, 0);                // no local base path
    putU32(info, cnrlOffset);
    putU32(info, suffixOffset);
    info.append(cnrl);
    info.append(tail);
    return info;
}

} // namespace

bool write(const QString &linkPath, const QString &targetPath, QString *error)
{
    // Windows resolves a link from an absolute path only: a relative target
    // (a local data folder named from the program folder) is made absolute.
    static const QRegularExpression lecteur(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    QString native = targetPath;
    if (!native.isEmpty() && !native.startsWith(u'/') && !native.startsWith(u'\\')
        && !lecteur.match(native).hasMatch())
        native = QFileInfo(Paths::fromStored(native)).absoluteFilePath();
    native.replace(u'/', u'\\');
    if (native.isEmpty()) {
        if (error)
            *error = QStringLiteral("Le lien %1 n'a pas de cible.").arg(QDir::toNativeSeparators(linkPath));
        return false;
    }

    QByteArray linkInfo;
    if (native.startsWith(QStringLiteral("\\\\"))) {
        const QString rest = native.mid(2);
        const qsizetype afterServer = rest.indexOf(u'\\');
        const qsizetype afterShare = afterServer < 0 ? -1 : rest.indexOf(u'\\', afterServer + 1);
        if (afterServer > 0) {
            const QString netName = QStringLiteral("\\\\")
                                    + (afterShare < 0 ? rest : rest.left(afterShare));
            const QString suffix = afterShare < 0 ? QString() : rest.mid(afterShare + 1);
            linkInfo = networkLinkInfo(netName, suffix);
        }
    }
    if (linkInfo.isEmpty())
        linkInfo = localLinkInfo(native);

    const QFileInfo target(targetPath);
    QByteArray out;
    putU32(out, kHeaderSize);
    out.append(reinterpret_cast<const char *>(kClsid), 16);
    putU32(out, kHasLinkInfo | kIsUnicode);
    putU32(out, target.isDir() ? kFileAttributeDirectory : kFileAttributeArchive);
    const bool known = target.exists();
    putU64(out, known ? fileTime(target.birthTime().isValid() ? target.birthTime() : target.lastModified()) : 0);
    putU64(out, known ? fileTime(target.lastRead()) : 0);
    putU64(out, known ? fileTime(target.lastModified()) : 0);
    putU32(out, known ? quint32(target.size() & 0xFFFFFFFF) : 0);
    putU32(out, 0);                 // icon index
    putU32(out, kShowNormal);
    putU16(out, 0);                 // no hot key
    putU16(out, 0);                 // reserved
    putU32(out, 0);
    putU32(out, 0);
    out.append(linkInfo);
    putU32(out, 0);                 // terminal block of the extra data

    return TextFile::saveBytes(linkPath, out, error);
}

bool isMember(const QString &folder, const QString &key)
{
    if (key.isEmpty())
        return false;
    const QString name = key + QStringLiteral(".lnk");
    if (QFileInfo::exists(Paths::join(folder, name)))
        return true;
    // Windows treats "X.LNK" as the same file; a folder filled from a Windows
    // machine may hold such names. Name filters compare without letter case.
    const QDir dir(Paths::fromStored(folder));
    return !dir.entryList({name}, QDir::Files | QDir::System | QDir::Hidden).isEmpty();
}

QString readTarget(const QString &path)
{
    QFile file(Paths::fromStored(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A link is a few hundred bytes; asking for the full megabyte would make
    // a buffer of that size for every link of every class a pass reads.
    const QByteArray b = file.read(std::min<qint64>(file.size(), 1 << 20));
    if (b.size() < qsizetype(kHeaderSize) || getU32(b, 0) != kHeaderSize
        || b.mid(4, 16) != QByteArray(reinterpret_cast<const char *>(kClsid), 16))
        return {};
    const quint32 flags = getU32(b, 20);
    qsizetype at = kHeaderSize;
    if (flags & kHasLinkTargetIdList)
        at += 2 + getU16(b, at);
    if (!(flags & kHasLinkInfo) || at + qsizetype(kLinkInfoHeaderSize) > b.size())
        return {};

    const qsizetype infoSize = getU32(b, at);
    // A LinkInfo block cut short is not read at all: its offsets would point
    // at whatever bytes happen to be there.
    if (infoSize < qsizetype(kLinkInfoHeaderSize) || at + infoSize > b.size())
        return {};
    const qsizetype end = at + infoSize;
    const quint32 headerSize = getU32(b, at + 4);
    const quint32 infoFlags = getU32(b, at + 8);
    const quint32 baseOffset = getU32(b, at + 16);
    const quint32 cnrlOffset = getU32(b, at + 20);
    const quint32 suffixOffset = getU32(b, at + 24);
    const bool unicode = headerSize >= 0x24;

    QString suffix;
    if (unicode && getU32(b, at + 32) != 0)
        suffix = getWString(b, at + getU32(b, at + 32), end);
    else if (suffixOffset != 0)
        suffix = getCString(b, at + suffixOffset, end);

    QString target;
    if (infoFlags & kVolumeIdAndLocalBasePath) {
        if (unicode && getU32(b, at + 28) != 0)
            target = getWString(b, at + getU32(b, at + 28), end);
        else if (baseOffset != 0)
            target = getCString(b, at + baseOffset, end);
        target += suffix;
    } else if ((infoFlags & kCommonNetworkRelativeLink) && cnrlOffset != 0) {
        const qsizetype cnrl = at + cnrlOffset;
        const quint32 netNameOffset = getU32(b, cnrl + 8);
        if (netNameOffset < 0x14)
            return {};
        if (netNameOffset > 0x14 && getU32(b, cnrl + 20) != 0)
            target = getWString(b, cnrl + getU32(b, cnrl + 20), end);
        else
            target = getCString(b, cnrl + netNameOffset, end);
        if (!target.isEmpty() && !suffix.isEmpty())
            target += u'\\' + suffix;
    }
    return target.isEmpty() ? QString() : Paths::fromStored(target);
}

} // namespace ShellLink
