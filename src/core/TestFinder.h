#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>

// The test of a pupil that the teacher's reports and counts use: his first
// test on or after a date, or his last test on or before it.
namespace TestFinder {

struct TestTrouve
{
    QString enregistrements;  // the answer records; empty when none was found
    QString date;             // "Mardi 14/11/2006"; empty when none was found
    QString nom;              // from the file name "<nom>_<prénom>.txt"
    QString prenom;
};

// direction is "premier" (forwards from the date) or "dernier" (backwards);
// dateTexte is dd/mm/yyyy. With masquerIncomplets, a test counts only when
// it covers the objectives (comma list of table keys). Each day is searched
// in all its sessions, in file order.
TestTrouve cherche_test_eleve(const QString &chemin, const QString &dateTexte, const QString &direction,
                              bool masquerIncomplets, const QString &objectifs);

// The same search on the bytes of a history file as stored (Windows-1252,
// one byte a character), for the passes that read a whole school: only the
// chosen line is ever decoded. cleDate is "yyyyMMdd".
struct TestOctets
{
    QString enregistrements;  // empty when none was found
    QString cleJour;          // "20061114" of the test's day
    QDate date;               // the same day; invalid when the header's date is not one
    QString heureFin;         // "10:08:00", characters 21 to 28 of the test line
    QString libelle;          // "Mardi 14/11/2006"
};
// Without avecLibelle, libelle is left empty (a pass that shows no day name).
TestOctets cherche_test_octets(QByteArrayView contenu, const QString &cleDate, bool enArriere,
                               bool masquerIncomplets, const QString &objectifs, bool avecLibelle = true);

// "14/11/2006" as the "20061114" cherche_test_octets takes; empty when it is
// not a date of that shape.
QString cle_date(const QString &dateTexte);

// The same search in the history file at `chemin`, read whole, for the
// passes over a whole class that need no pupil's name; dateTexte is
// dd/mm/yyyy. Nothing found when the file does not open.
TestOctets cherche_test_fichier(const QString &chemin, const QString &dateTexte, bool enArriere,
                                bool masquerIncomplets, const QString &objectifs);

} // namespace TestFinder
