#pragma once

// Campaigns against the recording of sessions, run through the program's own
// code (PupilSession::EnregistrementSeance) in child processes:
//  - coupures: a recorder is killed (SIGKILL) at a random moment, again and
//    again; after each kill the history file must be a whole earlier or later
//    state, never cut, and hold every session the recorder reported;
//  - course: two recorders with different computer names save sessions of
//    the same pupil at the same time while the teacher's merge of another
//    copy runs over the file; every session ends up in it exactly once;
//  - renommages: the teacher renames the pupil again and again while a
//    recorder saves his sessions; every session ends up, exactly once, in
//    the file of the name it was saved under.
// The executable that includes this file must hand "--enregistreur" command
// lines to enregistreur() (see estEnregistreur()).

#include "core/Clock.h"
#include "core/Dates.h"
#include "core/HistoryLines.h"
#include "core/HistoryMerge.h"
#include "core/PupilFileMaintenance.h"
#include "core/PupilSession.h"
#include "core/SessionState.h"
#include "core/SharedFileLock.h"
#include "core/TextFile.h"
#include "FakeSystem.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <thread>

namespace SaveCampaign {

inline const QString kOption = QStringLiteral("--enregistreur");

// Session n of a workstation starts n minutes after midnight, so that every
// session has its own header; its test line names it too.
inline QDateTime debutSeance(int n)
{
    return QDateTime(QDate(2026, 12, 10), QTime(0, 0)).addSecs(qint64(n) * 60);
}

inline QString ligneTest(const QString &poste, int n)
{
    const QDateTime d = debutSeance(n);
    return QStringLiteral("\tTEST de %1 à %2 P0203012006P0709030063 %3-%4")
        .arg(Dates::heure_texte(d.time()), Dates::heure_texte(d.addSecs(20).time()), poste)
        .arg(n);
}

inline QString entete(const QString &poste, int n)
{
    const QDateTime d = debutSeance(n);
    return HistoryLines::entete_seance(Dates::nom_jour(d.date()), Dates::date_texte(d.date()),
                                       Dates::heure_texte(d.time()), Dates::heure_texte(d.addSecs(30).time()), poste);
}

inline QString fichierEleve(const QString &dossier)
{
    return dossier + QStringLiteral("/Eleves/Dupont_Jean.txt");
}

// Child: records sessions premier .. premier + nombre - 1 one after the
// other, printing "OK n" once session n is reported as recorded. With
// pauseMaxMs, it waits up to that long between sessions, as a pupil does:
// a recorder that never lets go of the lock starves the other side's polling.
inline int enregistreur(const QString &dossier, const QString &poste, int premier, int nombre, int pauseMaxMs = 0)
{
    QRandomGenerator aleas(quint32(premier) + 1);
    FakeSystem systeme(poste);
    ManualClock horloge;
    Environment env;
    env.clock = &horloge;
    env.system = &systeme;
    env.programFolder = dossier + QStringLiteral("/prog/");
    for (int n = premier; n < premier + nombre; ++n) {
        SessionState state;
        state.dossier_programme = env.programFolder;
        EleveState &e = state.eleve;
        e.nom = QStringLiteral("Dupont");
        e.prenom = QStringLiteral("Jean");
        e.cle_eleve = QStringLiteral("Dupont_Jean");
        e.dossier_eleve = dossier + QStringLiteral("/Eleves");
        e.fichier_eleve = fichierEleve(dossier);
        const QDateTime d = debutSeance(n);
        state.date_du_jour = Dates::date_texte(d.date());
        state.jour_semaine = Dates::nom_jour(d.date());
        state.heure_debut_seance = Dates::heure_texte(d.time());
        horloge.setNow(d.addSecs(30));
        e.lignes_seance << ligneTest(poste, n);
        QString erreur;
        if (!PupilSession::EnregistrementSeance(state, env, &erreur)) {
            std::fprintf(stderr, "%s\n", erreur.toLocal8Bit().constData());
            return 1;
        }
        std::printf("OK %d\n", n);
        std::fflush(stdout);
        if (pauseMaxMs > 0)
            QThread::msleep(aleas.bounded(pauseMaxMs + 1));
    }
    return 0;
}

inline bool estEnregistreur(int argc, char **argv)
{
    return (argc == 6 || argc == 7) && QString::fromLocal8Bit(argv[1]) == kOption;
}

inline int enregistreur(int argc, char **argv)
{
    return enregistreur(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                        QString::fromLocal8Bit(argv[4]).toInt(), QString::fromLocal8Bit(argv[5]).toInt(),
                        argc == 7 ? QString::fromLocal8Bit(argv[6]).toInt() : 0);
}

struct Bilan
{
    int tours = 0;               // kills, or sessions per workstation
    int seancesSignalees = 0;    // sessions reported as recorded
    int seancesPerdues = 0;      // reported, then missing from the file
    int fichiersCoupes = 0;      // files that were neither an old nor a new state
    int doublons = 0;            // sessions found more than once
    int copiesVues = 0;          // temporary copies found beside the file after a kill
    int copiesRestantes = 0;     // copies left after the next save past the stale time
    int fusions = 0;             // teacher merges that ran during the race
    int renommages = 0;          // teacher renames that ran during the race
    int fichiers = 0;            // pupil files at the end
    QStringList problemes;       // the first faults, in words
};

inline void probleme(Bilan &b, const QString &texte)
{
    if (b.problemes.size() < 10)
        b.problemes << texte;
}

inline QStringList copiesDe(const QString &fichier)
{
    const QFileInfo info(fichier);
    return info.dir().entryList({info.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
}

inline QProcess *lance(const QString &programme, const QString &dossier, const QString &poste, int premier,
                       int nombre, int pauseMaxMs = 0)
{
    auto *p = new QProcess;
    p->setProgram(programme);
    QStringList arguments{kOption, dossier, poste, QString::number(premier), QString::number(nombre)};
    if (pauseMaxMs > 0)
        arguments << QString::number(pauseMaxMs);
    p->setArguments(arguments);
    p->setProcessChannelMode(QProcess::SeparateChannels);
    p->start();
    return p;
}

inline int dernierSignale(const QByteArray &sortie)
{
    int dernier = -1;
    for (const QByteArray &l : sortie.split('\n')) {
        if (l.startsWith("OK "))
            dernier = l.mid(3).toInt();
    }
    return dernier;
}

// Kills a recorder `tues` times at random moments (0..maxDelaiMs after its start).
inline Bilan coupures(const QString &programme, const QString &dossier, int tues, quint32 graine,
                      int maxDelaiMs = 120)
{
    Bilan b;
    QRandomGenerator aleas(graine);
    const QString poste = QStringLiteral("POSTE-1");
    const QString fichier = fichierEleve(dossier);
    int enregistrees = 0;  // whole sessions in the file
    int signalees = 0;     // sessions the recorders reported
    for (int k = 0; k < tues; ++k) {
        QProcess *p = lance(programme, dossier, poste, enregistrees, 1000000);
        p->waitForStarted();
        QThread::msleep(aleas.bounded(maxDelaiMs + 1));
        p->kill();
        p->waitForFinished();
        signalees = std::max(signalees, dernierSignale(p->readAllStandardOutput()) + 1);
        delete p;
        ++b.tours;

        QStringList lignes;
        if (QFileInfo::exists(fichier) && !TextFile::loadLines(fichier, &lignes, nullptr))
            probleme(b, QStringLiteral("kill %1: file unreadable").arg(k));
        const QByteArray brut = [&] {
            QFile f(fichier);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const int n = int(lignes.size() / 2);
        QStringList attendu;
        for (int i = 0; i < n; ++i)
            attendu << entete(poste, i) << ligneTest(poste, i);
        if (lignes.size() % 2 != 0 || lignes != attendu || (!brut.isEmpty() && !brut.endsWith("\r\n"))) {
            ++b.fichiersCoupes;
            probleme(b, QStringLiteral("kill %1: the file is not a whole state (%2 lines)").arg(k).arg(lignes.size()));
        }
        if (n < signalees) {
            b.seancesPerdues += signalees - n;
            probleme(b, QStringLiteral("kill %1: %2 sessions reported, %3 in the file").arg(k).arg(signalees).arg(n));
        }
        b.copiesVues += int(copiesDe(fichier).size());
        enregistrees = n;
    }
    b.seancesSignalees = signalees;

    // Past the stale time, one more save clears what the kills left beside the file.
    QThread::msleep(SharedFileLock::kStaleMs + 500);
    QProcess *p = lance(programme, dossier, poste, enregistrees, 1);
    p->waitForFinished(60000);
    if (p->exitCode() != 0)
        probleme(b, QStringLiteral("the last save failed: ") + QString::fromLocal8Bit(p->readAllStandardError()));
    delete p;
    b.copiesRestantes = int(copiesDe(fichier).size());
    return b;
}

// Two workstations record `tours` sessions each for the same pupil while the
// teacher merges another copy of his file into it, over and over.
inline Bilan course(const QString &programme, const QString &dossier, int tours)
{
    Bilan b;
    b.tours = tours;
    const QStringList postes{QStringLiteral("POSTE-A"), QStringLiteral("POSTE-B")};
    const QString fichier = fichierEleve(dossier);
    // A session only the teacher's copy holds, recorded long ago.
    const QString copie = dossier + QStringLiteral("/Ancien/Dupont_Jean.txt");
    const QString enteteCopie = entete(QStringLiteral("PROFESSEUR"), 1439);
    const QString ligneCopie = ligneTest(QStringLiteral("PROFESSEUR"), 1439);
    TextFile::saveLines(copie, {enteteCopie, ligneCopie});

    std::atomic<bool> fini{false};
    std::atomic<int> fusions{0};
    std::atomic<int> fusionsRatees{0};
    std::thread professeur([&] {
        while (!fini) {
            if (HistoryMerge::mergeFiles(fichier, copie))
                ++fusions;
            else
                ++fusionsRatees;
            QThread::msleep(2);
        }
    });
    QList<QProcess *> enfants;
    for (const QString &poste : postes)
        enfants << lance(programme, dossier, poste, 0, tours);
    for (QProcess *p : enfants) {
        p->waitForFinished(-1);
        if (p->exitCode() != 0)
            probleme(b, QStringLiteral("a recorder failed: ") + QString::fromLocal8Bit(p->readAllStandardError()));
        b.seancesSignalees += dernierSignale(p->readAllStandardOutput()) + 1;
        delete p;
    }
    fini = true;
    professeur.join();
    b.fusions = fusions;
    if (fusionsRatees > 0)
        probleme(b, QStringLiteral("%1 merges failed").arg(int(fusionsRatees)));

    const QStringList lignes = TextFile::loadLines(fichier);
    QHash<QString, int> vues;
    for (const QString &l : lignes)
        ++vues[l];
    const auto compte = [&](const QString &entete, const QString &ligne) {
        const int n = vues.value(entete);
        const qsizetype i = lignes.indexOf(entete);
        if (n == 0 || vues.value(ligne) == 0) {
            ++b.seancesPerdues;
            probleme(b, QStringLiteral("missing: ") + ligne.trimmed());
        } else if (n > 1 || vues.value(ligne) > 1) {
            ++b.doublons;
            probleme(b, QStringLiteral("twice: ") + ligne.trimmed());
        } else if (i + 1 >= lignes.size() || lignes.at(i + 1) != ligne) {
            ++b.fichiersCoupes;
            probleme(b, QStringLiteral("not under its header: ") + ligne.trimmed());
        }
    };
    for (const QString &poste : postes) {
        for (int n = 0; n < tours; ++n)
            compte(entete(poste, n), ligneTest(poste, n));
    }
    compte(enteteCopie, ligneCopie);
    if (lignes.size() != 2 * (2 * tours + 1))
        probleme(b, QStringLiteral("%1 lines for %2 sessions").arg(lignes.size()).arg(2 * tours + 1));
    return b;
}

// The teacher renames the pupil `tours` times while one workstation records
// his sessions, one every few milliseconds. The recorder knows the pupil by the name he
// logged in with: a session saved after a rename starts a new file of that
// name, which the next rename takes away in turn. Every session reported
// must then be in exactly one of the files, under its header; the one being
// recorded when the recorder is stopped may be there or not.
inline Bilan renommages(const QString &programme, const QString &dossier, int tours, quint32 graine)
{
    Bilan b;
    QRandomGenerator aleas(graine);
    const QString poste = QStringLiteral("POSTE-1");
    const QString fichier = fichierEleve(dossier);
    FakeSystem professeur(QStringLiteral("PROFESSEUR"));
    QProcess *p = lance(programme, dossier, poste, 0, 1000000, 10);
    p->waitForStarted();
    QByteArray sortie;
    QElapsedTimer duree;
    duree.start();
    while (b.renommages < tours && duree.elapsed() < 20 * 60 * 1000 && p->state() == QProcess::Running) {
        // Keep the pipe drained, or the recorder blocks on its output.
        p->waitForReadyRead(0);
        sortie += p->readAllStandardOutput();
        if (!QFileInfo::exists(fichier)) {
            QThread::msleep(1);
            continue;
        }
        QString erreur;
        const QString nom = QStringLiteral("Renomme%1_Jean").arg(b.renommages, 4, 10, QLatin1Char('0'));
        if (PupilFileMaintenance::renomme(professeur, fichier, nom, &erreur, nullptr, SharedFileLock::kWaitMs))
            ++b.renommages;
        else
            probleme(b, QStringLiteral("rename %1 refused: %2").arg(b.renommages).arg(erreur));
        QThread::msleep(aleas.bounded(6));
    }
    if (p->state() != QProcess::Running)
        probleme(b, QStringLiteral("the recorder stopped: ") + QString::fromLocal8Bit(p->readAllStandardError()));
    p->kill();
    p->waitForFinished();
    sortie += p->readAllStandardOutput();
    delete p;
    b.tours = b.renommages;
    b.seancesSignalees = dernierSignale(sortie) + 1;

    QList<int> vues(b.seancesSignalees + 1, 0);
    const QDir eleves(QFileInfo(fichier).absolutePath());
    const QStringList fichiers = eleves.entryList({QStringLiteral("*.txt")}, QDir::Files);
    b.fichiers = int(fichiers.size());
    for (const QString &f : fichiers) {
        QStringList lignes;
        if (!TextFile::loadLines(eleves.filePath(f), &lignes, nullptr) || lignes.size() % 2 != 0) {
            ++b.fichiersCoupes;
            probleme(b, f + QStringLiteral(": not whole sessions"));
            continue;
        }
        for (qsizetype i = 0; i < lignes.size(); i += 2) {
            const qsizetype tiret = lignes.at(i + 1).lastIndexOf(u'-');
            const int n = tiret < 0 ? -1 : lignes.at(i + 1).mid(tiret + 1).toInt();
            if (n < 0 || n > b.seancesSignalees || lignes.at(i) != entete(poste, n)
                || lignes.at(i + 1) != ligneTest(poste, n)) {
                ++b.fichiersCoupes;
                probleme(b, QStringLiteral("%1: line %2 is not a recorded session").arg(f).arg(i + 1));
                continue;
            }
            ++vues[n];
        }
    }
    for (int n = 0; n <= b.seancesSignalees; ++n) {
        if (vues.at(n) > 1) {
            ++b.doublons;
            probleme(b, QStringLiteral("session %1 found %2 times").arg(n).arg(vues.at(n)));
        } else if (vues.at(n) == 0 && n < b.seancesSignalees) {
            ++b.seancesPerdues;
            probleme(b, QStringLiteral("session %1 lost").arg(n));
        }
    }
    return b;
}

inline QString texte(const Bilan &b)
{
    return QStringLiteral("rounds %1, sessions reported %2, sessions lost %3, files cut %4, duplicates %5, "
                          "copies seen after kills %6, copies left %7, merges %8, renames %9, files %10")
        .arg(b.tours)
        .arg(b.seancesSignalees)
        .arg(b.seancesPerdues)
        .arg(b.fichiersCoupes)
        .arg(b.doublons)
        .arg(b.copiesVues)
        .arg(b.copiesRestantes)
        .arg(b.fusions)
        .arg(b.renommages)
        .arg(b.fichiers);
}

} // namespace SaveCampaign
