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
// Each workstation reaches the pupils' folder through its own path: on the
// school's file server, each through its own mount of the share (its own SMB
// connection); on a local disk, the same folder. Each has its own local folder
// where a session waits when the server's copy cannot be written in time
// (it goes in at that workstation's next save). A save never waits longer
// than kAttenteMaxMs.
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
#include <QSet>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <thread>

namespace SaveCampaign {

inline const QString kOption = QStringLiteral("--enregistreur");
// Set in a recorder's environment: the machine it claims to be in its locks,
// so that one machine plays a workstation of another.
inline const char *kVariableMachine = "TABULON_CAMPAGNE_MACHINE";
inline constexpr int kAttenteMaxMs = 10000;

// The folders of one workstation: the pupils' folder as it reaches it, and
// its own local folder.
struct Poste
{
    QString dossier;
    QString local;
};

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
// other, printing "OK n ms" once session n is reported as recorded (ms: how
// long the save took), followed by " L" when it was kept on the workstation.
// With pauseMaxMs, it waits up to that long between sessions, as a pupil does:
// a recorder that never lets go of the lock starves the other side's polling.
inline int enregistreur(const Poste &poste, const QString &nomPoste, int premier, int nombre, int pauseMaxMs = 0)
{
    QRandomGenerator aleas(quint32(premier) + 1);
    const QByteArray machine = qgetenv(kVariableMachine);
    if (!machine.isEmpty())
        SharedFileLock::setMachineNameForTesting(QString::fromLocal8Bit(machine));
    FakeSystem systeme(nomPoste);
    ManualClock horloge;
    Environment env;
    env.clock = &horloge;
    env.system = &systeme;
    env.programFolder = poste.local + QStringLiteral("/prog/");
    for (int n = premier; n < premier + nombre; ++n) {
        SessionState state;
        state.dossier_programme = env.programFolder;
        state.mode_ecole = true;
        state.dossier_eleves = poste.dossier + QStringLiteral("/Eleves");
        state.dossier_eleves_monoposte = poste.local + QStringLiteral("/Eleves");
        EleveState &e = state.eleve;
        e.nom = QStringLiteral("Dupont");
        e.prenom = QStringLiteral("Jean");
        e.cle_eleve = QStringLiteral("Dupont_Jean");
        e.dossier_eleve = poste.dossier + QStringLiteral("/Eleves");
        e.fichier_eleve = fichierEleve(poste.dossier);
        const QDateTime d = debutSeance(n);
        state.date_du_jour = Dates::date_texte(d.date());
        state.jour_semaine = Dates::nom_jour(d.date());
        state.heure_debut_seance = Dates::heure_texte(d.time());
        horloge.setNow(d.addSecs(30));
        e.lignes_seance << ligneTest(nomPoste, n);
        QString erreur;
        QString avis;
        QElapsedTimer duree;
        duree.start();
        if (!PupilSession::EnregistrementSeance(state, env, &erreur, &avis)) {
            std::fprintf(stderr, "%s\n", erreur.toLocal8Bit().constData());
            return 1;
        }
        if (!avis.isEmpty())
            std::fprintf(stderr, "%d: %s\n", n, avis.toLocal8Bit().constData());
        std::printf("OK %d %lld%s\n", n, static_cast<long long>(duree.elapsed()), avis.isEmpty() ? "" : " L");
        std::fflush(stdout);
        if (pauseMaxMs > 0)
            QThread::msleep(aleas.bounded(pauseMaxMs + 1));
    }
    return 0;
}

inline bool estEnregistreur(int argc, char **argv)
{
    return argc == 8 && QString::fromLocal8Bit(argv[1]) == kOption;
}

inline int enregistreur(int /*argc: checked by estEnregistreur*/, char **argv)
{
    const Poste poste{QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[7])};
    return enregistreur(poste, QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]).toInt(),
                        QString::fromLocal8Bit(argv[5]).toInt(), QString::fromLocal8Bit(argv[6]).toInt());
}

struct Bilan
{
    int tours = 0;               // kills, or sessions per workstation
    int seancesSignalees = 0;    // sessions reported as recorded
    int seancesPerdues = 0;      // reported, then missing from the file
    int fichiersCoupes = 0;      // files that were not whole sessions
    int doublons = 0;            // sessions found more than once
    int copiesVues = 0;          // temporary copies found beside the file after a kill
    int copiesRestantes = 0;     // copies, locks or guards left at the end
    int gardeesLocalement = 0;   // saves that kept the session on the workstation
    int fusions = 0;             // teacher merges that ran during the race
    int renommages = 0;          // teacher renames that ran during the race
    int fichiers = 0;            // pupil files at the end
    qint64 attenteMaxMs = 0;     // the longest save
    QStringList problemes;       // the first faults, in words
};

inline void probleme(Bilan &b, const QString &texte)
{
    if (b.problemes.size() < 10)
        b.problemes << texte;
}

// What a save leaves beside a file only while it runs: its copy, the lock and
// the take-over guard.
inline QStringList restesDe(const QString &fichier)
{
    const QFileInfo info(fichier);
    QStringList restes;
    for (const QString &nom :
         info.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        if (nom.startsWith(info.fileName() + u'.'))
            restes << nom;
    }
    return restes;
}

inline QStringList copiesDe(const QString &fichier)
{
    const QFileInfo info(fichier);
    return info.dir().entryList({info.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
}

inline QProcess *lance(const QString &programme, const Poste &poste, const QString &nomPoste, int premier, int nombre,
                       int pauseMaxMs = 0, const QString &machine = QString())
{
    auto *p = new QProcess;
    p->setProgram(programme);
    p->setArguments({kOption, poste.dossier, nomPoste, QString::number(premier), QString::number(nombre),
                     QString::number(pauseMaxMs), poste.local});
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    if (!machine.isEmpty())
        environnement.insert(QString::fromLatin1(kVariableMachine), machine);
    p->setProcessEnvironment(environnement);
    p->setProcessChannelMode(QProcess::SeparateChannels);
    p->start();
    return p;
}

// What a recorder reported: the sessions, how long each save took, and which
// were kept on the workstation.
struct Rapport
{
    int dernier = -1;
    int nombre = 0;
    int gardees = 0;
    qint64 attenteMaxMs = 0;
};

inline Rapport lit(const QByteArray &sortie)
{
    Rapport r;
    for (const QByteArray &l : sortie.split('\n')) {
        if (!l.startsWith("OK "))
            continue;
        const QList<QByteArray> champs = l.split(' ');
        r.dernier = std::max(r.dernier, champs.value(1).toInt());
        ++r.nombre;
        r.attenteMaxMs = std::max(r.attenteMaxMs, champs.value(2).toLongLong());
        if (champs.value(3) == "L")
            ++r.gardees;
    }
    return r;
}

inline void compte(Bilan &b, const Rapport &r)
{
    b.gardeesLocalement += r.gardees;
    b.attenteMaxMs = std::max(b.attenteMaxMs, r.attenteMaxMs);
    if (r.attenteMaxMs > kAttenteMaxMs)
        probleme(b, QStringLiteral("a save waited %1 ms").arg(r.attenteMaxMs));
}

// The sessions of a history file, by number: false when it is not whole
// sessions (a header, then its own test line). A session found twice counts
// in *doublons.
inline bool seancesDe(const QString &fichier, const QString &nomPoste, QHash<int, int> *vues)
{
    QStringList lignes;
    if (QFileInfo::exists(fichier) && !TextFile::loadLines(fichier, &lignes, nullptr))
        return false;
    QFile f(fichier);
    if (f.open(QIODevice::ReadOnly) && f.size() > 0) {
        f.seek(f.size() - 2);
        if (f.read(2) != "\r\n")
            return false;
    }
    if (lignes.size() % 2 != 0)
        return false;
    for (qsizetype i = 0; i < lignes.size(); i += 2) {
        const qsizetype tiret = lignes.at(i + 1).lastIndexOf(u'-');
        const int n = tiret < 0 ? -1 : lignes.at(i + 1).mid(tiret + 1).toInt();
        if (n < 0 || lignes.at(i) != entete(nomPoste, n) || lignes.at(i + 1) != ligneTest(nomPoste, n))
            return false;
        ++(*vues)[n];
    }
    return true;
}

// Kills a recorder `tues` times at random moments (0..maxDelaiMs after its
// start), on each workstation in turn; every tenth plays a workstation of
// another machine, whose dead lock only its silence gives away. After each
// kill the server's file must be whole sessions, each once, and every session
// reported must be there or kept on its workstation. Last, one more save on
// each workstation hands over what they kept: every reported session is then
// on the server, once, and nothing is left beside the file.
inline Bilan coupures(const QString &programme, const QList<Poste> &postes, int tues, quint32 graine,
                      int maxDelaiMs = 120)
{
    Bilan b;
    QRandomGenerator aleas(graine);
    const QString nomPoste = QStringLiteral("POSTE-1");
    const QString fichier = fichierEleve(postes.first().dossier);
    QDir().mkpath(QFileInfo(fichier).absolutePath());
    int suivante = 0;  // the next session number never used
    QSet<int> signalees;
    const auto verifie = [&](const QString &quand, bool finale) {
        QHash<int, int> serveur;
        if (!seancesDe(fichier, nomPoste, &serveur)) {
            ++b.fichiersCoupes;
            probleme(b, quand + QStringLiteral(": the file is not whole sessions"));
        }
        QHash<int, int> gardees;
        for (const Poste &p : postes)
            seancesDe(fichierEleve(p.local), nomPoste, &gardees);
        for (auto it = serveur.cbegin(); it != serveur.cend(); ++it) {
            suivante = std::max(suivante, it.key() + 1);
            if (it.value() > 1) {
                ++b.doublons;
                probleme(b, quand + QStringLiteral(": session %1 twice").arg(it.key()));
            }
        }
        for (auto it = gardees.cbegin(); it != gardees.cend(); ++it)
            suivante = std::max(suivante, it.key() + 1);
        for (const int n : std::as_const(signalees)) {
            if (!serveur.contains(n) && (finale || !gardees.contains(n))) {
                ++b.seancesPerdues;
                probleme(b, quand + QStringLiteral(": session %1 reported, not in the file").arg(n));
            }
        }
    };
    for (int k = 0; k < tues; ++k) {
        const Poste &poste = postes.at(k % postes.size());
        const QString machine = k % 10 == 9 ? QStringLiteral("AUTRE-MACHINE") : QString();
        QProcess *p = lance(programme, poste, nomPoste, suivante, 1000000, 0, machine);
        p->waitForStarted();
        QThread::msleep(aleas.bounded(maxDelaiMs + 1));
        p->kill();
        p->waitForFinished();
        const Rapport r = lit(p->readAllStandardOutput());
        delete p;
        ++b.tours;
        compte(b, r);
        for (int n = suivante; n <= r.dernier; ++n)
            signalees.insert(n);
        suivante = std::max(suivante, r.dernier + 1);
        b.copiesVues += int(copiesDe(fichier).size());
        verifie(QStringLiteral("kill %1").arg(k), false);
    }

    // Past the stale time, one more save on each workstation hands over what
    // it kept and clears what the kills left beside the file.
    QThread::msleep(SharedFileLock::kStaleMs + 500);
    for (const Poste &poste : postes) {
        QProcess *p = lance(programme, poste, nomPoste, suivante, 1);
        p->waitForFinished(60000);
        if (p->exitCode() != 0)
            probleme(b, QStringLiteral("the last save failed: ") + QString::fromLocal8Bit(p->readAllStandardError()));
        const Rapport r = lit(p->readAllStandardOutput());
        compte(b, r);
        if (r.dernier == suivante)
            signalees.insert(suivante);
        ++suivante;
        delete p;
    }
    b.seancesSignalees = int(signalees.size());
    verifie(QStringLiteral("at the end"), true);
    b.copiesRestantes = int(restesDe(fichier).size());
    for (const Poste &p : postes)
        b.copiesRestantes += QFileInfo::exists(fichierEleve(p.local)) ? 1 : 0;
    if (b.copiesRestantes > 0)
        probleme(b, QStringLiteral("left at the end: ") + restesDe(fichier).join(u' '));
    return b;
}

// Two workstations record `tours` sessions each for the same pupil, each
// through its own path, while the teacher merges another copy of his file
// into it, over and over. Then one more save on each hands over whatever it
// had to keep. Every session ends up in the file exactly once.
inline Bilan course(const QString &programme, const QList<Poste> &postes, int tours)
{
    Bilan b;
    b.tours = tours;
    const QStringList nomsPostes{QStringLiteral("POSTE-A"), QStringLiteral("POSTE-B")};
    const QString dossier = postes.first().dossier;
    const QString fichier = fichierEleve(dossier);
    QDir().mkpath(QFileInfo(fichier).absolutePath());
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
    const auto enregistre = [&](int premier, int nombre) {
        QList<QProcess *> enfants;
        for (int i = 0; i < nomsPostes.size(); ++i)
            enfants << lance(programme, postes.at(i % postes.size()), nomsPostes.at(i), premier, nombre);
        for (QProcess *p : enfants) {
            p->waitForFinished(-1);
            if (p->exitCode() != 0)
                probleme(b, QStringLiteral("a recorder failed: ") + QString::fromLocal8Bit(p->readAllStandardError()));
            const Rapport r = lit(p->readAllStandardOutput());
            b.seancesSignalees += r.nombre;
            compte(b, r);
            delete p;
        }
    };
    enregistre(0, tours);
    fini = true;
    professeur.join();
    enregistre(tours, 1);
    b.fusions = fusions;
    if (fusionsRatees > 0)
        probleme(b, QStringLiteral("%1 merges failed").arg(int(fusionsRatees)));

    const QStringList lignes = TextFile::loadLines(fichier);
    QHash<QString, int> vues;
    for (const QString &l : lignes)
        ++vues[l];
    const auto trouve = [&](const QString &entete, const QString &ligne) {
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
    for (const QString &poste : nomsPostes) {
        for (int n = 0; n <= tours; ++n)
            trouve(entete(poste, n), ligneTest(poste, n));
    }
    trouve(enteteCopie, ligneCopie);
    if (lignes.size() != 2 * (2 * (tours + 1) + 1))
        probleme(b, QStringLiteral("%1 lines for %2 sessions").arg(lignes.size()).arg(2 * (tours + 1) + 1));
    b.copiesRestantes = int(restesDe(fichier).size() + restesDe(copie).size());
    for (const Poste &p : postes)
        b.copiesRestantes += QFileInfo::exists(fichierEleve(p.local)) ? 1 : 0;
    if (b.copiesRestantes > 0)
        probleme(b, QStringLiteral("left at the end: ") + (restesDe(fichier) + restesDe(copie)).join(u' '));
    return b;
}

// The teacher renames the pupil `tours` times from the first workstation's
// path while the last workstation records his sessions, one every few
// milliseconds. The recorder knows the pupil by the name he logged in with: a
// session saved after a rename starts a new file of that name, which the next
// rename takes away in turn. Every session reported must then be in exactly
// one of the files, under its header; the one being recorded when the
// recorder is stopped may be there or not.
inline Bilan renommages(const QString &programme, const QList<Poste> &postes, int tours, quint32 graine)
{
    Bilan b;
    QRandomGenerator aleas(graine);
    const QString nomPoste = QStringLiteral("POSTE-1");
    const QString fichier = fichierEleve(postes.first().dossier);
    QDir().mkpath(QFileInfo(fichier).absolutePath());
    FakeSystem professeur(QStringLiteral("PROFESSEUR"));
    QProcess *p = lance(programme, postes.last(), nomPoste, 0, 1000000, 10);
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
    const Rapport r = lit(sortie);
    compte(b, r);
    b.seancesSignalees = r.dernier + 1;

    // The recorder was stopped by a kill, maybe holding the lock or in the
    // middle of a save: past the stale time, the next save clears what it
    // left, as at school. Its number skips the one that may be half there.
    QThread::msleep(SharedFileLock::kStaleMs + 500);
    const int derniere = r.dernier + 2;
    QProcess *fin = lance(programme, postes.last(), nomPoste, derniere, 1);
    fin->waitForFinished(60000);
    if (fin->exitCode() != 0)
        probleme(b, QStringLiteral("the last save failed: ") + QString::fromLocal8Bit(fin->readAllStandardError()));
    compte(b, lit(fin->readAllStandardOutput()));
    delete fin;

    QHash<int, int> vues;
    const QDir eleves(QFileInfo(fichier).absolutePath());
    QStringList fichiers = eleves.entryList({QStringLiteral("*.txt")}, QDir::Files);
    b.fichiers = int(fichiers.size());
    QStringList chemins;
    for (const QString &f : std::as_const(fichiers))
        chemins << eleves.filePath(f);
    // Sessions kept on the workstation count too; none should be.
    const QDir locaux(postes.last().local + QStringLiteral("/Eleves"));
    for (const QString &f : locaux.entryList({QStringLiteral("*.txt")}, QDir::Files))
        chemins << locaux.filePath(f);
    for (const QString &f : std::as_const(chemins)) {
        if (!seancesDe(f, nomPoste, &vues)) {
            ++b.fichiersCoupes;
            probleme(b, f + QStringLiteral(": not whole sessions"));
        }
    }
    for (int n = 0; n <= b.seancesSignalees; ++n) {
        if (vues.value(n) > 1) {
            ++b.doublons;
            probleme(b, QStringLiteral("session %1 found %2 times").arg(n).arg(vues.value(n)));
        } else if (vues.value(n) == 0 && n < b.seancesSignalees) {
            ++b.seancesPerdues;
            probleme(b, QStringLiteral("session %1 lost").arg(n));
        }
    }
    if (vues.value(derniere) != 1)
        probleme(b, QStringLiteral("the last session is there %1 times").arg(vues.value(derniere)));
    QStringList restes;
    for (const QString &nom : eleves.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        if (!nom.endsWith(QStringLiteral(".txt")))
            restes << nom;
    }
    b.copiesRestantes = int(restes.size());
    if (!restes.isEmpty())
        probleme(b, QStringLiteral("left at the end: ") + restes.join(u' '));
    return b;
}

inline QString texte(const Bilan &b)
{
    return QStringLiteral("rounds %1, sessions reported %2, sessions lost %3, files cut %4, duplicates %5, "
                          "copies seen after kills %6, debris left %7, kept on a workstation %8, merges %9, "
                          "renames %10, files %11, longest save %12 ms")
        .arg(b.tours)
        .arg(b.seancesSignalees)
        .arg(b.seancesPerdues)
        .arg(b.fichiersCoupes)
        .arg(b.doublons)
        .arg(b.copiesVues)
        .arg(b.copiesRestantes)
        .arg(b.gardeesLocalement)
        .arg(b.fusions)
        .arg(b.renommages)
        .arg(b.fichiers)
        .arg(b.attenteMaxMs);
}

} // namespace SaveCampaign
