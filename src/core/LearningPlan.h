#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

// The learning plan: the items put in order, cut into small blocks, and a
// sequence of steps generated from a recursive formula, each step learning
// the next new block (entry 1) or revising the last v blocks together
// (entry v > 1). Pure functions.
namespace LearningPlan {

inline const QString kFormuleParDefaut = QStringLiteral("1.1.1.3");
inline constexpr int kTailleBlocParDefaut = 3;

// "valeur produit": by value, ties by code; "par tables": in the fixed
// sequence of the tables, dropping codes outside it; otherwise unchanged.
void rangement_items(QStringList &items, const QString &mode);
// The 173 codes of the "par tables" order.
const QStringList &sequence_par_tables();

// Index of the last item of every block, in order. Empty for no item or a
// block size other than 2, 3 or 4.
QList<int> decoupage_en_blocs(int nombreItems, int tailleBloc);

// The plan for N blocks, empty when the formula cannot give a sound one:
// not positive integers, a last number below 2, a revision of more blocks
// than were introduced before it, or blocks never introduced.
QList<int> genere_plan_apprentissage_recursif(const QString &formule, int nombreBlocs);

// Whether the formula gives a sound plan for every number of blocks the
// program can meet (109 products, blocks of 2 at least).
bool formule_valide(const QString &formule);
bool taille_bloc_valide(int taille);

// The range of the step whose plan entry is e; dernierBloc is advanced for a
// new block. False (nothing changed) when the entry cannot be served.
struct Etendue
{
    int premier = -1;
    int dernier = -1;
};
bool etendue_etape(int entree, const QList<int> &finsDeBlocs, int &dernierBloc, Etendue &etendue);

// Top-left corners of the overview tiles in the 800 × 600 design area.
QList<QPoint> disposition_tuiles(const QList<int> &finsDeBlocs, int largeurTuile);
inline constexpr int kHauteurTuile = 18;

} // namespace LearningPlan
