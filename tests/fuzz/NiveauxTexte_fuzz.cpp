// The levels-and-classes text of a school year.
#include "FuzzSupport.h"

#include "core/NiveauxTexte.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<Niveau> niveaux = NiveauxTexte::parse(Fuzz::texte(data, size));
    Fuzz::verifie(niveaux.size() <= NiveauxTexte::kMaxNiveaux, "at most 15 levels");
    for (const Niveau &n : niveaux) {
        Fuzz::verifie(n.nom.size() <= NiveauxTexte::kLongueurNom, "level name cut to 10");
        Fuzz::verifie(n.classes.size() <= NiveauxTexte::kMaxClasses, "at most 20 classes");
        for (const QString &c : n.classes)
            Fuzz::verifie(c.size() <= NiveauxTexte::kLongueurNom, "class name cut to 10");
    }
    // What is written is read back the same. The set-up window never writes a
    // level without a name; a first one would read as a name starting with "<".
    if (niveaux.isEmpty() || niveaux.constFirst().nom.isEmpty())
        return 0;
    const QString texte = NiveauxTexte::format(niveaux);
    Fuzz::verifie(NiveauxTexte::format(NiveauxTexte::parse(texte)) == texte, "format and parse agree");
    return 0;
}
