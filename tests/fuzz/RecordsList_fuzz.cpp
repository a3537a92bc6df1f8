// "liste_records.txt": the list as read, ranked, shown and updated.
#include "FuzzSupport.h"

#include "core/Evaluation.h"
#include "core/RecordsList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString chemin = Fuzz::fichier(QStringLiteral("liste_records.txt"), Fuzz::octets(data, size));
    QStringList liste;
    Fuzz::verifie(RecordsList::lit(chemin, &liste, nullptr), "records list loads");
    for (const QString &ligne : liste) {
        RecordsList::Record r;
        if (RecordsList::decode_ligne(ligne, &r))
            Fuzz::verifie(r.score >= 0 && r.score <= 999 && r.vitesse >= 0 && r.vitesse <= 999, "three digits");
    }
    RecordsList::decode_liste_records(liste);
    Fuzz::verifie(RecordsList::trois_premiers(liste).size() <= 3, "at most three best");
    QStringList maj = liste;
    const int rang = Evaluation::maj_records(maj, 87, 42, QStringLiteral("Dupont"), QStringLiteral("Jean"));
    Fuzz::verifie(rang >= 0, "a rank");
    return 0;
}
