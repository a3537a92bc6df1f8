#pragma once

#include <QString>

// The two kinds of line of a pupil's history file.
//
// A session header: "Séance du Mardi 14/11/2006 de 10:02:11 à 10:25:40 sur le
// poste "NOM"". It is the only kind of line that starts with "S" and holds a
// "/"; every field is found from the position of its first "/".
//
// An activity line: TAB, the activity word ("TEST", "APPRENTISSAGE",
// "PERFECTIONNEMENT"), " de ", start, " à ", end, then its data. A test line
// is 29 characters of head, then the answer records.
namespace HistoryLines {

inline constexpr int kTeteLigneTest = 29;

// The header of a session; the date is written with "/" whatever the locale.
QString entete_seance(const QString &jourSemaine, const QString &date, const QString &heureDebut,
                      const QString &heureFin, const QString &nomPoste);

bool est_entete(const QString &ligne);

// Day name, space, date ("Mardi 14/11/2006"): characters 11 to p + 7.
QString libelle_jour(const QString &ligne);
// "14/11/2006"; empty when the header holds no whole date.
QString date_entete(const QString &ligne);
// "20061114", for sorting days; empty when the date is not made of digits.
QString cle_jour(const QString &ligne);
// "10:02:11"; empty when the header has no start time.
QString heure_debut(const QString &ligne);

// A line that names a test: any line but a header holding "TEST" (a header
// may hold it in the computer name).
bool est_ligne_test(const QString &ligne);
// What a reader wants of an activity line: its word and its times
// ("TEST de 09:01:00 à 09:10:00") without its data. A line of another
// shape is given whole, without its leading and trailing blanks.
QString tete_activite(const QString &ligne);
// The answer records of a test line, from character 30.
QString enregistrements(const QString &ligneTest);
// True when the records hold at least one whole answer ("P" and 11 digits
// at a multiple of 12 characters), as the scoring reads them.
bool a_une_reponse(QStringView enregistrements);
// True when the first record's two factors are below 10: a test of the
// classic tables, the only kind that makes a graph point and the training's
// starting test (squares and extended tables start with 11 or more).
bool est_test_classique(QStringView enregistrements);

} // namespace HistoryLines
