// A pupil's history file: its lines as loaded, the summary the main window
// draws (recupere_donnees), the tail a save appends and the merge of copies.
#include "FuzzSupport.h"

#include "core/HistoryMerge.h"
#include "core/PupilHistory.h"
#include "core/PupilSession.h"
#include "core/SessionState.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString chemin = Fuzz::fichier(QStringLiteral("Dupont_Jean.txt"), Fuzz::octets(data, size));
    QStringList lignes;
    Fuzz::verifie(TextFile::loadLines(chemin, &lignes, nullptr), "history file loads");

    SessionState state;
    state.objectifs = QStringLiteral("table_2,table_3,table_7");
    state.temps_acceptable = size > 0 ? 1 + data[0] % 99 : 4;
    state.masquer_tests_incomplets = size > 1 && (data[1] & 1);
    state.jour_semaine = QStringLiteral("Mardi");
    state.date_du_jour = QStringLiteral("14/11/2006");
    state.eleve.historique = lignes;
    PupilSession::recupere_donnees(state);
    Fuzz::verifie(state.eleve.graphique.size() <= lignes.size(), "at most one graph entry per line");

    // The session already there (its header and a line of it) adds nothing more.
    if (!lignes.isEmpty()) {
        const QStringList seance{lignes.constFirst(), QStringLiteral("\tTEST de 10:03:00 à 10:05:00 P0203012006")};
        const QStringList ajout = PupilHistory::lignes_a_ajouter(lignes, seance);
        Fuzz::verifie(PupilHistory::lignes_a_ajouter(lignes + ajout, seance).isEmpty(), "a saved session is not added twice");
    }

    // Merging a history with a part of itself loses no line of it.
    const QStringList moitie = lignes.mid(0, lignes.size() / 2);
    const QStringList fusion = HistoryMerge::mergeLines(moitie, lignes);
    Fuzz::verifie(fusion.size() <= lignes.size(), "merge adds no line");
    Fuzz::verifie(HistoryMerge::sortKeys(lignes).size() == lignes.size(), "one key per line");
    return 0;
}
