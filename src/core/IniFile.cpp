#include "core/IniFile.h"

#include "core/TextFile.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

const QString IniFile::kMarker = QStringLiteral("Fichier Tabulon.ini endommagé");

namespace {

bool isSectionLine(const QString &trimmed, QString *name)
{
    if (trimmed.size() < 2 || trimmed.front() != u'[')
        return false;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return false;
    *name = trimmed.mid(1, close - 1).trimmed();
    return true;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index range [begin, end) of the body of the first section with this name;
// begin = -1 when absent.
std::pair<qsizetype, qsizetype> findSection(const QStringList &lines, const QString &section)
{
    qsizetype begin = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString name;
        if (!isSectionLine(lines[i].trimmed(), &name))
            continue;
        if (begin >= 0)
            return {begin, i};
        if (sameName(name, section.trimmed()))
            begin = i + 1;
    }
    return {begin, lines.size()};
}

bool splitKeyLine(const QString &line, QString *key, QString *value)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.front() == u';')
        return false;
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0)
        return false;
    *key = line.left(eq).trimmed();
    if (key->isEmpty())
        return false;
    if (value) {
        QString v = line.mid(eq + 1).trimmed();
        if (v.size() >= 2 && ((v.front() == u'"' && v.back() == u'"') || (v.front() == u'\'' && v.back() == u'\'')))
            v = v.mid(1, v.size() - 2);
        *value = v;
    }
    return true;
}

qsizetype findKey(const QStringList &lines, std::pair<qsizetype, qsizetype> range, const QString &key, QString *value)
{
    if (range.first < 0)
        return -1;
    for (qsizetype i = range.first; i < range.second; ++i) {
        QString k;
        if (splitKeyLine(lines[i], &k, value) && sameName(k, key.trimmed()))
            return i;
    }
    return -1;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

IniFile IniFile::lu() const
{
    IniFile copie(m_path);
    copie.m_lu = std::make_shared<const QStringList>(lignes());
    return copie;
}

QStringList IniFile::lignes() const
{
    return m_lu ? *m_lu : TextFile::loadLines(m_path);
}

bool IniFile::exists() const
{
    return QFileInfo(m_path).isFile();
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const QStringList lines = lignes();
    QString value;
    if (findKey(lines, findSection(lines, section), key, &value) < 0)
        return defaultValue;
    return value;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    bool ok = false;
    const int v = readString(section, key, QString()).toInt(&ok);
    return ok ? v : defaultValue;
}

int IniFile::readInteger(const QString &section, const QString &key, int minimum, int maximum, int defaultValue) const
{
    const QString texte = readString(section, key, QString()).trimmed();
    bool ok = false;
    const qlonglong v = texte.toLongLong(&ok);
    if (ok)
        return static_cast<int>(std::clamp<qlonglong>(v, minimum, maximum));
    // Too many digits even for 64 bits: still a number, far beyond a bound.
    static const QRegularExpression entier(QStringLiteral("^[+-]?[0-9]+$"));
    if (!entier.match(texte).hasMatch())
        return defaultValue;
    return texte.startsWith(u'-') ? minimum : maximum;
}

bool IniFile::readBool(const QString &section, const QString &key) const
{
    return readString(section, key) == QLatin1String("oui");
}

bool IniFile::hasKey(const QString &section, const QString &key) const
{
    const QStringList lines = lignes();
    return findKey(lines, findSection(lines, section), key, nullptr) >= 0;
}

QStringList IniFile::sectionLines(const QString &section) const
{
    const QStringList lines = lignes();
    const auto range = findSection(lines, section);
    QStringList out;
    if (range.first < 0)
        return out;
    for (qsizetype i = range.first; i < range.second; ++i) {
        QString k;
        if (splitKeyLine(lines[i], &k, nullptr))
            out.append(lines[i].trimmed());
    }
    return out;
}

QString IniFile::sectionText(const QString &section) const
{
    return sectionLines(section).join(QStringLiteral("\r\n"));
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value, QString *error)
{
    // A write starts from the file as it is now, never from a snapshot.
    m_lu.reset();
    QStringList lines = TextFile::loadLines(m_path);
    const auto range = findSection(lines, section);
    const QString entry = key.trimmed() + u'=' + value;
    if (range.first < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(u'[' + section.trimmed() + u']');
        lines.append(entry);
    } else {
        const qsizetype at = findKey(lines, range, key, nullptr);
        if (at >= 0) {
            lines[at] = entry;
        } else {
            // New keys go after the section's last non-blank line.
            qsizetype insert = range.second;
            while (insert > range.first && lines[insert - 1].trimmed().isEmpty())
                --insert;
            lines.insert(insert, entry);
        }
    }
    return TextFile::saveLines(m_path, lines, error);
}

bool IniFile::writeInteger(const QString &section, const QString &key, int value, QString *error)
{
    return writeString(section, key, QString::number(value), error);
}

bool IniFile::writeBool(const QString &section, const QString &key, bool value, QString *error)
{
    return writeString(section, key, value ? QStringLiteral("oui") : QStringLiteral("non"), error);
}
