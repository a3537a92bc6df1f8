#include "widgets/LedDisplay.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace {

// Segments a to g, clockwise from the top, g in the middle.
constexpr std::array<quint8, 10> kSegments = {
    0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110,
    0b1101101, 0b1111101, 0b0000111, 0b1111111, 0b1101111,
};

} // namespace

LedDisplay::LedDisplay(int chiffres, QWidget *parent)
    : QWidget(parent)
    , m_chiffres(std::max(1, chiffres))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleDescription(texte().trimmed());
}

void LedDisplay::setValue(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    setAccessibleDescription(texte().trimmed());
    update();
}

QString LedDisplay::texte() const
{
    QString chiffres = QString::number(std::abs(m_value));
    if (chiffres.size() > m_chiffres)
        chiffres = chiffres.right(m_chiffres);
    return chiffres.rightJustified(m_chiffres, QLatin1Char(' '));
}

void LedDisplay::setCouleurs(const QColor &allume, const QColor &eteint, const QColor &fond)
{
    m_allume = allume;
    m_eteint = eteint;
    m_fond = fond;
    update();
}

QSize LedDisplay::sizeHint() const
{
    return QSize(8 + 26 * m_chiffres, 44);
}

void LedDisplay::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_fond);
    p.setRenderHint(QPainter::Antialiasing);
    const QString t = texte();
    const qreal marge = 4;
    const qreal largeur = (width() - 2 * marge) / m_chiffres;
    for (int i = 0; i < m_chiffres; ++i) {
        const QRectF cadre(marge + i * largeur, marge, largeur, height() - 2 * marge);
        dessineChiffre(p, cadre.adjusted(largeur * 0.12, 0, -largeur * 0.12, 0), t[i]);
    }
}

void LedDisplay::dessineChiffre(QPainter &p, const QRectF &cadre, QChar chiffre) const
{
    const quint8 allumes = chiffre.isDigit() ? kSegments[chiffre.digitValue()] : 0;
    const qreal w = cadre.width();
    const qreal h = cadre.height();
    const qreal e = std::max<qreal>(2.0, std::min(w, h) * 0.16);  // segment thickness
    const qreal x0 = cadre.left();
    const qreal y0 = cadre.top();
    const qreal ym = y0 + h / 2;

    auto horizontal = [&](qreal y) {
        QPainterPath path;
        path.moveTo(x0 + e / 2, y);
        path.lineTo(x0 + e, y - e / 2);
        path.lineTo(x0 + w - e, y - e / 2);
        path.lineTo(x0 + w - e / 2, y);
        path.lineTo(x0 + w - e, y + e / 2);
        path.lineTo(x0 + e, y + e / 2);
        path.closeSubpath();
        return path;
    };
    auto vertical = [&](qreal x, qreal haut, qreal bas) {
        QPainterPath path;
        path.moveTo(x, haut + e / 2);
        path.lineTo(x + e / 2, haut + e);
        path.lineTo(x + e / 2, bas - e);
        path.lineTo(x, bas - e / 2);
        path.lineTo(x - e / 2, bas - e);
        path.lineTo(x - e / 2, haut + e);
        path.closeSubpath();
        return path;
    };

    const std::array<QPainterPath, 7> segments = {
        horizontal(y0 + e / 2),                       // a
        vertical(x0 + w - e / 2, y0 + e / 2, ym),     // b
        vertical(x0 + w - e / 2, ym, y0 + h - e / 2), // c
        horizontal(y0 + h - e / 2),                   // d
        vertical(x0 + e / 2, ym, y0 + h - e / 2),     // e
        vertical(x0 + e / 2, y0 + e / 2, ym),         // f
        horizontal(ym),                               // g
    };
    p.setPen(Qt::NoPen);
    for (int s = 0; s < 7; ++s)
        p.fillPath(segments[s], (allumes >> s) & 1 ? m_allume : m_eteint);
}
