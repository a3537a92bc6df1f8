#include "core/HistoryMerge.h"

#include "core/Paths.h"
#include "core/PupilFolders.h"
#include "core/PupilHistory.h"
#include "core/SharedFileLock.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <memory>

namespace HistoryMerge {
namespace {

// Characters of a line from a position, padded with "0" when the line is short.
QString extrait(const QString &ligne, qsizetype debut, qsizetype longueur)
{
    QString s = debut >= 0 ? ligne.mid(debut, longueur) : QString();
    while (s.size() < longueur)
        s += u'0';
    return s;
}

QString activityTime(const QString &ligne)
{
    static const QRegularExpression heure(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
    const qsizetype p = ligne.indexOf(QStringLiteral(" de "), 0, Qt::CaseInsensitive);
    if (p < 0)
        return {};
    const QString h = ligne.mid(p + 4, 8);
    return heure.match(h).hasMatch() ? h : QString();
}

struct Entree
{
    QString cle;
    QString ligne;
};

QList<Entree> entrees(const QStringList &lignes)
{
    const QStringList cles = sortKeys(lignes);
    QList<Entree> result;
    result.reserve(lignes.size());
    for (qsizetype i = 0; i < lignes.size(); ++i)
        result.append({cles[i], lignes[i]});
    return result;
}

bool charge(const QString &chemin, QStringList *lignes, QString *erreur)
{
    lignes->clear();
    const QString tropGros = PupilHistory::refus_taille(chemin);
    if (!tropGros.isEmpty()) {
        if (erreur)
            *erreur = QStringLiteral("Fusion impossible. ") + tropGros;
        return false;
    }
    QString detail;
    bool manquant = false;
    // A missing file counts as empty; the server, not a cache, says it is missing.
    if (TextFile::loadLines(chemin, lignes, &detail, &manquant) || manquant)
        return true;
    if (erreur)
        *erreur = QStringLiteral("Fusion impossible : le fichier %1 ne peut pas être lu.")
                      .arg(QDir::toNativeSeparators(chemin));
    return false;
}

} // namespace

QString lockPath(const QString &fichier)
{
    return SharedFileLock::lockPathFor(fichier);
}

QString headerKey(const QString &ligne)
{
    const qsizetype p = ligne.indexOf(u'/');
    if (p < 0)
        return {};
    return extrait(ligne, p + 4, 4) + extrait(ligne, p + 1, 2) + extrait(ligne, p - 2, 2)
           + extrait(ligne, p + 12, 8);
}

QStringList sortKeys(const QStringList &lignes)
{
    QStringList cles;
    cles.reserve(lignes.size());
    QString courante = QStringLiteral("0000000000:00:00");
    for (const QString &ligne : lignes) {
        const QString entete = headerKey(ligne);
        if (!entete.isEmpty()) {
            courante = entete;
            cles.append(courante);
            continue;
        }
        QString cle = courante;
        const QString heure = activityTime(ligne);
        // An activity that went on past midnight keeps its session's time.
        if (!heure.isEmpty() && heure >= courante.mid(8))
            cle.replace(8, 8, heure);
        cles.append(cle);
    }
    return cles;
}

QStringList mergeLines(const QStringList &a, const QStringList &b)
{
    QList<Entree> fusion = entrees(b);
    QSet<QString> presentes;
    for (const Entree &e : fusion)
        presentes.insert((e.cle + e.ligne).toCaseFolded());
    for (const Entree &e : entrees(a)) {
        const QString texte = (e.cle + e.ligne).toCaseFolded();
        if (presentes.contains(texte))
            continue;
        presentes.insert(texte);
        fusion.append(e);
    }
    std::stable_sort(fusion.begin(), fusion.end(),
                     [](const Entree &x, const Entree &y) { return x.cle < y.cle; });
    QStringList result;
    result.reserve(fusion.size());
    for (const Entree &e : fusion)
        result.append(e.ligne);
    return result;
}

bool mergeFiles(const QString &cheminA, const QString &cheminB, QString *erreur, int attenteVerrouMs)
{
    const QString a = Paths::fromStored(cheminA);
    const QString b = Paths::fromStored(cheminB);
    // On the school's server "Dupont_Jean.txt" and "dupont_jean.txt" are one
    // file, and their locks one lock: taking it twice would wait for ever.
    const bool memeFichier = PupilFolders::sameFile(a, b);

    // Always the same order, so that two workstations merging the same pair
    // cannot wait on each other.
    const QString premier = std::min(a, b);
    const QString second = std::max(a, b);
    SharedFileLock verrou1(premier);
    if (!verrou1.lock(erreur, attenteVerrouMs))
        return false;
    std::unique_ptr<SharedFileLock> verrou2;
    if (!memeFichier) {
        verrou2 = std::make_unique<SharedFileLock>(second);
        if (!verrou2->lock(erreur, attenteVerrouMs))
            return false;
    }

    QStringList lignesA;
    QStringList lignesB;
    if (!charge(a, &lignesA, erreur) || !charge(b, &lignesB, erreur))
        return false;
    const QStringList fusion = mergeLines(lignesA, lignesB);
    if (!TextFile::saveLines(a, fusion, erreur))
        return false;
    return memeFichier || TextFile::saveLines(b, fusion, erreur);
}

} // namespace HistoryMerge
