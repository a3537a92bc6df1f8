#include "core/PupilFileMaintenance.h"

#include "core/HistoryMerge.h"
#include "core/Paths.h"
#include "core/PupilFolders.h"
#include "core/SharedFileLock.h"
#include "core/ShellLink.h"
#include "core/SystemServices.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace PupilFileMaintenance {
namespace {

bool echec(QString *erreur, const QString &texte)
{
    if (erreur)
        *erreur = texte;
    return false;
}

QString natif(const QString &chemin)
{
    return QDir::toNativeSeparators(chemin);
}

// "<D>/<clé>.txt" split; false when the path is not a history file.
bool decoupe(const QString &fichier, QString *dossier, QString *cle)
{
    const QFileInfo fi(Paths::fromStored(fichier.trimmed()));
    if (fi.fileName().size() <= 4 || !fi.fileName().endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
        return false;
    *dossier = fi.absolutePath();
    *cle = fi.fileName().chopped(4);
    return true;
}

// Another history file of that name, as Windows would see it (letter case
// ignored); the file being renamed itself does not count.
bool nomPris(const QString &dossier, const QString &cle, const QString &sauf)
{
    QStringList noms;
    PupilFolders::listFiles(dossier, QStringLiteral("*.txt"), &noms);
    const QString cherche = cle + QStringLiteral(".txt");
    for (const QString &n : std::as_const(noms)) {
        if (n.compare(cherche, Qt::CaseInsensitive) == 0 && n != sauf)
            return true;
    }
    return false;
}

// Renames a file. A change of capitals only goes straight to the file
// system: Qt refuses it where the disk ignores case, since the new name
// "exists" there already (as the old file itself).
bool renommeFichier(const QString &source, const QString &cible)
{
    if (source.compare(cible, Qt::CaseInsensitive) != 0)
        return QFile::rename(source, cible);
    return std::rename(QFile::encodeName(source).constData(), QFile::encodeName(cible).constData()) == 0;
}

// True when `dossier` is the out-of-class folder of the school folder `ecole`.
bool dansHorsClasse(const QString &dossier, const QString &ecole)
{
    const QFileInfo fi(dossier);
    return fi.fileName().compare(PupilFolders::kHorsClasse, Qt::CaseInsensitive) == 0
        && PupilFolders::sameFile(fi.absolutePath(), ecole);
}

} // namespace

QStringList dossiersClasses(const QString &dossierEtablissement)
{
    QStringList dossiers;
    for (const QString &annee : PupilFolders::listSubfolders(dossierEtablissement, QStringLiteral("2*"))) {
        const QString a = Paths::join(dossierEtablissement, annee);
        for (const QString &classe : PupilFolders::listSubfolders(a))
            dossiers.append(Paths::join(a, classe));
    }
    return dossiers;
}

bool renomme(SystemServices &system, const QString &fichier1, const QString &nouveauNom, QString *erreur,
             int *liensRefaits, int attenteVerrouMs)
{
    if (liensRefaits)
        *liensRefaits = 0;
    QString dossier;
    QString ancien;
    if (!decoupe(fichier1, &dossier, &ancien))
        return echec(erreur, QStringLiteral("Choisissez d'abord le fichier à renommer (un fichier .txt d'élève)."));
    const QString source = Paths::join(dossier, ancien + QStringLiteral(".txt"));
    if (!QFileInfo(source).isFile())
        return echec(erreur, QStringLiteral("Le fichier %1 n'existe pas.").arg(natif(source)));

    const QString nouveau = nouveauNom.trimmed();
    const qsizetype souligne = nouveau.indexOf(u'_');
    if (nouveau.isEmpty())
        return echec(erreur, QStringLiteral("Entrez le nouveau nom (sans l'extension)."));
    if (!Paths::isSafeComponent(nouveau) || !TextFile::fits1252(nouveau) || nouveau.contains(u','))
        return echec(erreur, QStringLiteral("Le nom \"%1\" ne peut pas servir de nom de fichier.").arg(nouveau));
    if (souligne <= 0 || souligne == nouveau.size() - 1)
        return echec(erreur, QStringLiteral("Le nouveau nom doit avoir la forme Nom_Prénom, par exemple Dupont_Jean."));
    if (nouveau == ancien)
        return echec(erreur, QStringLiteral("Le nouveau nom est celui du fichier."));
    if (nomPris(dossier, nouveau, ancien + QStringLiteral(".txt")))
        return echec(erreur, QStringLiteral("Un élève nommé %1 existe déjà dans ce dossier: rien n'a été changé. "
                                            "Pour réunir les deux fichiers, utilisez la fusion.")
                                 .arg(nouveau));

    const QString cible = Paths::join(dossier, nouveau + QStringLiteral(".txt"));
    {
        // The session recording takes this lock for its read and write: once
        // we hold it, no session is half written into the old file.
        QString raison;
        SharedFileLock verrou(source);
        if (!verrou.lock(&raison, attenteVerrouMs))
            return echec(erreur, raison);
        if (!renommeFichier(source, cible))
            return echec(erreur, QStringLiteral("Le fichier %1 n'a pas pu être renommé: rien n'a été changé.")
                                     .arg(natif(source)));
    }
    // A change of capitals only: on the school's server (and on Windows) the
    // old and the new name are one file, so "the new one exists already"
    // says nothing there; each file is renamed in place instead.
    const bool capitalesSeules = nouveau.compare(ancien, Qt::CaseInsensitive) == 0;
    const QString ini = Paths::join(dossier, ancien + QStringLiteral(".ini"));
    const QString iniCible = Paths::join(dossier, nouveau + QStringLiteral(".ini"));
    if (QFileInfo::exists(ini) && (capitalesSeules || !QFileInfo::exists(iniCible)))
        renommeFichier(ini, iniCible);

    QStringList rates;
    for (const QString &classe : dossiersClasses(dossier)) {
        if (!ShellLink::isMember(classe, ancien))
            continue;
        const QString lien = PupilFolders::linkFile(classe, nouveau);
        if (capitalesSeules) {
            const QString actuel = Paths::join(classe, PupilFolders::existingName(classe, ancien + QStringLiteral(".lnk")));
            // The new target first, the name last: the server keeps a file's
            // old capitals when a save replaces it under new ones.
            if (!ShellLink::write(actuel, cible) || (actuel != lien && !renommeFichier(actuel, lien)))
                rates.append(natif(classe));
            else if (liensRefaits)
                ++*liensRefaits;
            continue;
        }
        // The new link first: a failure leaves the pupil in his class.
        if (!ShellLink::isMember(classe, nouveau) && !ShellLink::write(lien, cible)) {
            rates.append(natif(classe));
            continue;
        }
        PupilFolders::deleteToRecycleBin(system, PupilFolders::linkFile(classe, ancien));
        if (liensRefaits)
            ++*liensRefaits;
    }
    if (!rates.isEmpty())
        return echec(erreur, QStringLiteral("Le fichier a été renommé, mais le lien n'a pas pu être refait dans: %1")
                                 .arg(rates.join(QStringLiteral(", "))));
    return true;
}

bool fusionne(const QString &fichier1, const QString &fichier2, QString *erreur)
{
    QString d1, k1, d2, k2;
    if (!decoupe(fichier1, &d1, &k1) || !decoupe(fichier2, &d2, &k2))
        return echec(erreur, QStringLiteral("Choisissez les deux fichiers d'élèves (.txt) à réunir."));
    const QString f1 = Paths::join(d1, k1 + QStringLiteral(".txt"));
    const QString f2 = Paths::join(d2, k2 + QStringLiteral(".txt"));
    for (const QString &f : {f1, f2}) {
        if (!QFileInfo(f).isFile())
            return echec(erreur, QStringLiteral("Le fichier %1 n'existe pas.").arg(natif(f)));
    }
    if (PupilFolders::sameFile(f1, f2))
        return echec(erreur, QStringLiteral("Les deux fichiers sont le même fichier."));
    // A pupil first registered without a class has "Hors classe/<clé>.txt";
    // registered later in a class he has "<clé>.txt" beside it: the school's
    // own out-of-class folder goes with its school folder.
    const bool horsClasse1 = dansHorsClasse(d1, d2);
    const bool horsClasse2 = dansHorsClasse(d2, d1);
    if (!horsClasse1 && !horsClasse2 && !PupilFolders::sameFile(d1, d2))
        return echec(erreur, QStringLiteral("Les deux fichiers doivent être dans le même dossier d'établissement."));

    if (!HistoryMerge::mergeFiles(f1, f2, erreur))
        return false;
    // A class link names a history file of the school folder itself: a file
    // out of class is in no class (a link of its name is another pupil's)
    // and gets no link; the other file keeps its own.
    QStringList rates;
    for (const QString &classe : dossiersClasses(horsClasse1 ? d2 : d1)) {
        const bool a = !horsClasse1 && ShellLink::isMember(classe, k1);
        const bool b = !horsClasse2 && ShellLink::isMember(classe, k2);
        if (a && !b && !horsClasse2 && !ShellLink::write(PupilFolders::linkFile(classe, k2), f2))
            rates.append(natif(classe));
        if (b && !a && !horsClasse1 && !ShellLink::write(PupilFolders::linkFile(classe, k1), f1))
            rates.append(natif(classe));
    }
    if (!rates.isEmpty())
        return echec(erreur, QStringLiteral("Les fichiers ont été réunis, mais un lien n'a pas pu être créé dans: %1")
                                 .arg(rates.join(QStringLiteral(", "))));
    return true;
}

bool supprime(SystemServices &system, const QString &dossierProgramme, const QString &fichier, QString *erreur,
              QString *nomDansCorbeille)
{
    QString dossier, cle;
    if (!decoupe(fichier, &dossier, &cle))
        return echec(erreur, QStringLiteral("Choisissez d'abord le fichier à supprimer (un fichier .txt d'élève)."));
    const QString chemin = Paths::join(dossier, cle + QStringLiteral(".txt"));
    // One free name for the history and its settings, so that they stay together.
    const QString base = PupilFolders::freeRecycleBase(dossierProgramme, cle);
    {
        QString raison;
        SharedFileLock verrou(chemin);
        if (!verrou.lock(&raison))
            return echec(erreur, raison);
        if (!PupilFolders::moveToRecycleFolder(dossierProgramme, chemin, erreur, base + QStringLiteral(".txt")))
            return false;
    }
    if (nomDansCorbeille)
        *nomDansCorbeille = base + QStringLiteral(".txt");
    const QString ini = Paths::join(dossier, cle + QStringLiteral(".ini"));
    if (QFileInfo::exists(ini))
        PupilFolders::moveToRecycleFolder(dossierProgramme, ini, nullptr, base + QStringLiteral(".ini"));
    for (const QString &classe : dossiersClasses(dossier)) {
        if (ShellLink::isMember(classe, cle))
            PupilFolders::deleteToRecycleBin(system, PupilFolders::linkFile(classe, cle));
    }
    return true;
}

} // namespace PupilFileMaintenance
