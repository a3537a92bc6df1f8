#pragma once

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

} // namespace TestFinder
