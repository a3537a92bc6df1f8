#pragma once

#include "core/SessionState.h"

#include <QList>
#include <QString>
#include <functional>

// Where every piece of the progress graph goes: one bar per day with a test,
// its rotated day label, its score, and a rotated class caption before the
// first bar of each class. The window only creates the pieces it is given.
// Coordinates are those of the scroll box's content; L is the left edge of
// the colour legend, the baseline of 0 % is at y = 260, 2 pixels a percent.
class ProgressGraphLayout
{
public:
    static constexpr int kBaseline = 260;
    static constexpr int kPixelsParPourcent = 2;
    static constexpr int kLargeurBarre = 28;
    static constexpr int kPasBarre = 32;
    static constexpr int kLargeurScrollbox = 600;
    static constexpr int kHauteurScrollbox = 350;
    static constexpr int kHauteurScrollboxDefilante = 370;
    static constexpr int kLongueurLignes = 320;
    // Bars keep the window's right-hand 200 pixels free.
    static constexpr int kMargeDroite = 200;
    static constexpr int kPasDeCouleur = -1;

    enum class Genre { Classe, Jour, Barre, Score };

    struct Element
    {
        Genre genre = Genre::Barre;
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        QString texte;
        // 0xRRGGBB fill of a bar; kPasDeCouleur for a score outside 0..100.
        int couleur = kPasDeCouleur;
        // Bars: 1 000 000 + the entry number (from 1).
        int tag = 0;
        int entree = 0;
    };

    struct Plan
    {
        // In creation order: the window names them "composant" 1, 2, ...
        QList<Element> elements;
        int xDernier = 0;               // X of the last bar, 0 without bars
        int longueurLignes = kLongueurLignes;
        int largeurScrollbox = kLargeurScrollbox;
        int hauteurScrollbox = kHauteurScrollbox;
        bool defileALaFin = false;
        // Room the pieces need (E); the content is never narrower than the
        // inside of the scroll box.
        int largeurContenu = 0;
    };

    // The pupil's class in the school year of a day label ("Mardi 14/11/2006");
    // empty when none is known.
    using ClasseDuJour = std::function<QString(const QString &jour)>;

    // L: left edge of the legend; largeurFenetre: the main window's width.
    // classeDuJour is only asked in school mode (pass an empty function in
    // home mode).
    static Plan planifie(const QList<EntreeGraphique> &entrees, int L, int largeurFenetre,
                         const ClasseDuJour &classeDuJour);

    // Level colour of a score: FF0000 below 50, FF8000 to 69, FFFF00 to 84,
    // 008000 to 94, 0000FF to 99, FF00FF at 100; kPasDeCouleur outside 0..100.
    static int couleur_niveau(int score);

    // "Mardi 14/11/2006" -> "Mar 14/11/06". A label without a date is kept whole.
    static QString etiquette_courte(const QString &jour);

    // The school year (2006-2007) of a day label; empty without a readable date.
    static QString annee_scolaire_du_jour(const QString &jour);

    // The class folder of etablissement/<school year of the day> that holds
    // <cle>.lnk; folders are searched in name order; empty when none does.
    static QString classe_a_la_date(const QString &dossierEtablissement, const QString &cle,
                                    const QString &jour);
};
