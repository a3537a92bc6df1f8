#include "core/ProgressGraphLayout.h"

#include "core/Dates.h"
#include "core/Evaluation.h"
#include "core/Paths.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

// The date part of a day label, or an invalid date.
QDate dateDuJour(const QString &jour)
{
    const int p = int(jour.indexOf(QLatin1Char('/')));
    if (p < 2 || p + 8 > jour.size())
        return {};
    return QDate::fromString(jour.mid(p - 2, 10), QStringLiteral("dd/MM/yyyy"));
}

} // namespace

int ProgressGraphLayout::couleur_niveau(int score)
{
    constexpr int couleurs[Evaluation::kNombreNiveaux] = {0xFF0000, 0xFF8000, 0xFFFF00, 0x008000, 0x0000FF, 0xFF00FF};
    if (score < 0 || score > 100)
        return kPasDeCouleur;
    return couleurs[Evaluation::tranche_niveau(score)];
}

QString ProgressGraphLayout::etiquette_courte(const QString &jour)
{
    const int p = int(jour.indexOf(QLatin1Char('/')));
    const int espace = int(jour.indexOf(QLatin1Char(' ')));
    if (p < 2 || espace < 0 || p + 8 > jour.size())
        return jour;
    return jour.left(std::min(espace, 3)) + QLatin1Char(' ') + jour.mid(p - 2, 6) + jour.mid(p + 6, 2);
}

QString ProgressGraphLayout::annee_scolaire_du_jour(const QString &jour)
{
    const QDate date = dateDuJour(jour);
    if (!date.isValid())
        return {};
    return Dates::annee_scolaire(date);
}

QString ProgressGraphLayout::classe_a_la_date(const QString &dossierEtablissement, const QString &cle,
                                              const QString &jour)
{
    const QString annee = annee_scolaire_du_jour(jour);
    if (annee.isEmpty() || cle.isEmpty())
        return {};
    const QDir dossierAnnee(Paths::join(dossierEtablissement, annee));
    const QStringList classes = dossierAnnee.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    const QString lien = cle + QStringLiteral(".lnk");
    for (const QString &classe : classes) {
        if (QFileInfo::exists(Paths::join(dossierAnnee.path(), classe, lien)))
            return classe;
    }
    return {};
}

ProgressGraphLayout::Plan ProgressGraphLayout::planifie(const QList<EntreeGraphique> &entrees, int L,
                                                        int largeurFenetre, const ClasseDuJour &classeDuJour)
{
    Plan plan;
    int k = 0;
    QString classePrecedente;
    int X = 0;
    for (int i = 1; i <= int(entrees.size()); ++i) {
        const EntreeGraphique &entree = entrees.at(i - 1);
        bool ok = false;
        const int score = entree.score.trimmed().toInt(&ok);
        // Geometry stays inside the drawing even for a score the file should
        // never hold; such a bar simply gets no colour.
        const int s = ok ? std::clamp(score, 0, 100) : 0;
        const int hauteur = kPixelsParPourcent * s + 1;

        if (classeDuJour) {
            const QString classe = classeDuJour(entree.jour);
            if (classe != classePrecedente) {
                Element legende;
                legende.genre = Genre::Classe;
                legende.left = L + kPasBarre * (i + k) - 50;
                legende.top = kBaseline;
                legende.width = 61;
                legende.height = 61;
                legende.texte = QStringLiteral("Classe de ") + classe + QLatin1Char(':');
                legende.entree = i;
                plan.elements.append(legende);
                classePrecedente = classe;
                ++k;
            }
        }
        X = kPasBarre * (i + k);

        Element jour;
        jour.genre = Genre::Jour;
        jour.left = L + X - 64;
        jour.top = kBaseline - 1;
        jour.width = 70;
        jour.height = 70;
        jour.texte = etiquette_courte(entree.jour);
        jour.entree = i;
        plan.elements.append(jour);

        Element barre;
        barre.genre = Genre::Barre;
        barre.left = L + X - 4;
        barre.top = kBaseline + 1 - hauteur;
        barre.width = kLargeurBarre;
        barre.height = hauteur;
        barre.couleur = ok ? couleur_niveau(score) : kPasDeCouleur;
        barre.tag = 1000000 + i;
        barre.entree = i;
        plan.elements.append(barre);

        Element etiquette;
        etiquette.genre = Genre::Score;
        etiquette.left = L + X - 2;
        etiquette.top = kBaseline + 1 - hauteur - 14;
        etiquette.width = 24;
        etiquette.height = 17;
        etiquette.texte = entree.score.trimmed() + QLatin1Char('%');
        etiquette.entree = i;
        plan.elements.append(etiquette);
    }
    plan.xDernier = X;
    if (entrees.isEmpty())
        return plan;

    // The reference lines always reach past the last bar, also before the
    // scroll box has to grow.
    plan.longueurLignes = std::max(kLongueurLignes, X + 30);
    const int E = L + X + 80;
    plan.largeurContenu = E;
    if (E > kLargeurScrollbox && E < largeurFenetre - kMargeDroite)
        plan.largeurScrollbox = E;
    if (E >= largeurFenetre - kMargeDroite) {
        plan.largeurScrollbox = largeurFenetre - kMargeDroite;
        plan.hauteurScrollbox = kHauteurScrollboxDefilante;
        plan.defileALaFin = true;
    }
    return plan;
}
