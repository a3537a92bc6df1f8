#pragma once

#include "core/GameRound.h"

#include <QString>
#include <QStringList>

class RandomSource;

// The additions game for young pupils, in six steps: counting red balls
// (0 and 1), additions below 10 (2), complements to 10 with and without
// balls (3 and 4), additions crossing ten with the score meter (5).
class AdditionsGame
{
public:
    static constexpr int kSecondesAcceptables = 4;
    static constexpr int kDerniereEtape = 5;
    static constexpr int kAideMs = 10000;

    explicit AdditionsGame(RandomSource &random);

    // The pool of a step; step 2 holds a few random additions.
    QStringList pool(int etape) const;
    void initialise_etape(int etape);
    void choisit_question(qint64 affichageMs);

    struct Suite
    {
        bool juste = false;
        bool plusVite = false;
        int delaiMs = 500;
        bool correction = false;    // step 2: the balls of the correction, then "OK"
    };
    Suite traite_reponse(const QString &texte);
    bool etape_terminee() const;
    bool compteur_visible() const { return m_etape == 5; }

    int etape() const { return m_etape; }
    // The number of balls to count (steps 0 and 1) or the first term of the
    // addition or complement; -1 when there is none.
    int terme1() const { return m_terme1; }
    int terme2() const { return m_terme2; }
    // The text of the question as shown.
    QString question() const;
    int score() const { return m_score; }
    void setScore(int score) { m_score = ScoreMeterValue::borne(score); }
    GameRound &round() { return m_round; }
    const GameRound &round() const { return m_round; }

private:
    RandomSource &m_random;
    GameRound m_round;
    int m_etape = 2;
    int m_terme1 = -1;
    int m_terme2 = -1;
    int m_score = 0;
};
