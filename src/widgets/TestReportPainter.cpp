#include "widgets/TestReportPainter.h"

#include "core/TestReportData.h"
#include "core/TextFile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

// The PDF page in its own units: the frame sits 100 units from the left and
// 155 from the top, with room below it for the closing lines and the note.
constexpr qreal kLargeurPagePdf = 2000;
constexpr qreal kHauteurPagePdf = 2950;
constexpr qreal kGaucheCadrePdf = 100;
constexpr qreal kHautCadrePdf = 155;

// Grid of the 64 classic products.
constexpr qreal kHautGrille = 420;
constexpr qreal kLargeurCase = 225;
constexpr qreal kHauteurCase = 100;
constexpr qreal kBasGrille = kHautGrille + 8 * kHauteurCase;

const QColor kGrisClair(192, 192, 192);

// Fonts, texts and pieces of lines in frame units. Sizes are pixel sizes in
// the frame (a 96-dpi drawing: points × 4/3), so that the page looks the
// same on any device.
class Dessin
{
public:
    Dessin(QPainter *painter, bool pdf)
        : m_p(painter)
        , m_pdf(pdf)
    {
    }

    // Serif for the text of the page, sans serif for the grid and its boxes;
    // TrueType families first, so that a PDF keeps its text as text.
    QFont serif(qreal pixels, bool gras = false, bool italique = false) const
    {
        return police({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), QStringLiteral("Times"),
                       QStringLiteral("DejaVu Serif")},
                      pixels, gras, italique);
    }

    QFont sans(qreal pixels, bool gras = false, bool italique = false) const
    {
        return police({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica"),
                       QStringLiteral("DejaVu Sans")},
                      pixels, gras, italique);
    }

    QFontMetricsF metriques(const QFont &f) const { return QFontMetricsF(f, m_p->device()); }

    qreal largeur(const QString &s, const QFont &f) const { return metriques(f).horizontalAdvance(s); }

    // Text on a baseline; returns where the next piece starts.
    qreal texteLigne(qreal x, qreal ligne, const QString &s, const QFont &f, const QColor &couleur = Qt::black)
    {
        m_p->setFont(f);
        m_p->setPen(couleur);
        m_p->drawText(QPointF(x, ligne), s);
        return x + largeur(s, f);
    }

    // Text with its top edge at y.
    qreal texte(qreal x, qreal y, const QString &s, const QFont &f, const QColor &couleur = Qt::black)
    {
        return texteLigne(x, y + metriques(f).ascent(), s, f, couleur);
    }

    void texteCentre(qreal gauche, qreal largeurZone, qreal y, const QString &s, const QFont &f)
    {
        texte(gauche + (largeurZone - largeur(s, f)) / 2, y, s, f);
    }

    QFont styleFragment(const QFont &base, const Fragment &fr) const
    {
        QFont f = base;
        f.setBold(fr.gras);
        f.setItalic(fr.italique);
        return f;
    }

    qreal largeurLigne(const LigneTexte &ligne, const QFont &base) const
    {
        qreal w = 0;
        for (const Fragment &fr : ligne)
            w += largeur(fr.texte, styleFragment(base, fr));
        return w;
    }

    qreal ligneFragments(qreal x, qreal ligne, const LigneTexte &fragments, const QFont &base)
    {
        for (const Fragment &fr : fragments)
            x = texteLigne(x, ligne, fr.texte, styleFragment(base, fr));
        return x;
    }

    qreal fragments(qreal x, qreal y, const LigneTexte &ligne, const QFont &base)
    {
        return ligneFragments(x, y + metriques(base).ascent(), ligne, base);
    }

    // A long line keeps its size unless it would leave the frame.
    QFont ajuste(QFont f, qreal largeurTexte, qreal largeurMax) const
    {
        if (largeurTexte > largeurMax && largeurTexte > 0)
            f.setPixelSize(std::max(1, int(f.pixelSize() * largeurMax / largeurTexte)));
        return f;
    }

    void trait(qreal x1, qreal y1, qreal x2, qreal y2, qreal epaisseur = 2)
    {
        m_p->setPen(QPen(Qt::black, epaisseur));
        m_p->drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }

    void cadre(const QRectF &r, qreal epaisseur = 2)
    {
        m_p->setPen(QPen(Qt::black, epaisseur));
        m_p->setBrush(Qt::NoBrush);
        m_p->drawRect(r);
    }

    QPainter *painter() const { return m_p; }
    bool pdf() const { return m_pdf; }

private:
    static QFont police(const QStringList &familles, qreal pixels, bool gras, bool italique)
    {
        QFont f;
        f.setFamilies(familles);
        f.setPixelSize(std::max(1, qRound(pixels)));
        f.setBold(gras);
        f.setItalic(italique);
        f.setKerning(false);
        return f;
    }

    QPainter *m_p;
    bool m_pdf;
};

void dessineGrille(Dessin &g, const TestReportData &d)
{
    QPainter *p = g.painter();
    const QFont produit = g.sans(32);
    const QFont reponse = g.sans(56, true);
    const QFont temps = g.sans(g.pdf() ? 27 : 32, false, true);
    const int points = g.pdf() ? 9 : 12;
    for (const CaseTest &c : d.cases) {
        if (c.a < 2 || c.a > 9 || c.b < 2 || c.b > 9)
            continue;
        const QRectF r((c.a - 2) * kLargeurCase, kHautGrille + (c.b - 2) * kHauteurCase, kLargeurCase, kHauteurCase);
        const QColor fond = c.classe == ClasseCase::Blanche ? QColor(Qt::white)
                            : c.classe == ClasseCase::Grise ? kGrisClair
                                                            : QColor(Qt::black);
        const QColor encre = c.classe == ClasseCase::Blanche ? QColor(Qt::black) : QColor(Qt::white);
        p->fillRect(r, fond);
        // The positions in a cell are baselines: product and answer on one
        // line, the time under the answer. The dots lead to the answer and
        // stop before it.
        p->save();
        p->setClipRect(QRectF(r.left(), r.top(), 147, kHauteurCase), Qt::IntersectClip);
        g.texteLigne(r.left() + 13, r.top() + 48, TestReportData::texteProduit(c, points), produit, encre);
        p->restore();
        g.texteLigne(r.left() + 150, r.top() + 60, TestReportData::texteReponse(c), reponse, encre);
        const QString t = TestReportData::texteTempsCase(c);
        g.texteLigne(r.left() + 208 - g.largeur(t, temps), r.top() + 90, t, temps, encre);
    }
    for (int k = 0; k <= 8; ++k) {
        g.trait(k * kLargeurCase, kHautGrille, k * kLargeurCase, kBasGrille);
        g.trait(0, kHautGrille + k * kHauteurCase, 8 * kLargeurCase, kHautGrille + k * kHauteurCase);
    }

    for (int k = 0; k < 8; ++k) {
        const int s = d.scoresTables[k];
        const qreal centre = k * kLargeurCase + kLargeurCase / 2;
        // An untested table gets no box at all.
        if (s < 0)
            continue;
        const qreal largeurBoite = s == 100 ? 95 : 80;
        g.trait(centre, kBasGrille, centre, kBasGrille + 25);
        const QRectF boite(centre - largeurBoite / 2, kBasGrille + 25, largeurBoite, 44);
        g.cadre(boite);
        const QFont f = g.sans(30, s < 85, true);
        const qreal hauteurTexte = g.metriques(f).height();
        g.texteCentre(boite.left(), boite.width(), boite.top() + (boite.height() - hauteurTexte) / 2,
                      TestReportData::texteScoreColonne(s), f);
        if (!g.pdf())
            g.texteCentre(k * kLargeurCase, kLargeurCase, boite.bottom() + 6, TestReportData::mot_niveau_court(s), g.sans(27));
    }
}

void dessineResume(Dessin &g, const TestReportData &d)
{
    QPainter *p = g.painter();
    const QFont base = g.serif(40);
    g.texte(0, 1400, TestReportData::titreResume(), g.serif(40, true));
    const ClasseCase classes[3] = {ClasseCase::Blanche, ClasseCase::Grise, ClasseCase::Noire};
    for (int i = 0; i < 3; ++i) {
        const qreal y = 1450 + 50 * i;
        const qreal fin = g.fragments(100, y, d.ligneResume(classes[i]), base);
        const QRectF carre(fin + 20, y + 8, 30, 30);
        const QColor fond = i == 0 ? QColor(Qt::white) : i == 1 ? kGrisClair : QColor(Qt::black);
        p->fillRect(carre, fond);
        p->setPen(QPen(i == 1 ? kGrisClair : QColor(Qt::black), 2));
        p->setBrush(Qt::NoBrush);
        p->drawRect(carre);
    }
}

void dessineBilan(Dessin &g, const TestReportData &d)
{
    const QFont petit = g.serif(40);
    g.texte(0, 2050, TestReportData::titreBilan(), g.serif(40, true));
    const qreal ligne = 2050 + g.metriques(petit).ascent();

    const qreal debut = 175;
    const LigneTexte niveau = d.ligneNiveau();
    const QString mot = d.motNiveauBilan();
    const bool fleche = !mot.isEmpty();
    const qreal largeurFleche = 100;
    QFont grand = g.serif(g.pdf() ? 66 : 67);
    const qreal total = g.largeurLigne(niveau, grand) + (fleche ? largeurFleche + g.largeur(mot, grand) : 0);
    grand = g.ajuste(grand, total, TestReportPainter::kLargeurCadre - 15 - debut);
    qreal x = g.ligneFragments(debut, ligne, niveau, grand);
    if (fleche) {
        const qreal y = ligne - grand.pixelSize() * 0.3;
        g.trait(x + 10, y, x + 75, y, 4);
        g.trait(x + 75, y, x + 57, y - 12, 4);
        g.trait(x + 75, y, x + 57, y + 12, 4);
        x = g.texteLigne(x + largeurFleche, ligne, mot, grand);
    }
    const QFontMetricsF fm = g.metriques(grand);
    g.cadre(QRectF(160, ligne - fm.ascent() - 6, x + 15 - 160, fm.ascent() + fm.descent() + 10));

    const QString dessous = d.ligneSousBilan(g.pdf());
    QFont f = g.serif(33);
    f = g.ajuste(f, g.largeur(dessous, f), TestReportPainter::kLargeurCadre - debut);
    g.texte(debut, g.pdf() ? 2110 : 2130, dessous, f);
}

} // namespace

QString TestReportPainter::adresseSite()
{
    return QString();
}

void TestReportPainter::dessine_cadre(QPainter *painter, const TestReportData &d, Variante variante)
{
    Dessin g(painter, variante == Variante::Pdf);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    // The PDF page places its header lines by their baselines, 40 units
    // below the tops of the printed page: both end up at the same height.
    const bool pdf = g.pdf();
    const QFont entete = g.serif(40);
    auto ligneEntete = [&](qreal x, qreal y, const QString &s, const QFont &f) {
        if (pdf)
            g.texteLigne(x, y + 40, s, f);
        else
            g.texte(x, y, s, f);
    };
    ligneEntete(620, pdf ? 20 : 0, TestReportData::titre(), g.serif(53));
    ligneEntete(0, 200, d.ligneNom(), entete);
    if (d.afficheClasse()) {
        ligneEntete((kLargeurCadre - g.largeur(d.nomEtablissement, entete)) / 2, 70, d.nomEtablissement, entete);
        ligneEntete(0, 250, d.ligneClasse(), entete);
    }
    ligneEntete(0, 370, d.ligneDate(), entete);

    dessineGrille(g, d);
    dessineResume(g, d);

    const QFont base = g.serif(40);
    g.texte(0, 1650, TestReportData::titreClassement(), g.serif(40, true));
    g.fragments(100, 1700, d.ligneClassement(true), base);
    g.fragments(100, 1750, d.ligneClassement(false), base);

    g.fragments(0, 1850, d.ligneRapidite(), base);
    g.texte(100, 1900, d.ligneBonnesReponses(), base);

    dessineBilan(g, d);

    if (d.afficheConseil())
        g.fragments(0, 2250, d.ligneConseil(), base);

    // On the PDF page the closing lines stand at 2750 and 2800 of the page.
    const qreal yFin = g.pdf() ? 2750 - kHautCadrePdf : 2700;
    const QStringList fin = TestReportData::lignesFinales();
    for (int i = 0; i < fin.size(); ++i) {
        QFont f = g.serif(33, false, true);
        f = g.ajuste(f, g.largeur(fin[i], f), kLargeurCadre);
        g.texte(0, yFin + 50 * i, fin[i], f);
    }
    painter->restore();
}

void TestReportPainter::dessine_page(QPainter *painter, const QRectF &page, const TestReportData &d, Variante variante)
{
    const qreal W = page.width();
    const qreal H = page.height();
    painter->save();
    if (variante == Variante::Imprime) {
        // Footer: a 1080 × 30 strip at 55 % of the page width, right-aligned
        // under the border, which stops 100 device pixels above the bottom
        // (more on a fine printer, so that the footer stays on the page).
        // A third of the strip's height stays clear between the footer and
        // the border above it, and between its end and the page's edge,
        // whatever the printer's resolution.
        const qreal largeurPied = 0.55 * W;
        const qreal hauteurPied = largeurPied * 30 / 1080;
        const qreal ecart = hauteurPied / 3;
        const qreal reserve = std::max<qreal>(100, hauteurPied + 2 * ecart);
        painter->setPen(QPen(Qt::black, std::max<qreal>(1, W / 1500)));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(page.left(), page.top() + 1, W - 1, H - reserve - 1));

        const qreal place = H - reserve;
        qreal largeur = 0.9 * W;
        qreal hauteur = largeur * (kHauteurCadre + 1) / (kLargeurCadre + 1);
        if (hauteur > 0.97 * place) {
            hauteur = 0.97 * place;
            largeur = hauteur * (kLargeurCadre + 1) / (kHauteurCadre + 1);
        }
        painter->save();
        painter->translate(page.left() + (W - largeur) / 2, page.top() + (place - hauteur) / 2);
        painter->scale(largeur / (kLargeurCadre + 1), hauteur / (kHauteurCadre + 1));
        dessine_cadre(painter, d, variante);
        painter->restore();

        painter->translate(page.left() + W - largeurPied - ecart, page.top() + H - reserve + ecart);
        painter->scale(largeurPied / 1080, hauteurPied / 30);
        Dessin g(painter, false);
        QFont f = g.serif(24);
        f.setUnderline(true);
        const QString pied = TestReportData::piedDePage(adresseSite());
        f = g.ajuste(f, g.largeur(pied, f), 1080);
        g.texte(1080 - g.largeur(pied, f), 0, pied, f);
    } else {
        const qreal echelle = std::min(W / kLargeurPagePdf, H / kHauteurPagePdf);
        painter->translate(page.left() + (W - kLargeurPagePdf * echelle) / 2,
                           page.top() + (H - kHauteurPagePdf * echelle) / 2);
        painter->scale(echelle, echelle);
        painter->save();
        painter->translate(kGaucheCadrePdf, kHautCadrePdf);
        dessine_cadre(painter, d, variante);
        painter->restore();
        Dessin g(painter, true);
        QFont f = g.serif(30);
        f.setUnderline(true);
        const QString note = TestReportData::noteGeneration();
        g.texte(kLargeurPagePdf - kGaucheCadrePdf - g.largeur(note, f), 2880, note, f);
    }
    painter->restore();
}

void TestReportPainter::prepare_pdf(QPdfWriter *writer, const QString &titre)
{
    writer->setPdfVersion(QPagedPaintDevice::PdfVersion_1_4);
    writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer->setResolution(300);
    writer->setTitle(titre);
    writer->setCreator(QStringLiteral("Tabulon"));
}

Impression::Demande demande_rapport_test(const QString &nom, const QString &prenom, const QString &classe,
                                         const QString &enregistrements, const QString &dateTexte,
                                         const QString &nomEtablissement, int tempsAcceptable)
{
    const TestReportData d =
        TestReportData::calcule(nom, prenom, classe, enregistrements, dateTexte, nomEtablissement, tempsAcceptable);
    Impression::Demande demande;
    demande.nomDocument = TestReportData::titre() + QStringLiteral(" - ") + d.ligneNom();
    demande.dessine = [d](QPagedPaintDevice *printer) {
        QPainter painter;
        if (!painter.begin(printer))
            return false;
        TestReportPainter::dessine_page(&painter, QRectF(0, 0, printer->width(), printer->height()), d,
                                        TestReportPainter::Variante::Imprime);
        return painter.end();
    };
    return demande;
}

bool imprime_rapport_test(QPagedPaintDevice *printer, const QString &nom, const QString &prenom, const QString &classe,
                          const QString &enregistrements, const QString &dateTexte, const QString &nomEtablissement,
                          int tempsAcceptable)
{
    return demande_rapport_test(nom, prenom, classe, enregistrements, dateTexte, nomEtablissement, tempsAcceptable)
        .dessine(printer);
}

void rapport_test_pdf(QPdfWriter *writer, QPainter *painter, const QString &nom, const QString &prenom,
                      const QString &classe, const QString &enregistrements, const QString &dateTexte,
                      const QString &nomEtablissement, int tempsAcceptable)
{
    const TestReportData d =
        TestReportData::calcule(nom, prenom, classe, enregistrements, dateTexte, nomEtablissement, tempsAcceptable);
    TestReportPainter::dessine_page(painter, QRectF(0, 0, writer->width(), writer->height()), d,
                                    TestReportPainter::Variante::Pdf);
}

bool ecrit_rapport_pdf(const QString &fileName, const QString &nom, const QString &prenom, const QString &classe,
                       const QString &enregistrements, const QString &dateTexte, const QString &nomEtablissement,
                       int tempsAcceptable, QString *error)
{
    const QString affiche = QDir::toNativeSeparators(fileName);
    const QFileInfo info(fileName);
    if (!info.absoluteDir().exists() || info.isDir()) {
        if (error)
            *error = QStringLiteral("Impossible de créer le fichier ") + affiche + QStringLiteral(" (dossier absent).");
        return false;
    }
    // The document is made in memory and stored whole by the one module that
    // writes files: a full disk then leaves the old file as it was and is
    // reported, where the PDF writer would not notice a cut write.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&document);
        TestReportPainter::prepare_pdf(&writer, TestReportData::titre() + QStringLiteral(" - ") + nom.toUpper()
                                                    + QLatin1Char(' ') + prenom);
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (error)
                *error = QStringLiteral("Impossible d'écrire le document PDF ") + affiche + QLatin1Char('.');
            return false;
        }
        rapport_test_pdf(&writer, &painter, nom, prenom, classe, enregistrements, dateTexte, nomEtablissement,
                         tempsAcceptable);
        painter.end();
    }
    return TextFile::saveBytes(fileName, document.data(), error);
}
