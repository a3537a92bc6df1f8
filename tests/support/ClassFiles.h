#pragma once

#include "core/HistoryLines.h"
#include "core/PupilFolders.h"
#include "core/ShellLink.h"
#include "core/TextFile.h"
#include "support/Records.h"

#include <QDir>
#include <QStringList>

// Pupils of a school written on disk for the tests: a history file in the
// establishment folder and a link in the class folder of the year.
namespace Fixtures {

// A classic test with the first `justes` products right in the given time
// and the others wrong: its classic score is justes × 100 / 64.
inline QString testDeScore(int justes, int dixiemes = 20)
{
    QString r;
    int i = 0;
    for (int a = 2; a <= 9; ++a)
        for (int b = 2; b <= 9; ++b, ++i)
            r += record(a, b, dixiemes, i < justes ? a * b : a * b + 1);
    return r;
}

inline QString entete(const QString &jour, const QString &date, const QString &debut, const QString &fin)
{
    return HistoryLines::entete_seance(jour, date, debut, fin, QStringLiteral("POSTE"));
}

inline QString ligneTest(const QString &enregistrements)
{
    return QStringLiteral("\tTEST de 10:00:00 à 10:05:00 ") + enregistrements;
}

// An empty list of lines leaves the history file absent: a dead link.
inline bool ecritEleve(const QString &etablissement, const QString &annee, const QString &classe, const QString &cle,
                       const QStringList &lignes)
{
    const QString fichier = PupilFolders::historyFile(etablissement, cle);
    if (!lignes.isEmpty() && !TextFile::saveLines(fichier, lignes))
        return false;
    const QString dossier = PupilFolders::classFolder(annee, classe);
    return QDir().mkpath(dossier) && ShellLink::write(PupilFolders::linkFile(dossier, cle), fichier);
}

} // namespace Fixtures
