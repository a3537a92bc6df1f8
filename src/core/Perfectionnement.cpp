#include "core/Perfectionnement.h"

#include "core/Catalogue.h"
#include "core/RandomSource.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr double kNonRepondue = 1000.0;

int valeur_entree(const QString &entree)
{
    return entree.left(4).toInt();
}

QString facteur(const QString &code, int position)
{
    return QString::number(code.mid(position, 2).toInt());
}

} // namespace

Perfectionnement::Perfectionnement(RandomSource &random) : m_random(random) {}

QStringList Perfectionnement::questions_perfectionnement(const QStringList &produits)
{
    QStringList entrees;
    for (const QString &code : produits) {
        if (code.size() != 4)
            continue;
        const int a = code.left(2).toInt();
        const int valeur = a * code.mid(2).toInt();
        const QString tete = Catalogue::complete_zeros(valeur, 4);
        auto existante = std::find_if(entrees.begin(), entrees.end(),
                                      [&](const QString &e) { return e.startsWith(tete); });
        if (existante == entrees.end()) {
            entrees << tete + code;
            continue;
        }
        // A product listed twice (two keys naming the same table) is one pair.
        const qsizetype paires = (existante->size() - 4) / 4;
        bool connue = false;
        for (qsizetype k = 0; k < paires; ++k)
            connue = connue || existante->mid(4 + 4 * k, 4) == code;
        if (valeur >= a * a && !connue && paires < kPairesMax)
            existante->append(code);
    }
    entrees.sort();
    return entrees;
}

bool Perfectionnement::reguliere(const QStringList &questions)
{
    const qsizetype q = questions.size();
    if (q < 4)
        return true;
    QList<qint64> x;
    for (const QString &e : questions)
        x << valeur_entree(e);
    qint64 somme2 = 0;
    for (qsizetype i = 2; i < q; ++i)
        somme2 += std::llabs(x[i - 2] - 2 * x[i - 1] + x[i]);
    qint64 somme3 = 0;
    for (qsizetype i = 3; i < q; ++i)
        somme3 += std::llabs(x[i - 3] - 3 * x[i - 2] + 3 * x[i - 1] - x[i]);
    return somme2 / (q - 2) == 0 || somme3 / (q - 3) == 0;
}

int Perfectionnement::increment(int paires)
{
    return paires <= 0 ? 100 : std::max(1, 100 / paires);
}

int Perfectionnement::periode_niveau_3(int paires, int tempsInitial, int tempsFinal, int score)
{
    return 25 * paires * (tempsInitial * (100 - score) + tempsFinal * score);
}

int Perfectionnement::score_apres_erreur(int score)
{
    return std::max(0, std::min(score * 75 / 100, score - 4));
}

void Perfectionnement::initialisation(const QStringList &produits, int niveau, const QString &heureDebut,
                                      int tempsInitial, int tempsFinal)
{
    m_niveau = std::clamp(niveau, 1, 3);
    if (m_niveau == 1 && Catalogue::tables_des_produits(produits) == QStringLiteral("table_carres"))
        m_niveau = 2;
    m_heureDebut = heureDebut;
    m_tempsInitial = tempsInitial > 0 ? tempsInitial : 20;
    m_tempsFinal = tempsFinal > 0 ? tempsFinal : 20;
    m_score = 0;
    m_posees = 0;
    m_numero = 0;
    m_questions = questions_perfectionnement(produits);
    m_paires = 0;
    for (const QString &e : m_questions)
        m_paires += int(e.size() - 4) / 4;
    m_increment = increment(m_paires);
    m_ordre.clear();
    for (int i = 1; i <= m_questions.size(); ++i)
        m_ordre << i;
    if (reguliere(m_questions))
        melange();
    m_vitesses = QList<double>(m_questions.size(), kNonRepondue);
    m_question = Question();
}

void Perfectionnement::melange()
{
    for (qsizetype i = m_ordre.size(); i >= 1; --i) {
        const int j = m_random.uniform(1, int(i));
        std::swap(m_ordre[i - 1], m_ordre[j - 1]);
    }
}

double Perfectionnement::reel_uniforme()
{
    return m_random.uniform(0, 999999999) / 1e9;
}

void Perfectionnement::nouvelle_passe()
{
    const qsizetype q = m_questions.size();
    QList<double> cumul;
    double total = 0;
    for (double v : m_vitesses)
        total += 1.0 / (1.0 + v);
    double c = 0;
    for (double v : m_vitesses) {
        c += (1.0 / (1.0 + v)) / total;
        cumul << c;
    }
    double u = reel_uniforme() / double(q);
    if (u == 0)
        u = 1e-13;
    m_ordre.clear();
    for (qsizetype k = 0; k < q; ++k) {
        const double pointeur = u + double(k) / double(q);
        qsizetype i = 0;
        // Rounding may leave the last sum a hair below 1: the last question then takes the pointer.
        while (i < q - 1 && cumul[i] < pointeur)
            ++i;
        m_ordre << int(i + 1);
    }
    melange();
}

Perfectionnement::Question Perfectionnement::pose_la_question(qint64 affichageMs)
{
    if (m_questions.isEmpty())
        return m_question = Question();
    ++m_numero;
    ++m_posees;
    if (m_numero == m_questions.size() + 1) {
        m_numero = 1;
        nouvelle_passe();
    }
    Question q;
    q.numero = m_ordre.at(m_numero - 1);
    const QString entree = m_questions.at(q.numero - 1);
    q.valeur = valeur_entree(entree);
    for (qsizetype k = 4; k + 4 <= entree.size(); k += 4) {
        const QString code = entree.mid(k, 4);
        q.paires << Paire{facteur(code, 0), facteur(code, 2)};
        q.donnes << (m_niveau == 1 ? m_random.uniform(0, 1) : -1);
    }
    if (m_niveau == 3)
        q.periodeMs = periode_niveau_3(int(q.paires.size()), m_tempsInitial, m_tempsFinal, m_score);
    m_question = q;
    m_affichage = affichageMs;
    m_reponse = affichageMs;
    return q;
}

Perfectionnement::Resultat Perfectionnement::evalue_la_reponse(const QStringList &champs, qint64 reponseMs)
{
    Resultat r;
    const QList<Paire> &attendues = m_question.paires;
    const qsizetype n = attendues.size();
    QList<Paire> tapees;
    for (qsizetype k = 0; k < n; ++k)
        tapees << Paire{champs.value(2 * k).trimmed(), champs.value(2 * k + 1).trimmed()};

    // A row with a given factor (level 1) answers the pair that factor comes
    // from, in the order shown: the given field is never wrong, and the
    // pupil's own field is the only one judged.
    QList<int> ligneDe(n, -1);
    QList<bool> prise(n, false);
    r.attendus = QList<Paire>(n);
    for (qsizetype k = 0; k < n; ++k) {
        if (m_question.donnes.value(k, -1) < 0)
            continue;
        prise[k] = true;
        ligneDe[k] = int(k);
        r.attendus[k] = attendues[k];
    }
    // Each expected pair found among the typed ones, in either order, is
    // aligned with its row; the others go to the rows left, a shared factor
    // facing its twin.
    for (qsizetype j = 0; j < n; ++j) {
        if (ligneDe[j] >= 0)
            continue;
        for (qsizetype k = 0; k < n; ++k) {
            const Paire &t = tapees[k];
            const Paire &e = attendues[j];
            if (!prise[k] && ((t.a == e.a && t.b == e.b) || (t.a == e.b && t.b == e.a))) {
                prise[k] = true;
                ligneDe[j] = int(k);
                r.attendus[k] = t;
                break;
            }
        }
    }
    for (qsizetype k = 0; k < n; ++k) {
        if (prise[k])
            continue;
        const Paire &t = tapees[k];
        qsizetype choisie = -1;
        for (qsizetype j = 0; j < n && choisie < 0; ++j)
            if (ligneDe[j] < 0 && (t.a == attendues[j].a || t.a == attendues[j].b || t.b == attendues[j].a
                                   || t.b == attendues[j].b))
                choisie = j;
        for (qsizetype j = 0; j < n && choisie < 0; ++j)
            if (ligneDe[j] < 0)
                choisie = j;
        prise[k] = true;
        ligneDe[choisie] = int(k);
        Paire e = attendues[choisie];
        if (t.a == e.b || t.b == e.a)
            std::swap(e.a, e.b);
        r.attendus[k] = e;
    }

    for (qsizetype k = 0; k < n; ++k) {
        const Paire &t = tapees[k];
        const bool produitJuste = t.a.toInt() * t.b.toInt() == m_question.valeur;
        for (int c = 0; c < 2; ++c) {
            const bool faux = (c == 0 ? t.a : t.b) != (c == 0 ? r.attendus[k].a : r.attendus[k].b);
            r.champsFaux << faux;
            if (!faux)
                continue;
            if (produitJuste)
                r.autreFactorisation = true;
            else
                ++r.erreurs;
        }
    }

    const int i = m_question.numero - 1;
    r.juste = r.erreurs == 0 && !r.autreFactorisation && i >= 0;
    if (i < 0)
        return r;
    if (r.juste) {
        const double vitesse = double(n) * 60000.0 / double(std::max<qint64>(1, reponseMs - m_affichage));
        m_vitesses[i] = m_vitesses[i] == kNonRepondue ? vitesse : (vitesse + m_vitesses[i]) / 2;
        m_score += m_increment * int(n);
        r.finDeNiveau = m_score >= 100;
    } else {
        m_vitesses[i] = m_vitesses[i] == kNonRepondue ? 0.0 : m_vitesses[i] / 2;
        m_score = score_apres_erreur(m_score);
    }
    return r;
}

void Perfectionnement::temps_depasse()
{
    m_score /= 2;
}

void Perfectionnement::fin_de_niveau()
{
    // Levels 1 and 2 start again from nothing; the last level keeps its score.
    if (m_niveau < 3)
        m_score = 0;
}

QString Perfectionnement::ligne_historique(const QString &heureFin) const
{
    if (m_posees <= 1)
        return QString();
    return QStringLiteral("\tPERFECTIONNEMENT de ") + m_heureDebut + QStringLiteral(" à ") + heureFin
        + QStringLiteral(": niveau ") + QString::number(m_niveau);
}
