#pragma once

#include "core/AdditionsGame.h"
#include "training/GameWindow.h"

class BallPlate;
class QPushButton;
struct SessionState;

// "Addition": from counting red balls to additions that cross ten.
class TAdd : public GameWindow
{
    Q_OBJECT

public:
    TAdd(SessionState &state, const Environment &env, QWidget *parent = nullptr);
    const AdditionsGame &jeu() const { return m_jeu; }

protected:
    void initialise_jeu() override;
    void choisit_question() override;
    void traite_reponse(const QString &texte) override;
    bool etape_terminee() const override { return m_jeu.etape_terminee(); }
    bool derniere_etape() const override { return m_jeu.etape() == AdditionsGame::kDerniereEtape; }
    void etape_suivante() override;
    void demarre_niveau(int index) override;
    GameRound &round() override { return m_jeu.round(); }
    void cache_tout() override;

private:
    void Timer_aide_addTimer();
    void Button1Click();
    void montre_plaquettes(int rouges, int vertes);
    void place_champ();

    AdditionsGame m_jeu;
    QList<BallPlate *> m_plaquettes;    // Image1 .. Image4
    QLabel *m_plus = nullptr;           // Label1
    QLabel *m_egal = nullptr;           // Label2
    QList<QLabel *> m_aide;             // lab1 .. lab5
    QList<QLabel *> m_fleches;          // fleche1 .. fleche3
    QPushButton *m_ok = nullptr;        // Button1
    QTimer *m_timerAide = nullptr;      // Timer_aide_add
};
