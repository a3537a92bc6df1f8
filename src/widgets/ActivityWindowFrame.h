#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>

class QWidget;

// The activity windows (test, training, perfectionnement, games) are laid
// out for 800 × 600 and shown maximised. Their controls stand on one design
// area of that size, a child of the window, which the frame keeps in the
// middle of the window: the window builds with the coordinates of its
// 800 × 600 layout and never thinks about the screen.
//
//     auto *cadre = new ActivityWindowFrame(this, "fond", "Entraînement");
//     auto *bouton = new QPushButton(cadre->contenu());
//
// Every time the window is shown (show(), showMaximized() or exec()), the
// frame makes it cover the screen's available area and asks for the
// maximised state, so that it is full-screen even where no window manager
// would maximise it. The area may be resized (a long list of tiles needs a
// wider one): it is centred again at once.
class ActivityWindowFrame : public QObject
{
    Q_OBJECT

public:
    static constexpr int kLargeur = 800;
    static constexpr int kHauteur = 600;

    // Gives the window its design area, named nom, and takes its placement in hand.
    ActivityWindowFrame(QWidget *fenetre, const QString &nom, const QString &accessible);

    QWidget *contenu() const { return m_contenu; }

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
};
