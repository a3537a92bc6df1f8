// A history file as the teacher's passes read it: the byte search for the
// chosen test must pick what a plain line-by-line walk picks, and the pupil's
// detail and the product statistics must take whatever it holds.
#include "FuzzSupport.h"
#include "support/TestSearchReference.h"

#include "core/ProductStatistics.h"
#include "core/PupilDetail.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte chooses the search; the rest is the file.
    const uint8_t choix = data[0];
    const QByteArray octets = Fuzz::octets(data + 1, size - 1);
    static const QString cles[] = {QStringLiteral("20061114"), QStringLiteral("20000101"), QStringLiteral("20991231"),
                                   QStringLiteral("20061115")};
    const QString cle = cles[choix & 3];
    const bool enArriere = choix & 4;
    const bool masquer = choix & 8;
    const QString objectifs = QStringLiteral("table_2,table_3");

    const TestFinder::TestOctets a = TestFinder::cherche_test_octets(octets, cle, enArriere, masquer, objectifs);
    const TestFinder::TestOctets b = TestSearchReference::cherche(octets, cle, enArriere, masquer, objectifs);
    Fuzz::verifie(a.enregistrements == b.enregistrements, "same test as the line-by-line walk");
    Fuzz::verifie(a.cleJour == b.cleJour && a.date == b.date && a.heureFin == b.heureFin && a.libelle == b.libelle,
                  "same day, end and label as the line-by-line walk");

    ProductStatistics stats;
    stats.ajoute_test(a.enregistrements, 1 + choix % 99);
    for (int k = 1; k <= ProductStatistics::kPanneaux; ++k) {
        int somme = 0;
        for (int c = ProductStatistics::RapideJuste; c <= ProductStatistics::Absente; ++c)
            somme += stats.compte(k, ProductStatistics::Categorie(c));
        Fuzz::verifie(somme == stats.reponses(k) && somme <= 1, "one answer a product at most, in one category");
        stats.description_panneau(k, ProductStatistics::Mode::Vitesse, ProductStatistics::kToutes, 1);
    }

    const QStringList lignes = TextFile::decode1252(octets).split(QStringLiteral("\r\n"));
    const PupilDetail d = PupilDetail::calcule(lignes, QStringLiteral("Dupont_Jean.txt"), QStringLiteral("CM1a: 1 élève"));
    Fuzz::verifie(d.jours <= d.seances && d.tests.size() <= d.jours && d.dureeSecondes >= 0, "sessions, days and tests agree");
    d.resume();
    d.tempsTotal();
    return 0;
}
