#pragma once

#include <QWidget>

// A plaquette of ten places of 30 × 30 pixels in two columns of five: the
// first places hold red balls, the next ones green balls, the rest are
// empty. Its accessible description tells how many balls it shows.
class BallPlate : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kLargeur = 120;
    static constexpr int kHauteur = 240;

    explicit BallPlate(const QString &nom, QWidget *parent = nullptr);

    void dessine(int rouges, int vertes);
    int rouges() const { return m_rouges; }
    int vertes() const { return m_vertes; }
    // The top-left corner of place 1..10.
    static QPoint place(int numero);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_rouges = 0;
    int m_vertes = 0;
};
