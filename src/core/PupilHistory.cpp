#include "core/PupilHistory.h"

#include "core/Evaluation.h"
#include "core/HistoryLines.h"

#include <QDir>
#include <QFileInfo>
#include <QList>

namespace PupilHistory {
namespace {

bool testCompte(const QString &ligne, const Criteres &criteres)
{
    if (!HistoryLines::est_ligne_test(ligne))
        return false;
    const QString enregistrements = HistoryLines::enregistrements(ligne);
    // A test line cut or damaged before any whole answer is no test.
    if (!HistoryLines::a_une_reponse(enregistrements))
        return false;
    // As at the end of a test: squares and extended tables make no graph point.
    if (!HistoryLines::est_test_classique(enregistrements))
        return false;
    return !criteres.masquerIncomplets || Evaluation::test_couvre_tables(enregistrements, criteres.objectifs);
}

} // namespace

Resume resume(const QStringList &historique, const Criteres &criteres)
{
    Resume r;
    const qsizetype n = historique.size();

    // Index of the first counting test line at or after each line, so that a
    // long history with many days without test is walked once.
    QList<qsizetype> testSuivant(n + 1, -1);
    for (qsizetype i = n - 1; i >= 0; --i)
        testSuivant[i] = testCompte(historique.at(i), criteres) ? i : testSuivant[i + 1];

    QString dernierLibelle;
    qsizetype i = 0;
    while (i < n) {
        while (i < n && !HistoryLines::est_entete(historique.at(i)))
            ++i;
        if (i >= n)
            break;
        const qsizetype premier = i;
        const QString jour = HistoryLines::libelle_jour(historique.at(premier));
        dernierLibelle = jour;
        ++i;
        // The group runs to the first header of another day.
        while (i < n) {
            const QString &ligne = historique.at(i);
            if (HistoryLines::est_entete(ligne)) {
                const QString libelle = HistoryLines::libelle_jour(ligne);
                if (libelle != jour)
                    break;
                dernierLibelle = libelle;
            }
            ++i;
        }
        const qsizetype t = testSuivant[premier];
        if (t < 0)
            continue;
        const QString &ligneTest = historique.at(t);
        const QString enregistrements = HistoryLines::enregistrements(ligneTest);
        EntreeGraphique entree;
        entree.jour = jour.left(20);
        entree.score = QString::number(
            Evaluation::score_tables(enregistrements, criteres.objectifs, criteres.tempsAcceptable));
        entree.ligneTest = ligneTest;
        r.graphique.append(entree);
        r.dernier_test = enregistrements;
    }
    r.seance_du_jour = !dernierLibelle.isEmpty() && dernierLibelle == criteres.aujourdhui;
    return r;
}

QStringList lignes_a_ajouter(const QStringList &surDisque, const QStringList &seance)
{
    if (seance.size() < 2)
        return {};
    if (!surDisque.isEmpty() && surDisque.last() == seance.last())
        return {};
    const qsizetype h = surDisque.lastIndexOf(seance.first());
    if (h < 0)
        return seance;
    // The header is there already: the session was recorded once and has
    // gained lines since. Whatever follows its recorded part in the file
    // (another workstation's session) stays where it is.
    qsizetype k = 1;
    while (h + k < surDisque.size() && k < seance.size() && surDisque.at(h + k) == seance.at(k))
        ++k;
    return seance.mid(k);
}

QString refus_taille(const QString &chemin)
{
    const QFileInfo info(chemin);
    if (!info.isFile() || info.size() <= kTailleMaxFichier)
        return {};
    return QStringLiteral("Le fichier %1 est trop volumineux (%2 Mo) pour être un historique d'élève ; "
                          "il n'est ni lu ni modifié.")
        .arg(QDir::toNativeSeparators(chemin))
        .arg(info.size() / (1024 * 1024));
}

} // namespace PupilHistory
