#pragma once

#include "core/SessionState.h"
#include "core/StartupLog.h"

#include <QString>
#include <QStringList>

#include <functional>

class IniFile;

// The start-up of a session: reads "Tabulon.ini" (writing a default one at
// the very first start), looks for the server once per run, chooses the data
// folders, takes the server's configuration and records, and sets up the
// school's levels and classes for the current school year. It fills the
// SessionState and never shows anything: the main window shows the title,
// the boxes and the windows from what it finds there and in the results.
class SessionInitializer
{
public:
    // Gets the server share path from the user when "Chemin serveur" is
    // empty. *path holds a proposal on entry; false when cancelled.
    using AskServerPath = std::function<bool(QString *path)>;
    // Hands the files written locally while the server was away to the
    // server (done by the pupil-files module).
    using CleanupLocalFiles = std::function<void()>;

    static const QString kVersion;
    static const QString kCheminServeurPropose;
    static const QString kNomEtablissementDefaut;

    SessionInitializer(SessionState &state, const Environment &env);

    // Runs at start and at each change of pupil. Returns true when the
    // records list was read from the local copy and must be shown at once;
    // false when the server's copy was taken (the records then stay hidden
    // until the pupil asks for them). Nothing is fatal: a damaged or missing
    // file reads as the marker text, missing folders are created.
    bool initialise_session(const AskServerPath &askServerPath = {},
                            const CleanupLocalFiles &cleanupLocalFiles = {});

    enum class SuiteEcole {
        Continue,       // the school is set up: identify the pupil
        ClockWarning,   // show titre/texte as a warning; nothing else is set up this run
        NewSchoolYear,  // open the teacher's establishment tab instead of the identification
    };
    struct ResultatEcole
    {
        SuiteEcole suite = SuiteEcole::Continue;
        QString titre;
        QString texte;
    };
    // School mode, once at start, after initialise_session.
    ResultatEcole initialise_ecole();

    // True (and state.horloge_suspecte) when the school folder holds a year
    // folder later than the current school year: the clock is probably wrong.
    bool Verifie_annee_horloge();

    // Nothing is set up for the current school year: takes the most recent
    // structure of the 10 previous years (or the built-in one) into
    // state.niveaux and sets state.nouvelle_annee_scolaire. Creates no folder.
    void reglages_rentree_scolaire();

    // The most recent school year label, from anneeScolaire - nMin years back
    // to anneeScolaire - nMax years back, that occurs anywhere in the text of
    // section "Etablissement" (keys and values). Empty when none does. The
    // start-up searches 1..10 years back; the teacher window 0..10.
    static QString annee_niveaux_recente(const IniFile &ini, const QString &anneeScolaire, int nMin, int nMax);
    // The levels-and-classes text of that year; the built-in structure when
    // no year is found or its text holds no level.
    static QString texte_niveaux_recent(const IniFile &ini, const QString &anneeScolaire, int nMin, int nMax);

    // "Tabulon.ini" of the program folder.
    QString cheminIni() const;
    // The file the settings were read from: the local file, or the server's
    // copy when it could not be written over the local one.
    const QString &cheminLecture() const { return m_cheminLecture; }
    const StartupLog &journal() const { return m_log; }
    // French texts of what could not be written during the last call.
    const QStringList &problemes() const { return m_problemes; }

private:
    QString demande_chemin_serveur(const AskServerPath &askServerPath, IniFile &ini);
    bool serveur_repond() const;
    bool est_poste_serveur() const;
    void calcule_dossiers_ecole();
    void recupere_configuration_serveur();
    void lit_parametres(const IniFile &ini);
    void cree_dossier(const QString &dossier);
    void lit_objectifs(const IniFile &ini);
    bool charge_records();
    void probleme(const QString &texte);

    SessionState &m_state;
    Environment m_env;
    StartupLog m_log;
    QString m_cheminLecture;
    QString m_cheminServeurStocke;  // as stored, without its trailing separator
    // The school's name is read once per run, at the school set-up: a name
    // saved meanwhile takes effect at the next start, not at the next
    // change of pupil (its folder holds every pupil file).
    bool m_nomEtablissementLu = false;
    QStringList m_problemes;
};
