#include "widgets/AnswerKeyWatch.h"

#include "core/Clock.h"
#include "platform/LockKeys.h"
#include "widgets/KeyPressTime.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

AnswerKeyWatch::AnswerKeyWatch(QWidget *fenetre, QLineEdit *champ, const Clock &clock)
    : QObject(fenetre)
    , m_fenetre(fenetre)
    , m_champ(champ)
    , m_clock(clock)
{
    // Every change of the answer comes from a key, so that each is timed.
    QFont chiffres(QStringLiteral("Arial"));
    chiffres.setPixelSize(36);
    chiffres.setBold(true);
    champ->setFont(chiffres);
    champ->setAlignment(Qt::AlignCenter);
    champ->setContextMenuPolicy(Qt::NoContextMenu);
    champ->setDragEnabled(false);
    champ->setAcceptDrops(false);
}

AnswerKeyWatch::~AnswerKeyWatch()
{
    qApp->removeEventFilter(this);
}

void AnswerKeyWatch::fixe(bool allumes)
{
    // The synthetic presses must not reach the window's own key handling.
    const bool actif = m_actif;
    m_actif = false;
    LockKeys::fixe_verrouillages(allumes, allumes);
    m_actif = actif;
}

void AnswerKeyWatch::demarre()
{
    fixe(true);
    m_actif = true;
    m_toucheMs = -1;
    qApp->installEventFilter(this);
}

void AnswerKeyWatch::arrete(bool eteindreVerrouillages)
{
    m_actif = false;
    qApp->removeEventFilter(this);
    if (eteindreVerrouillages)
        fixe(false);
}

qint64 AnswerKeyWatch::prend_instant()
{
    const qint64 instant = m_toucheMs >= 0 ? m_toucheMs : m_clock.monotonicMs();
    m_toucheMs = -1;
    return instant;
}

bool AnswerKeyWatch::eventFilter(QObject *objet, QEvent *event)
{
    if (!m_actif)
        return false;
    if (event->type() == QEvent::KeyPress && objet == m_champ) {
        auto *touche = static_cast<QKeyEvent *>(event);
        // The moment of the press, taken before the field or anything else
        // handles the key.
        m_toucheMs = KeyPressTime::instant(touche, m_clock);
        if (touche->key() == Qt::Key_Delete) {
            emit suppressionDemandee();
            return true;
        }
    } else if (event->type() == QEvent::KeyRelease) {
        const int cle = static_cast<QKeyEvent *>(event)->key();
        auto *widget = qobject_cast<QWidget *>(objet);
        if ((cle == Qt::Key_NumLock || cle == Qt::Key_CapsLock) && widget && widget->window() == m_fenetre)
            fixe(true);
    }
    return false;
}
