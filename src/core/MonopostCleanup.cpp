#include "core/MonopostCleanup.h"

#include "core/HistoryMerge.h"
#include "core/Paths.h"
#include "core/PupilFolders.h"
#include "core/PupilKey.h"
#include "core/SessionState.h"
#include "core/ShellLink.h"

#include <QDir>
#include <QFileInfo>

namespace MonopostCleanup {
namespace {

struct Contexte
{
    QString dossierProgramme;
    SystemServices *system = nullptr;
    QStringList *erreurs = nullptr;

    void signale(const QString &texte) const
    {
        if (erreurs)
            erreurs->append(texte);
    }
};

// Brings one local history file to the server folder, into the server's copy
// when it has one (found whatever its capitals, as the server itself would),
// under the lock every writer of a history takes. True when its content is
// now on the server.
bool transmet(const Contexte &ctx, const QString &local, const QString &serveur)
{
    const QFileInfo info(serveur);
    const QString existant = PupilFolders::existingName(info.absolutePath(), info.fileName());
    const QString cible = existant.isEmpty() ? serveur : Paths::join(info.absolutePath(), existant);
    QString erreur;
    if (HistoryMerge::mergeFiles(local, cible, &erreur))
        return true;
    ctx.signale(erreur);
    return false;
}

// Recreates on the server the class links that this workstation made for the
// pupil, then sends the local links to the recycle bin.
void transmetLiens(const Contexte &ctx, const QString &anneeLocale, const QString &anneeServeur,
                   const QString &cle, const QString &historiqueServeur)
{
    for (const QString &classe : PupilFolders::listSubfolders(anneeLocale)) {
        const QString dossierLocal = PupilFolders::classFolder(anneeLocale, classe);
        if (!ShellLink::isMember(dossierLocal, cle))
            continue;
        const QString dossierServeur = PupilFolders::classFolder(anneeServeur, classe);
        if (!ShellLink::isMember(dossierServeur, cle)) {
            QString erreur;
            if (!ShellLink::write(PupilFolders::linkFile(dossierServeur, cle), historiqueServeur, &erreur)) {
                ctx.signale(erreur);
                continue;
            }
        }
        const QString lienLocal = PupilFolders::linkFile(dossierLocal, cle);
        if (!ctx.system || !PupilFolders::deleteToRecycleBin(*ctx.system, lienLocal))
            ctx.signale(QStringLiteral("Le lien %1 n'a pas pu être retiré.").arg(QDir::toNativeSeparators(lienLocal)));
    }
}

int transmetDossier(const Contexte &ctx, const QString &dossierLocal, const QString &dossierServeur,
                    const QString &anneeLocale, const QString &anneeServeur)
{
    QStringList fichiers;
    PupilFolders::listFiles(dossierLocal, QStringLiteral("*.txt"), &fichiers);
    int nombre = 0;
    for (const QString &nom : fichiers) {
        const QString local = Paths::join(dossierLocal, nom);
        const QString serveur = Paths::join(dossierServeur, nom);
        if (!transmet(ctx, local, serveur))
            continue;
        ++nombre;
        QString erreur;
        if (!PupilFolders::moveToRecycleFolder(ctx.dossierProgramme, local, &erreur))
            ctx.signale(erreur);
        if (!anneeLocale.isEmpty())
            transmetLiens(ctx, anneeLocale, anneeServeur, PupilKey::keyOfFile(nom), serveur);
    }
    return nombre;
}

} // namespace

QString informationText(int nombre)
{
    return QStringLiteral("%1 fichiers transmis au serveur").arg(nombre);
}

int nettoie_doublons_monoposte_serveur(const SessionState &state, const Environment &env, QStringList *erreurs)
{
    Contexte ctx;
    ctx.dossierProgramme = env.programFolder.isEmpty() ? state.dossier_programme : env.programFolder;
    ctx.system = env.system;
    ctx.erreurs = erreurs;

    const QString racineLocale = Paths::absoluteFrom(ctx.dossierProgramme, state.dossier_eleves_monoposte);
    const QString ecoleLocale = PupilFolders::schoolFolder(racineLocale, state.nom_etablissement);
    const QString ecoleServeur = PupilFolders::schoolFolder(state.dossier_eleves, state.nom_etablissement);
    // Working on the local folder itself: moving its files away would empty it.
    if (state.dossier_eleves.isEmpty()
        || QFileInfo(ecoleLocale).absoluteFilePath() == QFileInfo(ecoleServeur).absoluteFilePath())
        return 0;

    QDir().mkpath(PupilFolders::recycleFolder(ctx.dossierProgramme));
    int nombre = transmetDossier(ctx, ecoleLocale, ecoleServeur,
                                 PupilFolders::yearFolder(ecoleLocale, state.annee_scolaire),
                                 PupilFolders::yearFolder(ecoleServeur, state.annee_scolaire));
    // Pupils registered without a class on this workstation would otherwise
    // never reach the server.
    nombre += transmetDossier(ctx, PupilFolders::outOfClassFolder(ecoleLocale),
                              PupilFolders::outOfClassFolder(ecoleServeur), QString(), QString());
    return nombre;
}

} // namespace MonopostCleanup
