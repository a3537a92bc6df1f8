#include "widgets/ActivityWindowFrame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

ActivityWindowFrame::ActivityWindowFrame(QWidget *fenetre, const QString &nom, const QString &accessible)
    : QObject(fenetre)
    , m_fenetre(fenetre)
    , m_contenu(new QWidget(fenetre))
{
    setObjectName(QStringLiteral("cadre_activite"));
    m_contenu->setObjectName(nom);
    m_contenu->setAccessibleName(accessible);
    m_contenu->resize(kLargeur, kHauteur);
    m_fenetre->setWindowState(m_fenetre->windowState() | Qt::WindowMaximized);
    m_fenetre->installEventFilter(this);
    m_contenu->installEventFilter(this);
    centre();
}

QPoint ActivityWindowFrame::decalage(const QSize &fenetre, const QSize &contenu)
{
    return QPoint(std::max(0, (fenetre.width() - contenu.width()) / 2),
                  std::max(0, (fenetre.height() - contenu.height()) / 2));
}

bool ActivityWindowFrame::eventFilter(QObject *objet, QEvent *event)
{
    if (event->type() == QEvent::Resize && (objet == m_fenetre || objet == m_contenu))
        centre();
    // Seen before the window's own show handler, so that it starts its work
    // in its final place. A window brought back from the task bar keeps the
    // place the user left it in.
    else if (event->type() == QEvent::Show && objet == m_fenetre && !event->spontaneous())
        occupe_ecran();
    return QObject::eventFilter(objet, event);
}

void ActivityWindowFrame::centre()
{
    m_contenu->move(decalage(m_fenetre->size(), m_contenu->size()));
}

void ActivityWindowFrame::occupe_ecran()
{
    const QWidget *proprietaire = m_fenetre->parentWidget() ? m_fenetre->parentWidget() : m_fenetre;
    const QScreen *ecran = proprietaire->screen() ? proprietaire->screen() : QGuiApplication::primaryScreen();
    if (ecran) {
        const QRect zone = ecran->availableGeometry();
        m_fenetre->setGeometry(zone.x(), zone.y(), std::max(kLargeur, zone.width()), std::max(kHauteur, zone.height()));
    }
    const Qt::WindowStates etat = m_fenetre->windowState();
    if (!(etat & Qt::WindowMaximized) || (etat & (Qt::WindowMinimized | Qt::WindowFullScreen)))
        m_fenetre->setWindowState((etat & ~(Qt::WindowMinimized | Qt::WindowFullScreen)) | Qt::WindowMaximized);
}
