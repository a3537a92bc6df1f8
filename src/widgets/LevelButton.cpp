#include "widgets/LevelButton.h"

#include <QPainter>

LevelButton::LevelButton(const QString &nom, const QString &legende, QWidget *parent) : QAbstractButton(parent)
{
    setObjectName(nom);
    setText(legende);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(sizeHint());
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_etat != Indisponible)
            emit choisi();
        // The current state is the game's to set, not the toggle's.
        setChecked(m_etat == Courant);
    });
    setEtat(Disponible);
}

void LevelButton::setEtat(int etat)
{
    m_etat = std::clamp(etat, 0, 3);
    setEnabled(m_etat != Indisponible);
    setChecked(m_etat == Courant);
    static const char *const descriptions[] = {"indisponible", "disponible", "disponible", "en cours"};
    setAccessibleDescription(QString::fromUtf8(descriptions[m_etat]));
    update();
}

void LevelButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    if (m_etat == Disponible)
        setEtat(SousLaSouris);
}

void LevelButton::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    if (m_etat == SousLaSouris)
        setEtat(Disponible);
}

void LevelButton::paintEvent(QPaintEvent *)
{
    // "aqua_0" .. "aqua_3": a glassy pill, grey when unavailable, light blue,
    // bright blue under the mouse, orange when current.
    static const QColor fonds[4][2] = {{QColor(225, 225, 225), QColor(190, 190, 190)},
                                      {QColor(200, 230, 255), QColor(90, 160, 230)},
                                      {QColor(220, 245, 255), QColor(40, 140, 250)},
                                      {QColor(255, 230, 170), QColor(240, 150, 30)}};
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF cadre = QRectF(rect()).adjusted(1, 1, -1, -1);
    QLinearGradient degrade(0, 0, 0, height());
    degrade.setColorAt(0, fonds[m_etat][0]);
    degrade.setColorAt(1, fonds[m_etat][1]);
    p.setPen(QPen(m_etat == Courant ? QColor(160, 80, 0) : QColor(70, 100, 140), hasFocus() ? 2.5 : 1));
    p.setBrush(degrade);
    p.drawRoundedRect(cadre, height() / 2.0, height() / 2.0);
    // The glass reflection.
    QLinearGradient reflet(0, 0, 0, height() / 2.0);
    reflet.setColorAt(0, QColor(255, 255, 255, 170));
    reflet.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(reflet);
    p.drawRoundedRect(cadre.adjusted(6, 2, -6, -height() / 2.0), height() / 4.0, height() / 4.0);

    QFont police;
    police.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
    police.setPixelSize(20);
    p.setFont(police);
    p.setPen(m_etat == Indisponible ? QColor(192, 192, 192) : QColor(Qt::black));
    p.drawText(rect().adjusted(20, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, text());
}
