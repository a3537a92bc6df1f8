// The older product form and the table key lists found in settings and in
// pupil files.
#include "FuzzSupport.h"

#include "core/Catalogue.h"
#include "core/PersonalConfig.h"
#include "core/PupilSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString texte = Fuzz::texte(data, size);
    const QStringList codes = Catalogue::forme_ancienne_vers_codes(texte);
    for (const QString &code : codes)
        Fuzz::verifie(code.size() == 4, "a product code has four digits");
    Catalogue::vers_forme_actuelle(texte);
    const QStringList produits = Catalogue::liste_produits_tables(texte);
    Catalogue::liste_tables_de_produits(produits);
    Catalogue::tables_des_produits(produits);
    Catalogue::nom_liste_tables(texte);
    PersonalConfig::normalise_objectifs(texte);
    PupilSession::objectifs_du_niveau(texte, QStringLiteral("CE2"));
    return 0;
}
