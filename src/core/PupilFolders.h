#pragma once

#include <QString>
#include <QStringList>

class SystemServices;

// Where pupils and classes lie on disk. There is no database: a pupil is his
// history file "<clé>.txt", his class membership for a school year a link
// "<clé>.lnk" in the class folder.
//
//   school mode  <dossier_eleves>/<établissement>/<clé>.txt          pupils with a class
//                <dossier_eleves>/<établissement>/Hors classe/<clé>.txt
//                <dossier_eleves>/<établissement>/<année>/<classe>/<clé>.lnk
//   home mode    <dossier_eleves>/<clé>.txt
//   both         <dossier de l'élève>/<clé>.ini                       personal settings
//                <dossier_programme>/CorbeilleTabulon/                 files the program removed
namespace PupilFolders {

inline const QString kHorsClasse = QStringLiteral("Hors classe");
inline const QString kCorbeille = QStringLiteral("CorbeilleTabulon");

QString schoolFolder(const QString &dossierEleves, const QString &nomEtablissement);
QString outOfClassFolder(const QString &dossierEtablissement);
QString yearFolder(const QString &dossierEtablissement, const QString &anneeScolaire);
QString classFolder(const QString &dossierAnnee, const QString &classe);
QString historyFile(const QString &dossier, const QString &cle);
QString linkFile(const QString &dossierClasse, const QString &cle);
QString personalSettingsFile(const QString &dossier, const QString &cle);
QString recycleFolder(const QString &dossierProgramme);

// The name under which the folder holds `nom`, letter case ignored as the
// school's file server and Windows ignore it: `nom` itself when it is there
// as it stands, else the first entry that differs only by case; empty when
// there is none.
QString existingName(const QString &dossier, const QString &nom);
// True when the two paths name one file: the same path, or, in the same
// folder, names that differ only by case on a disk that ignores case (the
// folder then cannot hold both). Decided by the folder's listing, so that the
// answer is right on a local disk and on the server alike.
bool sameFile(const QString &a, const QString &b);

// "2006-2007" n years back ("2005-2006" for 1); empty when the text is not a
// school year.
QString schoolYearBack(const QString &anneeScolaire, int n);

// Names of the subfolders matching the mask ("*", "2*"), "." and ".."
// excluded, in name order. A missing folder gives an empty list.
QStringList listSubfolders(const QString &dossier, const QString &masque = QStringLiteral("*"));
// Appends the names of the files matching the mask ("*.txt", "*.lnk", letter
// case ignored as on Windows); the list is not cleared first.
void listFiles(const QString &dossier, const QString &masque, QStringList *liste);
// Removes, from the end towards the start, each link name whose history file
// <dossier_etablissement>/<name less its extension>.txt does not exist.
void pruneDeadLinks(QStringList *liens, const QString &dossierEtablissement);

// Moves the file into the program's recycle folder, replacing a file of the
// same name there; under `nomCible` instead of its own name when one is
// given. False, the file left in place, when it could not.
bool moveToRecycleFolder(const QString &dossierProgramme, const QString &chemin, QString *erreur = nullptr,
                         const QString &nomCible = QString());
// "<base>", or else "<base> (2)", "<base> (3)" ...: the first name that no
// file of the recycle folder bears, whatever its extension. Letter case is
// ignored, as a Windows or Samba share ignores it.
QString freeRecycleBase(const QString &dossierProgramme, const QString &base);
// Sends the file to the desktop's recycle bin, silently.
bool deleteToRecycleBin(SystemServices &system, const QString &chemin);

} // namespace PupilFolders
