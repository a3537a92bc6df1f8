#include "widgets/HistogramPainter.h"

#include "core/TestReportData.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

QFont policeHistogramme(int pixels, bool gras = false, bool italique = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica"),
                   QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    f.setBold(gras);
    f.setItalic(italique);
    return f;
}

// Text whose top edge is at y, its left edge at x.
void texte(QPainter &p, int x, int y, const QString &s)
{
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), s);
}

void texteCentre(QPainter &p, int centre, int y, const QString &s)
{
    texte(p, centre - p.fontMetrics().horizontalAdvance(s) / 2, y, s);
}

} // namespace

bool dessine_histogramme(const QString &texteGraphique, QImage *out, QString *error)
{
    DonneesHistogramme d;
    if (!TestReportData::analyse_histogramme(texteGraphique, &d, error))
        return false;
    const int M = d.maximum;
    const int pas = TestReportData::pas_echelle(M);
    const int graduations = M / pas + 1;

    const QFont police = policeHistogramme(11);
    const QFontMetrics fm(police);
    int largeurEtiquette = 0;
    for (const auto &barre : d.barres)
        largeurEtiquette = std::max(largeurEtiquette, fm.horizontalAdvance(barre.first));
    const int W = std::max(largeurEtiquette + 10, 60);
    const int A = fm.horizontalAdvance(QString::number(M));
    const int m = 40;
    const int U = (350 - 2 * m) * pas / M;
    // The title and the legend are read whole: a chart of few bars widens
    // to hold them.
    const QFont policeTitre = policeHistogramme(16, true, true);
    const QString legende = QLatin1Char('(') + d.legende + QLatin1Char(')');
    const int largeurTextes = std::max(QFontMetrics(policeTitre).horizontalAdvance(d.titre),
                                       fm.horizontalAdvance(legende)) + 2 * 10;
    const int largeur = std::max({int(d.barres.size()) * W + A, largeurTextes, 1});
    const int hauteur = 2 * m + (graduations - 1) * U;

    QImage image(largeur, hauteur, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(police);

    for (int k = 0; k < graduations; ++k) {
        const int y = hauteur - m - k * U;
        const QString valeur = QString::number(k * pas);
        p.setPen(Qt::black);
        texte(p, A - p.fontMetrics().horizontalAdvance(valeur), y - 6, valeur);
        p.fillRect(QRect(A + 2, y, largeur - (A + 2), 1), QColor(0, 0, 255));
    }

    for (int i = 0; i < d.barres.size(); ++i) {
        const int centre = A + i * W + W / 2;
        p.setPen(Qt::black);
        texteCentre(p, centre, hauteur - 36, d.barres[i].first);
        // A value outside 0 ... maximum would leave the chart: the bar stops at its edge.
        const qint64 v = std::clamp(d.barres[i].second, 0, M);
        const int h = int(qint64(U) * v * (graduations - 1) / M);
        texteCentre(p, centre, hauteur - m - h - 12, QString::number(d.barres[i].second));
        const QRect barre(centre - 20, hauteur - m - h, 40, h + 2);
        p.fillRect(barre, QColor(255, 255, 0));
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(barre.adjusted(0, 0, -1, -1));
    }

    p.setPen(QColor(255, 0, 0));
    texteCentre(p, largeur / 2, hauteur - 20, legende);
    p.setPen(Qt::black);
    p.setFont(policeTitre);
    texteCentre(p, largeur / 2, 12, d.titre);
    p.end();
    if (out)
        *out = image;
    return true;
}
