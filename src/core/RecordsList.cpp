#include "core/RecordsList.h"

#include "core/Evaluation.h"
#include "core/Paths.h"
#include "core/SessionState.h"
#include "core/SharedFileLock.h"
#include "core/TextFile.h"

#include <QFileInfo>

#include <algorithm>

namespace RecordsList {
namespace {

bool estChiffres(QStringView texte)
{
    return !texte.isEmpty() && std::all_of(texte.begin(), texte.end(), [](QChar c) {
        return c >= u'0' && c <= u'9';
    });
}

// The well-formed lines, best first.
QList<Record> classement(const QStringList &liste)
{
    QList<Record> records;
    for (qsizetype i = liste.size() - 1; i >= 0; --i) {
        Record r;
        if (decode_ligne(liste.at(i), &r))
            records.append(r);
    }
    return records;
}

int nombreChiffres(qsizetype n)
{
    int w = 1;
    while (n >= 10) {
        n /= 10;
        ++w;
    }
    return w;
}

} // namespace

QString cheminServeur(const SessionState &state)
{
    // Without a share path the server folder would be built from the root of
    // the local disk: there is no server copy then.
    if (state.chemin_serveur.trimmed().isEmpty() || state.dossier_stats_serveur.isEmpty())
        return {};
    return Paths::join(state.dossier_stats_serveur, QString::fromLatin1(kNomFichier));
}

QString cheminLocal(const SessionState &state)
{
    return Paths::join(state.dossier_stats_local, QString::fromLatin1(kNomFichier));
}

QString cheminActif(const SessionState &state)
{
    const QString serveur = cheminServeur(state);
    if (!serveur.isEmpty() && QFileInfo::exists(serveur))
        return serveur;
    return cheminLocal(state);
}

void trie(QStringList &liste)
{
    std::stable_sort(liste.begin(), liste.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

bool lit(const QString &chemin, QStringList *liste, QString *error)
{
    liste->clear();
    if (!TextFile::loadLines(chemin, liste, error)) {
        liste->clear();
        return false;
    }
    liste->removeIf([](const QString &l) { return l.trimmed().isEmpty(); });
    trie(*liste);
    return true;
}

QStringList charge(const SessionState &state)
{
    QStringList liste;
    lit(cheminActif(state), &liste);
    return liste;
}

bool enregistre(const SessionState &state, const QStringList &liste, QString *error)
{
    return TextFile::saveLines(cheminActif(state), liste, error);
}

bool met_a_jour(const SessionState &state, int score, int vitesse, const QString &nom,
                const QString &prenom, QStringList *liste, int *rang, QString *error)
{
    const QString chemin = cheminActif(state);
    SharedFileLock verrou(chemin);
    if (!verrou.lock(error))
        return false;
    QStringList lignes;
    QString erreurLecture;
    // A missing file is the first record; an unreadable one must not be replaced.
    if (!lit(chemin, &lignes, &erreurLecture) && QFileInfo::exists(chemin)) {
        if (error)
            *error = erreurLecture;
        return false;
    }
    Evaluation::maj_records(lignes, score, vitesse, nom, prenom);
    if (!TextFile::saveLines(chemin, lignes, error))
        return false;
    if (liste)
        *liste = lignes;
    if (rang) {
        // The rank as the display counts it: lines that cannot be ranked are
        // not shown, so they do not count either.
        const QList<Record> records = classement(lignes);
        *rang = 0;
        for (qsizetype i = 0; i < records.size(); ++i) {
            const Record &r = records.at(i);
            if (r.score == score && r.vitesse == vitesse && r.nom == nom && r.prenom == prenom) {
                *rang = int(i) + 1;
                break;
            }
        }
    }
    return true;
}

bool decode_ligne(const QString &ligne, Record *record)
{
    if (ligne.size() < 7)
        return false;
    const QStringView vue(ligne);
    if (!estChiffres(vue.mid(0, 3)) || !estChiffres(vue.mid(3, 3)))
        return false;
    record->score = vue.mid(0, 3).toInt();
    record->vitesse = vue.mid(3, 3).toInt();
    const QString cle = ligne.mid(6);
    const qsizetype souligne = cle.indexOf(u'_');
    if (souligne < 0) {
        record->nom = cle;
        record->prenom.clear();
    } else {
        record->nom = cle.left(souligne);
        record->prenom = cle.mid(souligne + 1);
    }
    return true;
}

QStringList decode_liste_records(const QStringList &liste)
{
    const QList<Record> records = classement(liste);
    if (records.isEmpty())
        return {QStringLiteral("Aucun record.")};

    const int w = nombreChiffres(records.size());
    QStringList lignes;
    lignes << QString(28, u' ') + QStringLiteral("score (vitesse)") << QStringLiteral("  ");
    int rang = 0;
    for (const Record &r : records) {
        const QString rangTexte = QString::number(++rang);
        const QString score = QStringLiteral("%1").arg(r.score, 3);
        const QString vitesse = QStringLiteral("%1").arg(r.vitesse, 2);
        const qsizetype n = r.nom.size() + r.prenom.size();
        QString ligne = rangTexte + QStringLiteral(". ") + r.nom + u' ' + r.prenom;
        if (n >= 25)
            ligne += u' ';
        else
            ligne += QString(qMax<qsizetype>(0, w + 23 - rangTexte.size() - n), u'.');
        ligne += score + QStringLiteral("% ") + QStringLiteral(" (") + vitesse + u')';
        lignes.append(ligne);
    }
    return lignes;
}

QStringList trois_premiers(const QStringList &liste)
{
    QStringList noms;
    const QList<Record> records = classement(liste);
    for (qsizetype i = 0; i < records.size() && i < 3; ++i)
        noms.append(records.at(i).nom + u' ' + records.at(i).prenom);
    return noms;
}

} // namespace RecordsList
