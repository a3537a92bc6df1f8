#pragma once

#include <QString>
#include <QStringList>

struct ObjectifApprentissage;

// The training window's selection buttons: whole tables or single products,
// and the counter of how many to train. Each returns whether the objective
// changed, in which case the items are chosen again and the training
// restarts.
namespace SelectionButtons {

// "Tables: choix auto": tables mode, with as many of the weakest tables as
// reach the number of products aimed at.
bool choix_tables(ObjectifApprentissage &objectif, const QStringList &classement_tables);
// "Produits: choix auto".
bool choix_produits(ObjectifApprentissage &objectif);
// One table or product more, when the ranking has more.
bool plus(ObjectifApprentissage &objectif, const QStringList &classement_tables, const QStringList &classement_produits);
// One table or product less, never below one.
bool moins(ObjectifApprentissage &objectif, const QStringList &classement_tables);

// The counter's hint: "8 produits à apprendre", "1 produit à apprendre".
QString bulle_compteur(int nombreItems);

} // namespace SelectionButtons
