#pragma once

#include "core/SessionState.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class IniFile;

// The settings the teacher edits: the "Paramètres" tab, the home-mode
// "Réglages" window and the objectives per level. How they are read from
// "Tabulon.ini", checked and written, and how a teacher's save reaches every
// workstation: written to the server's copy first (the one every workstation
// copies at start), then to this workstation's.
namespace TeacherSettings {

inline const QString kPlaceholderServeur = QStringLiteral("{Chemin serveur}\\");
inline const QStringList kFormules = {QStringLiteral("1.1.2.1.3"), QStringLiteral("1.1.1.3"),
                                      QStringLiteral("1.1.2.1.1.4")};
// The tables of the objectives screens, by number; 11 stands for the squares.
inline const QList<int> kTablesClassiques = {2, 3, 4, 5, 6, 7, 8, 9};
inline const QList<int> kTablesEtendues = {11, 12, 13, 14, 15, 16, 17, 18, 19};
QString cle_table_objectif(int table);   // "table_7", "table_carres" for 11
inline const QString kEtendusParDefaut = QStringLiteral("1111,1212,1313,1414,1515,1616,1717,1818,1919");
// The response times of the settings are whole seconds in this range.
inline constexpr int kSecondesMin = 1;
inline constexpr int kSecondesMax = 99;

struct Reglages
{
    // "Paramètres" only.
    QString cheminServeur;
    QString dossierElevesReseau;   // shown and typed without "{Chemin serveur}\"
    QString dossierMonoposte;
    QString dossierStatistiques;
    QString codeProfesseur;
    bool identificationParCode = false;
    // Both screens.
    int tempsAcceptable = -1;
    int tempsMaximum = -1;
    int tempsInitialPerfect = -1;
    int tempsFinalPerfect = -1;
    bool apprentissageObligatoire = false;
    bool chronoVisible = false;
    bool pauseVisible = false;
    bool masquerIncomplets = false;
    bool configPerso = false;
    QString ordre;                 // "par tables" or "valeur produit"
    int tailleBloc = -1;
    QString formule;
    // "Réglages" only.
    // Written only when not empty: the screen fills the range chosen.
    QString objectifsClassiques;   // comma list of table keys
    QString objectifsEtendus;      // comma list of table keys, or the squares' product list
    bool modeEcole = true;
};

Reglages lit(const IniFile &ini);

// What the teacher typed that cannot be used, with the field named; empty
// when all is well. Times 1..99 seconds, blocks of 2 to 4, a formula the
// learning plan can follow.
QString verifie(const Reglages &r);
// Empty when the formula can drive the learning plan: positive whole numbers
// joined by ".", starting with 1, the last one (2 or more) being the number
// of 1s, and no revision larger than the blocks met before it.
QString verifie_formule(const QString &formule);
// A warning, not a refusal: the access prompt takes at most 4 lower-case
// characters, so a longer code or one with capitals can never be typed.
QString avertissement_code(const QString &code);

// The keys of each screen, in the order of the settings table.
bool ecrit_parametres(IniFile &ini, const Reglages &r, QString *erreur);
bool ecrit_reglages(IniFile &ini, const Reglages &r, QString *erreur);

// Objectives per level: "sixième<table_2,table_3>cinquième<>".
struct ObjectifsNiveau
{
    QString niveau;
    QStringList tables;   // table keys
};
QList<ObjectifsNiveau> lit_objectifs_niveaux(const QString &texte);
QString texte_objectifs_niveaux(const QList<ObjectifsNiveau> &niveaux);

// The server copy of "Tabulon.ini" that a save must reach; empty when this
// workstation has no reachable server holding one (home mode, no share
// path, server out of reach, no "Tabulon" folder there).
QString chemin_ini_serveur(const SessionState &state);

// Applies `ecrit` to the server's copy (when there is one) and then to the
// local file, each replaced whole, never half written. False only when the
// local file could not be written; when the server copy could not,
// *avertissement tells the teacher, in French, that the change stays on this
// workstation and will be replaced at the next start.
using Ecriture = std::function<bool(IniFile &ini, QString *erreur)>;
bool enregistre_partout(const SessionState &state, const QString &iniLocal, const Ecriture &ecrit, QString *erreur,
                        QString *avertissement);

} // namespace TeacherSettings
