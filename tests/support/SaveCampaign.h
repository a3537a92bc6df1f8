#pragma once

// Campaigns against the recording of sessions, run through the program's own
// code (PupilSession::EnregistrementSeance) in child processes:
//  - coupures: a recorder is killed (SIGKILL) at a random moment, again and
//    again; after each kill the history file must be a whole earlier or later
//    state, never cut, and hold every session the recorder reported;
//  - course: two recorders with different computer names save sessions of
//    the same pupil at the same time while the teacher's merge of another
//    copy runs over the file; every session ends up in it exactly once.
// The executable that includes this file must hand "--enregistreur" command
// lines to enregistreur() (see estEnregistreur()).

#include "core/Clock.h"
#include "core/Dates.h"
#include "core/HistoryLines.h"
#include "core/HistoryMerge.h"
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
// other, printing "OK n" once session n is reported as recorded.
inline int enregistreur(const QString &dossier, const QString &poste, int premier, int nombre)
{
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
    }
    return 0;
}

inline bool estEnregistreur(int argc, char **argv)
{
    return argc == 6 && QString::fromLocal8Bit(argv[1]) == kOption;
}

inline int enregistreur(char **argv)
{
    return enregistreur(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                        QString::fromLocal8Bit(argv[4]).toInt(), QString::fromLocal8Bit(argv[5]).toInt());
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
                       int nombre)
{
    auto *p = new QProcess;
    p->setProgram(programme);
    p->setArguments({kOption, dossier, poste, QString::number(premier), QString::number(nombre)});
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
            QThread::msleep(30);
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

inline QString texte(const Bilan &b)
{
    return QStringLiteral("rounds %1, sessions reported %2, sessions lost %3, files cut %4, duplicates %5, "
                          "copies seen after kills %6, copies left %7, merges %8")
        .arg(b.tours)
        .arg(b.seancesSignalees)
        .arg(b.seancesPerdues)
        .arg(b.fichiersCoupes)
        .arg(b.doublons)
        .arg(b.copiesVues)
        .arg(b.copiesRestantes)
        .arg(b.fusions);
}

} // namespace SaveCampaign
