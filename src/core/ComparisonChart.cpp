#include "core/ComparisonChart.h"

#include "core/Evaluation.h"

#include <algorithm>

namespace ComparisonChart {
namespace {

struct Groupe
{
    QString libelle;
    qint64 somme = 0;
    int nombre = 0;
};

QString libelle_bande_score(int bande)
{
    return bande == 9 ? QStringLiteral("90..100%")
                      : QString::number(bande * 10) + QStringLiteral("..") + QString::number(bande * 10 + 9) + u'%';
}

QString libelle_bande_vitesse(int bande)
{
    return QString::number(bande * 5) + QStringLiteral("..") + QString::number(bande * 5 + 4);
}

} // namespace

QString Graphique::texte() const
{
    QStringList champs{titre, QString::number(haut), legende()};
    for (const auto &[libelle, valeur] : barres)
        champs << libelle << QString::number(valeur);
    return champs.join(u'\t');
}

QList<QStringList> Graphique::lignes_csv() const
{
    QList<QStringList> lignes;
    const qsizetype par = titre.indexOf(QStringLiteral(" par "));
    const QString ordonnee = par < 0 ? titre : titre.left(par);
    QString abscisse = par < 0 ? QString() : titre.mid(par + 5);
    if (!abscisse.isEmpty())
        abscisse[0] = abscisse[0].toUpper();
    lignes.append({abscisse, ordonnee});
    for (const auto &[libelle, valeur] : barres)
        lignes.append({libelle, QString::number(valeur)});
    lignes.append(QStringList{QString()});
    lignes.append({QStringLiteral("Élèves pris en compte"), QString::number(nbEleves)});
    return lignes;
}

QString nom_abscisse(Abscisse a)
{
    switch (a) {
    case Abscisse::Classe: return QStringLiteral("classe");
    case Abscisse::Niveau: return QStringLiteral("niveau");
    case Abscisse::Score: return QStringLiteral("score");
    case Abscisse::Rapidite: return QStringLiteral("rapidité");
    }
    return {};
}

QString titre_ordonnee(Ordonnee o)
{
    switch (o) {
    case Ordonnee::Score: return QStringLiteral("Score");
    case Ordonnee::Rapidite: return QStringLiteral("Rapidité (nb br/mn)");
    case Ordonnee::NbEleves: return QStringLiteral("Nombre d'élèves");
    case Ordonnee::PctEleves: return QStringLiteral("Répartition (%)");
    }
    return {};
}

int haut_axe(int maximum)
{
    const int m = std::max(maximum, 0);
    int u = 1;
    while (m / u >= 10)
        u *= 10;
    return (m / u + 1) * u;
}

Graphique genere_donnees(const QList<Niveau> &niveaux, const QSet<ClassTestCollector::Classe> &cochees,
                         const QList<ClassTestCollector::EleveTest> &eleves, Abscisse abscisse, Ordonnee ordonnee,
                         int tempsAcceptable)
{
    const bool parBandes = abscisse == Abscisse::Score || abscisse == Abscisse::Rapidite;
    // A band already says the score or the speed: only counts make sense above it.
    if (parBandes && (ordonnee == Ordonnee::Score || ordonnee == Ordonnee::Rapidite))
        ordonnee = Ordonnee::NbEleves;
    const bool mesureScore = abscisse == Abscisse::Score || ordonnee == Ordonnee::Score;
    const bool mesureVitesse = abscisse == Abscisse::Rapidite || ordonnee == Ordonnee::Rapidite;

    QList<Groupe> groupes;
    QHash<int, int> groupeDeClasse;   // niveau * 100 + classe -> group
    QHash<int, int> groupeDeNiveau;
    if (!parBandes) {
        for (int i = 1; i <= niveaux.size(); ++i) {
            const QStringList &classes = niveaux.at(i - 1).classes;
            for (int j = 1; j <= classes.size(); ++j) {
                if (!cochees.contains({i, j}))
                    continue;
                if (abscisse == Abscisse::Classe) {
                    groupeDeClasse.insert(i * 100 + j, int(groupes.size()));
                    groupes.append({classes.at(j - 1)});
                } else if (!groupeDeNiveau.contains(i)) {
                    groupeDeNiveau.insert(i, int(groupes.size()));
                    groupes.append({niveaux.at(i - 1).nom});
                }
            }
        }
    } else if (abscisse == Abscisse::Score) {
        for (int b = 0; b < 10; ++b)
            groupes.append({libelle_bande_score(b)});
    }

    int P = 0;
    for (const ClassTestCollector::EleveTest &e : eleves) {
        if (e.enregistrements.isEmpty() || !cochees.contains(e.classe))
            continue;
        int valeur = 0;
        if (mesureScore) {
            valeur = Evaluation::score_tables(e.enregistrements, QStringLiteral("tables_classiques"), tempsAcceptable);
            if (valeur < 0)
                continue;
        } else if (mesureVitesse) {
            valeur = Evaluation::vitesse_reponses(e.enregistrements);
            if (valeur < 0)
                continue;
        }
        int g = -1;
        switch (abscisse) {
        case Abscisse::Classe: g = groupeDeClasse.value(e.classe.niveau * 100 + e.classe.classe, -1); break;
        case Abscisse::Niveau: g = groupeDeNiveau.value(e.classe.niveau, -1); break;
        case Abscisse::Score: g = std::min(valeur / 10, 9); break;
        case Abscisse::Rapidite:
            g = valeur / 5;
            while (groupes.size() <= g)
                groupes.append({libelle_bande_vitesse(int(groupes.size()))});
            break;
        }
        if (g < 0)
            continue;
        ++P;
        groupes[g].somme += valeur;
        groupes[g].nombre += 1;
    }

    Graphique r;
    r.titre = titre_ordonnee(ordonnee) + QStringLiteral(" par ") + nom_abscisse(abscisse);
    r.nbEleves = P;
    for (const Groupe &g : groupes) {
        switch (ordonnee) {
        case Ordonnee::Score:
        case Ordonnee::Rapidite:
            if (g.nombre > 0)
                r.barres.append({g.libelle, int((g.somme + g.nombre / 2) / g.nombre)});
            break;
        case Ordonnee::NbEleves:
            r.barres.append({g.libelle, g.nombre});
            break;
        case Ordonnee::PctEleves:
            r.barres.append({g.libelle, P > 0 ? (g.nombre * 200 + P) / (2 * P) : g.nombre});
            break;
        }
    }
    int m = 0;
    for (const auto &barre : r.barres)
        m = std::max(m, barre.second);
    r.haut = ordonnee == Ordonnee::Score ? 100 : haut_axe(m);
    return r;
}

} // namespace ComparisonChart
