#include "core/SelectionButtons.h"

#include "core/Catalogue.h"
#include "core/ItemSelection.h"
#include "core/SessionState.h"

namespace SelectionButtons {

namespace {

int produits_des_premieres_tables(const QStringList &classement_tables, int nombre)
{
    int somme = 0;
    for (qsizetype i = 0; i < nombre && i < classement_tables.size(); ++i)
        somme += std::max(0, Catalogue::nombre_produits_table(ItemSelection::nom_entree(classement_tables[i])));
    return somme;
}

} // namespace

bool choix_tables(ObjectifApprentissage &objectif, const QStringList &classement_tables)
{
    const ObjectifApprentissage avant = objectif;
    objectif.mode_tables = true;
    int somme = 0;
    int tables = 0;
    for (const QString &entree : classement_tables) {
        somme += std::max(0, Catalogue::nombre_produits_table(ItemSelection::nom_entree(entree)));
        ++tables;
        if (somme >= objectif.nb_produits)
            break;
    }
    if (tables > 0) {
        objectif.nb_tables = tables;
        objectif.nb_produits = somme;
    }
    return avant.mode_tables != objectif.mode_tables || avant.nb_tables != objectif.nb_tables
        || avant.nb_produits != objectif.nb_produits;
}

bool choix_produits(ObjectifApprentissage &objectif)
{
    const bool change = objectif.mode_tables;
    objectif.mode_tables = false;
    return change;
}

bool plus(ObjectifApprentissage &objectif, const QStringList &classement_tables, const QStringList &classement_produits)
{
    if (objectif.mode_tables) {
        if (classement_tables.size() <= objectif.nb_tables)
            return false;
        ++objectif.nb_tables;
        objectif.nb_produits = produits_des_premieres_tables(classement_tables, objectif.nb_tables);
        return true;
    }
    if (classement_produits.size() <= objectif.nb_produits)
        return false;
    ++objectif.nb_produits;
    return true;
}

bool moins(ObjectifApprentissage &objectif, const QStringList &classement_tables)
{
    if (objectif.mode_tables) {
        if (objectif.nb_tables < 2)
            return false;
        --objectif.nb_tables;
        objectif.nb_produits = produits_des_premieres_tables(classement_tables, objectif.nb_tables);
        return true;
    }
    if (objectif.nb_produits < 2)
        return false;
    --objectif.nb_produits;
    return true;
}

QString bulle_compteur(int nombreItems)
{
    return QString::number(nombreItems) + QLatin1Char(' ')
        + (nombreItems <= 1 ? QStringLiteral("produit à apprendre") : QStringLiteral("produits à apprendre"));
}

} // namespace SelectionButtons
