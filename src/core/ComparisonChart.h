#pragma once

#include "core/ClassTestCollector.h"

#include <QList>
#include <QPair>
#include <QString>

// The comparison chart of the teacher's pupil statistics: pupils grouped by
// class, by level, by score band or by speed band, each bar the rounded
// average score or speed of its group, its number of pupils or their share.
namespace ComparisonChart {

enum class Abscisse { Classe, Niveau, Score, Rapidite };
enum class Ordonnee { Score, Rapidite, NbEleves, PctEleves };

struct Graphique
{
    QString titre;
    int haut = 0;
    int nbEleves = 0;   // pupils taken into account (P)
    QList<QPair<QString, int>> barres;

    QString legende() const { return QString::number(nbEleves) + QStringLiteral(" élèves"); }
    // The chart text: title, top, caption, then label and value of each bar, TAB-separated.
    QString texte() const;
    // The bars for a spreadsheet.
    QList<QStringList> lignes_csv() const;
};

QString nom_abscisse(Abscisse a);
QString titre_ordonnee(Ordonnee o);
// The top of the vertical axis for the largest bar.
int haut_axe(int maximum);

// Groups the pupils that have a selected test. A pupil whose test gives no
// value for the measure used (no classic product for a score, no time for a
// speed) is left out. Class and level groups are those of the ticked classes.
Graphique genere_donnees(const QList<Niveau> &niveaux, const QSet<ClassTestCollector::Classe> &cochees,
                         const QList<ClassTestCollector::EleveTest> &eleves, Abscisse abscisse, Ordonnee ordonnee,
                         int tempsAcceptable);

} // namespace ComparisonChart
