#pragma once

#include "core/NiveauxTexte.h"
#include "core/SessionState.h"

#include <QList>
#include <QString>

class IniFile;

// The establishment as the teacher sets it up: the school's name and, for the
// current school year, its levels and classes. What the establishment tab
// shows when it opens, what it refuses to save and how it saves.
class EstablishmentSetup
{
public:
    static constexpr int kMaxNiveaux = NiveauxTexte::kMaxNiveaux;
    static constexpr int kMaxClasses = NiveauxTexte::kMaxClasses;
    static constexpr int kLongueurNom = NiveauxTexte::kLongueurNom;
    // How far back the opening looks for a year already set up.
    static constexpr int kAnneesEnArriere = 10;

    static const QString kSection;              // "Etablissement"
    static const QString kCleNom;               // "Nom"

    // "Niveaux et classes " followed by the school year.
    static QString cle_niveaux(const QString &anneeScolaire);

    // What the tab shows when the teacher window opens.
    struct Ouverture
    {
        QString nom;
        QList<Niveau> niveaux;
        // The most recent year whose label the section holds; empty when
        // none within reach does, and the built-in structure is shown.
        QString anneeTrouvee;
    };

    // Gives the school its default name when it has none, then takes the
    // structure of the most recent school year (this one, then up to ten
    // years back) whose label appears anywhere in the section, as the
    // start-up does for a new year; the built-in structure when there is none.
    static Ouverture ouverture(const IniFile &ini, SessionState &state);

    // Names as they are stored: surrounding blanks dropped, then cut to
    // kLongueurNom characters.
    static QString nom_stocke(const QString &saisi);
    static QList<Niveau> coupe(const QList<Niveau> &niveaux);

    // A refusal names the box at fault so that the window can put the focus
    // on it: niveau 0 is the school name; classe 0 is the level's own name.
    struct Refus
    {
        QString message;
        int niveau = 0;
        int classe = 0;
        bool isEmpty() const { return message.isEmpty(); }
    };

    // Checks what the teacher typed, as it will be stored (after the cut):
    // names that are empty, that could not be read back from the level text,
    // that could not stand as a folder, or that repeat another one.
    static Refus verifie(const QString &nom, const QList<Niveau> &saisis);

    // The level text of the cut names.
    static QString texte_niveaux(const QList<Niveau> &saisis);

    // Writes "Nom" and the current year's level text, leaving every other
    // year as it is, and puts the cut structure in state.niveaux. Nothing is
    // written when the input is refused; false with the reason then, or when
    // the file could not be written.
    static bool enregistre(IniFile &ini, SessionState &state, const QString &nom,
                           const QList<Niveau> &saisis, Refus *refus);
};
