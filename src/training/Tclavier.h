#pragma once

#include "core/KeyboardGame.h"
#include "training/GameWindow.h"

class QPushButton;
struct SessionState;

// "Apprentissage du clavier": the pupil copies numbers on the numeric
// keypad; a wrong digit is refused with a beep and the typing speed fills
// the meter.
class Tclavier : public GameWindow
{
    Q_OBJECT

public:
    static constexpr int kBipHz = 440;
    static constexpr int kBipMs = 100;

    Tclavier(SessionState &state, const Environment &env, QWidget *parent = nullptr);
    const KeyboardGame &jeu() const { return m_jeu; }

protected:
    void initialise_jeu() override;
    void choisit_question() override;
    void traite_reponse(const QString &texte) override;
    bool etape_terminee() const override { return m_jeu.etape_terminee(); }
    bool derniere_etape() const override { return m_jeu.etape() == KeyboardGame::kDerniereEtape; }
    void etape_suivante() override;
    void demarre_niveau(int index) override;
    GameRound &round() override { return m_jeu.round(); }
    void MaskEdit1KeyUp(const QString &texte) override;
    void fin_du_jeu() override;

private:
    KeyboardGame m_jeu;
    QLabel *m_recopie = nullptr;        // GradLabel1
    QLabel *m_vitesse = nullptr;        // label_temps2
    QPushButton *m_pause = nullptr;     // BitBtn_pause, kept hidden
};
