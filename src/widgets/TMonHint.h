#pragma once

#include <QPainterPath>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QApplication;

// The speech-bubble hint of every control: a yellow rounded bubble with a
// tail pointing up at the mouse, the text in a playful blue italic. It
// replaces the toolkit's tooltips for the whole application.
class TMonHint : public QWidget
{
    Q_OBJECT

public:
    explicit TMonHint(QWidget *parent = nullptr);

    // Shows the text with the bubble's tail just under the point (global
    // coordinates); an empty text hides the bubble.
    void montre(const QString &texte, const QPoint &pointeGlobale);
    QString texte() const { return m_texte; }

    // The bubble's outline for a window of the given size.
    static QPainterPath contour(const QSize &taille);
    static QFont police();

    // The bubble shown by the application-wide hints (created on first use).
    static TMonHint *instance();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_texte;
    QTimer m_extinction;
};

// Installs the bubble for the whole application: every control's tool tip
// opens it instead of the toolkit's own, and leaving, clicking or typing
// closes it.
void installeBulles(QApplication &app);
