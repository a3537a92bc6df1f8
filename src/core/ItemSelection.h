#pragma once

#include <QString>
#include <QStringList>

struct ObjectifApprentissage;
struct SessionState;

// Which products the training works on, chosen from the pupil's rankings
// (entries "key=score" or "code=score", weakest first). Pure functions but
// for selection_apres_test, which works on the session values.
namespace ItemSelection {

// Tables mode: the weakest table always, then the next ones while the
// running product count stays within nb_produits, up to the first table at
// 100. Products mode: at most nb_produits products, up to the first at 100.
// Entries of unknown tables add nothing.
QStringList change_produits_a_memoriser(const ObjectifApprentissage &objectif, const QStringList &classement_tables,
                                        const QStringList &classement_produits);

// The training advice drawn from a test, shared by the start of a pupil's
// session and the end of the first test of a day. From s.eleve.dernier_test,
// s.produits_etudies (s.liste_produits when that is empty) and
// s.temps_acceptable it builds s.classement_tables and s.classement_produits;
// sets s.objectif_apprentissage.mode_tables (true when the weakest table
// scores below 85 or there is no ranking), and with it nb_produits := 8;
// then fills s.produits_a_memoriser.
// Callers set beforehand:
// - at the start of a session: nb_tables := 1 and nb_produits := 8 (kept
//   when products mode is chosen);
// - at the end of a test: dernier_test := the test's records; nb_produits
//   and nb_tables are left as they were when products mode is chosen.
// A whole test line in dernier_test is read from its records.
void selection_apres_test(SessionState &s);

// Score of a ranking entry, -1 when it has none.
int score_entree(const QString &entree);
// Key or code of a ranking entry.
QString nom_entree(const QString &entree);

} // namespace ItemSelection
