#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// The multiplication grid of a test as a bitmap: one cell per product placed
// by its factors, with the answer and its time, coloured by the answer's
// quality (white: right and fast enough, yellow: right but slow, red: wrong
// or absent), with the per-table scores under the columns and a legend.
namespace GridPainter {

// Key colour of the large grid's outside; show the bitmap through
// avecTransparence() or a mask made from this colour.
QColor couleurTransparente();
// The same bitmap with the key colour made fully transparent.
QImage avecTransparence(const QImage &image);

} // namespace GridPainter

// Each grid is drawn in its design pixels; echelle > 1 gives an image with as
// many more pixels (its device pixel ratio), sharp in a window shown larger.

// Large grid of the test result panel (classic tests 503 × 310, extended
// tests 553 × 502). The argument is a whole test line (records from
// character 30 on); a string of records alone is accepted too.
QImage dessine_grille_test(const QString &ligneTest, int tempsAcceptable, qreal echelle = 1.0);

// Compact grid of the classic tables (310 × 254); the columns of tables
// outside the objectives are shaded.
QImage dessine_grille(const QString &enregistrements, const QString &objectifs, int tempsAcceptable,
                      qreal echelle = 1.0);
