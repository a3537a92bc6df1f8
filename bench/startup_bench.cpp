// Start-up time and memory of the real program, at home and at a school
// whose server folder holds 300 pupils. Each scenario starts the program
// several times on the offscreen platform with TABULON_STARTUP_PROBE=1, so
// that it prints "first-window-ms=<n>", "rss-kb=<n>" and "shared-libs=<n>"
// (the shared objects mapped then) once its first window is shown, and quits. A bare Qt Widgets program showing one label
// (startup_bare, built beside it) is started between them the same way.
// Prints the median and the worst of each, and the ratio of the program's
// median time to the bare one's.
//
//   startup_bench [runs]      (default 7; TABULON_BIN names the program,
//                              otherwise "tabulon" beside this executable)

#include "core/Catalogue.h"
#include "core/Dates.h"
#include "core/DefaultConfiguration.h"
#include "core/NiveauxTexte.h"
#include "core/ShellLink.h"
#include "core/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>

#include <time.h>

namespace {

struct Run
{
    qint64 firstWindowUs = -1;
    qint64 rssKb = -1;
    qint64 wallMs = -1;
    qint64 libs = -1;
};

QString replaceKey(QStringList *lines, const QString &key, const QString &value)
{
    for (QString &l : *lines) {
        if (l.startsWith(key + u'=')) {
            l = key + u'=' + value;
            return l;
        }
    }
    return QString();
}

QStringList historyOf(int pupil, int sessions)
{
    const QStringList produits = Catalogue::liste_produits_tables(
        QStringLiteral("table_2,table_3,table_4,table_5,table_6,table_7,table_8,table_9"));
    QStringList lines;
    QDate day = QDate::currentDate().addDays(-2 * sessions);
    for (int s = 0; s < sessions; ++s, day = day.addDays(2)) {
        lines.append(QStringLiteral("Séance du %1 de 10:%2:00 à 10:%3:00 sur le poste \"POSTE%4\"")
                         .arg(Dates::jour_texte(day))
                         .arg(s % 50, 2, 10, QLatin1Char('0'))
                         .arg(s % 50 + 9, 2, 10, QLatin1Char('0'))
                         .arg(pupil % 20));
        QString test = QStringLiteral("\tTEST de 10:01:00 à 10:08:00 ");
        for (int i = 0; i < produits.size(); ++i) {
            const QString &code = produits[i];
            const bool juste = (i + s + pupil) % 5 != 0;
            const QString reponse = juste ? Catalogue::resultat_produit_4(code) : QStringLiteral("0000");
            test += u'P' + code + Catalogue::complete_zeros((i * 7 + s) % 60 + 10, 3) + reponse;
        }
        lines.append(test);
    }
    return lines;
}

bool prepareHome(const QString &root, QString *programFolder)
{
    const QString prog = root + QStringLiteral("/maison/");
    if (!TextFile::saveLines(prog + QStringLiteral("Tabulon.ini"), DefaultConfiguration::lignes()))
        return false;
    for (int p = 0; p < 3; ++p) {
        if (!TextFile::saveLines(prog + QStringLiteral("Eleves/Enfant_%1.txt").arg(p), historyOf(p, 40)))
            return false;
    }
    *programFolder = prog;
    return true;
}

bool prepareSchool(const QString &root, int pupils, QString *programFolder)
{
    const QString prog = root + QStringLiteral("/ecole/poste/");
    const QString server = root + QStringLiteral("/ecole/serveur");
    const QString annee = Dates::annee_scolaire(QDate::currentDate());
    const QString ecole = QStringLiteral("Collège de Valdorne");

    QStringList ini = DefaultConfiguration::lignes();
    replaceKey(&ini, QStringLiteral("Mode"), QStringLiteral("Ecole"));
    replaceKey(&ini, QStringLiteral("Chemin serveur"), QDir::toNativeSeparators(server).replace(u'/', u'\\'));
    ini.insert(ini.indexOf(QStringLiteral("Nom=") + ecole) + 1,
               QStringLiteral("Niveaux et classes ") + annee + u'=' + NiveauxTexte::defaut());
    if (!TextFile::saveLines(prog + QStringLiteral("Tabulon.ini"), ini)
        || !TextFile::saveLines(server + QStringLiteral("/Tabulon/Tabulon.ini"), ini))
        return false;

    QStringList classes;
    for (const Niveau &n : NiveauxTexte::parse(NiveauxTexte::defaut()))
        classes += n.classes;
    const QString dossierEcole = server + QStringLiteral("/Eleves/") + ecole;
    QStringList records;
    for (int p = 0; p < pupils; ++p) {
        const QString cle = QStringLiteral("Eleve%1_Prenom%2").arg(p, 3, 10, QLatin1Char('0')).arg(p % 17);
        const QString historique = dossierEcole + u'/' + cle + QStringLiteral(".txt");
        if (!TextFile::saveLines(historique, historyOf(p, 25)))
            return false;
        const QString dossierClasse = dossierEcole + u'/' + annee + u'/' + classes[p % classes.size()];
        QDir().mkpath(dossierClasse);
        if (!ShellLink::write(dossierClasse + u'/' + cle + QStringLiteral(".lnk"), historique))
            return false;
        records.append(Catalogue::complete_zeros(40 + p % 61, 3) + Catalogue::complete_zeros(5 + p % 40, 3) + cle);
    }
    std::sort(records.begin(), records.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    if (!TextFile::saveLines(server + QStringLiteral("/Tabulon/Statistiques/liste_records.txt"), records))
        return false;
    *programFolder = prog;
    return true;
}

std::optional<qint64> valueOf(const QByteArray &output, const QByteArray &name)
{
    for (const QByteArray &line : output.split('\n')) {
        const QByteArray t = line.trimmed();
        if (t.startsWith(name + '=')) {
            bool ok = false;
            const qint64 v = t.mid(name.size() + 1).toLongLong(&ok);
            if (ok)
                return v;
        }
    }
    return std::nullopt;
}

Run runOnce(const QString &program, const QString &programFolder, const QString &tmp, QString *problem)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TABULON_STARTUP_PROBE"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The single-instance guard lies in the temporary folder: a private one
    // keeps a copy the user is running from barring the measured copies.
    env.insert(QStringLiteral("TMPDIR"), tmp);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(programFolder);
    process.setProcessChannelMode(QProcess::SeparateChannels);

    Run run;
    QElapsedTimer wall;
    timespec depart{};
    clock_gettime(CLOCK_MONOTONIC, &depart);
    wall.start();
    process.start(program, {});
    if (!process.waitForStarted(10000)) {
        *problem = QStringLiteral("le programme ne démarre pas: ") + process.errorString();
        return run;
    }
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(5000);
        *problem = QStringLiteral("le programme ne s'est pas arrêté en 60 s (sonde absente ?)");
        return run;
    }
    run.wallMs = wall.elapsed();
    const QByteArray out = process.readAllStandardOutput();
    // Timed on the monotonic clock from just before the start: the program's
    // own reading counts from its start time, in clock ticks of 10 ms.
    const auto first = valueOf(out, "monotonic-us");
    const auto rss = valueOf(out, "rss-kb");
    const auto libs = valueOf(out, "shared-libs");
    if (!first || !rss || !libs) {
        *problem = QStringLiteral("pas de ligne monotonic-us / rss-kb / shared-libs dans la sortie (code %1): %2")
                       .arg(process.exitCode())
                       .arg(QString::fromLocal8Bit(out.left(200) + process.readAllStandardError().left(300)));
        return run;
    }
    run.firstWindowUs = *first - (qint64(depart.tv_sec) * 1000000 + depart.tv_nsec / 1000);
    run.rssKb = *rss;
    run.libs = *libs;
    return run;
}

qint64 median(QList<qint64> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? -1 : v[v.size() / 2];
}

qint64 worst(const QList<qint64> &v)
{
    return v.isEmpty() ? -1 : *std::max_element(v.begin(), v.end());
}

// The start-up log tells whether the run went the way the scenario meant.
bool logHolds(const QString &programFolder, const QString &line)
{
    return TextFile::loadLines(programFolder + QStringLiteral("Tabulon.log")).contains(line);
}

// One program started again and again in one folder; the runs of every
// scenario are interleaved, so that a slower spell of the machine weighs on
// each alike.
struct Scenario
{
    const char *name;
    QString program;
    QString folder;
    QString expectedLogLine;
    QList<qint64> first, rss, wall, libs;
    QString problem;

    bool runOnce(const QString &tmp)
    {
        const Run r = ::runOnce(program, folder, tmp, &problem);
        if (problem.isEmpty() && !expectedLogLine.isEmpty() && !logHolds(folder, expectedLogLine))
            problem = QStringLiteral("\"%1\" absent de Tabulon.log").arg(expectedLogLine);
        if (!problem.isEmpty())
            return false;
        first.append(r.firstWindowUs);
        rss.append(r.rssKb);
        wall.append(r.wallMs);
        libs.append(r.libs);
        return true;
    }

    void print() const
    {
        std::printf("%-18s runs=%lld  first-window-ms median=%.1f worst=%.1f  rss-kb median=%lld worst=%lld  "
                    "process-wall-ms median=%lld worst=%lld  shared-libs=%lld\n",
                    name, static_cast<long long>(first.size()), median(first) / 1000.0, worst(first) / 1000.0, median(rss),
                    worst(rss), median(wall), worst(wall), median(libs));
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 7;
    QString program = qEnvironmentVariable("TABULON_BIN");
    if (program.isEmpty())
        program = QCoreApplication::applicationDirPath() + QStringLiteral("/tabulon");
    const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/startup_bare");
    for (const QString &p : {program, bare}) {
        if (!QFileInfo(p).isExecutable()) {
            std::printf("programme introuvable: %s\n", qPrintable(p));
            return 2;
        }
    }

    QTemporaryDir dir;
    if (!dir.isValid())
        return 2;
    const QString tmp = dir.filePath(QStringLiteral("tmp"));
    QDir().mkpath(tmp);

    QElapsedTimer prep;
    prep.start();
    QString home, school;
    if (!prepareHome(dir.path(), &home) || !prepareSchool(dir.path(), 300, &school)) {
        std::printf("préparation des dossiers impossible dans %s\n", qPrintable(dir.path()));
        return 2;
    }
    std::printf("dossiers préparés en %lld ms (école: 300 élèves, 10 classes)\n", prep.elapsed());

    const QString bareFolder = dir.filePath(QStringLiteral("nu"));
    QDir().mkpath(bareFolder);
    Scenario scenarios[] = {
        {"qt-nu", bare, bareFolder, QString(), {}, {}, {}, {}, {}},
        {"maison", program, home, QString(), {}, {}, {}, {}, {}},
        {"ecole-300-eleves", program, school, QStringLiteral("Fichier configuration récupéré"), {}, {}, {}, {}, {}},
    };
    // Each round starts with another scenario, so that none always follows
    // the same one (the school's runs leave files for the system to write).
    const int nombre = int(std::size(scenarios));
    for (int i = 0; i < runs; ++i) {
        for (int k = 0; k < nombre; ++k) {
            Scenario &sc = scenarios[(i + k) % nombre];
            if (!sc.runOnce(tmp)) {
                std::printf("%s: essai %d: %s\n", sc.name, i + 1, qPrintable(sc.problem));
                return 1;
            }
        }
    }
    for (const Scenario &sc : scenarios)
        sc.print();
    const qint64 plancher = median(scenarios[0].first);
    for (const Scenario *sc : {&scenarios[1], &scenarios[2]}) {
        const double ratio = plancher > 0 ? double(median(sc->first)) / double(plancher) : 0.0;
        std::printf("%-18s first-window-ms ratio au programme Qt nu=%.2f (objectif: au plus 1.15 à la maison)\n",
                    sc->name, ratio);
    }
    return 0;
}
