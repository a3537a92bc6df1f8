#pragma once

#include <QString>
#include <QStringList>

// Scoring of a test's answer records ("P" + code + time in tenths on three
// digits + answer on four digits, 12 characters each) and the rankings the
// training starts from. Pure functions; the acceptable time T is in seconds.
namespace Evaluation {

// 11-character entries (code, time, answer), one per product (a later record
// replaces an earlier one), sorted by product code. Malformed records are skipped.
QStringList analyse_enregistrements(const QString &enregistrements);

bool reponse_juste(const QString &entree);
int temps_dixiemes(const QString &entree);
int score_produit(const QString &entree, int tempsAcceptable);
int vitesse_produit(const QString &entree);
int score_global(const QString &enregistrements, int tempsAcceptable);
// -1 when no answered product belongs to the tables.
int score_tables(const QString &enregistrements, const QString &cles, int tempsAcceptable);
// Right answers per minute; -1 when the total time is zero (no speed to give).
int vitesse_reponses(const QString &enregistrements);
bool test_couvre_tables(const QString &enregistrements, const QString &cles);

QStringList classement_tables(const QString &enregistrements, const QStringList &produitsEtudies, int tempsAcceptable);
QStringList classement_produits(const QString &enregistrements, const QStringList &produitsEtudies, int tempsAcceptable);

// Classic tables 2..9 sorted into those known badly (score 0..84) and well
// (85..100): entries "07=3" (score on two digits, "=", table number) or
// "aa=9" for 100, each list sorted as text, so the weakest table comes first
// and equal scores go by table number. Untested tables are in neither list.
struct MalBien
{
    QStringList mal;
    QStringList bien;
};
MalBien listes_mal_bien(const QString &enregistrements, int tempsAcceptable);

// Level band of a score: 0 below 50, 1 below 70, 2 below 85, 3 below 95,
// 4 below 100, 5 at 100. The level words, their short forms and the level
// colours are tables of six entries read with it.
inline constexpr int kNombreNiveaux = 6;
int tranche_niveau(int score);

// Level word of a global score: "très faible" ... "parfait".
QString mot_niveau(int score);

// What the grid of a test shows, said in words for a screen reader: the
// global score, then the products answered wrongly or not at all, in the
// grid's order ("85 %, réponses fausses ou absentes : 7×2, 7×3, 6×9").
QString description_grille(const QString &enregistrements, int tempsAcceptable);
// A bar of the progress graph: "Jeudi 10/12/2026 : 85 %, bien".
QString description_barre(const QString &jour, const QString &score);

// Records list entry: score on 3 digits, speed on 3 digits, family name "_" first name.
QString entree_record(int score, int vitesse, const QString &nom, const QString &prenom);
// Replaces the pupil's line (or appends it), keeps the list sorted without
// regard to case, and returns the pupil's rank as the records display shows
// it (1 = best, counted from the end of the sorted list).
int maj_records(QStringList &liste, int score, int vitesse, const QString &nom, const QString &prenom);

} // namespace Evaluation
