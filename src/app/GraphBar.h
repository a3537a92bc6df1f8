#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

// One bar of the progress graph: a filled rectangle with a black frame and a
// hand cursor that tells which entry was pressed and with which button.
class GraphBar : public QWidget
{
    Q_OBJECT

public:
    // fill: 0xRRGGBB, or negative for no fill.
    GraphBar(int entree, int tag, int fill, QWidget *parent = nullptr);

    int entree() const { return m_entree; }
    int tag() const { return m_tag; }
    // Invalid when the bar has no fill colour.
    QColor fillColor() const { return m_fill; }

signals:
    void pressed(int entree, Qt::MouseButton button, const QPoint &globalPos);
    void released(int entree);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_entree;
    int m_tag;
    QColor m_fill;
};
