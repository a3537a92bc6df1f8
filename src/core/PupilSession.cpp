#include "core/PupilSession.h"

#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/Dates.h"
#include "core/HistoryLines.h"
#include "core/HistoryMerge.h"
#include "core/IniFile.h"
#include "core/ItemSelection.h"
#include "core/Paths.h"
#include "core/PersonalConfig.h"
#include "core/PupilHistory.h"
#include "core/SharedFileLock.h"
#include "core/ShellLink.h"
#include "core/SystemServices.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace PupilSession {
namespace {

QDateTime maintenant(const Environment &env)
{
    return env.clock ? env.clock->now() : QDateTime::currentDateTime();
}

// A save killed during its final rename leaves its copy beside the file
// ("Dupont_Jean.txt.AbC123"). Under the file's lock no other save of it is
// under way; a copy untouched for longer than a lock may live belongs to none.
void efface_copies_abandonnees(const QString &fichier)
{
    const QFileInfo info(fichier);
    const QString prefixe = info.fileName() + u'.';
    static const QRegularExpression suffixe(QStringLiteral("^[A-Za-z0-9]{6}$"));
    const QDateTime limite = QDateTime::currentDateTimeUtc().addMSecs(-SharedFileLock::kStaleMs);
    const QFileInfoList copies =
        info.dir().entryInfoList({prefixe + QStringLiteral("??????")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &copie : copies) {
        if (suffixe.match(copie.fileName().mid(prefixe.size())).hasMatch() && copie.lastModified().toUTC() < limite)
            QFile::remove(copie.filePath());
    }
}

// Adds the session to the file as it is on disk now, under its lock; the
// lines of the file as saved go to *historique. With dossierRequis, a folder
// that is gone (a share that was unmounted) is not made again.
bool enregistre_dans(const QString &fichier, const QStringList &seance, bool dossierRequis, QStringList *historique,
                     QString *raison, bool *occupe = nullptr)
{
    const QString dossier = QFileInfo(fichier).absolutePath();
    if (dossierRequis && !QFileInfo(dossier).isDir()) {
        *raison = QStringLiteral("Le dossier %1 n'est pas accessible.").arg(QDir::toNativeSeparators(dossier));
        return false;
    }
    SharedFileLock verrou(fichier);
    if (!verrou.lock(raison)) {
        if (occupe)
            *occupe = verrou.wasBusy();
        return false;
    }

    efface_copies_abandonnees(fichier);

    // What is on disk now, not what was read at the start of the session:
    // another workstation or the teacher may have added to it since.
    *raison = PupilHistory::refus_taille(fichier);
    if (!raison->isEmpty())
        return false;
    // Whether the file is there is the server's answer to opening it: a
    // client's cached "it exists" outlives a rename made on another machine.
    QStringList surDisque;
    bool manquant = false;
    const bool existe = TextFile::loadLines(fichier, &surDisque, raison, &manquant);
    if (!existe && !manquant)
        return false;
    raison->clear();
    const QStringList ajout = PupilHistory::lignes_a_ajouter(surDisque, seance);
    // A pupil without activity still gets his file, so that he is known.
    if ((!ajout.isEmpty() || !existe) && !TextFile::saveLines(fichier, surDisque + ajout, raison))
        return false;
    *historique = surDisque + ajout;
    return true;
}

// The same place under this workstation's own pupils folder, for a file of
// the server's pupils folder; empty when the file is not on a server. The
// next start hands what is there to the server.
QString place_locale(const SessionState &state, const Environment &env, const QString &chemin)
{
    if (!state.mode_ecole || state.dossier_eleves.isEmpty() || state.dossier_eleves_monoposte.isEmpty())
        return {};
    const QString programme = env.programFolder.isEmpty() ? state.dossier_programme : env.programFolder;
    const QString racineLocale = Paths::absoluteFrom(programme, state.dossier_eleves_monoposte);
    const QString racineServeur = Paths::fromStored(state.dossier_eleves);
    if (QFileInfo(racineLocale).absoluteFilePath() == QFileInfo(racineServeur).absoluteFilePath())
        return {};
    const QString relatif = QDir(racineServeur).relativeFilePath(Paths::fromStored(chemin));
    if (relatif.isEmpty() || relatif.startsWith(QStringLiteral("..")) || QDir::isAbsolutePath(relatif))
        return {};
    return Paths::join(racineLocale, relatif);
}

// Sessions an earlier save had to keep on this workstation go in with the
// first save that reaches the server again, rather than waiting for the next
// start. The merge drops what the server already holds, so a session handed
// over twice (a crash between the merge and the removal) is still there once.
void transmet_seances_gardees(SessionState &state, const Environment &env, const QString &fichier,
                              const QString &local)
{
    if (!QFileInfo::exists(local))
        return;
    if (!HistoryMerge::mergeFiles(local, fichier))
        return;  // tried again at the next save, or by the next start's clean-up
    QFile::remove(local);
    state.eleve.historique = TextFile::loadLines(fichier);
    const QString classeLocale = place_locale(state, env, state.eleve.dossier_classe);
    if (!classeLocale.isEmpty() && !state.eleve.cle_eleve.isEmpty())
        QFile::remove(Paths::join(classeLocale, state.eleve.cle_eleve + QStringLiteral(".lnk")));
}

enum class Resultat { Serveur, GardeeLocalement, Echec };

Resultat enregistre_historique(SessionState &state, const Environment &env, QString *error)
{
    EleveState &e = state.eleve;
    const auto echec = [&](const QString &raison) {
        if (error)
            *error = QStringLiteral("La séance de %1 %2 n'a pas pu être enregistrée. %3").arg(e.prenom, e.nom, raison);
        return Resultat::Echec;
    };
    const QString fichier = Paths::fromStored(e.fichier_eleve);
    if (fichier.isEmpty())
        return echec(QStringLiteral("Son fichier n'est pas connu."));

    QStringList seance = e.lignes_seance;
    if (!seance.isEmpty() && !seance.first().startsWith(u'S')) {
        const QString poste = env.system ? env.system->computerName() : QString();
        seance.prepend(HistoryLines::entete_seance(state.jour_semaine, state.date_du_jour, state.heure_debut_seance,
                                                   Dates::heure_texte(maintenant(env).time()), poste));
    }

    const QString local = place_locale(state, env, fichier);
    QString raison;
    QStringList historique;
    bool occupe = false;
    if (enregistre_dans(fichier, seance, !local.isEmpty(), &historique, &raison, &occupe)) {
        e.historique = historique;
        // With its header in front, a second call recognises the session.
        e.lignes_seance = seance;
        if (!local.isEmpty())
            transmet_seances_gardees(state, env, fichier, local);
        return Resultat::Serveur;
    }
    if (local.isEmpty())
        return echec(raison);

    // The server went away, refuses the file, or another workstation held it
    // for longer than a save may wait: the session waits on this workstation,
    // as when the server could not be reached at the start.
    QString raisonLocale;
    QStringList historiqueLocal;
    if (!enregistre_dans(local, seance, false, &historiqueLocal, &raisonLocale))
        return echec(raison + u' ' + raisonLocale);
    e.lignes_seance = seance;
    if (error) {
        const QString suite = QStringLiteral("La séance de %1 %2 est gardée sur ce poste ; elle sera transmise au "
                                             "serveur au prochain enregistrement ou au prochain démarrage de Tabulon.")
                                  .arg(e.prenom, e.nom);
        *error = occupe ? QStringLiteral("Son fichier est occupé sur un autre poste. ") + suite
                        : QStringLiteral("Le serveur ne répond pas (%1). ").arg(raison) + suite;
    }
    const QString classeLocale = place_locale(state, env, e.dossier_classe);
    if (!classeLocale.isEmpty() && !e.cle_eleve.isEmpty()) {
        const QString lien = Paths::join(classeLocale, e.cle_eleve + QStringLiteral(".lnk"));
        // Without it the class is made known again at the next save on the server.
        if (!QFileInfo::exists(lien))
            ShellLink::write(lien, local);
    }
    return Resultat::GardeeLocalement;
}

bool lie_a_la_classe(const SessionState &state, QString *error)
{
    const EleveState &e = state.eleve;
    if (!state.mode_ecole || e.classe.isEmpty() || e.dossier_classe.isEmpty() || e.cle_eleve.isEmpty())
        return true;
    const QString lien = Paths::join(e.dossier_classe, e.cle_eleve + QStringLiteral(".lnk"));
    // "DUPONT_Jean.lnk" made on another workstation is his link too.
    if (ShellLink::isMember(e.dossier_classe, e.cle_eleve))
        return true;
    QString raison;
    if (ShellLink::write(lien, Paths::fromStored(e.fichier_eleve), &raison))
        return true;
    if (error)
        *error = QStringLiteral("%1 %2 n'a pas pu être inscrit dans la classe %3. %4")
                     .arg(e.prenom, e.nom, e.classe, raison);
    return false;
}

} // namespace

QString cheminIni(const SessionState &state, const Environment &env)
{
    const QString dossier = env.programFolder.isEmpty() ? state.dossier_programme : env.programFolder;
    return Paths::join(dossier, QStringLiteral("Tabulon.ini"));
}

QString objectifs_du_niveau(const QString &parNiveaux, const QString &niveau)
{
    if (niveau.isEmpty())
        return {};
    // Levels follow one another as name "<" keys ">"; the name must be a
    // whole level name, not a part of another level's name or of a key.
    qsizetype debut = 0;
    while (debut < parNiveaux.size()) {
        const qsizetype ouvrant = parNiveaux.indexOf(u'<', debut);
        if (ouvrant < 0)
            break;
        qsizetype fermant = parNiveaux.indexOf(u'>', ouvrant);
        if (fermant < 0)
            fermant = parNiveaux.size();
        if (QStringView(parNiveaux).mid(debut, ouvrant - debut) == niveau)
            return PersonalConfig::normalise_objectifs(parNiveaux.mid(ouvrant + 1, fermant - ouvrant - 1));
        debut = fermant + 1;
    }
    return {};
}

void applique_objectifs(SessionState &state, const QString &objectifs)
{
    state.objectifs = objectifs;
    state.liste_produits = Catalogue::liste_produits_tables(objectifs);
    state.liste_tables = Catalogue::liste_tables_de_produits(state.liste_produits);
    state.produits_etudies = state.liste_produits;
}

void initialise_session_eleve(SessionState &state, const Environment &env)
{
    const QDateTime now = maintenant(env);
    state.annee_scolaire = Dates::annee_scolaire(now.date());
    if (!state.dossier_etablissement.isEmpty())
        state.dossier_annee = Paths::join(state.dossier_etablissement, state.annee_scolaire);
    state.date_du_jour = Dates::date_texte(now.date());
    state.jour_semaine = Dates::nom_jour(now.date());
    state.heure_debut_seance = Dates::heure_texte(now.time());

    const IniFile ini(cheminIni(state, env));
    const QString duNiveau = objectifs_du_niveau(
        ini.readString(QStringLiteral("Etablissement"), QStringLiteral("Objectifs tables classiques par niveaux")),
        state.eleve.niveau);
    // A level without any table would leave the test without a question:
    // the default objectives stay in force then.
    applique_objectifs(state, duNiveau.isEmpty() ? state.objectifs : duNiveau);

    EleveState &e = state.eleve;
    // Until his own file says otherwise, the pupil follows the general setting.
    e.trous_seuil = state.ne_travailler_que_les_trous == u"oui" ? 0 : 100;
    e.graphique.clear();
    e.dernier_test.clear();
    e.seance_du_jour = false;
    if (!e.fichier_eleve.isEmpty() && QFileInfo::exists(Paths::fromStored(e.fichier_eleve))) {
        e.eleve_nouveau = false;
        // Too big a file is left alone; the save says why.
        if (PupilHistory::refus_taille(Paths::fromStored(e.fichier_eleve)).isEmpty())
            e.historique = TextFile::loadLines(Paths::fromStored(e.fichier_eleve));
        else
            e.historique.clear();
        recupere_donnees(state);
    } else {
        e.eleve_nouveau = true;
        e.historique.clear();
    }

    state.objectif_apprentissage.nb_tables = 1;
    state.objectif_apprentissage.nb_produits = 8;
    ItemSelection::selection_apres_test(state);
}

void recupere_donnees(SessionState &state)
{
    EleveState &e = state.eleve;
    if (state.autorise_config_perso) {
        const PersonalConfig::Valeurs perso = PersonalConfig::lit(state);
        if (!perso.objectifs.isEmpty())
            applique_objectifs(state, perso.objectifs);
        if (perso.trous_seuil >= 0) {
            e.trous_seuil = perso.trous_seuil;
            state.objectif_apprentissage.mode_tables = perso.trous_seuil != 0;
        }
    }

    PupilHistory::Criteres criteres;
    criteres.objectifs = state.objectifs;
    criteres.masquerIncomplets = state.masquer_tests_incomplets;
    criteres.tempsAcceptable = state.temps_acceptable;
    criteres.aujourdhui = state.jour_semaine + u' ' + state.date_du_jour;
    const PupilHistory::Resume resume = PupilHistory::resume(e.historique, criteres);
    e.graphique = resume.graphique;
    e.seance_du_jour = resume.seance_du_jour;
    e.dernier_test = resume.dernier_test;
}

bool EnregistrementSeance(SessionState &state, const Environment &env, QString *error, QString *avis)
{
    const EleveState &e = state.eleve;
    if (e.nom.isEmpty() || e.prenom.isEmpty())
        return true;

    QStringList erreurs;
    QString erreur;
    const Resultat historique = enregistre_historique(state, env, &erreur);
    if (historique == Resultat::Echec)
        erreurs << erreur;
    else if (historique == Resultat::GardeeLocalement && avis)
        *avis = erreur;
    // A link to a file that could not be written would point to nothing.
    if (historique == Resultat::Serveur && !lie_a_la_classe(state, &erreur))
        erreurs << erreur;
    // Its folder on the server is out of reach: writing there would make it
    // again on this workstation's disk, where the share was mounted.
    if (state.autorise_config_perso && historique == Resultat::GardeeLocalement) {
        if (avis)
            *avis += QStringLiteral(" Ses réglages personnels n'ont pas pu être enregistrés.");
    } else if (state.autorise_config_perso) {
        const IniFile ini(cheminIni(state, env));
        const QString parDefaut =
            ini.readString(QStringLiteral("Paramètres"), QStringLiteral("Objectifs tables classiques par defaut"));
        if (!PersonalConfig::enregistre(state, parDefaut, &erreur))
            erreurs << erreur;
    }
    if (!erreurs.isEmpty() && error)
        *error = erreurs.join(u'\r');
    return erreurs.isEmpty();
}

bool changement_eleve(SessionState &state, const Environment &env, QString *error)
{
    const bool ok = EnregistrementSeance(state, env, error);
    state.eleve = EleveState{};
    state.produits_a_memoriser.clear();
    state.classement_tables.clear();
    state.classement_produits.clear();
    return ok;
}

} // namespace PupilSession
