#pragma once

#include <QString>
#include <QStringList>

// How a pupil is named: the key "Nom_Prénom" that names his files, the name
// shown in the lists, his four-character code, the cleaning of typed names and
// the test that tells whether a new name looks like an existing pupil's.
namespace PupilKey {

// Longest name or first name the entry fields accept; keeps a key well inside
// every file system's limits.
constexpr int kMaxFieldLength = 40;

// A letter as far as keys and name entry are concerned: A-Z, a-z and the
// accented letters of Windows-1252 (Š, Œ, Ÿ and their small forms included).
bool isLetter(QChar c);

// Removes the spaces that do not stand between two letters, then a leading
// and a trailing space.
QString normaliseKey(const QString &cle);
QString makeKey(const QString &nom, const QString &prenom);

// "Dupont_Jean" <-> "Dupont Jean". The reverse is lossy for a family name
// that holds a space: keep the file name alongside wherever you can.
QString displayName(const QString &cle);
QString keyFromDisplayName(const QString &nomAffiche);
// Parts of a key before and after its first "_".
QString familyNameOf(const QString &cle);
QString firstNameOf(const QString &cle);
// File name without its four-character extension (".txt", ".lnk").
QString keyOfFile(const QString &nomFichier);

// Letter, letter, digit, letter, lower case, computed from the
// Windows-1252 bytes of the text.
QString pupilCode(const QString &texte);

// Cleans what was typed into a name field: drops every character that is not
// a letter (a space or a hyphen is kept from the second character on, after
// a letter only), capitalises each word, cuts at kMaxFieldLength.
QString filterName(const QString &saisie);
// Keeps only what a code may hold at each of its four positions.
QString filterCode(const QString &saisie);

// True when a looks like b, whatever the accents, the order of the words or
// two letters swapped (distance of at most 2).
bool isSimilar(const QString &a, const QString &b);
// Edit distance with the exchange of two neighbouring letters counted as one.
int distance(const QString &x, const QString &y);
// Lower case, accents folded ("Léa" -> "lea", "Œ" -> "oe").
QString foldAccents(const QString &texte);
// The ways the words of a name may be written one after the other.
QStringList variants(const QStringList &mots);

} // namespace PupilKey
