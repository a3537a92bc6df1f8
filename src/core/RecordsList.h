#pragma once

#include <QString>
#include <QStringList>

struct SessionState;

// The records list "liste_records.txt": one line per pupil, score on three
// digits, speed on three digits, then family name "_" first name. Kept in
// ascending text order without regard to case, so the best line is the last.
// Lines that do not have that shape are kept as they are but never ranked.
namespace RecordsList {

inline constexpr auto kNomFichier = "liste_records.txt";

// The server copy; empty when there is no server (no share path, home mode).
QString cheminServeur(const SessionState &state);
QString cheminLocal(const SessionState &state);
// The file in use: the server copy when it exists, else the local one.
QString cheminActif(const SessionState &state);

// The list of the file in use, sorted; blank lines are dropped.
QStringList charge(const SessionState &state);
// The list of one copy of the file, as charge gives it. False when the file
// is missing or cannot be read (with a French error text): the list is empty then.
bool lit(const QString &chemin, QStringList *liste, QString *error = nullptr);
// Writes the list to the file in use, atomically.
bool enregistre(const SessionState &state, const QStringList &liste, QString *error);

// Sorts the list as the file keeps it (text order, case ignored).
void trie(QStringList &liste);

// Puts one pupil's result into the file in use: the file is re-read under a
// short lock so that a result written meanwhile by another workstation is
// kept. The list as saved and the pupil's rank (1 = best) are handed back.
bool met_a_jour(const SessionState &state, int score, int vitesse, const QString &nom,
                const QString &prenom, QStringList *liste, int *rang, QString *error);

// One well-formed line, split; false for a line that cannot be ranked.
struct Record
{
    int score = 0;
    int vitesse = 0;
    QString nom;
    QString prenom;
};
bool decode_ligne(const QString &ligne, Record *record);

// The display text: "Aucun record." for an empty list, otherwise a heading
// and one ranked line per record, best first.
QStringList decode_liste_records(const QStringList &liste);
// "Dupont Jean" for ranks 1, 2 and 3 (fewer when the list is shorter).
QStringList trois_premiers(const QStringList &liste);

} // namespace RecordsList
