#pragma once

#include <QString>
#include <QStringList>
#include <QList>

class Clock;
class RandomSource;
class SystemServices;

// What the core needs from outside: time, chance, the operating system and
// where the program's own files lie. Tests give fixed ones.
struct Environment
{
    Clock *clock = nullptr;
    RandomSource *random = nullptr;
    SystemServices *system = nullptr;
    // The folder of "Tabulon.ini", "Tabulon.log" and the local folders; ends with "/".
    QString programFolder;
    // Where an installation keeps the program's read-only files (the
    // read-me), for what the program folder does not hold itself.
    QString installedFilesFolder;
};

struct Niveau
{
    QString nom;            // at most 10 characters
    QStringList classes;    // at most 20, each at most 10 characters
};

// Training records that live for the whole run (learning plan).
struct ObjectifApprentissage
{
    int nb_produits = 8;
    bool mode_tables = true;
    bool choix_libre = false;
    int nb_tables = 1;
    bool apprentissage_termine = false;
};

// One bar of the progress graph: a day with a test.
struct EntreeGraphique
{
    QString jour;       // day name, space, dd/mm/yyyy (at most 20 characters)
    QString score;      // decimal text
    QString ligneTest;  // the whole test line chosen for that day
};

// The pupil's values: set by the identification, used by every activity.
struct EleveState
{
    QString nom;
    QString prenom;
    QString cle_eleve;
    QString classe;
    QString niveau;
    QString dossier_eleve;
    QString dossier_classe;
    QString fichier_eleve;
    QString code_eleve;

    bool eleve_nouveau = false;
    bool seance_du_jour = false;
    bool test_fait_aujourdhui = false;
    QString dernier_test;       // answer records of the last graph entry
    int trous_seuil = 100;

    QStringList historique;     // the history file's lines
    QStringList lignes_seance;  // this session's activity lines
    QList<EntreeGraphique> graphique;
};

// Session-wide values, computed at start and at each change of pupil.
// Paths use "/" and folders carry no trailing separator unless said.
struct SessionState
{
    // Folders and mode.
    QString dossier_programme;          // ends with "/"
    bool mode_ecole = false;
    QString chemin_serveur;
    bool serveur_accessible = false;
    bool recherche_serveur_faite = false;
    bool poste_serveur = false;
    QString dossier_eleves;
    QString dossier_eleves_monoposte;
    QString nom_etablissement;
    QString dossier_etablissement;
    QString annee_scolaire;
    QString dossier_annee;
    QString dossier_statistiques;       // the stored relative name
    QString dossier_stats_local;
    QString dossier_stats_serveur;

    // Settings from "Tabulon.ini".
    bool autorise_config_perso = false;
    bool code_prof_requis = false;
    // The teacher prompt's last choice: stay authorised until the program closes.
    bool acces_prof_jusqu_a_fermeture = false;
    // The right code was typed with that choice: no code until the program ends.
    bool code_prof_leve = false;
    QString code_professeur;
    bool identification_par_code = false;
    bool perfectionnement_libre = true;
    bool chrono_test_visible = false;
    bool bouton_pause_visible = false;
    bool masquer_tests_incomplets = false;
    int temps_acceptable = -1;
    int temps_maximum = -1;
    QString ordre_rangement_items;
    QString ne_travailler_que_les_trous;
    int nombre_items_par_bloc = -1;
    QString formule_recursive;
    int perfectionnement_temps_initial = -1;
    int perfectionnement_temps_final = -1;

    // Title of the main window: mode, school name, "MODE MONOPOSTE".
    QString titre_fenetre;
    // Num Lock and Caps Lock as found at program start, restored at each
    // session initialisation and when the program closes.
    bool verrouillage_num_depart = false;
    bool verrouillage_maj_depart = false;

    bool horloge_suspecte = false;
    bool nouvelle_annee_scolaire = false;   // the teacher window opens for a new school year

    // Establishment structure of the current school year.
    QList<Niveau> niveaux;
    int nombreClasses() const
    {
        int n = 0;
        for (const Niveau &niv : niveaux)
            n += int(niv.classes.size());
        return n;
    }

    // Objectives: text form of a set of tables, its products and tables.
    QString objectifs;
    QStringList liste_produits;         // objective product codes
    QStringList liste_tables;           // "02".."19", consecutive repeats collapsed

    // Date strings of the session start.
    QString date_du_jour;               // dd/mm/yyyy
    QString jour_semaine;               // "Lundi" ...
    QString heure_debut_seance;         // HH:MM:SS

    // Records list "liste_records.txt", kept sorted.
    QStringList liste_records;

    // Run-wide training records.
    QStringList produits_a_memoriser;
    ObjectifApprentissage objectif_apprentissage;
    QStringList produits_etudies;
    QStringList classement_tables;
    QStringList classement_produits;

    EleveState eleve;
};
