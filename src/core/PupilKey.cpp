#include "core/PupilKey.h"

#include "core/TextFile.h"

#include <algorithm>
#include <vector>

namespace PupilKey {
namespace {

bool estAscii(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

bool estMinusculeAscii(QChar c)
{
    return c.unicode() >= u'a' && c.unicode() <= u'z';
}

// Words of a name part, cut at every character that is not a plain letter
// once the accents are folded.
QStringList mots(const QString &partie)
{
    QStringList result;
    QString mot;
    for (QChar c : partie) {
        if (estMinusculeAscii(c)) {
            mot += c;
        } else if (!mot.isEmpty()) {
            result.append(mot);
            mot.clear();
        }
    }
    if (!mot.isEmpty())
        result.append(mot);
    return result;
}

} // namespace

bool isLetter(QChar c)
{
    const char16_t u = c.unicode();
    if (estAscii(c))
        return true;
    if ((u >= 0xC0 && u <= 0xD6) || (u >= 0xD8 && u <= 0xDD) || (u >= 0xE0 && u <= 0xEF)
        || (u >= 0xF1 && u <= 0xF6) || (u >= 0xF8 && u <= 0xFD) || u == 0xFF)
        return true;
    // Š š Œ œ Ÿ: letters of French names that Windows-1252 keeps apart from
    // the Latin-1 block.
    return u == 0x160 || u == 0x161 || u == 0x152 || u == 0x153 || u == 0x178;
}

QString normaliseKey(const QString &cle)
{
    QString s = cle;
    qsizetype i = 1;
    while (i < s.size() - 1) {
        if (s[i] == u' ' && !(isLetter(s[i - 1]) && isLetter(s[i + 1])))
            s.remove(i, 1);
        else
            ++i;
    }
    if (s.startsWith(u' '))
        s.remove(0, 1);
    if (s.endsWith(u' '))
        s.chop(1);
    return s;
}

QString makeKey(const QString &nom, const QString &prenom)
{
    return normaliseKey(nom + u'_' + prenom);
}

QString displayName(const QString &cle)
{
    QString s = cle;
    const qsizetype p = s.indexOf(u'_');
    if (p >= 0)
        s[p] = u' ';
    return s;
}

QString keyFromDisplayName(const QString &nomAffiche)
{
    QString s = nomAffiche;
    const qsizetype p = s.indexOf(u' ');
    if (p >= 0)
        s[p] = u'_';
    return s;
}

QString familyNameOf(const QString &cle)
{
    const qsizetype p = cle.indexOf(u'_');
    return p < 0 ? cle : cle.left(p);
}

QString firstNameOf(const QString &cle)
{
    const qsizetype p = cle.indexOf(u'_');
    return p < 0 ? QString() : cle.mid(p + 1);
}

QString keyOfFile(const QString &nomFichier)
{
    return nomFichier.size() >= 4 ? nomFichier.left(nomFichier.size() - 4) : QString();
}

QString pupilCode(const QString &texte)
{
    const QByteArray octets = TextFile::encode1252(texte);
    qint64 h = 1;
    for (char c : octets)
        h = (h * static_cast<unsigned char>(c)) % 200003;
    qint64 n = (h % 175761) - 1;
    // h = 175761 would give n = -1 and a code ending in "`", which nobody can
    // type: it wraps round to the last code of the range, "zz9z".
    if (n < 0)
        n = 175759;
    const int d4 = int(n % 26);
    n /= 26;
    const int d3 = int(n % 10);
    n /= 10;
    const int d2 = int(n % 26);
    n /= 26;
    const int d1 = int(n);
    QString code;
    code += QChar(u'a' + d1);
    code += QChar(u'a' + d2);
    code += QChar(u'0' + d3);
    code += QChar(u'a' + d4);
    return code;
}

QString filterName(const QString &saisie)
{
    QString s;
    for (QChar c : saisie) {
        if (s.size() >= kMaxFieldLength)
            break;
        if (isLetter(c)) {
            s += c;
        } else if ((c == u' ' || c == u'-') && !s.isEmpty() && s.back() != u' ' && s.back() != u'-') {
            s += c;
        }
    }
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (!isLetter(s[i]))
            continue;
        const bool debutMot = i == 0 || s[i - 1] == u' ' || s[i - 1] == u'-' || s[i - 1] == u'_';
        const QChar autre = debutMot ? s[i].toUpper() : s[i].toLower();
        // A case mapping that leaves Windows-1252 (none today) keeps the letter.
        if (TextFile::fits1252(QString(autre)))
            s[i] = autre;
    }
    return s;
}

QString filterCode(const QString &saisie)
{
    QString s;
    for (QChar c : saisie) {
        if (s.size() >= 4)
            break;
        const bool chiffre = c.unicode() >= u'0' && c.unicode() <= u'9';
        if (estAscii(c) || (chiffre && s.size() == 2))
            s += c.toLower();
    }
    return s;
}

QString foldAccents(const QString &texte)
{
    const QString bas = texte.toLower();
    QString s;
    s.reserve(bas.size());
    for (QChar c : bas) {
        const char16_t u = c.unicode();
        if (u >= 0xE0 && u <= 0xE5)
            s += u'a';
        else if (u == 0xE6)
            s += QStringLiteral("ae");
        else if (u == 0xE7)
            s += u'c';
        else if (u >= 0xE8 && u <= 0xEB)
            s += u'e';
        else if (u >= 0xEC && u <= 0xEF)
            s += u'i';
        else if (u == 0xF0)
            s += u'd';
        else if (u == 0xF1)
            s += u'n';
        else if ((u >= 0xF2 && u <= 0xF6) || u == 0xF8)
            s += u'o';
        else if (u >= 0xF9 && u <= 0xFC)
            s += u'u';
        else if (u == 0xFD || u == 0xFF)
            s += u'y';
        else if (u == 0x153)
            s += QStringLiteral("oe");
        else if (u == 0x161)
            s += u's';
        else if (u == 0x17E)
            s += u'z';
        else if (u == 0xDF)
            s += QStringLiteral("ss");
        else
            s += c;
    }
    return s;
}

QStringList variants(const QStringList &m)
{
    if (m.size() == 1)
        return m;
    if (m.size() == 2)
        return {m[0] + m[1], m[1] + m[0], m[0], m[1]};
    if (m.size() != 3)
        return {};
    QStringList v;
    const int ordres[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (const auto &o : ordres)
        v.append(m[o[0]] + m[o[1]] + m[o[2]]);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            if (i != j)
                v.append(m[i] + m[j]);
        }
    }
    v.append(m);
    return v;
}

int distance(const QString &x, const QString &y)
{
    const qsizetype n = x.size();
    const qsizetype m = y.size();
    if (n == 0)
        return int(m);
    if (m == 0)
        return int(n);
    const qsizetype w = m + 1;
    std::vector<int> t(size_t((n + 1) * w), 0);
    auto d = [&](qsizetype i, qsizetype j) -> int & { return t[size_t(i * w + j)]; };
    for (qsizetype i = 0; i <= n; ++i)
        d(i, 0) = int(i);
    for (qsizetype j = 0; j <= m; ++j)
        d(0, j) = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        for (qsizetype j = 1; j <= m; ++j) {
            const QChar xi = x[i - 1];
            const QChar yj = y[j - 1];
            if (xi == yj) {
                d(i, j) = d(i - 1, j - 1);
            } else if (i >= 2 && j >= 2 && x[i - 2] == yj && xi == y[j - 2]) {
                d(i, j) = 1 + std::min({d(i - 2, j - 2), d(i - 1, j), d(i, j - 1)});
            } else {
                d(i, j) = 1 + std::min({d(i - 1, j - 1), d(i - 1, j), d(i, j - 1)});
            }
        }
    }
    return d(n, m);
}

bool isSimilar(const QString &a, const QString &b)
{
    const QString pa = foldAccents(a);
    QString y;
    for (QChar c : foldAccents(b)) {
        if (estMinusculeAscii(c))
            y += c;
    }
    const qsizetype p = pa.indexOf(u'_');
    const QStringList nomsFamille = variants(mots(p < 0 ? pa : pa.left(p)));
    const QStringList prenoms = variants(mots(p < 0 ? QString() : pa.mid(p + 1)));
    for (const QString &f : prenoms) {
        for (const QString &nf : nomsFamille) {
            for (const QString &x : {f + nf, nf + f}) {
                // The distance is at least the difference of the lengths.
                if (std::abs(x.size() - y.size()) > 2)
                    continue;
                if (distance(x, y) <= 2)
                    return true;
            }
        }
    }
    return false;
}

} // namespace PupilKey
