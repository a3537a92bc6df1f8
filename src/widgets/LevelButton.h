#pragma once

#include <QAbstractButton>

// A level button of the games (an image that follows the mouse): four
// faces drawn in code, one per state. Its caption is its visible text and
// its accessible name; the state is told through the enabled and checked
// states and the accessible description.
class LevelButton : public QAbstractButton
{
    Q_OBJECT

public:
    enum Etat { Indisponible = 0, Disponible = 1, SousLaSouris = 2, Courant = 3 };

    LevelButton(const QString &nom, const QString &legende, QWidget *parent = nullptr);

    // button_niveau_etat
    void setEtat(int etat);
    int etat() const { return m_etat; }
    QSize sizeHint() const override { return QSize(150, 48); }

signals:
    // A click on a button that is not unavailable (niveauClick).
    void choisi();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    int m_etat = Disponible;
};
