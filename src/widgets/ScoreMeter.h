#pragma once

#include <QWidget>

class QTimer;

// The score meter of the games: two digits in a small display at the top,
// a gauge that fills from the bottom, and at 100 a "BRAVO" banner that
// scrolls through the display. Drawn in code.
class ScoreMeter : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kLargeur = 87;
    static constexpr int kHauteur = 450;
    static constexpr int kPeriodeBravo = 75;

    explicit ScoreMeter(QWidget *parent = nullptr);

    // H(s): the y coordinate of the gauge top for a score s of 0..100.
    static int hauteur(int score);
    // The top of the lit part for a score: H(s - 1), or H(s) at 25, 50, 75
    // and 100, so that the gauge jumps at each quarter.
    static int haut_jauge(int score);

    // affiche_score: draws the value and starts or stops the banner.
    void affiche_score(int score);
    int score() const { return m_score; }
    int position_banderole() const { return m_banderole; }
    QTimer *timerBravo() const { return m_timerBravo; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Timer_bravoTimer();

    QTimer *m_timerBravo;
    int m_score = 0;
    int m_banderole = 0;
};
