#include "widgets/GridPainter.h"

#include "widgets/DesignScaler.h"

#include "core/Catalogue.h"
#include "core/Evaluation.h"
#include "core/TestReportData.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

const QColor kNoir(0, 0, 0);
const QColor kBlanc(255, 255, 255);
const QColor kJaune(255, 255, 0);
const QColor kRouge(255, 0, 0);
const QColor kBleu(0, 0, 255);
const QColor kGris(128, 128, 128);
const QColor kGrisClair(192, 192, 192);
const QColor kRougeSombre(128, 0, 0);

// The four blues of a bevel, outermost first.
const QColor kBiseau[4] = {QColor(0, 72, 241), QColor(0, 61, 221), QColor(0, 29, 160), QColor(0, 19, 140)};

// Top-left corner of a bevel: -1 is outside (key colour), 0 ... 3 the ring
// drawn there; the other corners are its mirror images.
const int kCoin[4][4] = {{-1, -1, 0, 0}, {-1, 0, 1, 1}, {0, 1, 2, 2}, {0, 1, 2, 3}};

// Sizes are those of a 96-dpi screen (points × 4/3), as pixels, so that the
// bitmap is the same whatever the screen.
int pixels(int points)
{
    return (points * 4 + 1) / 3;
}

QFont arial(int points, bool gras = false, bool italique = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica"),
                   QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels(points));
    f.setBold(gras);
    f.setItalic(italique);
    return f;
}

// The small captions were laid out for a narrow bitmap sans serif; a
// vector stand-in one pixel smaller keeps them within their places.
QFont sansSerif(int points)
{
    QFont f = arial(points);
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                   QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pixels(points) - 1);
    return f;
}

// Big numbers of the legend keep their size unless they would run into the grid.
QFont ajuste(QFont f, const QString &texte, int largeurMax)
{
    while (f.pixelSize() > 6 && QFontMetrics(f).horizontalAdvance(texte) > largeurMax)
        f.setPixelSize(f.pixelSize() - 1);
    return f;
}

// Text with its top-left corner at (x, y).
void texte(QPainter &p, int x, int y, const QString &s, const QFont &f, const QColor &couleur)
{
    p.setFont(f);
    p.setPen(couleur);
    p.drawText(QPoint(x, y + QFontMetrics(f).ascent()), s);
}

void texteCentre(QPainter &p, int gauche, int largeur, int y, const QString &s, const QFont &f, const QColor &couleur)
{
    const int w = QFontMetrics(f).horizontalAdvance(s);
    texte(p, gauche + (largeur - w) / 2, y, s, f, couleur);
}

void ligneH(QPainter &p, int x1, int x2, int y, const QColor &c)
{
    p.fillRect(QRect(x1, y, x2 - x1 + 1, 1), c);
}

void ligneV(QPainter &p, int x, int y1, int y2, const QColor &c)
{
    p.fillRect(QRect(x, y1, 1, y2 - y1 + 1), c);
}

void pointilleH(QPainter &p, int x1, int x2, int y, const QColor &c)
{
    for (int x = x1; x <= x2; x += 2)
        p.fillRect(QRect(x, y, 1, 1), c);
}

// Rectangle with a black border, interior filled.
void boite(QPainter &p, const QRect &r, const QColor &fond)
{
    p.fillRect(r, fond);
    ligneH(p, r.left(), r.right(), r.top(), kNoir);
    ligneH(p, r.left(), r.right(), r.bottom(), kNoir);
    ligneV(p, r.left(), r.top(), r.bottom(), kNoir);
    ligneV(p, r.right(), r.top(), r.bottom(), kNoir);
}

// White area inside a four-line blue bevel with rounded corners.
void cadre(QPainter &p, const QRect &r)
{
    p.fillRect(r, kBlanc);
    for (int d = 0; d < 4; ++d) {
        const QRect anneau = r.adjusted(d, d, -d, -d);
        ligneH(p, anneau.left(), anneau.right(), anneau.top(), kBiseau[d]);
        ligneH(p, anneau.left(), anneau.right(), anneau.bottom(), kBiseau[d]);
        ligneV(p, anneau.left(), anneau.top(), anneau.bottom(), kBiseau[d]);
        ligneV(p, anneau.right(), anneau.top(), anneau.bottom(), kBiseau[d]);
    }
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
            const int anneau = kCoin[j][i];
            const QColor &c = anneau < 0 ? kRougeSombre : kBiseau[anneau];
            p.fillRect(QRect(r.left() + i, r.top() + j, 1, 1), c);
            p.fillRect(QRect(r.right() - i, r.top() + j, 1, 1), c);
            p.fillRect(QRect(r.left() + i, r.bottom() - j, 1, 1), c);
            p.fillRect(QRect(r.right() - i, r.bottom() - j, 1, 1), c);
        }
    }
}

QColor fondCase(ClasseCase classe)
{
    switch (classe) {
    case ClasseCase::Blanche: return kBlanc;
    case ClasseCase::Grise: return kJaune;
    case ClasseCase::Noire: return kRouge;
    }
    return kBlanc;
}

QColor texteCase(ClasseCase classe)
{
    return classe == ClasseCase::Noire ? kBlanc : kNoir;
}

QColor couleurMotNiveau(int score)
{
    return score < 85 ? kRouge : kBleu;
}

// Global score of the legend: large, or at 100 larger and drawn twice, a
// grey shadow under the blue.
void scoreLegende(QPainter &p, int score, QPoint normal, QPoint ombre, QPoint devant, int droiteMax)
{
    const QString s = QString::number(score) + QLatin1Char('%');
    if (score >= 100) {
        const QFont f = ajuste(arial(32, true, true), s, droiteMax - ombre.x());
        texte(p, ombre.x(), ombre.y(), s, f, kGris);
        texte(p, devant.x(), devant.y(), s, f, kBleu);
    } else {
        texte(p, normal.x(), normal.y(), s, ajuste(arial(27, true, true), s, droiteMax - normal.x()), kBleu);
    }
}

struct BoiteLegende
{
    QRect rect;
    QColor fond;
    QColor encre;
    QStringList lignes;
};

// The three colour boxes, each with its caption; the first caption lines
// start one pixel below the box top, the next ones 13 pixels apart.
void boitesLegende(QPainter &p, const QList<BoiteLegende> &boites)
{
    const QFont f = sansSerif(8);
    for (const BoiteLegende &b : boites) {
        boite(p, b.rect, b.fond);
        for (int i = 0; i < b.lignes.size(); ++i)
            texteCentre(p, b.rect.left() + 1, b.rect.width() - 1, b.rect.top() + 1 + 13 * i, b.lignes[i], f, b.encre);
    }
}

QList<BoiteLegende> legendesCouleurs(const QRect &blanche, const QRect &jaune, const QRect &rouge)
{
    return {{blanche, kBlanc, kNoir, {QStringLiteral("réponses"), QStringLiteral("OK")}},
            {jaune, kJaune, kNoir, {QStringLiteral("réponses"), QStringLiteral("trop lentes")}},
            {rouge, kRouge, kBlanc, {QStringLiteral("réponses"), QStringLiteral("fausses ou"), QStringLiteral("absentes")}}};
}

// Where each grid puts the counts of its three kinds of cells and the speed.
struct PlacesComptes
{
    int xCompte;
    int yCompte[3];         // white, grey, black cells
    QPoint vitesse;
    int droiteVitesse;      // the speed shrinks rather than run into the grid
    QPoint legendeVitesse[3];
};

// Beside the colour boxes: how many cells of each kind, then the right
// answers per minute and its three-line caption.
void comptesEtVitesse(QPainter &p, const QList<CaseTest> &cases, const QString &enregistrements,
                      const PlacesComptes &places)
{
    const ComptesCases comptes = TestReportData::compte_cases(cases);
    const int nombres[3] = {comptes.blanches, comptes.grises, comptes.noires};
    const QFont policeCompte = arial(10, true);
    for (int i = 0; i < 3; ++i)
        texte(p, places.xCompte, places.yCompte[i], QString::number(nombres[i]), policeCompte, kBleu);

    const QString vitesse = TestReportData::texte_vitesse(Evaluation::vitesse_reponses(enregistrements));
    texte(p, places.vitesse.x(), places.vitesse.y(), vitesse,
          ajuste(arial(20, true, true), vitesse, places.droiteVitesse - places.vitesse.x()), kBleu);
    const QString legende[3] = {QStringLiteral("rapidité:"), QStringLiteral("rép.exactes"), QStringLiteral("par minute")};
    const QFont petite = sansSerif(8);
    for (int i = 0; i < 3; ++i)
        texte(p, places.legendeVitesse[i].x(), places.legendeVitesse[i].y(), legende[i], petite, kNoir);
}

} // namespace

namespace GridPainter {

QColor couleurTransparente()
{
    return kRougeSombre;
}

QImage avecTransparence(const QImage &image)
{
    QImage resultat = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb cle = kRougeSombre.rgb();
    for (int y = 0; y < resultat.height(); ++y) {
        QRgb *ligne = reinterpret_cast<QRgb *>(resultat.scanLine(y));
        for (int x = 0; x < resultat.width(); ++x) {
            if ((ligne[x] | 0xff000000u) == cle)
                ligne[x] = qRgba(0, 0, 0, 0);
        }
    }
    return resultat;
}

} // namespace GridPainter

QImage dessine_grille_test(const QString &ligneTest, int tempsAcceptable, qreal echelle)
{
    const QString enregistrements = TestReportData::enregistrements_de(ligneTest);
    const bool classique = TestReportData::est_classique(enregistrements);
    const int L = 89;
    const int C = 50;
    const int R = classique ? 30 : 27;
    const int rangees = classique ? 8 : 16;
    const int colonnes = classique ? 8 : 9;
    const int H = R * rangees;
    const int gaucheGrille = L + 7;                     // left line of the first column
    const int droiteGrille = gaucheGrille + C * colonnes; // right line of the last column

    QImage image(DesignScaler::picture(QSize(L + 12 + C * colonnes - 1 + 3, H + 50 + 20), echelle, QImage::Format_RGB32));
    image.fill(kRougeSombre);
    QPainter p(&image);

    // One frame holds the legend and the grid; its innermost ring lies under
    // the grid's outer lines.
    cadre(p, QRect(0, 0, droiteGrille + 4, H + 7));

    const QList<CaseTest> cases = TestReportData::cases_test(enregistrements, tempsAcceptable);
    const QFont policeCase = arial(classique ? 10 : 7);
    const QFont policeTemps = arial(classique ? 8 : 7);
    for (const CaseTest &c : cases) {
        int colonne = 0;
        int rangee = 0;
        if (!TestReportData::place_case(c.a, c.b, classique, &colonne, &rangee))
            continue;
        const int gauche = L + 8 + colonne * C;
        const int haut = rangee * R + 4;
        if (c.classe != ClasseCase::Blanche)
            p.fillRect(QRect(gauche, haut, C - 1, R - 1), fondCase(c.classe));
        QString s = Catalogue::ecrit_produit(c.code) + QLatin1Char('=');
        if (!(c.reponse == 0 && c.classe == ClasseCase::Noire))
            s += QString::number(c.reponse);
        texte(p, gauche + 2, haut + 1, s, policeCase, texteCase(c.classe));
        texte(p, gauche + 12, haut + (classique ? 14 : 12), TestReportData::temps_grille(c.temps), policeTemps,
              texteCase(c.classe));
    }

    // Cell lines: every column as tall as its table, so the extended grid
    // ends in steps; each column closes its own rows.
    for (int k = 0; k < colonnes; ++k) {
        const int x = gaucheGrille + k * C;
        const int bas = TestReportData::rangees_colonne(k, classique) * R + 3;
        ligneV(p, x, 3, bas, kNoir);
        for (int r = 0; r * R + 3 <= bas; ++r)
            ligneH(p, x, x + C, r * R + 3, kNoir);
        if (k == colonnes - 1)
            ligneV(p, x + C, 3, bas, kNoir);
    }

    // Column boxes: the table's score and its level word.
    bool incomplet = false;
    const QFont policeScore = arial(8);
    const int hautBoite = H + 11;
    for (int k = 0; k < colonnes; ++k) {
        const int s = Evaluation::score_tables(enregistrements, TestReportData::cle_colonne(k, classique), tempsAcceptable);
        if (!classique && s == -1)
            incomplet = true;
        const QRect r(gaucheGrille + k * C + 1, hautBoite, C - 1, 40);
        cadre(p, r);
        const QRect interieur = r.adjusted(4, 4, -4, -4);
        texteCentre(p, interieur.left(), interieur.width(), hautBoite + 6, QString::number(s) + QLatin1Char('%'),
                    policeScore, s == -1 ? kBlanc : kNoir);
        const QString mot = TestReportData::mot_niveau_court(s);
        if (!mot.isEmpty()) {
            const QFont f = ajuste(sansSerif(8), mot, interieur.width());
            texteCentre(p, interieur.left(), interieur.width(), hautBoite + 20, mot, f, couleurMotNiveau(s));
        }
    }

    // Legend.
    const QString cleEnsemble = classique ? QStringLiteral("tables_classiques") : QStringLiteral("tables_etendues");
    const int global = Evaluation::score_tables(enregistrements, cleEnsemble, tempsAcceptable);
    if (!incomplet && global >= 0) {
        scoreLegende(p, global, QPoint(10, 6), QPoint(10, 6), QPoint(8, 3), L + 4);
        texte(p, 20, 48, QStringLiteral("d'acquisition:"), arial(8), kNoir);
    }
    pointilleH(p, 4, L + 4, 66, kBleu);
    pointilleH(p, 4, L + 4, 189, kBleu);

    boitesLegende(p, legendesCouleurs(QRect(8, 74, 67, 29), QRect(8, 108, 67, 28), QRect(8, 141, 67, 39)));
    comptesEtVitesse(p, cases, enregistrements,
                     {78, {82, 113, 152}, QPoint(56, 188), L + 4, {QPoint(18, 199), QPoint(20, 214), QPoint(25, 228)}});
    p.end();
    return image;
}

QImage dessine_grille(const QString &enregistrements, const QString &objectifs, int tempsAcceptable, qreal echelle)
{
    const QString records = TestReportData::enregistrements_de(enregistrements);
    const int K = 27;
    const int X0 = 80;
    const int Y0 = 13;
    QImage image(DesignScaler::picture(QSize(310, 254), echelle, QImage::Format_RGB32));
    image.fill(kBlanc);
    QPainter p(&image);

    for (int i = 0; i <= 8; ++i) {
        ligneV(p, X0 + K * i, Y0, Y0 + 8 * K, kNoir);
        ligneH(p, X0, X0 + 8 * K, Y0 + K * i, kNoir);
    }
    const QFont policeEntete = arial(9);
    for (int k = 0; k < 8; ++k) {
        texte(p, 86 + K * k, -2, QString::number(k + 2) + QChar(0x00D7), policeEntete, kNoir);
        texte(p, 301, 21 + K * k, QString::number(k + 2), policeEntete, kNoir);
    }

    const QList<CaseTest> cases = TestReportData::cases_test(records, tempsAcceptable);
    const QFont policeReponse = arial(10);
    const QFont policeTemps = arial(8);
    for (const CaseTest &c : cases) {
        int colonne = 0;
        int rangee = 0;
        if (!TestReportData::place_case(c.a, c.b, true, &colonne, &rangee))
            continue;
        const int x = X0 + colonne * K;
        const int y = Y0 + rangee * K;
        if (c.classe != ClasseCase::Blanche)
            p.fillRect(QRect(x + 1, y + 1, K - 1, K - 1), fondCase(c.classe));
        const QString reponse = c.reponse == 0 ? QStringLiteral("= ") : QLatin1Char('=') + QString::number(c.reponse);
        texte(p, x + 2, y + 1, reponse, policeReponse, texteCase(c.classe));
        texte(p, x + 2, y + 14, TestReportData::temps_grille(c.temps), policeTemps, texteCase(c.classe));
    }

    // Per-table scores under the columns, linked to them by a dotted tick.
    const QFont policeScore = arial(8);
    const int basGrille = Y0 + 8 * K;
    for (int k = 0; k < 8; ++k) {
        const int x = X0 + K * k;
        const int s = Evaluation::score_tables(records, Catalogue::cle_table(k + 2), tempsAcceptable);
        const QString texteScore = QString::number(s) + QLatin1Char('%');
        const int chiffres = s < 0 ? 2 : int(QString::number(s).size());
        const int decalage = chiffres == 1 ? 8 : (chiffres == 2 ? 3 : 0);
        const QColor couleur = s < 0 ? kBlanc : (s < 85 ? kRouge : kBleu);
        texte(p, x + decalage, basGrille + 9, texteScore, policeScore, couleur);
        if (s >= 0) {
            for (int y = basGrille + 2; y <= basGrille + 8; y += 2)
                p.fillRect(QRect(x + 13, y, 1, 1), kNoir);
        }
    }

    // Legend.
    const int global = Evaluation::score_tables(records, QStringLiteral("tables_classiques"), tempsAcceptable);
    if (global >= 0)
        scoreLegende(p, global, QPoint(4, 8), QPoint(2, 2), QPoint(0, 0), X0 - 2);
    texte(p, 5, 43, QStringLiteral("d'acquisition:"), arial(8), kNoir);
    boitesLegende(p, legendesCouleurs(QRect(1, 67, 61, 29), QRect(1, 99, 60, 29), QRect(1, 132, 60, 40)));
    comptesEtVitesse(p, cases, records,
                     {62, {73, 104, 143}, QPoint(43, 176), X0 - 2, {QPoint(5, 189), QPoint(9, 205), QPoint(13, 218)}});
    pointilleH(p, 2, 70, 59, kBleu);
    pointilleH(p, 2, 70, 176, kBleu);
    p.end();

    // Tables outside the objectives: a light grey checkerboard over their column.
    const QStringList cles = Catalogue::vers_forme_actuelle(objectifs).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const bool toutes = cles.contains(QStringLiteral("tables_classiques"));
    for (int k = 0; k < 8; ++k) {
        if (toutes || cles.contains(Catalogue::cle_table(k + 2)))
            continue;
        const int x = X0 + K * k;
        for (int px = x + 1; px <= x + K - 1; ++px) {
            for (int py = (px - x + 1) % 2; py < image.height(); py += 2)
                image.setPixel(px, py, kGrisClair.rgb());
        }
    }
    return image;
}
