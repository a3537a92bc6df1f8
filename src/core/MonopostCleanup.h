#pragma once

#include <QString>
#include <QStringList>

struct SessionState;
struct Environment;

// A workstation that could not reach the server kept its pupils' files in its
// own folder ("MODE MONOPOSTE"). Once the server answers again, those files go
// to the server: merged into the server's copy when there is one, copied
// otherwise; the local file then goes to "CorbeilleTabulon" and the local
// class links are recreated on the server.
namespace MonopostCleanup {

inline const QString kTitreInformation = QStringLiteral("Pour information:");
// "3 fichiers transmis au serveur": the text of the box the caller shows when
// the count is not zero.
QString informationText(int nombre);

// Returns the number of files whose content reached the server. A file whose
// merge or copy failed stays where it is (it is tried again at the next
// start); the reasons are appended to erreurs. Does nothing when the local and
// the server school folders are the same folder.
int nettoie_doublons_monoposte_serveur(const SessionState &state, const Environment &env,
                                       QStringList *erreurs = nullptr);

} // namespace MonopostCleanup
