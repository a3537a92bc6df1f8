// Statistics by product over a whole generated school (every class of the
// current year ticked, each pupil's last test up to today) against the mere
// reading of the same history files, side by side in one run, warm cache.
// Prints both times and their ratio.
//
//   product_stats_bench [pupils] [runs]     (default 1200 pupils, 5 runs)

#include "core/ClassTestCollector.h"
#include "core/Dates.h"
#include "core/NiveauxTexte.h"
#include "core/ProductStatistics.h"
#include "core/PupilFolders.h"
#include "support/SchoolGenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

qint64 mediane(QList<qint64> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

// Processor time of the whole process.
qint64 cpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int eleves = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 1200;
    const int essais = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 5;

    // TABULON_BENCH_DIR: generate the school there instead (on the school's
    // share, say), in a folder of its own made anew.
    QTemporaryDir dir;
    QString racine = dir.path();
    if (qEnvironmentVariableIsSet("TABULON_BENCH_DIR")) {
        racine = qEnvironmentVariable("TABULON_BENCH_DIR") + QStringLiteral("/statistiques");
        QDir(racine).removeRecursively();
    }
    const QDate aujourdhui = QDate::currentDate();
    QElapsedTimer chrono;
    chrono.start();
    const GeneratedSchool ecole = generateSchool(racine, eleves, 42, aujourdhui);
    if (!ecole.ok) {
        std::printf("école non générée: %s\n", qPrintable(ecole.error));
        return 1;
    }
    std::printf("école: %d élèves, %.1f Mo d'historiques, générée en %lld ms\n", eleves,
                ecole.octetsHistoriques / 1e6, chrono.elapsed());
    std::fflush(stdout);

    const QList<Niveau> niveaux = NiveauxTexte::parse(ecole.niveauxEtClasses);
    QSet<ClassTestCollector::Classe> toutes;
    for (int i = 1; i <= niveaux.size(); ++i)
        for (int j = 1; j <= niveaux.at(i - 1).classes.size(); ++j)
            toutes.insert({i, j});
    const QString dossierAnnee = PupilFolders::yearFolder(ecole.dossierEtablissement, ecole.anneeCourante);
    ClassTestCollector::Critere critere;
    critere.date = Dates::date_texte(aujourdhui);

    // The files the statistics read: those of the pupils linked this year.
    QStringList fichiers;
    for (const Niveau &n : niveaux) {
        for (const QString &c : n.classes) {
            QStringList liens;
            PupilFolders::listFiles(PupilFolders::classFolder(dossierAnnee, c), QStringLiteral("*.lnk"), &liens);
            for (const QString &l : liens)
                fichiers << PupilFolders::historyFile(ecole.dossierEtablissement, l.left(l.size() - 4));
        }
    }

    auto lecture = [&fichiers]() {
        qint64 octets = 0;
        for (const QString &f : fichiers) {
            QFile fichier(f);
            if (fichier.open(QIODevice::ReadOnly))
                octets += fichier.readAll().size();
        }
        return octets;
    };
    int avecTest = 0;
    qint64 tCollecte = 0;
    auto statistiques = [&]() {
        QElapsedTimer c;
        c.start();
        const ClassTestCollector::Resultat r = ClassTestCollector::collecte(
            niveaux, toutes, dossierAnnee, ecole.dossierEtablissement, critere, [](int, int) { return true; });
        tCollecte = c.nsecsElapsed() / 1000;
        ProductStatistics s;
        for (const ClassTestCollector::EleveTest &e : r.eleves) {
            if (!e.enregistrements.isEmpty())
                s.ajoute_test(e.enregistrements, 4);
        }
        avecTest = s.nombreTests();
        return r.nbEleves;
    };

    lecture();   // warm the cache
    statistiques();
    QList<qint64> tLecture;
    QList<qint64> tStats;
    QList<qint64> tChoix;
    QList<qint64> cpuLecture;
    QList<qint64> cpuStats;
    qint64 octets = 0;
    int nb = 0;
    for (int e = 0; e < essais; ++e) {
        qint64 cpu = cpuNs();
        chrono.restart();
        octets = lecture();
        tLecture << chrono.nsecsElapsed() / 1000;
        cpuLecture << (cpuNs() - cpu) / 1000;
        cpu = cpuNs();
        chrono.restart();
        nb = statistiques();
        tStats << chrono.nsecsElapsed() / 1000;
        cpuStats << (cpuNs() - cpu) / 1000;
        tChoix << tCollecte;
    }
    const qint64 l = mediane(tLecture);
    const qint64 s = mediane(tStats);
    std::printf("%lld fichiers (%.1f Mo) de %d élèves, dont %d avec un test\n", qint64(fichiers.size()), octets / 1e6, nb,
                avecTest);
    std::printf("lecture brute: %.1f ms; statistiques par produit: %.1f ms; rapport: %.2f (médianes de %d essais)\n",
                l / 1000.0, s / 1000.0, double(s) / double(std::max<qint64>(l, 1)), essais);
    std::printf("  dont choix du test de chaque élève: %.1f ms, comptage par produit: %.1f ms\n", mediane(tChoix) / 1000.0,
                (s - mediane(tChoix)) / 1000.0);
    std::printf("temps processeur: lecture %.1f ms, statistiques %.1f ms, rapport %.2f\n", mediane(cpuLecture) / 1000.0,
                mediane(cpuStats) / 1000.0, double(mediane(cpuStats)) / double(std::max<qint64>(mediane(cpuLecture), 1)));
    return 0;
}
