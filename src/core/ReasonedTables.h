#pragma once

#include "core/GameRound.h"

#include <QString>
#include <QStringList>

class RandomSource;

// The tables learnt by reasoning: 0, 1 and 10 in step 1, 11, 20 and 50 in
// step 2. Each question is one of six patterns of the step ("×10", "50×" ...)
// completed with a factor from 2 to 9.
class ReasonedTables
{
public:
    static constexpr int kDerniereEtape = 2;

    ReasonedTables(RandomSource &random, int secondesAcceptables);
    // The teacher's acceptable time A, read when the game opens.
    void setSecondesAcceptables(int secondes);
    int secondes_acceptables() const { return m_secondes; }

    static QStringList motifs(int etape);
    // The explanation of the pattern's table, one line per item.
    static QStringList explication(int etape, int motif);

    void initialise_etape(int etape);
    // The next question: a new pattern only after a right and fast answer.
    void choisit_question(qint64 affichageMs);

    struct Suite
    {
        bool juste = false;
        bool plusVite = false;      // right but slow: "Plus vite!"
        int delaiMs = 500;          // before the next question
        bool montreExplication = false;
        bool montreCorrection = false;  // correction and "OK": the field is disabled
    };
    Suite traite_reponse(const QString &texte);
    bool etape_terminee() const { return m_score >= 100; }

    int etape() const { return m_etape; }
    int motif() const { return m_round.index(); }
    bool ordre_initial() const { return m_ordreInitial; }
    const QString &question() const { return m_question; }
    const QString &correction() const { return m_correction; }
    int score() const { return m_score; }
    GameRound &round() { return m_round; }
    const GameRound &round() const { return m_round; }

private:
    RandomSource &m_random;
    GameRound m_round;
    int m_secondes = 1;
    int m_etape = 1;
    bool m_ordreInitial = true;
    QString m_question;
    QString m_correction;
    int m_score = 0;
};
