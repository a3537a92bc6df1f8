#include "core/PupilDetail.h"

#include "core/HistoryLines.h"

#include <QSet>
#include <QTime>

#include <algorithm>

namespace {

// Seconds of a session from its header; a session that went past midnight
// ends on the next day.
int duree_seance(const QString &entete)
{
    const qsizetype p = entete.indexOf(u'/');
    if (p < 0)
        return 0;
    const QTime debut = QTime::fromString(entete.mid(p + 12, 8), QStringLiteral("HH:mm:ss"));
    const QTime fin = QTime::fromString(entete.mid(p + 23, 8), QStringLiteral("HH:mm:ss"));
    if (!debut.isValid() || !fin.isValid())
        return 0;
    int s = debut.secsTo(fin);
    if (s < 0)
        s += 24 * 3600;
    return s;
}

} // namespace

PupilDetail PupilDetail::calcule(const QStringList &lignes, const QString &chemin, const QString &ligneClasse)
{
    PupilDetail d;
    QString fichier = chemin.mid(std::max(chemin.lastIndexOf(u'/'), chemin.lastIndexOf(u'\\')) + 1);
    if (fichier.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
        fichier.chop(4);
    const qsizetype souligne = fichier.indexOf(u'_');
    d.nom = souligne < 0 ? fichier : fichier.left(souligne);
    d.prenom = souligne < 0 ? QString() : fichier.mid(souligne + 1);
    const qsizetype deuxPoints = ligneClasse.indexOf(u':');
    d.classe = (deuxPoints < 0 ? QString() : ligneClasse.left(deuxPoints)).trimmed();

    QSet<QString> jours;
    // A merged file or one written after the clock was set back may come
    // back to a day further down: that day keeps its first test only.
    QSet<QString> joursRetenus;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const QString &ligne = lignes.at(i);
        if (!HistoryLines::est_entete(ligne))
            continue;
        const QString date = HistoryLines::date_entete(ligne);
        if (date.isEmpty())
            continue;
        ++d.seances;
        d.dureeSecondes += duree_seance(ligne);
        jours.insert(date);
        if (d.premiereDate.isEmpty())
            d.premiereDate = date;
        d.derniereDate = date;
        // The first test of a day: the line right after that day's header.
        if (!joursRetenus.contains(date) && i + 1 < lignes.size() && lignes.at(i + 1).size() > 1
            && lignes.at(i + 1).at(1) == u'T') {
            joursRetenus.insert(date);
            d.tests.prepend({HistoryLines::libelle_jour(ligne), lignes.at(i + 1)});
        }
    }
    d.jours = int(jours.size());
    return d;
}

QString PupilDetail::resume() const
{
    if (seances == 0)
        return QStringLiteral("aucune séance");
    const QString s = QString::number(seances);
    if (jours >= 3)
        return s + QStringLiteral(" séances, sur ") + QString::number(jours) + QStringLiteral(" jours (du ") + premiereDate
               + QStringLiteral(" au ") + derniereDate + u')';
    if (jours == 2)
        return s + QStringLiteral(" séances, sur 2 jours (le ") + premiereDate + QStringLiteral(" et le ") + derniereDate
               + u')';
    if (seances < 2)
        return QStringLiteral("1 seule séance, le ") + premiereDate;
    return s + QStringLiteral(" séances, le même jour: ") + premiereDate;
}

QString PupilDetail::tempsTotal() const
{
    const qint64 h = dureeSecondes / 3600;
    const int m = int(dureeSecondes / 60 % 60);
    const int s = int(dureeSecondes % 60);
    const auto deux = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    if (h > 0)
        return QStringLiteral("temps total: ") + QString::number(h) + QStringLiteral(" h ") + deux(m) + QStringLiteral(" min");
    return QStringLiteral("temps total: ") + QString::number(m) + QStringLiteral(" min ") + deux(s) + QStringLiteral(" s");
}
