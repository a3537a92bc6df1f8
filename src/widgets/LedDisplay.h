#pragma once

#include <QColor>
#include <QWidget>

// A number on seven-segment digits, as a counter on a panel shows it: lit
// segments bright, the others faintly visible, leading zeros blank.
class LedDisplay : public QWidget
{
    Q_OBJECT

public:
    explicit LedDisplay(int chiffres = 2, QWidget *parent = nullptr);

    int value() const { return m_value; }
    // Values that do not fit keep their last digits.
    void setValue(int value);
    // The text the digits show, blanks included ("  ", " 7", "12").
    QString texte() const;

    void setCouleurs(const QColor &allume, const QColor &eteint, const QColor &fond);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void dessineChiffre(class QPainter &p, const QRectF &cadre, QChar chiffre) const;

    int m_chiffres;
    int m_value = 0;
    QColor m_allume = QColor(255, 40, 40);
    QColor m_eteint = QColor(45, 0, 0);
    QColor m_fond = Qt::black;
};
