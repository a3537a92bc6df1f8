#pragma once

#include "core/ReasonedTables.h"
#include "training/GameWindow.h"

class QPlainTextEdit;
class QPushButton;
struct SessionState;

// "Tables Réfléchies": the tables of 0, 1 and 10, then of 11, 20 and 50,
// learnt by reasoning, with an explanation after a wrong answer.
class Treflechies : public GameWindow
{
    Q_OBJECT

public:
    Treflechies(SessionState &state, const Environment &env, QWidget *parent = nullptr);
    const ReasonedTables &jeu() const { return m_jeu; }

protected:
    void initialise_jeu() override;
    void choisit_question() override;
    void traite_reponse(const QString &texte) override;
    bool etape_terminee() const override { return m_jeu.etape_terminee(); }
    bool derniere_etape() const override { return m_jeu.etape() == ReasonedTables::kDerniereEtape; }
    void etape_suivante() override;
    void demarre_niveau(int index) override;
    GameRound &round() override { return m_jeu.round(); }
    void cache_tout() override;

private:
    void Button1Click();

    SessionState &m_state;
    ReasonedTables m_jeu;
    QLabel *m_correction = nullptr;     // GradLabel1
    QPlainTextEdit *m_memo = nullptr;   // Memo1
    QPushButton *m_ok = nullptr;        // Button1
};
