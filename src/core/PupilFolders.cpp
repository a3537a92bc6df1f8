#include "core/PupilFolders.h"

#include "core/Paths.h"
#include "core/SystemServices.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace PupilFolders {

QString schoolFolder(const QString &dossierEleves, const QString &nomEtablissement)
{
    return Paths::join(dossierEleves, nomEtablissement);
}

QString outOfClassFolder(const QString &dossierEtablissement)
{
    return Paths::join(dossierEtablissement, kHorsClasse);
}

QString yearFolder(const QString &dossierEtablissement, const QString &anneeScolaire)
{
    return Paths::join(dossierEtablissement, anneeScolaire);
}

QString classFolder(const QString &dossierAnnee, const QString &classe)
{
    return Paths::join(dossierAnnee, classe);
}

QString historyFile(const QString &dossier, const QString &cle)
{
    return Paths::join(dossier, cle + QStringLiteral(".txt"));
}

QString linkFile(const QString &dossierClasse, const QString &cle)
{
    return Paths::join(dossierClasse, cle + QStringLiteral(".lnk"));
}

QString personalSettingsFile(const QString &dossier, const QString &cle)
{
    return Paths::join(dossier, cle + QStringLiteral(".ini"));
}

QString recycleFolder(const QString &dossierProgramme)
{
    return Paths::join(dossierProgramme, kCorbeille);
}

QString existingName(const QString &dossier, const QString &nom)
{
    const QDir dir(Paths::fromStored(dossier));
    const QStringList noms =
        dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    if (noms.contains(nom))
        return nom;
    for (const QString &n : noms) {
        if (n.compare(nom, Qt::CaseInsensitive) == 0)
            return n;
    }
    return {};
}

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo ia(Paths::fromStored(a));
    const QFileInfo ib(Paths::fromStored(b));
    if (ia.absoluteFilePath() == ib.absoluteFilePath())
        return true;
    if (ia.absoluteFilePath().compare(ib.absoluteFilePath(), Qt::CaseInsensitive) != 0)
        return !ia.canonicalFilePath().isEmpty() && ia.canonicalFilePath() == ib.canonicalFilePath();
    if (!ia.exists() || !ib.exists())
        return false;
    if (ia.fileName() == ib.fileName())
        return sameFile(ia.path(), ib.path());
    // Names alike but for case: one file where the folder cannot hold both.
    const QStringList noms = ia.dir().entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden
                                                | QDir::System);
    return !(noms.contains(ia.fileName()) && noms.contains(ib.fileName()));
}

QString schoolYearBack(const QString &anneeScolaire, int n)
{
    static const QRegularExpression forme(QStringLiteral("^(\\d{4})-(\\d{4})$"));
    const auto m = forme.match(anneeScolaire);
    if (!m.hasMatch())
        return {};
    return QStringLiteral("%1-%2").arg(m.captured(1).toInt() - n).arg(m.captured(2).toInt() - n);
}

QStringList listSubfolders(const QString &dossier, const QString &masque)
{
    const QDir dir(Paths::fromStored(dossier));
    if (!dir.exists())
        return {};
    return dir.entryList({masque}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

void listFiles(const QString &dossier, const QString &masque, QStringList *liste)
{
    const QDir dir(Paths::fromStored(dossier));
    if (!dir.exists())
        return;
    // "*.lnk", "*.txt": the masks of every class list, matched by hand. The
    // general filter builds a pattern at every call, which over the classes
    // of a whole school costs as much as reading a tenth of the histories.
    const QStringView extension = QStringView(masque).sliced(qMin<qsizetype>(1, masque.size()));
    const bool simple = masque.startsWith(u"*.") && !extension.contains(u'*') && !extension.contains(u'?')
                        && !extension.contains(u'[');
    if (!simple) {
        liste->append(dir.entryList({masque}, QDir::Files | QDir::System | QDir::Hidden,
                                    QDir::Name | QDir::IgnoreCase));
        return;
    }
    // Sorted as the directory listing sorts with letter case ignored: on the
    // names put in lower case.
    QList<std::pair<QString, QString>> noms;
    QDirIterator it(dir.path(), QDir::Files | QDir::System | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        const QString nom = it.fileName();
        if (nom.endsWith(extension, Qt::CaseInsensitive))
            noms.append({nom.toLower(), nom});
    }
    std::sort(noms.begin(), noms.end());
    for (const auto &n : std::as_const(noms))
        liste->append(n.second);
}

void pruneDeadLinks(QStringList *liens, const QString &dossierEtablissement)
{
    for (qsizetype i = liens->size() - 1; i >= 0; --i) {
        const QString nom = liens->at(i);
        const QString cle = nom.size() >= 4 ? nom.left(nom.size() - 4) : QString();
        if (cle.isEmpty() || !QFileInfo::exists(historyFile(dossierEtablissement, cle)))
            liens->removeAt(i);
    }
}

QString freeRecycleBase(const QString &dossierProgramme, const QString &base)
{
    QSet<QString> pris;
    const QStringList noms = QDir(recycleFolder(dossierProgramme)).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &nom : noms)
        pris.insert(QFileInfo(nom).completeBaseName().toLower());
    QString libre = base;
    for (int n = 2; pris.contains(libre.toLower()); ++n)
        libre = QStringLiteral("%1 (%2)").arg(base).arg(n);
    return libre;
}

bool moveToRecycleFolder(const QString &dossierProgramme, const QString &chemin, QString *erreur,
                         const QString &nomCible)
{
    const QString source = Paths::fromStored(chemin);
    const QString corbeille = recycleFolder(dossierProgramme);
    const QString cible = Paths::join(corbeille, nomCible.isEmpty() ? QFileInfo(source).fileName() : nomCible);
    auto echec = [&](const QString &texte) {
        if (erreur)
            *erreur = texte.arg(QDir::toNativeSeparators(source));
        return false;
    };
    if (!QFileInfo(source).isFile())
        return echec(QStringLiteral("Le fichier %1 n'existe pas."));
    if (!QDir().mkpath(corbeille))
        return echec(QStringLiteral("Impossible de créer le dossier CorbeilleTabulon pour y mettre %1."));
    if (QFileInfo(source).absoluteFilePath() == QFileInfo(cible).absoluteFilePath())
        return true;

    // Copy aside first, then replace: the old file of the same name in the
    // recycle folder goes only once the new one is whole, and the source only
    // once it is safe in the recycle folder.
    const QString aCote = cible + QStringLiteral(".tmp");
    QFile::remove(aCote);
    if (!QFile::copy(source, aCote))
        return echec(QStringLiteral("Impossible de copier %1 dans CorbeilleTabulon."));
    QFile::remove(cible);
    if (!QFile::rename(aCote, cible)) {
        QFile::remove(aCote);
        return echec(QStringLiteral("Impossible de placer %1 dans CorbeilleTabulon."));
    }
    if (!QFile::remove(source))
        return echec(QStringLiteral("Le fichier %1 a été copié dans CorbeilleTabulon mais n'a pas pu être retiré."));
    return true;
}

bool deleteToRecycleBin(SystemServices &system, const QString &chemin)
{
    const QString p = Paths::fromStored(chemin);
    if (!QFileInfo::exists(p))
        return false;
    return system.moveToRecycleBin(p);
}

} // namespace PupilFolders
