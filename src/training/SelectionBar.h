#pragma once

#include <QFrame>

class QLabel;
class QToolButton;
struct SessionState;

// The training window's top bar "Panel_btn": whole tables or single
// products chosen automatically, the free choice, and the counter of items
// with its more and less buttons. When the items change it says so, and the
// training builds its plan again.
class SelectionBar : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kHauteur = 36;

    SelectionBar(SessionState &state, QWidget *fenetre);

    // The mode buttons and the counter as the session values stand.
    void actualise();

signals:
    void produitsChanges();         // produits_a_memoriser was chosen again
    void choixLibreDemande();       // the free-choice window is wanted

private:
    void change_produits_a_memoriser();
    void SpeedButton_tablesClick();
    void SpeedButton_trousClick();
    void SpeedButton_libreClick();
    void SpeedButton1Click();
    void SpeedButton10Click();

    SessionState &m_state;
    QToolButton *m_boutonTables = nullptr;
    QToolButton *m_boutonTrous = nullptr;
    QLabel *m_label4 = nullptr;
};
