#include "core/StartupLog.h"
#include "core/TextFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// The start-up writes its steps; a note written later in the run, through a
// log of its own, comes after them instead of replacing them; the next start
// begins an empty log again.
TEST(StartupLog, ALaterNoteKeepsTheStartUpLinesAndTheNextStartEmptiesTheFile)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString chemin = dossier.filePath(QStringLiteral("Tabulon.log"));
    ASSERT_TRUE(TextFile::saveLines(chemin, {QStringLiteral("ancienne séance")}));

    StartupLog demarrage(chemin);
    demarrage.vide();
    demarrage.ajoute(QStringLiteral("Recherche du serveur....."));
    demarrage.ajoute(QStringLiteral("Fichier configuration récupéré"));

    StartupLog note(chemin);
    note.ajoute(QStringLiteral("Enregistrement impossible: disque plein"));
    const QStringList attendu{QStringLiteral("Recherche du serveur....."), QStringLiteral("Fichier configuration récupéré"),
                              QStringLiteral("Enregistrement impossible: disque plein")};
    EXPECT_EQ(TextFile::loadLines(chemin), attendu);
    EXPECT_EQ(note.lignes(), attendu);

    demarrage.vide();
    demarrage.ajoute(QStringLiteral("Recherche du serveur....."));
    EXPECT_EQ(TextFile::loadLines(chemin), QStringList{QStringLiteral("Recherche du serveur.....")});
}
