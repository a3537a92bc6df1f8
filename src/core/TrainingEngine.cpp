#include "core/TrainingEngine.h"

#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/Dates.h"
#include "core/RandomSource.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPeriodeInitiale = 250;
constexpr int kSuccesOrange = 3;
constexpr int kSuccesVert = 5;
constexpr int kVitesseLente = 15;
constexpr int kVitessesAvantExigence = 6;

TrainingEngine::Couleur couleur_des_succes(qint64 succes)
{
    if (succes >= kSuccesVert)
        return TrainingEngine::Couleur::Vert;
    return succes >= kSuccesOrange ? TrainingEngine::Couleur::Orange : TrainingEngine::Couleur::Rouge;
}

} // namespace

TrainingEngine::TrainingEngine(const Clock &clock, RandomSource &random)
    : m_clock(clock)
    , m_random(random)
{
}

QString TrainingEngine::heure_texte() const
{
    return Dates::heure_texte(m_clock.now().time());
}

QStringList TrainingEngine::construit_plan(const QStringList &items, const Reglages &reglages)
{
    QStringList notes;
    m_reglages = reglages;
    if (!LearningPlan::taille_bloc_valide(m_reglages.tailleBloc)) {
        notes << QStringLiteral("Nombre d'items par bloc %1 impossible: %2 pris à la place")
                     .arg(m_reglages.tailleBloc)
                     .arg(LearningPlan::kTailleBlocParDefaut);
        m_reglages.tailleBloc = LearningPlan::kTailleBlocParDefaut;
    }
    m_items = items;
    LearningPlan::rangement_items(m_items, m_reglages.ordre);
    m_fins = LearningPlan::decoupage_en_blocs(int(m_items.size()), m_reglages.tailleBloc);
    m_plan = LearningPlan::genere_plan_apprentissage_recursif(m_reglages.formule, int(m_fins.size()));
    if (m_plan.isEmpty() && !m_fins.isEmpty()) {
        notes << QStringLiteral("Formule récursive \"%1\" impossible: \"%2\" prise à la place")
                     .arg(m_reglages.formule, LearningPlan::kFormuleParDefaut);
        m_reglages.formule = LearningPlan::kFormuleParDefaut;
        m_plan = LearningPlan::genere_plan_apprentissage_recursif(m_reglages.formule, int(m_fins.size()));
    }

    const int n = int(m_items.size());
    m_frequences.reset(n);
    m_statutsOk = QList<bool>(n, true);
    m_reponses = QList<QStringList>(n);
    m_vitesses = QList<QList<int>>(n);
    m_succes = QList<qint64>(n, 0);
    m_couleurs = QList<Couleur>(n, Couleur::Gris);

    m_etape = 0;
    m_dernierBloc = -1;
    m_etendue = {};
    m_itemCourant = 0;
    m_phaseOrdonnee = true;
    m_exigenceVitesse = false;
    m_facteursInverses = false;
    const QString &premier = n > 0 ? m_items.first() : QString();
    m_inversionPermise = premier.size() >= 3 && !(premier.at(0) == u'0' && premier.at(2) == u'0');
    m_fini = false;
    m_erreursPassage = 0;
    m_commentaire.clear();
    m_periode = kPeriodeInitiale;
    // Each plan counts its own work from its own start, so that the line of
    // a rebuilt plan never overlaps the line handed over before it.
    m_debutMs = m_clock.monotonicMs();
    m_debutTexte = heure_texte();
    return notes;
}

bool TrainingEngine::nouveau_bloc() const
{
    return m_etape >= 0 && m_etape < m_plan.size() && m_plan.at(m_etape) == 1;
}

bool TrainingEngine::initialise_etape()
{
    if (m_etape >= m_plan.size())
        return false;
    if (m_etendue.premier >= 0) {
        for (int i = m_etendue.premier; i <= m_etendue.dernier; ++i) {
            m_couleurs[i] = Couleur::Gris;
            m_succes[i] = 0;
            m_statutsOk[i] = true;
        }
    }
    if (!LearningPlan::etendue_etape(m_plan.at(m_etape), m_fins, m_dernierBloc, m_etendue))
        return false;
    for (int i = m_etendue.premier; i <= m_etendue.dernier; ++i) {
        m_couleurs[i] = Couleur::Rouge;
        m_succes[i] = 0;
    }
    if (nouveau_bloc()) {
        m_phaseOrdonnee = true;
        m_itemCourant = m_etendue.premier;
    } else {
        m_phaseOrdonnee = false;
        m_itemCourant = m_frequences.draw(m_etendue.premier, m_etendue.dernier, m_random);
    }
    return true;
}

void TrainingEngine::debut_questionnement()
{
    for (int i = m_etendue.premier; i >= 0 && i <= m_etendue.dernier; ++i)
        m_statutsOk[i] = true;
}

TrainingEngine::Question TrainingEngine::pose_la_question()
{
    const QString &code = m_items.at(m_itemCourant);
    if (m_inversionPermise)
        m_facteursInverses = !m_items.contains(Catalogue::produit_inverse(code)) && m_random.uniform(0, 1) == 1;
    Question q;
    q.longueur = int(Catalogue::resultat_produit(code).size());
    q.texte = Catalogue::ecrit_produit(m_facteursInverses ? Catalogue::produit_inverse(code) : code)
        + QStringLiteral(" = ");
    m_affichageMs = m_clock.monotonicMs();
    m_tempsReponse = 0;
    return q;
}

void TrainingEngine::question_affichee()
{
    m_affichageMs = m_clock.monotonicMs();
}

void TrainingEngine::premier_chiffre(qint64 instantMs)
{
    m_tempsReponse = std::max<qint64>(0, instantMs - m_affichageMs);
}

TrainingEngine::Evaluation TrainingEngine::je_passe(qint64 instantMs)
{
    premier_chiffre(instantMs);
    return evalue(QString());
}

TrainingEngine::Evaluation TrainingEngine::traite_la_reponse(const QString &texte)
{
    return evalue(texte);
}

QString TrainingEngine::champ_temps(qint64 tempsReponseMs)
{
    const qint64 dixiemes = (std::max<qint64>(0, tempsReponseMs) + 50) / 100;
    if (tempsReponseMs >= 99999 || dixiemes > 999)
        return QStringLiteral("999");
    return Catalogue::complete_zeros(dixiemes, 3);
}

TrainingEngine::Evaluation TrainingEngine::evalue(const QString &texte)
{
    Evaluation e;
    const QString &code = m_items.at(m_itemCourant);
    const QString valeur = Catalogue::resultat_produit(code);
    e.saisie = !texte.isEmpty();
    e.juste = texte == valeur;
    const qint64 t = std::max<qint64>(0, m_affichageMs - m_debutMs) / 100;
    e.enregistrement = QString::number(t) + QLatin1Char(':') + QLatin1Char('P') + code + champ_temps(m_tempsReponse)
        + (e.saisie ? Catalogue::complete_zeros(texte.toLongLong(), 4) : QStringLiteral("0000"));
    m_reponses[m_itemCourant] << e.enregistrement;
    actualise_compteurs(e.juste, e);
    if (!e.juste) {
        if (m_facteursInverses)
            e.correction = Catalogue::ecrit_produit(Catalogue::produit_inverse(code)) + QStringLiteral(" = ");
        e.correction += Catalogue::ecrit_produit(code) + QStringLiteral(" = ") + valeur;
    } else {
        e.montrer_commentaire = !m_phaseOrdonnee && m_exigenceVitesse;
    }
    e.commentaire = m_commentaire;
    e.periode = m_periode;
    return e;
}

void TrainingEngine::actualise_compteurs(bool juste, Evaluation &e)
{
    const int i = m_itemCourant;
    // The speed is read from the time as recorded: tenths, at most 999.
    const int dixiemes = champ_temps(m_tempsReponse).toInt();
    const int vitesse = juste ? 600 / std::max(dixiemes, 1) : 0;
    QList<int> &vitesses = m_vitesses[i];
    vitesses << vitesse;

    if (!m_exigenceVitesse && vitesses.size() > kVitessesAvantExigence && vitesse < kVitesseLente) {
        const bool lentes = std::all_of(vitesses.cend() - 3, vitesses.cend(), [](int v) { return v < kVitesseLente; });
        if (lentes) {
            m_exigenceVitesse = true;
            e.exigence_nouvelle = true;
        }
    }

    m_derniereReponseJuste = juste;
    const int a = m_reglages.tempsAcceptable;
    if (!m_phaseOrdonnee)
        m_frequences.adjust(i, m_etendue.premier, m_etendue.dernier, juste, m_tempsReponse, a);
    else if (!juste)
        m_statutsOk[i] = false;

    const qint64 limite = qint64(a) * 1000;
    if (juste) {
        if (m_tempsReponse < limite) {
            if (!m_phaseOrdonnee)
                ++m_succes[i];
            m_commentaire = QStringLiteral("oui");
            m_periode = 300;
        } else if (m_tempsReponse <= 2 * limite && m_exigenceVitesse) {
            m_commentaire = QStringLiteral("Plus vite!");
            m_periode = 600;
        } else if (m_tempsReponse > 2 * limite && m_exigenceVitesse) {
            m_commentaire = QStringLiteral("PLUS VITE!!!");
            m_periode = 1200;
        }
    } else {
        m_succes[i] = 0;
    }
    m_couleurs[i] = couleur_des_succes(m_succes[i]);
}

int TrainingEngine::batons(int item) const
{
    return int(std::min<qint64>(m_succes.at(item), kSuccesVert));
}

bool TrainingEngine::module_assimile() const
{
    if (m_etendue.premier < 0)
        return false;
    for (int i = m_etendue.premier; i <= m_etendue.dernier; ++i)
        if (m_couleurs.at(i) != Couleur::Vert)
            return false;
    return true;
}

TrainingEngine::Suite TrainingEngine::suite_apres_bonne_reponse()
{
    if (!module_assimile())
        return choisit_la_question();
    ++m_etape;
    if (initialise_etape())
        return Suite::NouvelleEtape;
    m_fini = true;
    return Suite::Fin;
}

TrainingEngine::Suite TrainingEngine::choisit_la_question()
{
    const int premier = m_etendue.premier;
    const int dernier = m_etendue.dernier;
    if (!m_phaseOrdonnee) {
        m_itemCourant = m_frequences.drawOther(premier, dernier, m_itemCourant, m_random);
        return Suite::Question;
    }
    if (!m_derniereReponseJuste) {
        m_itemCourant = std::max(m_itemCourant - 1, premier);
        return Suite::Question;
    }
    if (m_itemCourant < dernier) {
        ++m_itemCourant;
        return Suite::Question;
    }
    m_erreursPassage = 0;
    for (int i = premier; i <= dernier; ++i)
        if (!m_statutsOk.at(i))
            ++m_erreursPassage;
    if (m_erreursPassage == 0)
        m_phaseOrdonnee = false;
    m_itemCourant = premier;
    return Suite::FinPassage;
}

QString TrainingEngine::prend_ligne_historique()
{
    // Every answer given since the plan was built (or since the last line)
    // counts, over all the items and not only the current step's range: the
    // line tells how much the pupil trained.
    qsizetype repetitions = 0;
    for (QStringList &r : m_reponses) {
        repetitions += r.size();
        r.clear();
    }
    const QString fin = heure_texte();
    const QString debut = m_debutTexte;
    m_debutMs = m_clock.monotonicMs();
    m_debutTexte = fin;
    if (repetitions <= 1)
        return {};
    return QStringLiteral("\tAPPRENTISSAGE de ") + debut + QStringLiteral(" à ") + fin + QStringLiteral(": ")
        + QString::number(repetitions) + QStringLiteral(" répétitions");
}
