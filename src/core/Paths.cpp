#include "core/Paths.h"

#include <QDir>
#include <QRegularExpression>

namespace Paths {

QString fromStored(const QString &stored)
{
    QString p = stored;
    p.replace(u'\\', u'/');
    return p;
}

QString join(const QString &a, const QString &b)
{
    QString left = fromStored(a);
    QString right = fromStored(b);
    if (left.isEmpty())
        return right;
    if (right.isEmpty())
        return left;
    while (left.size() > 1 && left.endsWith(u'/'))
        left.chop(1);
    while (right.startsWith(u'/'))
        right.remove(0, 1);
    return left + u'/' + right;
}

QString join(const QString &a, const QString &b, const QString &c)
{
    return join(join(a, b), c);
}

QString absoluteFrom(const QString &base, const QString &path)
{
    const QString p = fromStored(path);
    if (QDir::isAbsolutePath(p) || p.startsWith(u'/'))
        return p;
    return join(base, p);
}

bool isSafeComponent(const QString &name)
{
    if (name.trimmed().isEmpty() || name == u"." || name == u".." || name.contains(u".."))
        return false;
    if (name.size() > 200)
        return false;
    static const QRegularExpression forbidden(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    if (name.contains(forbidden))
        return false;
    if (name.endsWith(u'.') || name.endsWith(u' '))
        return false;
    static const QRegularExpression reserved(QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9])(\\..*)?$"),
                                             QRegularExpression::CaseInsensitiveOption);
    return !reserved.match(name).hasMatch();
}

QString withTrailingSlash(const QString &folder)
{
    QString f = fromStored(folder);
    if (!f.endsWith(u'/'))
        f += u'/';
    return f;
}

} // namespace Paths
