#include "core/HistoryLines.h"

#include <algorithm>

namespace HistoryLines {
namespace {

bool chiffres(QStringView texte)
{
    return !texte.isEmpty()
           && std::all_of(texte.begin(), texte.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Start of the day, month and year fields of a header; -1 when the header is
// too short around its first "/" to hold a whole date.
qsizetype debutDate(const QString &ligne)
{
    const qsizetype p = ligne.indexOf(u'/');
    if (p < 2 || p + 8 > ligne.size())
        return -1;
    return p;
}

} // namespace

QString entete_seance(const QString &jourSemaine, const QString &date, const QString &heureDebut,
                      const QString &heureFin, const QString &nomPoste)
{
    QString d = date;
    // A date written with the system's separator would not be found again.
    for (QChar &c : d) {
        if (!c.isDigit())
            c = u'/';
    }
    return QStringLiteral("Séance du %1 de %2 à %3 sur le poste ")
               .arg(jourSemaine + u' ' + d, heureDebut, heureFin)
           + u'"' + nomPoste + u'"';
}

bool est_entete(const QString &ligne)
{
    return ligne.startsWith(u'S') && ligne.contains(u'/');
}

QString libelle_jour(const QString &ligne)
{
    const qsizetype p = ligne.indexOf(u'/');
    if (p < 0)
        return {};
    return ligne.mid(10, qMax<qsizetype>(0, p - 2));
}

QString date_entete(const QString &ligne)
{
    const qsizetype p = debutDate(ligne);
    if (p < 0)
        return {};
    return ligne.mid(p - 2, 10);
}

QString cle_jour(const QString &ligne)
{
    const qsizetype p = debutDate(ligne);
    if (p < 0)
        return {};
    const QStringView v(ligne);
    const QStringView jour = v.mid(p - 2, 2);
    const QStringView mois = v.mid(p + 1, 2);
    const QStringView annee = v.mid(p + 4, 4);
    if (!chiffres(jour) || !chiffres(mois) || !chiffres(annee))
        return {};
    return annee.toString() + mois.toString() + jour.toString();
}

QString heure_debut(const QString &ligne)
{
    const qsizetype p = ligne.indexOf(u'/');
    if (p < 0 || p + 20 > ligne.size())
        return {};
    return ligne.mid(p + 12, 8);
}

bool est_ligne_test(const QString &ligne)
{
    return !est_entete(ligne) && ligne.contains(QLatin1String("TEST"));
}

QString tete_activite(const QString &ligne)
{
    const QString t = ligne.trimmed();
    const qsizetype a = t.indexOf(QStringLiteral(" à "));
    // " à " and an end time hh:mm:ss.
    if (a < 0 || a + 11 > t.size())
        return t;
    return t.left(a + 11);
}

QString enregistrements(const QString &ligneTest)
{
    return ligneTest.mid(kTeteLigneTest);
}

bool a_une_reponse(QStringView enregistrements)
{
    for (qsizetype i = 0; i + 12 <= enregistrements.size(); i += 12) {
        if (enregistrements[i] == u'P' && chiffres(enregistrements.mid(i + 1, 11)))
            return true;
    }
    return false;
}

bool est_test_classique(QStringView enregistrements)
{
    return enregistrements.size() >= 5 && enregistrements[1] == u'0' && enregistrements[3] == u'0';
}

} // namespace HistoryLines
