#include "widgets/ActivityWindowFrame.h"

#include "widgets/DesignScaler.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

ActivityWindowFrame::ActivityWindowFrame(QWidget *fenetre, const QString &nom, const QString &accessible, Ecran ecran,
                                         QSize design)
    : QObject(fenetre)
    , m_fenetre(fenetre)
    , m_contenu(new QWidget(fenetre))
    , m_scaler(new DesignScaler(m_contenu))
    , m_ecran(ecran)
{
    setObjectName(QStringLiteral("cadre_activite"));
    m_contenu->setObjectName(nom);
    m_contenu->setAccessibleName(accessible);
    m_contenu->resize(design);
    if (m_ecran == Ecran::Occupe)
        m_fenetre->setWindowState(m_fenetre->windowState() | Qt::WindowMaximized);
    m_fenetre->installEventFilter(this);
    connect(m_scaler, &DesignScaler::designSizeChanged, this, &ActivityWindowFrame::centre);
    centre();
}

double ActivityWindowFrame::echelle(const QSize &fenetre, const QSize &design)
{
    if (design.isEmpty() || fenetre.isEmpty())
        return 1.0;
    // Below half the design, nothing could be read any more: the window then
    // shows the top-left part, as a window smaller than the area always did.
    const double s = std::min(double(fenetre.width()) / design.width(), double(fenetre.height()) / design.height());
    return std::max(0.5, s);
}

QPoint ActivityWindowFrame::decalage(const QSize &fenetre, const QSize &contenu)
{
    return QPoint(std::max(0, (fenetre.width() - contenu.width()) / 2),
                  std::max(0, (fenetre.height() - contenu.height()) / 2));
}

bool ActivityWindowFrame::eventFilter(QObject *objet, QEvent *event)
{
    if (objet != m_fenetre)
        return QObject::eventFilter(objet, event);
    // Seen before the window's own show handler, so that it starts its work
    // in its final place and scale. A window brought back from the task bar
    // keeps the place the user left it in.
    if (event->type() == QEvent::Show && !event->spontaneous() && m_ecran == Ecran::Occupe)
        occupe_ecran();
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
        centre();
    return QObject::eventFilter(objet, event);
}

void ActivityWindowFrame::centre()
{
    // Until the window is shown its size means nothing yet, and controls
    // built meanwhile are built at the design's own scale.
    if (m_fenetre->isVisible())
        m_scaler->setScale(echelle(m_fenetre->size(), m_scaler->designSize()));
    m_contenu->move(decalage(m_fenetre->size(), m_contenu->size()));
}

void ActivityWindowFrame::occupe_ecran()
{
    const QWidget *proprietaire = m_fenetre->parentWidget() ? m_fenetre->parentWidget() : m_fenetre;
    const QScreen *ecran = proprietaire->screen() ? proprietaire->screen() : QGuiApplication::primaryScreen();
    if (ecran) {
        const QRect zone = ecran->availableGeometry();
        m_fenetre->setGeometry(zone);
    }
    const Qt::WindowStates etat = m_fenetre->windowState();
    if (!(etat & Qt::WindowMaximized) || (etat & (Qt::WindowMinimized | Qt::WindowFullScreen)))
        m_fenetre->setWindowState((etat & ~(Qt::WindowMinimized | Qt::WindowFullScreen)) | Qt::WindowMaximized);
}
