#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>

class DesignScaler;
class QWidget;

// The pupil's windows (identification, main window, test, training,
// perfectionnement, games) are laid out for 800 × 600. Their controls stand
// on one design area of that size, a child of the window, which the frame
// scales to the largest size the window holds with its proportions kept
// (DesignScaler) and keeps in the middle of the window: the window builds
// with the coordinates of its 800 × 600 layout and never thinks about the
// screen.
//
//     auto *cadre = new ActivityWindowFrame(this, "fond", "Entraînement");
//     auto *bouton = new QPushButton(cadre->contenu());
//
// Every time an activity window is shown (show(), showMaximized() or
// exec()), the frame makes it cover the screen's available area and asks for
// the maximised state, so that it is full-screen even where no window manager
// would maximise it. The area may be resized in design pixels (a long list of
// tiles needs a wider one): it is scaled and centred again at once.
class ActivityWindowFrame : public QObject
{
    Q_OBJECT

public:
    static constexpr int kLargeur = 800;
    static constexpr int kHauteur = 600;

    enum class Ecran { Occupe, Laisse };

    // Gives the window its design area, named nom, and takes its placement in
    // hand. With Ecran::Laisse the window's size stays its owner's business
    // (the main window, or a part of a window).
    ActivityWindowFrame(QWidget *fenetre, const QString &nom, const QString &accessible,
                        Ecran ecran = Ecran::Occupe, QSize design = QSize(kLargeur, kHauteur));

    QWidget *contenu() const { return m_contenu; }
    DesignScaler *scaler() const { return m_scaler; }

    // The scale at which a design of the given size fills a window of the
    // given size, proportions kept.
    static double echelle(const QSize &fenetre, const QSize &design);

    // Top-left corner of an area of the given size in a window of the given
    // size: half the difference on each side, never beyond the window's own
    // corner (a window smaller than the area shows its top-left part).
    static QPoint decalage(const QSize &fenetre, const QSize &contenu);

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    void centre();
    void occupe_ecran();

    QWidget *m_fenetre;
    QWidget *m_contenu;
    DesignScaler *m_scaler;
    Ecran m_ecran;
};
