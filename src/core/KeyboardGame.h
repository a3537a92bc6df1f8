#pragma once

#include "core/GameRound.h"

#include <QString>
#include <QStringList>

class RandomSource;

// The numeric keypad game: the pupil copies two-digit numbers; a wrong digit
// is refused. The typing speed over the last ten copies fills the meter.
class KeyboardGame
{
public:
    static constexpr int kSecondesAcceptables = 2;
    static constexpr int kDerniereEtape = 2;
    static constexpr int kCopiesAffichees = 5;  // "Recopie:" shown before that many copies

    explicit KeyboardGame(RandomSource &random);

    static QStringList pool(int etape);
    void initialise_jeu();
    void initialise_etape(int etape);
    void choisit_question(qint64 affichageMs);
    const QString &cible() const { return m_round.attendu(); }

    // False when the last digit typed differs from the target's digit at
    // that place: it is refused with a beep.
    bool chiffre_accepte(const QString &texte) const;

    struct Suite
    {
        int variation = 0;      // change of the meter, -5..+5 before bounding
        int delaiMs = 500;
        bool plusVite = false;
    };
    // A complete copy, done at instant finMs.
    Suite traite_reponse(qint64 finMs);
    bool etape_terminee() const;

    int etape() const { return m_etape; }
    int score() const { return m_score; }
    // Digits per minute over the last ten copies; 0 before the first.
    int vitesse() const;
    const QStringList &frappes() const { return m_frappes; }
    bool montre_recopie() const { return m_frappes.size() < kCopiesAffichees; }
    GameRound &round() { return m_round; }
    const GameRound &round() const { return m_round; }

private:
    GameRound m_round;
    int m_etape = 1;
    int m_score = 0;
    QStringList m_frappes;
};
