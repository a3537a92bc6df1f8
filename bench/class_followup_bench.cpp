// The teacher's class follow-up over a whole school, against the bare reading
// of the same history files, side by side in one run on a warm cache.
//
//   class_followup_bench [pupils] [runs]     (default 1200 pupils, 7 runs)
//
// Writes the generated school into a temporary folder (or TABULON_BENCH_DIR
// when set, reused when already there), reads every file once to warm the
// cache, then alternates the two measures and prints the medians and their
// ratio.

#include "support/SchoolGenerator.h"

#include "core/ClassFollowUp.h"
#include "core/TextFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

qint64 lectureBrute(const QStringList &fichiers, qint64 *octets)
{
    QElapsedTimer t;
    t.start();
    qint64 total = 0;
    // The plainest read: each file whole into one buffer kept between files.
    QByteArray tampon;
    for (const QString &f : fichiers) {
        QFile file(f);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            continue;
        tampon.resize(file.size());
        total += file.read(tampon.data(), tampon.size());
    }
    *octets = total;
    return t.nsecsElapsed();
}

// Processor time of the whole process, every thread counted.
qint64 cpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

qint64 median(QList<qint64> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int eleves = argc > 1 ? std::max(1, atoi(argv[1])) : 1200;
    const int passes = argc > 2 ? std::max(1, atoi(argv[2])) : 7;

    QTemporaryDir tmp;
    const QString racine = qEnvironmentVariableIsSet("TABULON_BENCH_DIR")
                               ? qEnvironmentVariable("TABULON_BENCH_DIR")
                               : tmp.path();
    QElapsedTimer t;
    t.start();
    const QDate aujourdhui(2026, 12, 10);
    // A school left by an earlier run with the same size is used again.
    const QString dossier = racine + QStringLiteral("/ecole");
    const QString temoin = dossier + QStringLiteral("/genere-%1.txt").arg(eleves);
    GeneratedSchool ecole;
    if (QFile::exists(temoin)) {
        const QStringList l = TextFile::loadLines(temoin);
        ecole.ok = l.size() > 6;
        if (ecole.ok) {
            ecole.dossierEleves = l[0];
            ecole.nomEtablissement = l[1];
            ecole.anneeCourante = l[2];
            ecole.octetsHistoriques = l[3].toLongLong();
            ecole.tests = l[4].toInt();
            ecole.classes = l[5].split(u',');
            ecole.fichiers = l.mid(6);
        }
    }
    if (!ecole.ok) {
        ecole = generateSchool(dossier, eleves, 42, aujourdhui);
        if (ecole.ok)
            TextFile::saveLines(temoin, QStringList{ecole.dossierEleves, ecole.nomEtablissement, ecole.anneeCourante,
                                                    QString::number(ecole.octetsHistoriques),
                                                    QString::number(ecole.tests), ecole.classes.join(u',')}
                                            + ecole.fichiers);
    }
    if (!ecole.ok) {
        std::fprintf(stderr, "génération impossible: %s\n", qPrintable(ecole.error));
        return 1;
    }
    std::printf("école: %d élèves, %d classes, %.1f Mo d'historiques, %d tests (générée en %lld ms)\n", eleves,
                int(ecole.classes.size()), ecole.octetsHistoriques / 1e6, ecole.tests, t.elapsed());

    ClassFollowUp::Demande d;
    d.dossierEleves = ecole.dossierEleves;
    d.etablissement = ecole.nomEtablissement;
    d.annee = ecole.anneeCourante;
    d.date = aujourdhui;
    d.maintenant = QDateTime(aujourdhui, QTime(12, 0));
    d.mesure = ClassFollowUp::Mesure::Score;
    d.ordre = ClassFollowUp::Ordre::Resultat;

    qint64 octets = 0;
    lectureBrute(ecole.fichiers, &octets);  // warm the cache
    ClassFollowUp::construit(d);

    QList<qint64> brut, liste, brutCpu, listeCpu;
    int lignes = 0;
    for (int i = 0; i < passes; ++i) {
        qint64 cpu = cpuNs();
        brut.append(lectureBrute(ecole.fichiers, &octets));
        brutCpu.append(cpuNs() - cpu);
        QElapsedTimer c;
        c.start();
        cpu = cpuNs();
        const ClassFollowUp::Liste l = ClassFollowUp::construit(d);
        liste.append(c.nsecsElapsed());
        listeCpu.append(cpuNs() - cpu);
        lignes = int(l.lignes.size());
    }
    const double b = median(brut) / 1e6;
    const double s = median(liste) / 1e6;
    std::printf("lecture brute des %lld fichiers (%.1f Mo): %.1f ms\n", qint64(ecole.fichiers.size()), octets / 1e6, b);
    std::printf("liste de suivi (%d lignes): %.1f ms\n", lignes, s);
    std::printf("rapport liste / lecture: %.2f\n", s / b);
    std::printf("temps processeur (tous fils): lecture %.1f ms, liste %.1f ms, rapport %.2f\n", median(brutCpu) / 1e6,
                median(listeCpu) / 1e6, double(median(listeCpu)) / double(median(brutCpu)));
    return 0;
}
