#pragma once

#include "core/SessionState.h"
#include "core/TeacherSettings.h"

class QWidget;

// How every teacher screen saves: to the server's configuration and this
// workstation's, then the box that says the change takes effect at the
// next start.
namespace TeacherSave {

QString cheminIniLocal(const Environment &env);

// Writes, tells the teacher what failed, and shows "ATTENTION!" when saved.
// False when this workstation's file could not be written.
bool enregistre(QWidget *parent, const SessionState &state, const Environment &env,
                const TeacherSettings::Ecriture &ecrit, bool annonce = true);

// The box every save ends with.
void annonce_redemarrage(QWidget *parent);

} // namespace TeacherSave
