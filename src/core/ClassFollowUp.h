#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

// The teacher's class follow-up: for every class of a school year, the chosen
// test of each pupil and the class average, as the lines of
// "liste_eleves.txt" (one line per tree node, the depth given by the leading
// tabs), the path of each line, and the records list rebuilt from the same
// tests. Reads nothing but the class folders and the history files, so it may
// run off the interface thread.
namespace ClassFollowUp {

inline constexpr auto kNomFichier = "liste_eleves.txt";

enum class Mesure { Score, Vitesse };
enum class Ordre { Nom, Resultat, Date };

struct Demande
{
    QString dossierEleves;
    QString etablissement;      // empty for "aucun": the files lying in dossierEleves
    QString annee;              // "2006-2007"
    bool premier = false;       // first test from the date on, else last test up to it
    QDate date;
    Mesure mesure = Mesure::Score;
    Ordre ordre = Ordre::Resultat;
    bool masquerIncomplets = false;
    QString objectifs;          // what a test must cover when masquerIncomplets
    int tempsAcceptable = 4;
    QDateTime maintenant;       // title line and ages in days
};

struct Liste
{
    QStringList lignes;   // the file's lines
    QStringList chemins;  // one per line: " " for the title, a class folder, a history file
    QStringList records;  // the records list rebuilt, sorted; empty for "aucun"
    int eleves = 0;
    bool interrompue = false;
};

// Called after each history file with the number read and the total; a
// false answer stops the pass (the list is then marked interrompue).
using Progres = std::function<bool(int fait, int total)>;

Liste construit(const Demande &demande, const Progres &progres = {});

// Mean of the measures, rounded to the nearest integer, halves to even; -1
// when there is none.
int moyenne(qint64 somme, int nombre);

// "Dupont_Jean" gives "Dupont Jean".
QString nom_affiche(const QString &cle);

// One node of the tree that "liste_eleves.txt" describes.
struct Noeud
{
    int parent = -1;      // index of the node it hangs from; -1 at the top
    int profondeur = 0;
    QString texte;        // the line without its leading tabs
};

// The tree of the file's lines, in file order: a line hangs from the last
// line above it that has one tab fewer. The file may have been edited by
// hand: a line with more tabs than the line above can carry hangs from that
// line, one level down, and nothing goes deeper than the pupils' level (a
// tree thousands of levels deep would exhaust the window's stack).
inline constexpr int kProfondeurMax = 2;
QList<Noeud> arbre(const QStringList &lignes);

// Writes "liste_eleves.txt" into the statistics folder (created when missing)
// and, when the list was built for an establishment, "liste_records.txt" from
// its records: with "aucun" there are no records to write and the school's
// records file is left as it is. False with a French text on failure.
bool enregistre(const Liste &liste, const QString &dossierStatsLocal, bool avecRecords, QString *erreur);

} // namespace ClassFollowUp
