#pragma once

#include "core/WeightedDraw.h"

#include <QString>
#include <QStringList>

class RandomSource;

// What every small game does with one pool of questions: the weights and the
// adaptive draw, the marks, the current question with its expected answer,
// its display time and the time of its first key, the wrong tries. The
// games add their own pools, score meter rules and messages.
class GameRound
{
public:
    explicit GameRound(RandomSource &random) : m_random(random) {}

    // A new step: weights "100", marks "0", no current question, the last
    // answer counted as right and fast.
    void demarre_etape(const QStringList &pool);
    const QStringList &pool() const { return m_pool; }
    int taille() const { return int(m_pool.size()); }

    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }
    // Weighted draw over the whole pool, never the current question again
    // (unless the pool holds one question).
    int tire_au_sort() const;
    // The next question in turn: index + 1, modulo the pool size.
    int suivant_en_tour() const;

    // A question is on screen from affichageMs and expects `attendu`.
    void pose_question(const QString &attendu, qint64 affichageMs);
    const QString &attendu() const { return m_attendu; }
    int longueur_attendue() const { return int(m_attendu.size()); }

    // A key was released with `texte` in the field; `instantTouche` is when
    // the key that gave its first character was pressed. True when the
    // answer is complete and must be evaluated: no key validates it.
    bool frappe(const QString &texte, qint64 instantTouche);

    // Evaluates a complete answer: marks, wrong tries and weights.
    bool traite_reponse(const QString &texte, int secondesAcceptables);
    // Adjusts the weight of the current question after an answer (the
    // keyboard game calls it alone: every copy counts as right).
    void ajuste_frequences(bool juste, qint64 tempsMs, int secondesAcceptables);

    qint64 temps_reponse() const { return m_tempsReponse; }
    void setTempsReponse(qint64 ms) { m_tempsReponse = ms; }
    qint64 affichage() const { return m_affichage; }
    // The question was painted at this moment: its time starts now.
    void setAffichage(qint64 ms) { m_affichage = ms; }
    int essais_rates() const { return m_essaisRates; }
    bool derniere_reponse_juste() const { return m_derniereJuste; }

    QString marque(int index) const { return m_marques.value(index); }
    bool toutes_marques_100() const;
    const WeightedDraw &poids() const { return m_poids; }
    WeightedDraw &poids() { return m_poids; }

private:
    RandomSource &m_random;
    QStringList m_pool;
    QStringList m_marques;
    WeightedDraw m_poids;
    int m_index = -1;
    QString m_attendu;
    qint64 m_affichage = 0;
    qint64 m_tempsReponse = 0;
    int m_essaisRates = 0;
    bool m_derniereJuste = true;
};

// The score meter of the games: a value 0..100.
namespace ScoreMeterValue {
inline int borne(int valeur) { return valeur < 0 ? 0 : (valeur > 100 ? 100 : valeur); }
// A wrong answer keeps three quarters of the score.
inline int apres_erreur(int valeur) { return valeur * 3 / 4; }
} // namespace ScoreMeterValue
