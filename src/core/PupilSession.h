#pragma once

#include "core/SessionState.h"

#include <QString>

// A pupil's session as the history file sees it: what is read when the
// identification closes, and what is written at the change of pupil and
// when the program closes. The main window shows the results (name and
// class labels, graph, "  TEST" button); nothing here shows anything.
namespace PupilSession {

// "Tabulon.ini" of the program folder.
QString cheminIni(const SessionState &state, const Environment &env);

// The keys of a level in "Objectifs tables classiques par niveaux"
// ("CE2<table_2,table_3>CM1<...>"), in the current form; empty when the
// level is not there or has none.
QString objectifs_du_niveau(const QString &parNiveaux, const QString &niveau);

// Makes the objectives (table keys) the pupil's: the product list, the
// table list and the products studied are rebuilt from them.
void applique_objectifs(SessionState &state, const QString &objectifs);

// Refreshes the date strings and the session start time, applies the
// objectives of the pupil's level, reads his history (recupere_donnees) or
// marks him as new, and chooses what the training starts with.
void initialise_session_eleve(SessionState &state, const Environment &env);

// From the history list already loaded: the personal settings, the per-day
// graph table, seance_du_jour and dernier_test.
void recupere_donnees(SessionState &state);

// Adds this session to the history file as it is on disk now (under a short
// lock, so another workstation's or the teacher's changes are kept), links
// the file into the class folder and saves the personal settings. Nothing
// is written without a name. False, with a French error text, when any of
// it could not be written; the session lines are kept for another try.
// At school, when the server's copy cannot be written (the share is gone or
// refuses it), the session goes to the same place in the workstation's own
// pupils folder, which the next start hands to the server; *avis then tells
// the pupil so, in French.
bool EnregistrementSeance(SessionState &state, const Environment &env, QString *error, QString *avis = nullptr);

// Records the session, then forgets the pupil: his values, history and
// session lines, and the training choice drawn from them. The main window
// then runs the session start-up and the identification again.
bool changement_eleve(SessionState &state, const Environment &env, QString *error);

} // namespace PupilSession
