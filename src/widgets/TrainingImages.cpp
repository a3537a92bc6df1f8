#include "widgets/TrainingImages.h"

#include "widgets/DesignScaler.h"

#include <QHash>
#include <QPainter>

namespace TrainingImages {

namespace {

QPixmap feu(int allume, qreal densite)
{
    QPixmap p = QPixmap::fromImage(DesignScaler::picture(QSize(11, 29), densite));
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(40, 40, 40));
    g.drawRoundedRect(QRectF(0, 0, 11, 29), 3, 3);
    const QColor allumes[] = {QColor(255, 0, 0), QColor(255, 128, 0), QColor(128, 255, 0)};
    for (int i = 0; i < 3; ++i) {
        g.setBrush(i == allume ? allumes[i] : QColor(90, 90, 90));
        g.drawEllipse(QRectF(2, 1.5 + i * 9, 7, 7));
    }
    return p;
}

QPixmap batons(int nombre, qreal densite)
{
    QPixmap p = QPixmap::fromImage(DesignScaler::picture(QSize(23, 23), densite));
    QPainter g(&p);
    for (int i = 0; i < nombre; ++i) {
        const int hauteur = 6 + 4 * i;
        g.fillRect(QRect(1 + 4 * i, 22 - hauteur, 3, hauteur), QColor(0, 128, 0));
    }
    return p;
}

QPixmap icone(bool juste, qreal densite)
{
    QPixmap p = QPixmap::fromImage(DesignScaler::picture(QSize(20, 20), densite));
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QPen pen(juste ? QColor(0, 160, 0) : QColor(220, 0, 0), 3.5, Qt::SolidLine, Qt::RoundCap);
    g.setPen(pen);
    if (juste) {
        g.drawLine(QPointF(3, 10), QPointF(8, 16));
        g.drawLine(QPointF(8, 16), QPointF(17, 3));
    } else {
        g.drawLine(QPointF(4, 4), QPointF(16, 16));
        g.drawLine(QPointF(16, 4), QPointF(4, 16));
    }
    return p;
}

QPixmap dessine(const QString &nom, qreal densite)
{
    if (nom == u"FEU_ROUGE")
        return feu(0, densite);
    if (nom == u"FEU_ORANGE")
        return feu(1, densite);
    if (nom == u"FEU_VERT")
        return feu(2, densite);
    if (nom.startsWith(u"BATONS_"))
        return batons(std::clamp(nom.mid(7).toInt(), 0, 5), densite);
    if (nom == u"OK" || nom == u"CROIX")
        return icone(nom == u"OK", densite);
    return {};
}

} // namespace

QPixmap image(const QString &nom, qreal densite)
{
    static QHash<QPair<QString, qreal>, QPixmap> cache;
    const QPair<QString, qreal> cle(nom, densite);
    auto it = cache.find(cle);
    if (it == cache.end())
        it = cache.insert(cle, dessine(nom, densite));
    return it.value();
}

QString description(const QString &nom)
{
    if (nom == u"FEU_ROUGE")
        return QStringLiteral("feu rouge");
    if (nom == u"FEU_ORANGE")
        return QStringLiteral("feu orange");
    if (nom == u"FEU_VERT")
        return QStringLiteral("feu vert");
    if (nom.startsWith(u"BATONS_")) {
        const int n = nom.mid(7).toInt();
        return n <= 1 ? QStringLiteral("%1 bâton").arg(n) : QStringLiteral("%1 bâtons").arg(n);
    }
    if (nom == u"OK")
        return QStringLiteral("juste");
    if (nom == u"CROIX")
        return QStringLiteral("faux");
    return {};
}

} // namespace TrainingImages
