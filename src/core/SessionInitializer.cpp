#include "core/SessionInitializer.h"

#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/Dates.h"
#include "core/DefaultConfiguration.h"
#include "core/IniFile.h"
#include "core/IniSections.h"
#include "core/LearningPlan.h"
#include "core/NiveauxTexte.h"
#include "core/Paths.h"
#include "core/RecordsList.h"
#include "core/SystemServices.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

const QString SessionInitializer::kVersion = QStringLiteral("0.97.01");
const QString SessionInitializer::kCheminServeurPropose = QStringLiteral("\\\\SERVEUR\\Commun");
const QString SessionInitializer::kNomEtablissementDefaut = QStringLiteral("Collège de Valdorne");

namespace {

const QString kPlaceholderServeur = QStringLiteral("{Chemin serveur}");
const QString kMonoposte = QStringLiteral("MODE MONOPOSTE");

QString sansSeparateurFinal(QString chemin)
{
    while (chemin.size() > 1 && (chemin.endsWith(u'\\') || chemin.endsWith(u'/')))
        chemin.chop(1);
    return chemin;
}

// A school name that cannot stand as a folder name ("..", "A/B") still names
// the school; its folder takes a cleaned form so that nothing is ever created
// outside the pupils' data folder.
QString nomDossierSur(const QString &nom)
{
    if (Paths::isSafeComponent(nom))
        return nom;
    QString n;
    for (QChar c : nom)
        n += (c < u' ' || QStringLiteral("/\\:*?\"<>|").contains(c)) ? u'_' : c;
    while (n.contains(QStringLiteral("..")))
        n.replace(QStringLiteral(".."), QStringLiteral("_"));
    while (!n.isEmpty() && (n.endsWith(u'.') || n.endsWith(u' ')))
        n.chop(1);
    return Paths::isSafeComponent(n) ? n : QStringLiteral("Etablissement");
}

bool aDuContenu(const QStringList &lignes)
{
    return std::any_of(lignes.begin(), lignes.end(), [](const QString &l) { return !l.trimmed().isEmpty(); });
}

} // namespace

SessionInitializer::SessionInitializer(SessionState &state, const Environment &env)
    : m_state(state)
    , m_env(env)
    , m_log(StartupLog::duProgramme(env.programFolder))
{
}

QString SessionInitializer::cheminIni() const
{
    return Paths::join(m_env.programFolder, QStringLiteral("Tabulon.ini"));
}

void SessionInitializer::probleme(const QString &texte)
{
    m_problemes.append(texte);
    m_log.ajoute(texte);
}

void SessionInitializer::cree_dossier(const QString &dossier)
{
    if (dossier.isEmpty() || QFileInfo(dossier).isDir())
        return;
    if (!QDir().mkpath(dossier))
        m_log.ajoute(QStringLiteral("Impossible de créer le dossier %1").arg(QDir::toNativeSeparators(dossier)));
}

bool SessionInitializer::initialise_session(const AskServerPath &askServerPath, const CleanupLocalFiles &cleanupLocalFiles)
{
    SessionState &s = m_state;
    m_problemes.clear();
    s.dossier_programme = Paths::withTrailingSlash(m_env.programFolder);
    m_log.vide();
    m_cheminLecture = cheminIni();

    QString erreur;
    if (!DefaultConfiguration::ecrit_si_absent(cheminIni(), nullptr, &erreur))
        probleme(erreur);

    const QDateTime maintenant = m_env.clock->now();
    const QString premierDemarrage = Paths::join(s.dossier_programme, QStringLiteral("PREMIER DEMARRAGE.TXT"));
    if (!QFileInfo::exists(premierDemarrage)
        && !TextFile::saveLines(premierDemarrage, {QString::number(Dates::ms_depuis_2000(maintenant))}, &erreur))
        probleme(erreur);

    // The previous pupil's values must not leak into the next session.
    EleveState &e = s.eleve;
    e.nom.clear();
    e.prenom.clear();
    e.cle_eleve.clear();
    e.fichier_eleve.clear();
    e.dernier_test.clear();
    e.eleve_nouveau = false;
    e.seance_du_jour = false;
    e.test_fait_aujourdhui = false;
    e.historique.clear();
    e.lignes_seance.clear();
    e.graphique.clear();
    s.liste_produits.clear();
    s.liste_tables.clear();
    s.classement_tables.clear();
    s.classement_produits.clear();
    s.annee_scolaire = Dates::annee_scolaire(maintenant.date());
    s.date_du_jour = Dates::date_texte(maintenant.date());
    s.jour_semaine = Dates::nom_jour(maintenant.date());
    s.heure_debut_seance = Dates::heure_texte(maintenant.time());

    {
        IniFile ini(m_cheminLecture);
        s.mode_ecole = ini.readString(QStringLiteral("General"), QStringLiteral("Mode")) == u"Ecole";
        m_cheminServeurStocke.clear();
        s.chemin_serveur.clear();
        QString reseau;
        if (s.mode_ecole) {
            QString chemin = ini.readString(QStringLiteral("Dossiers"), QStringLiteral("Chemin serveur"), QString());
            if (chemin.trimmed().isEmpty())
                chemin = demande_chemin_serveur(askServerPath, ini);
            m_cheminServeurStocke = sansSeparateurFinal(chemin.trimmed());
            s.chemin_serveur = Paths::fromStored(m_cheminServeurStocke);
            reseau = ini.readString(QStringLiteral("Dossiers"), QStringLiteral("Dossier élèves en réseau"));
            if (reseau.startsWith(kPlaceholderServeur))
                reseau = m_cheminServeurStocke + reseau.mid(kPlaceholderServeur.size());
        } else {
            s.titre_fenetre = QStringLiteral("Tabulon version %1 :  apprentissage des tables à la maison").arg(kVersion);
        }

        s.dossier_eleves_monoposte = Paths::fromStored(
            ini.readString(QStringLiteral("Dossiers"), QStringLiteral("Dossier élèves monoposte")));
        if (!m_nomEtablissementLu)
            s.nom_etablissement = ini.readString(QStringLiteral("Etablissement"), QStringLiteral("Nom"));
        const QString local = Paths::absoluteFrom(s.dossier_programme, s.dossier_eleves_monoposte);

        if (!s.mode_ecole) {
            s.serveur_accessible = true;
            s.poste_serveur = true;
            s.dossier_eleves = local;
            calcule_dossiers_ecole();
        } else {
            const QString titreEcole =
                QStringLiteral("Tabulon version %1 :  apprentissage des tables à l'école").arg(kVersion);
            const QString titre = titreEcole + QStringLiteral(" - ") + s.nom_etablissement;
            const QString titreMonoposte = titre + QStringLiteral("    (") + kMonoposte + u')';
            if (!s.recherche_serveur_faite) {
                m_log.ajoute(QStringLiteral("Recherche du serveur") + QStringLiteral("....."));
                s.serveur_accessible = serveur_repond();
                s.recherche_serveur_faite = true;
            }
            const QString dossierTabulonServeur = Paths::join(s.chemin_serveur, QStringLiteral("Tabulon"));
            if (!s.serveur_accessible) {
                s.poste_serveur = false;
                s.dossier_eleves = local;
                calcule_dossiers_ecole();
                s.titre_fenetre = titreMonoposte;
            } else if (QFileInfo(dossierTabulonServeur).isDir()) {
                s.poste_serveur = est_poste_serveur();
                recupere_configuration_serveur();
                s.dossier_eleves = Paths::absoluteFrom(s.dossier_programme, Paths::fromStored(reseau));
                calcule_dossiers_ecole();
                if (!s.poste_serveur) {
                    m_log.ajoute(QStringLiteral("Nettoyage doublons éventuels entre poste local et serveur"));
                    if (cleanupLocalFiles)
                        cleanupLocalFiles();
                }
                s.titre_fenetre = titre;
            } else {
                s.poste_serveur = est_poste_serveur();
                s.dossier_eleves = local;
                calcule_dossiers_ecole();
                s.titre_fenetre = s.poste_serveur ? titre : titreMonoposte;
            }
        }
    }

    // From here on every key comes from the file chosen above (the server's
    // configuration when it replaced the local one).
    const IniFile ini = IniFile(m_cheminLecture).lu();
    lit_parametres(ini);

    cree_dossier(s.dossier_stats_local);
    cree_dossier(s.dossier_eleves);

    lit_objectifs(ini);
    const bool rafraichir = charge_records();
    // Once the teacher chose to stay authorised, the code is not asked again
    // before the program ends, whatever the changes of pupil.
    s.code_prof_requis = !s.code_professeur.isEmpty() && !s.code_prof_leve;
    return rafraichir;
}

QString SessionInitializer::demande_chemin_serveur(const AskServerPath &askServerPath, IniFile &ini)
{
    QString reponse = kCheminServeurPropose;
    // Without an answer the path stays empty: the server cannot be found and
    // the workstation works locally; the question comes again next start.
    if (!askServerPath || !askServerPath(&reponse))
        return QString();
    reponse = reponse.trimmed();
    if (reponse.endsWith(u'\\') || reponse.endsWith(u'/'))
        reponse.chop(1);
    if (reponse.isEmpty())
        return QString();
    QString erreur;
    if (!ini.writeString(QStringLiteral("Dossiers"), QStringLiteral("Chemin serveur"), reponse, &erreur))
        probleme(erreur);
    return reponse;
}

bool SessionInitializer::serveur_repond() const
{
    const QString chemin = m_state.chemin_serveur;
    if (chemin.isEmpty())
        return false;
    if (m_env.system && m_env.system->isShareReachable(chemin))
        return true;
    return QFileInfo(chemin).isDir();
}

bool SessionInitializer::est_poste_serveur() const
{
    if (!m_env.system)
        return false;
    const QString nom = m_env.system->computerName().trimmed().toLower();
    // An unknown name would be found in any path.
    return !nom.isEmpty() && m_state.chemin_serveur.toLower().contains(nom);
}

void SessionInitializer::calcule_dossiers_ecole()
{
    SessionState &s = m_state;
    const QString nom = s.nom_etablissement;
    if (nom.isEmpty()) {
        s.dossier_etablissement = s.dossier_eleves;
    } else {
        const QString dossier = nomDossierSur(nom);
        if (dossier != nom)
            m_log.ajoute(QStringLiteral("Nom d'établissement inutilisable comme nom de dossier: \"%1\", dossier \"%2\"")
                             .arg(nom, dossier));
        s.dossier_etablissement = Paths::join(s.dossier_eleves, dossier);
    }
    s.dossier_annee = Paths::join(s.dossier_etablissement, s.annee_scolaire);
}

void SessionInitializer::recupere_configuration_serveur()
{
    const QString iniServeur = Paths::join(m_state.chemin_serveur, QStringLiteral("Tabulon"), QStringLiteral("Tabulon.ini"));
    QStringList lignesServeur;
    bool lu = false;
    if (QFileInfo(iniServeur).isFile()) {
        m_log.ajoute(QStringLiteral("Récupération fichier configuration depuis serveur"));
        // An empty copy (a save cut short on the server) must not wipe out
        // the workstation's settings.
        lu = TextFile::loadLines(iniServeur, &lignesServeur, nullptr) && aDuContenu(lignesServeur);
        m_log.ajoute(lu ? QStringLiteral("Fichier configuration récupéré")
                        : QStringLiteral("Récupération Fichier configuration impossible"));
    } else {
        m_log.ajoute(QStringLiteral("Récupération Fichier configuration impossible"));
    }
    if (!lu)
        return;
    const QString sep = QStringLiteral("\r\n");
    const QStringList lignesLocales = TextFile::loadLines(cheminIni());
    if (lignesServeur.join(sep).compare(lignesLocales.join(sep), Qt::CaseInsensitive) == 0)
        return;
    QString erreur;
    if (TextFile::saveLines(cheminIni(), lignesServeur, &erreur)) {
        m_log.ajoute(QStringLiteral("Ecriture Fichier configuration sur poste local"));
    } else {
        probleme(erreur);
        m_cheminLecture = iniServeur;
    }
}

void SessionInitializer::lit_parametres(const IniFile &ini)
{
    SessionState &s = m_state;
    const QString &general = IniSection::General;
    const QString &parametres = IniSection::Parametres;
    const QString &options = IniSection::Options;
    const QString &blocs = IniSection::Blocs;
    const QString &codes = IniSection::Codes;
    const QString &perfectionnement = IniSection::Perfectionnement;
    const QString &apparence = IniSection::Apparence;

    s.autorise_config_perso = ini.readBool(general, QStringLiteral("Autorise configuration personnelle"));
    // Every number is held to what the settings window offers: a hand-edited
    // value must not overflow the score arithmetic or stall a timer.
    s.temps_acceptable = ini.readInteger(parametres, QStringLiteral("temps de réponse acceptable"), 1, 99, 4);
    s.temps_maximum = ini.readInteger(parametres, QStringLiteral("temps de réponse maximum"), 1, 99, 30);
    s.ordre_rangement_items = ini.readString(options, QStringLiteral("Ordre rangement items"));
    s.ne_travailler_que_les_trous = ini.readString(options, QStringLiteral("ne travailler que les trous"));
    s.objectif_apprentissage.mode_tables = s.ne_travailler_que_les_trous != u"oui";
    // Read as written: a size outside 2..4 is not pulled to the nearest bound
    // but replaced by the default below, with its log line.
    s.nombre_items_par_bloc = ini.readInteger(blocs, QStringLiteral("Nombre d'items par bloc"));
    s.formule_recursive = ini.readString(blocs, QStringLiteral("Formule récursive"));
    // A block size or formula the plan cannot serve would leave the training
    // without steps (or never ending): the defaults take their place, with a
    // log line when a value was there but unusable.
    if (!LearningPlan::taille_bloc_valide(s.nombre_items_par_bloc)) {
        if (s.nombre_items_par_bloc != -1)
            m_log.ajoute(QStringLiteral("Nombre d'items par bloc %1 impossible: %2 pris à la place")
                         .arg(s.nombre_items_par_bloc)
                         .arg(LearningPlan::kTailleBlocParDefaut));
        s.nombre_items_par_bloc = LearningPlan::kTailleBlocParDefaut;
    }
    // The default formula is known good: checking it means drawing the plan
    // for every block count, which every start would pay for nothing.
    if (s.formule_recursive != LearningPlan::kFormuleParDefaut && !LearningPlan::formule_valide(s.formule_recursive)) {
        if (s.formule_recursive != IniFile::kMarker)
            m_log.ajoute(QStringLiteral("Formule récursive \"%1\" impossible: \"%2\" prise à la place")
                         .arg(s.formule_recursive, LearningPlan::kFormuleParDefaut));
        s.formule_recursive = LearningPlan::kFormuleParDefaut;
    }
    s.code_professeur = ini.readString(codes, QStringLiteral("Code d'accès professeur"));
    s.perfectionnement_libre =
        !ini.readBool(perfectionnement, QStringLiteral("Apprentissage obligatoire avant perfectionnement"));
    s.perfectionnement_temps_initial =
        ini.readInteger(perfectionnement, QStringLiteral("Temps de réponse initial"), 1, 99, 20);
    s.perfectionnement_temps_final = ini.readInteger(perfectionnement, QStringLiteral("Temps de réponse final"), 1, 99, 20);
    s.identification_par_code = ini.readBool(codes, QStringLiteral("Identification par code"));
    s.chrono_test_visible = ini.readBool(apparence, QStringLiteral("Chrono test visible"));
    s.bouton_pause_visible = ini.readBool(apparence, QStringLiteral("Bouton pause test visible"));
    s.masquer_tests_incomplets = ini.readBool(apparence, QStringLiteral("Masquer tests incomplets"));
    s.dossier_statistiques = Paths::fromStored(ini.readString(QStringLiteral("Dossiers"), QStringLiteral("Dossier statistiques")));

    s.dossier_stats_local = Paths::absoluteFrom(s.dossier_programme, s.dossier_statistiques);
    // At home there is no server: no server copy of the statistics either.
    s.dossier_stats_serveur = s.chemin_serveur.isEmpty()
        ? QString()
        : Paths::join(s.chemin_serveur, QStringLiteral("Tabulon"), s.dossier_statistiques);
}

void SessionInitializer::lit_objectifs(const IniFile &ini)
{
    SessionState &s = m_state;
    QString objectifs = ini.readString(QStringLiteral("Paramètres"), QStringLiteral("Objectifs tables classiques par defaut"));
    if (!objectifs.contains(QStringLiteral("table")))
        objectifs = Catalogue::vers_forme_actuelle(objectifs);
    QStringList produits = Catalogue::liste_produits_tables(objectifs);
    // A missing or unreadable value would leave a test without a question:
    // the pupil works on all the classic tables instead.
    if (produits.isEmpty()) {
        objectifs = QStringLiteral("table_2,table_3,table_4,table_5,table_6,table_7,table_8,table_9");
        produits = Catalogue::liste_produits_tables(objectifs);
    }
    s.objectifs = objectifs;
    s.liste_produits = produits;
    s.liste_tables = Catalogue::liste_tables_de_produits(produits);
}

bool SessionInitializer::charge_records()
{
    SessionState &s = m_state;
    const QString serveur = RecordsList::cheminServeur(s);
    // The school's list, when the server has one, replaces this workstation's
    // copy; the pupils then see it only when they ask for it ("Voir
    // classement"). A server copy that cannot be read leaves the local one alone.
    if (!serveur.isEmpty() && QFileInfo(serveur).isFile() && RecordsList::lit(serveur, &s.liste_records)) {
        QString erreur;
        if (!TextFile::saveLines(RecordsList::cheminLocal(s), s.liste_records, &erreur))
            probleme(erreur);
        return false;
    }
    RecordsList::lit(RecordsList::cheminLocal(s), &s.liste_records);
    return true;
}

SessionInitializer::ResultatEcole SessionInitializer::initialise_ecole()
{
    SessionState &s = m_state;
    ResultatEcole resultat;
    const IniFile ini = IniFile(m_cheminLecture).lu();
    s.nom_etablissement = ini.readString(QStringLiteral("Etablissement"), QStringLiteral("Nom"));
    m_nomEtablissementLu = true;
    calcule_dossiers_ecole();
    const QString texte =
        ini.readString(QStringLiteral("Etablissement"), QStringLiteral("Niveaux et classes ") + s.annee_scolaire, QString());

    if (Verifie_annee_horloge()) {
        resultat.suite = SuiteEcole::ClockWarning;
        resultat.titre = QStringLiteral("Attention!");
        resultat.texte = QStringLiteral("Il semble que l'horloge soit déréglée: %1 elle indique ")
                             .arg(QStringLiteral("\n"))
            + Dates::jour_texte(m_env.clock->now().date());
        return resultat;
    }

    QList<Niveau> niveaux = NiveauxTexte::parse(texte);
    // A value that holds no level (empty or damaged) is a year not set up yet.
    if (niveaux.isEmpty()) {
        reglages_rentree_scolaire();
        resultat.suite = SuiteEcole::NewSchoolYear;
        return resultat;
    }

    cree_dossier(s.dossier_etablissement);
    cree_dossier(Paths::join(s.dossier_etablissement, QStringLiteral("Hors classe")));
    cree_dossier(s.dossier_annee);
    for (int i = 0; i < niveaux.size(); ++i) {
        QStringList gardees;
        for (const QString &classe : std::as_const(niveaux[i].classes)) {
            // A class name becomes a folder and a part of every pupil's link
            // path: one that could leave the year folder is refused.
            if (!Paths::isSafeComponent(classe)) {
                m_log.ajoute(QStringLiteral("Classe refusée (nom de dossier impossible): \"%1\" du niveau \"%2\"")
                                 .arg(classe, niveaux[i].nom));
                continue;
            }
            cree_dossier(Paths::join(s.dossier_annee, classe));
            gardees.append(classe);
        }
        niveaux[i].classes = gardees;
    }
    s.niveaux = niveaux;
    return resultat;
}

bool SessionInitializer::Verifie_annee_horloge()
{
    SessionState &s = m_state;
    s.horloge_suspecte = false;
    const QDir dossier(s.dossier_etablissement);
    if (s.dossier_etablissement.isEmpty() || !dossier.exists())
        return false;
    int derniere = -1;
    const QStringList annees = dossier.entryList({QStringLiteral("2*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &nom : annees) {
        bool ok = false;
        const int annee = nom.left(4).toInt(&ok);
        if (ok && nom.size() >= 4)
            derniere = std::max(derniere, annee);
    }
    const int anneeCourante = s.annee_scolaire.left(4).toInt();
    s.horloge_suspecte = derniere > anneeCourante;
    return s.horloge_suspecte;
}

void SessionInitializer::reglages_rentree_scolaire()
{
    SessionState &s = m_state;
    if (s.nom_etablissement.isEmpty())
        s.nom_etablissement = kNomEtablissementDefaut;
    const IniFile ini = IniFile(m_cheminLecture).lu();
    s.niveaux = NiveauxTexte::parse(texte_niveaux_recent(ini, s.annee_scolaire, 1, 10));
    s.nouvelle_annee_scolaire = true;
}

QString SessionInitializer::annee_niveaux_recente(const IniFile &ini, const QString &anneeScolaire, int nMin, int nMax)
{
    bool ok = false;
    const int premiere = anneeScolaire.left(4).toInt(&ok);
    if (!ok)
        return QString();
    const QString section = ini.sectionText(QStringLiteral("Etablissement"));
    for (int n = nMin; n <= nMax; ++n) {
        const QString annee = QStringLiteral("%1-%2").arg(premiere - n).arg(premiere - n + 1);
        if (section.contains(annee))
            return annee;
    }
    return QString();
}

QString SessionInitializer::texte_niveaux_recent(const IniFile &ini, const QString &anneeScolaire, int nMin, int nMax)
{
    const QString annee = annee_niveaux_recente(ini, anneeScolaire, nMin, nMax);
    if (annee.isEmpty())
        return NiveauxTexte::defaut();
    const QString texte =
        ini.readString(QStringLiteral("Etablissement"), QStringLiteral("Niveaux et classes ") + annee, QString());
    return NiveauxTexte::parse(texte).isEmpty() ? NiveauxTexte::defaut() : texte;
}
