#pragma once

#include <QColor>
#include <QLabel>

// A label on a plain coloured ground, with an optional one-pixel outline:
// the training's tiles and step-panel rows, of which a plan builds many at
// once. Colours are painted directly, far cheaper than a style sheet per
// label. The text stays a QLabel's, read as is by screen readers.
class ColourLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ColourLabel(const QString &texte, QWidget *parent = nullptr);

    void setCouleurs(const QColor &fond, const QColor &texte);
    void setBordure(const QColor &bordure);
    QColor fond() const { return m_fond; }
    QColor couleurTexte() const { return palette().color(QPalette::WindowText); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fond;
    QColor m_bordure;
};
