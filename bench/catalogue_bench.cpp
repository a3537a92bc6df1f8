// Reading a stored list of products or tables ("objectifs" of a pupil's
// settings, the older "2x<2-9>" form): the list as written by the program and
// a long damaged one, whose ranges expand to thousands of products.
//
//   catalogue_bench [runs]      (default 2000)

#include "core/Catalogue.h"
#include "core/PersonalConfig.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace {

void mesure(const char *nom, const QString &valeur, int runs)
{
    QList<qint64> ns;
    qsizetype produits = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        const QString cles = PersonalConfig::normalise_objectifs(valeur);
        produits = Catalogue::liste_produits_tables(cles).size()
                   + Catalogue::forme_ancienne_vers_codes(valeur).size();
        ns << t.nsecsElapsed();
    }
    std::sort(ns.begin(), ns.end());
    std::printf("%-40s %5lld bytes  median %8.3f ms   worst %8.3f ms   (%lld products, %d runs)\n", nom,
                static_cast<long long>(valeur.size()), ns[ns.size() / 2] / 1e6, ns.last() / 1e6,
                static_cast<long long>(produits), runs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;

    QStringList toutes;
    for (int n = 2; n <= 19; ++n)
        toutes << Catalogue::produits_numero_table(n).split(u',');
    mesure("older form, every table", Catalogue::code_vers_forme_ancienne(toutes), runs);
    mesure("keys, classic and extended tables", QStringLiteral("tables_classiques,tables_etendues"), runs);

    QString abimee;
    for (int a = 2; abimee.size() < 3000; a = a % 99 + 2)
        abimee += QString::number(a) + QStringLiteral("x<0-99>,");
    mesure("damaged older form, ranges 0-99", abimee, runs);
    return 0;
}
