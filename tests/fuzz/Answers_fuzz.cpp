// The answer records of a test line, as the evaluation, the advice and the
// history read them.
#include "FuzzSupport.h"

#include "core/Evaluation.h"
#include "core/HistoryLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int t = 1 + data[0] % 99;
    const QString enregistrements = Fuzz::texte(data + 1, size - 1);
    for (const QString &entree : Evaluation::analyse_enregistrements(enregistrements)) {
        const int s = Evaluation::score_produit(entree, t);
        Fuzz::verifie(s >= 0 && s <= 100, "score of an answer in 0..100");
        Evaluation::vitesse_produit(entree);
    }
    const int global = Evaluation::score_global(enregistrements, t);
    Fuzz::verifie(global >= 0 && global <= 100, "test score in 0..100");
    const QStringList produits{QStringLiteral("0203"), QStringLiteral("0709"), QStringLiteral("0909")};
    Evaluation::score_tables(enregistrements, QStringLiteral("table_2,table_7"), t);
    Evaluation::vitesse_reponses(enregistrements);
    Evaluation::test_couvre_tables(enregistrements, QStringLiteral("table_2"));
    Evaluation::classement_tables(enregistrements, produits, t);
    Evaluation::classement_produits(enregistrements, produits, t);
    Evaluation::listes_mal_bien(enregistrements, t);
    const QString ligne = QStringLiteral("\tTEST de 10:03:00 à 10:05:00 ") + enregistrements;
    HistoryLines::est_ligne_test(ligne);
    HistoryLines::a_une_reponse(HistoryLines::enregistrements(ligne));
    HistoryLines::est_entete(enregistrements);
    HistoryLines::date_entete(enregistrements);
    HistoryLines::cle_jour(enregistrements);
    return 0;
}
