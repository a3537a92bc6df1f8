#pragma once

#include <QString>
#include <QStringList>

class SystemServices;

// The teacher's repairs of pupil files: rename a pupil, join two histories of
// one pupil, delete a pupil. Each one also keeps the class links of every
// school year in step, and takes the lock that the session recording takes,
// so that a pupil working meanwhile on another workstation loses nothing.
// Every refusal and failure comes back as a French text; nothing is touched
// when the input is refused.
namespace PupilFileMaintenance {

// Every "<année>/<classe>" folder of an establishment folder.
QStringList dossiersClasses(const QString &dossierEtablissement);

// Renames <D>/<ancien>.txt to <D>/<nouveauNom>.txt (and the personal
// settings "<ancien>.ini" with it), then, in every class folder of every
// year, replaces the link <ancien>.lnk by <nouveauNom>.lnk. Refused when
// the name is not a pupil key ("Nom_Prénom") that can stand as a file name,
// or when a pupil of that name already exists. liensRefaits: how many links.
// attenteVerrouMs: how long a session being recorded elsewhere is waited for.
bool renomme(SystemServices &system, const QString &fichier1, const QString &nouveauNom, QString *erreur,
             int *liensRefaits = nullptr, int attenteVerrouMs = 10000);

// Merges the two histories (both files receive the merged lines), then makes
// each pupil a member of every class that either belonged to. Both files
// must exist and lie in the same establishment folder, or one in it and the
// other in its "Hors classe" folder (that one gets no class link).
bool fusionne(const QString &fichier1, const QString &fichier2, QString *erreur);

// Moves the history file (and its personal settings) to the program's
// recycle folder "CorbeilleTabulon", and sends its class links to the
// desktop's recycle bin. A copy already there under that name (a namesake,
// or the same pupil deleted in an earlier year) is kept: the file then takes
// a free name beside it, given in nomDansCorbeille. False, the links
// untouched, when the history file could not be moved.
bool supprime(SystemServices &system, const QString &dossierProgramme, const QString &fichier, QString *erreur,
              QString *nomDansCorbeille = nullptr);

} // namespace PupilFileMaintenance
