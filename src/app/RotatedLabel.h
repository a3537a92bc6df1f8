#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

// A text drawn at 45 degrees, rising from the lower left corner of its box
// towards the upper right one, where it ends: the day labels and class
// captions under the bars of the progress graph.
class RotatedLabel : public QWidget
{
    Q_OBJECT

public:
    explicit RotatedLabel(const QString &text, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setColor(const QColor &color);
    // The text runs along the diagonal of this box (parent coordinates).
    // The widget itself is a little larger, so that the letters that stand
    // out of the diagonal's band are not cut.
    void placeDans(const QRect &boite);
    QRect boite() const { return m_boite; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_color = Qt::black;
    QRect m_boite;
};
