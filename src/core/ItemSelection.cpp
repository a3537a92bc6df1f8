#include "core/ItemSelection.h"

#include "core/Catalogue.h"
#include "core/Evaluation.h"
#include "core/SessionState.h"

namespace ItemSelection {

namespace {

constexpr int kSeuilBien = 85;
constexpr int kProduitsParDefaut = 8;
// "\tTEST de HH:MM:SS à HH:MM:SS " before the records of a test line.
constexpr int kLongueurEnteteTest = 29;

} // namespace

int score_entree(const QString &entree)
{
    const qsizetype egal = entree.lastIndexOf(QLatin1Char('='));
    if (egal < 0)
        return -1;
    bool ok = false;
    const int score = entree.mid(egal + 1).toInt(&ok);
    return ok ? score : -1;
}

QString nom_entree(const QString &entree)
{
    const qsizetype egal = entree.lastIndexOf(QLatin1Char('='));
    return egal < 0 ? entree : entree.left(egal);
}

QStringList change_produits_a_memoriser(const ObjectifApprentissage &objectif, const QStringList &classement_tables,
                                        const QStringList &classement_produits)
{
    QStringList produits;
    if (objectif.mode_tables) {
        if (classement_tables.isEmpty())
            return produits;
        const QString premiere = nom_entree(classement_tables.first());
        produits << Catalogue::liste_produits_tables(premiere);
        int total = int(produits.size());
        for (qsizetype i = 1; i < classement_tables.size(); ++i) {
            const QStringList suivante = Catalogue::liste_produits_tables(nom_entree(classement_tables[i]));
            total += int(suivante.size());
            if (score_entree(classement_tables[i]) == 100)
                break;
            if (objectif.nb_produits < total)
                break;
            produits << suivante;
        }
        return produits;
    }
    for (qsizetype k = 0; k < objectif.nb_produits && k < classement_produits.size(); ++k) {
        if (score_entree(classement_produits[k]) >= 100)
            break;
        produits << nom_entree(classement_produits[k]);
    }
    return produits;
}

void selection_apres_test(SessionState &s)
{
    const QStringList &etudies = s.produits_etudies.isEmpty() ? s.liste_produits : s.produits_etudies;
    QString enregistrements = s.eleve.dernier_test;
    if (enregistrements.startsWith(QLatin1Char('\t')))
        enregistrements = enregistrements.mid(kLongueurEnteteTest);
    s.classement_tables = Evaluation::classement_tables(enregistrements, etudies, s.temps_acceptable);
    s.classement_produits = Evaluation::classement_produits(enregistrements, etudies, s.temps_acceptable);

    ObjectifApprentissage &objectif = s.objectif_apprentissage;
    objectif.mode_tables = s.classement_tables.isEmpty() || score_entree(s.classement_tables.first()) < kSeuilBien;
    if (objectif.mode_tables)
        objectif.nb_produits = kProduitsParDefaut;
    s.produits_a_memoriser = change_produits_a_memoriser(objectif, s.classement_tables, s.classement_produits);
}

} // namespace ItemSelection
