#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>

class QLayout;
class QWidget;

// The pupil's windows are drawn in pixels for an 800 × 600 window. The
// scaler lets a window keep building and moving its controls in those design
// pixels while they are shown at a scale: every geometry, size limit, font,
// style sheet length, layout margin and icon size that the window's code sets
// on a control under the root is taken as design and shown multiplied by the
// scale. The window's code does not change, except where it reads a control's
// geometry or measures text to place another one: it asks designGeometry(),
// designSizeHint() or designFont() instead, which answer in design pixels.
//
// Controls Qt builds inside its own widgets (a scroll area's bars, a combo
// box's list) are left to those widgets; a scroll area's content is scaled,
// its place in the area being the area's business.
class DesignScaler : public QObject
{
    Q_OBJECT

public:
    explicit DesignScaler(QWidget *root);
    ~DesignScaler() override;

    QWidget *root() const { return m_root; }
    double scale() const { return m_scale; }
    // Shows every control of the root at this scale (the root's own place is
    // its owner's: only its size is scaled).
    void setScale(double scale);
    // For a box whose root is the box itself: each time it opens, it takes
    // the scale of the window it opens over, and stays centred on it.
    void setFollowsParentWindow(bool follows) { m_followsParentWindow = follows; }
    // The root's size in design pixels: what the window last gave it.
    QSize designSize();

    // The scaler in charge of a control, or none when no scaler is above it.
    static DesignScaler *of(const QWidget *widget);
    // The answers below are the control's own when no scaler is in charge.
    static QRect designGeometry(const QWidget *widget);
    static QSize designSizeHint(const QWidget *widget);
    static QFont designFont(const QWidget *widget);
    static double scaleOf(const QWidget *widget);
    // The scale of the design shown in the widget's window (for a box that
    // opens over it), or the widget's own scaler's.
    static double scaleOfWindow(const QWidget *widget);

    // The scale times the screen's pixel ratio: how many pixels a picture
    // drawn for the control needs for each of its design pixels.
    static qreal pictureDensity(const QWidget *widget);
    // A picture of the given size in design pixels with density times as many
    // pixels (its device pixel ratio), cleared to transparent: what is painted
    // on it keeps the design's coordinates and stays sharp when shown larger.
    static QImage picture(const QSize &design, qreal density,
                          QImage::Format format = QImage::Format_ARGB32_Premultiplied);

    static int scaled(int design, double scale);
    static QRect scaled(const QRect &design, double scale);

signals:
    // The window gave the root another design size.
    void designSizeChanged();
    void scaleChanged(double scale);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    struct Design
    {
        bool known = false;
        bool hasRect = false;
        QRect rect;
        QSize min;
        QSize max;
        bool hasFont = false;
        QFont font;
        QString styleSheet;
        QSize iconSize;
        QHash<QLayout *, QPair<QMargins, int>> layouts;
        // What the scaler last set, to tell its own changes from the window's.
        QRect shownRect;
        QSize shownMin;
        QSize shownMax;
        QFont shownFont;
        QString shownStyleSheet;
        QSize shownIconSize;
    };

    bool isOurs(const QWidget *widget) const;
    bool placesItself(const QWidget *widget) const;
    void watch(QObject *object);
    void forget(QObject *gone);
    Design &learn(QWidget *widget);
    void noteChange(QWidget *widget);
    void sync(QWidget *widget);
    void apply(QWidget *widget, Design &design);
    void applyAll();

    QWidget *m_root;
    double m_scale = 1.0;
    bool m_applying = false;
    bool m_followsParentWindow = false;
    QHash<const QWidget *, Design> m_designs;
};

// Where a control stands in design pixels: the shorthand the windows' code
// uses wherever it places a control from another one's place or size.
inline QRect enDessin(const QWidget *widget)
{
    return DesignScaler::designGeometry(widget);
}
