#pragma once

#include "core/SharedFileLock.h"

#include <QString>
#include <QStringList>

// Two copies of one pupil's history (the server's and a workstation's, or two
// files the teacher joins) become one: every session once, in date and time
// order, each activity line under its own session header.
namespace HistoryMerge {

// Sort key of a session header: year, month, day and start time
// ("2006111410:02:11"); empty when the line holds no "/" (not a header).
QString headerKey(const QString &ligne);
// One 16-character key per line. An activity line takes the date of the
// session above it and its own start time (the 8 characters after its first
// " de "), never earlier than the session's start, so that sorting keeps it
// under its own header.
QStringList sortKeys(const QStringList &lignes);
// Lines of B, then the lines of A that B does not already hold (same key and
// text, letter case ignored), sorted by key; equal keys keep B's order, then A's.
QStringList mergeLines(const QStringList &a, const QStringList &b);

// Writes the merged text to both files. A missing file counts as empty; a file
// that exists but cannot be read stops the merge before anything is written,
// so a failed read never wipes a history. False with a French text on failure.
// Each file is locked (lockPath, the SharedFileLock of every writer of
// history files) for the read-modify-write; a lock another workstation holds
// longer than attenteVerrouMs makes the merge fail. The default wait outlasts
// the time after which an abandoned lock is taken over.
bool mergeFiles(const QString &cheminA, const QString &cheminB, QString *erreur = nullptr,
                int attenteVerrouMs = SharedFileLock::kWaitMs);

// Lock file that guards a history file's read-modify-write across workstations.
QString lockPath(const QString &fichier);

} // namespace HistoryMerge
