#include "teacher/TeacherSave.h"

#include "core/Paths.h"
#include "widgets/Dialogs.h"

namespace TeacherSave {

QString cheminIniLocal(const Environment &env)
{
    return Paths::join(env.programFolder, QStringLiteral("Tabulon.ini"));
}

bool enregistre(QWidget *parent, const SessionState &state, const Environment &env,
                const TeacherSettings::Ecriture &ecrit, bool annonce)
{
    QString erreur;
    QString avertissement;
    const bool ok = TeacherSettings::enregistre_partout(state, cheminIniLocal(env), ecrit, &erreur, &avertissement);
    if (!avertissement.isEmpty())
        Dialogs::warning(parent, QStringLiteral("Serveur"), avertissement);
    if (!ok) {
        Dialogs::warning(parent, QStringLiteral("Enregistrement impossible"), erreur);
        return false;
    }
    if (annonce)
        annonce_redemarrage(parent);
    return true;
}

void annonce_redemarrage(QWidget *parent)
{
    Dialogs::warning(parent, QStringLiteral("ATTENTION!"),
                     QStringLiteral("OK.\n\rLe logiciel doit être redémarré\n\rpour prendre en compte les changements"));
}

} // namespace TeacherSave
