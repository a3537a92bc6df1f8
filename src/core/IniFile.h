#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// An initialisation file as Windows reads and writes them: "[section]" lines,
// then "key=value" lines; section and key names compared without regard to
// letter case, surrounding blanks ignored, the first occurrence wins. Each
// operation loads the file, reads or writes, and is done: nothing stays open;
// lu() gives a copy that answers a batch of reads from one reading.
// Damaged content (garbage lines, binary bytes) is passed over, never fatal.
class IniFile
{
public:
    // What a missing string key reads as, unless the caller gives a default.
    static const QString kMarker;

    explicit IniFile(QString path);

    const QString &path() const { return m_path; }
    // The file as it reads now: every read of the copy answers from this one
    // reading. Settings read together then come from one state of the file,
    // and a file on the school's server is fetched once, not once a key.
    // A write through the copy goes to the file and ends the snapshot.
    IniFile lu() const;
    bool exists() const;

    QString readString(const QString &section, const QString &key, const QString &defaultValue = kMarker) const;
    // -1 unless told otherwise when the key is missing or not a whole number.
    int readInteger(const QString &section, const QString &key, int defaultValue = -1) const;
    // A setting that must stay within [minimum, maximum]: defaultValue when
    // the key is missing or not a whole number, the nearest bound when the
    // number lies outside (a hand-edited file must not upset the arithmetic).
    int readInteger(const QString &section, const QString &key, int minimum, int maximum, int defaultValue) const;
    // True only when the value is exactly "oui".
    bool readBool(const QString &section, const QString &key) const;
    bool hasKey(const QString &section, const QString &key) const;
    // "key=value" lines of a section, as written in the file.
    QStringList sectionLines(const QString &section) const;
    // The same lines joined by CR LF, for searching the section as one text.
    QString sectionText(const QString &section) const;

    // Changes one key, leaving every other line of the file as it was; adds
    // the key (and its section) when missing. False, with a French error
    // text, when the file could not be written.
    bool writeString(const QString &section, const QString &key, const QString &value, QString *error = nullptr);
    bool writeInteger(const QString &section, const QString &key, int value, QString *error = nullptr);
    bool writeBool(const QString &section, const QString &key, bool value, QString *error = nullptr);

private:
    QStringList lignes() const;

    QString m_path;
    std::shared_ptr<const QStringList> m_lu;
};
