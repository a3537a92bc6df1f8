#include "widgets/TMonHint.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>

#include <algorithm>

namespace {

const QColor kFond(0xFF, 0xDC, 0x00);
constexpr int kLargeurTexteMax = 320;
constexpr int kHautQueue = 20;      // the rounded body starts under the tail
constexpr int kDureeMs = 8000;

// Opens the bubble on tool-tip events and closes it when the pupil moves on.
class FiltreBulles final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *objet, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ToolTip: {
            auto *widget = qobject_cast<QWidget *>(objet);
            if (!widget)
                return false;
            auto *aide = static_cast<QHelpEvent *>(event);
            const QString texte = widget->toolTip();
            if (texte.isEmpty()) {
                TMonHint::instance()->hide();
                return false;
            }
            m_cible = widget;
            TMonHint::instance()->montre(texte, aide->globalPos());
            return true;
        }
        case QEvent::Leave:
            if (objet == m_cible)
                TMonHint::instance()->hide();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
        case QEvent::Wheel:
        case QEvent::WindowDeactivate:
        case QEvent::Hide:
            if (objet == m_cible || event->type() != QEvent::Hide) {
                if (TMonHint::instance()->isVisible())
                    TMonHint::instance()->hide();
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    QPointer<QWidget> m_cible;
};

QPointer<TMonHint> g_bulle;

} // namespace

TMonHint::TMonHint(QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("TMonHint"));
    setAccessibleName(QStringLiteral("Bulle d'aide"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(police());
    m_extinction.setSingleShot(true);
    m_extinction.setInterval(kDureeMs);
    connect(&m_extinction, &QTimer::timeout, this, &QWidget::hide);
}

QFont TMonHint::police()
{
    QFont f;
    f.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"), QStringLiteral("Chilanka"),
                   QStringLiteral("URW Chancery L"), QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::Fantasy);
    f.setPointSize(15);
    f.setBold(true);
    f.setItalic(true);
    return f;
}

TMonHint *TMonHint::instance()
{
    if (!g_bulle)
        g_bulle = new TMonHint;
    return g_bulle;
}

QPainterPath TMonHint::contour(const QSize &taille)
{
    QPainterPath corps;
    corps.addRoundedRect(QRectF(0, kHautQueue, taille.width() - 1, taille.height() - kHautQueue - 1), 25, 25);
    QPainterPath queue;
    queue.moveTo(18, 30);
    queue.lineTo(23, 0);
    queue.lineTo(33, 30);
    queue.closeSubpath();
    return corps.united(queue);
}

void TMonHint::montre(const QString &texte, const QPoint &pointeGlobale)
{
    m_texte = texte;
    if (texte.isEmpty()) {
        hide();
        return;
    }
    const QFontMetrics fm(font());
    QRect texteRect = fm.boundingRect(QRect(0, 0, kLargeurTexteMax, 10000), Qt::TextWordWrap, texte);
    // Room for the rounded corners and the tail.
    QSize taille(texteRect.width() + 10 + 30, texteRect.height() + 10 + 30);
    taille = taille.expandedTo(QSize(60, 60));
    resize(taille);
    setMask(QRegion(contour(taille).toFillPolygon().toPolygon()));

    // Under the pointer as a tool tip stands, moved 15 pixels left so that
    // the tail points up at it.
    QPoint pos = pointeGlobale + QPoint(-15, 18);
    if (const QScreen *ecran = QGuiApplication::screenAt(pointeGlobale)) {
        const QRect zone = ecran->availableGeometry();
        pos.setX(std::clamp(pos.x(), zone.left(), std::max(zone.left(), zone.right() - taille.width())));
        pos.setY(std::clamp(pos.y(), zone.top(), std::max(zone.top(), zone.bottom() - taille.height())));
    }
    move(pos);
    show();
    raise();
    update();
    m_extinction.start();
}

void TMonHint::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPainterPath forme = contour(size());
    p.fillPath(forme, kFond);
    p.setPen(QPen(Qt::black, 1));
    p.drawPath(forme);
    p.setPen(Qt::blue);
    p.setFont(font());
    QRect zone = rect().adjusted(5, 5, -5, -5);
    zone.setTop(zone.top() + 22);
    p.drawText(zone, Qt::AlignCenter | Qt::TextWordWrap, m_texte);
}

void installeBulles(QApplication &app)
{
    static QPointer<QObject> filtre;
    if (filtre)
        return;
    filtre = new FiltreBulles(&app);
    app.installEventFilter(filtre);
}
