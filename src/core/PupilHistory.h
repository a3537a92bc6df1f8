#pragma once

#include "core/SessionState.h"

#include <QString>
#include <QStringList>

// What a pupil's history says, and how a session is added to it. Pure
// functions over lists of lines: reading and writing the file is done by
// PupilSession.
namespace PupilHistory {

struct Resume
{
    // One entry per day that has a test, oldest first.
    QList<EntreeGraphique> graphique;
    // The last session header is dated today.
    bool seance_du_jour = false;
    // The answer records of the last entry's test; empty when none.
    QString dernier_test;
};

struct Criteres
{
    QString objectifs;               // comma list of table keys
    bool masquerIncomplets = false;  // a test must cover the objectives to count
    int tempsAcceptable = -1;        // seconds
    QString aujourdhui;              // day name, space, dd/mm/yyyy
};

// Sessions of the same day form one group; each group is given the first
// test found from its first header onwards (later days included, so a day
// without test borrows the next test). Only a test of the classic tables
// counts; a test line without any readable answer does not. No limit on the number of days.
Resume resume(const QStringList &historique, const Criteres &criteres);

// The lines to append to the file as it is now so that it holds the
// session: the whole session when it is not there yet, only its missing
// tail when its header is already recorded, nothing when the file already
// ends with the session's last line. seance starts with its header.
QStringList lignes_a_ajouter(const QStringList &surDisque, const QStringList &seance);

// A history file past this size (decades of daily tests) is damaged or not a
// history: it is neither loaded, which would take many times its size in
// memory, nor rewritten.
inline constexpr qint64 kTailleMaxFichier = 32LL * 1024 * 1024;
// Why the file at chemin cannot be taken as a history, in French; empty when
// it can (a missing file can).
QString refus_taille(const QString &chemin);

} // namespace PupilHistory
