#include "core/TestEngine.h"

#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/Dates.h"
#include "core/RandomSource.h"

#include <algorithm>

namespace {

const QString kTablesClassiques = QStringLiteral("table_2,table_3,table_4,table_5,table_6,table_7,table_8,table_9");
constexpr QChar kCR = QChar(13);

} // namespace

TestEngine::TestEngine(const Clock &clock, RandomSource &random)
    : m_clock(clock)
    , m_random(random)
{
}

bool TestEngine::initialisation_test(const QStringList &produits, int tempsMaximum)
{
    m_produits = produits;
    m_tempsMaximum = tempsMaximum;
    m_enregistrements.clear();
    m_tuiles.clear();
    m_ordre.clear();
    m_rang = 0;
    m_dernierRang = int(produits.size());
    m_nbFrappes = 0;
    m_debutQuestion = 0;
    m_tempsReponse = 0;
    m_recommencerVisible = false;
    m_termine = false;
    m_pause = false;
    m_questionOuverte = false;
    m_reponseComplete = false;
    // Without a product there is nothing to ask and nothing the evaluation
    // could score: such a test never starts.
    m_actif = !produits.isEmpty();
    if (!m_actif)
        return false;

    m_testTablesClassiques = Catalogue::tables_des_produits(produits) == kTablesClassiques;
    m_heureDebut = heure_actuelle();

    for (const QString &code : produits)
        m_tuiles.append({code, Catalogue::ecrit_produit(code) + QLatin1Char('='), false});

    const int n = nombre_produits();
    m_ordre.reserve(2 * n);
    for (int i = 1; i <= n; ++i)
        m_ordre.append(i);
    for (int i = n; i >= 1; --i) {
        const int j = m_random.uniform(1, i);
        std::swap(m_ordre[i - 1], m_ordre[j - 1]);
    }
    return true;
}

TestEngine::Suite TestEngine::avant_question()
{
    if (!m_actif || m_termine)
        return Suite::Fin;
    const int n = nombre_produits();
    ++m_rang;
    if (m_rang == n / 30 + 2)
        m_recommencerVisible = true;
    if (m_rang == (2 * n) / 3)
        m_recommencerVisible = false;
    m_nbFrappes = 0;
    m_questionOuverte = false;
    m_reponseComplete = false;

    if (m_rang == n + 1 && m_dernierRang > n) {
        for (int k = n + 1; k <= m_dernierRang; ++k) {
            TuileTest &tuile = m_tuiles[m_ordre[k - 1] - 1];
            tuile.legende = Catalogue::ecrit_produit(tuile.code) + QLatin1Char('=');
            tuile.repondue = false;
        }
        return Suite::DeuxiemeChance;
    }
    if (m_rang == m_dernierRang + 1) {
        m_termine = true;
        m_actif = false;
        m_recommencerVisible = false;
        return Suite::Fin;
    }
    return Suite::Question;
}

void TestEngine::pose_la_question()
{
    pose_la_question(m_clock.monotonicMs());
}

void TestEngine::pose_la_question(qint64 debutMs)
{
    if (!m_actif || m_termine || m_rang < 1 || m_rang > m_dernierRang)
        return;
    m_nbFrappes = 0;
    m_tempsReponse = 0;
    m_debutQuestion = debutMs;
    m_pause = false;
    m_questionOuverte = true;
    m_reponseComplete = false;
}

void TestEngine::question_affichee(qint64 debutMs)
{
    if (m_questionOuverte && !m_reponseComplete && m_nbFrappes == 0)
        m_debutQuestion = debutMs;
}

TestEngine::Frappe TestEngine::saisie(int nbCaracteres, qint64 toucheMs)
{
    Frappe frappe;
    const int avant = m_nbFrappes;
    m_nbFrappes = nbCaracteres;
    if (!m_questionOuverte || m_reponseComplete)
        return frappe;
    // The time is that of the first digit; erasing everything and typing again
    // times the new first digit.
    if (nbCaracteres == 1 && avant == 0) {
        m_tempsReponse = toucheMs - m_debutQuestion;
        frappe.arreteChrono = qint64(m_tempsMaximum) * 1000 - m_tempsReponse < 1000;
    }
    if (nbCaracteres >= longueur_attendue()) {
        // The answer is given: a time limit running out during the short
        // display before the correction must not record it a second time.
        frappe.complete = true;
        frappe.arreteChrono = true;
        m_reponseComplete = true;
    }
    return frappe;
}

bool TestEngine::corrige_reponse(const QString &texte)
{
    if (!m_questionOuverte)
        return false;
    const int q = position_courante();
    TuileTest &tuile = tuileCourante();
    tuile.legende += texte;
    tuile.repondue = true;
    const QString attendu = Catalogue::supprime_zeros(Catalogue::resultat_produit_4(tuile.code));
    // Only a first-pass mistake earns a second chance, in the order of the mistakes.
    if (texte != attendu && m_rang <= nombre_produits()) {
        ++m_dernierRang;
        m_ordre.append(q);
    }
    bool ok = false;
    const int reponse = texte.toInt(&ok);
    enregistre(m_tempsReponse, ok ? reponse : 0);
    return true;
}

bool TestEngine::je_ne_sais_pas(qint64 toucheMs)
{
    if (!m_questionOuverte || m_reponseComplete)
        return false;
    m_tempsReponse = toucheMs - m_debutQuestion;
    tuileCourante().repondue = true;
    m_nbFrappes = 0;
    enregistre(m_tempsReponse, 0);
    return true;
}

bool TestEngine::temps_depasse()
{
    if (!m_questionOuverte || m_reponseComplete)
        return false;
    tuileCourante().repondue = true;
    enregistre(qint64(m_tempsMaximum) * 1000, 0);
    return true;
}

void TestEngine::pause()
{
    if (!m_actif || m_termine)
        return;
    m_pause = true;
    m_questionOuverte = false;
    m_reponseComplete = false;
    m_nbFrappes = 0;
}

QString TestEngine::ligne_test(const QString &heureFin) const
{
    return QStringLiteral("\tTEST de ") + m_heureDebut + QStringLiteral(" à ") + heureFin + QLatin1Char(' ')
           + m_enregistrements;
}

QString TestEngine::heure_actuelle() const
{
    return Dates::heure_texte(m_clock.now().time());
}

QString TestEngine::enregistrement(const QString &code, qint64 tempsMs, int reponse)
{
    return QLatin1Char('P') + code + Catalogue::complete_zeros(dixiemes(tempsMs), 3)
           + Catalogue::complete_zeros(std::clamp(reponse, 0, 9999), 4);
}

int TestEngine::dixiemes(qint64 tempsMs)
{
    if (tempsMs <= 0)
        return 0;
    qint64 quotient = tempsMs / 100;
    const qint64 reste = tempsMs % 100;
    if (reste > 50 || (reste == 50 && quotient % 2 == 1))
        ++quotient;
    return int(std::min<qint64>(quotient, 999));
}

QString TestEngine::centre(const QString &ligne, int largeur)
{
    const int p = std::max(0, (largeur - int(ligne.size())) / 2);
    const QString marge(p, QLatin1Char(' '));
    return marge + ligne + marge;
}

int TestEngine::position_courante() const
{
    if (m_rang < 1 || m_rang > m_ordre.size())
        return 0;
    return m_ordre[m_rang - 1];
}

QString TestEngine::code_courant() const
{
    const int q = position_courante();
    return q > 0 ? m_produits[q - 1] : QString();
}

int TestEngine::longueur_attendue() const
{
    const QString code = code_courant();
    return code.isEmpty() ? 0 : int(Catalogue::resultat_produit(code).size());
}

QString TestEngine::texte_question() const
{
    const QString code = code_courant();
    if (code.isEmpty())
        return QString();
    return QLatin1Char(' ') + Catalogue::ecrit_produit(code) + QLatin1Char('?') + QLatin1Char(' ');
}

QStringList TestEngine::lignes_deuxieme_chance() const
{
    const int m = nombre_erreurs();
    const QString erreurs = m == 1 ? QStringLiteral("Tu as fait 1 erreur.")
                                   : QStringLiteral("Tu as fait %1 erreurs.").arg(m);
    const QString questions = m == 1 ? QStringLiteral("Je te pose à nouveau la question.")
                                     : QStringLiteral("Je te pose à nouveau les %1 questions.").arg(m);
    return {centre(erreurs), centre(questions), QString(kLargeurLigne, QLatin1Char(' ')),
            centre(QStringLiteral("PRÊT?"))};
}

QString TestEngine::texte_deuxieme_chance() const
{
    return lignes_deuxieme_chance().join(kCR);
}

void TestEngine::enregistre(qint64 tempsMs, int reponse)
{
    m_enregistrements += enregistrement(code_courant(), tempsMs, reponse);
    m_questionOuverte = false;
    m_reponseComplete = false;
}

TuileTest &TestEngine::tuileCourante()
{
    return m_tuiles[position_courante() - 1];
}
