#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Every stored text of the program (configuration, histories, lists) is
// single-byte Windows-1252 with CR LF line ends, loaded and saved whole.
// Nothing else in the program reads or writes text files by hand.
namespace TextFile {

QByteArray encode1252(const QString &text);
QString decode1252(const QByteArray &bytes);
QString decode1252(QByteArrayView bytes);
// True when every character of the text has a Windows-1252 byte.
bool fits1252(const QString &text);

// Lines of the file; CR LF, LF and a lone CR all end a line. A missing or
// unreadable file counts as empty.
QStringList loadLines(const QString &path);
// As loadLines, but tells a missing file from an unreadable one (*missing,
// when given, is true for a file that is not there). The file server, not a
// client's cache, answers whether it is there and how long it is.
bool loadLines(const QString &path, QStringList *lines, QString *error, bool *missing = nullptr);
// At most maxBytes of the file as they are on the server now; false when it
// is not there (*missing) or cannot be read.
bool readBytes(const QString &path, QByteArray *bytes, qint64 maxBytes, bool *missing = nullptr);

// Writes the lines, each followed by CR LF, aside and then over the file, so a
// crash or a full disk leaves the old file whole. Creates the folder when
// missing. On failure returns false with a French error text.
bool saveLines(const QString &path, const QStringList &lines, QString *error = nullptr);
bool saveBytes(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace TextFile
