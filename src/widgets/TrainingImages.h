#pragma once

#include <QPixmap>
#include <QString>

// The small pictures of the training: traffic lights "FEU_ROUGE",
// "FEU_ORANGE", "FEU_VERT" (11 × 29), bars "BATONS_0" to "BATONS_5" (23 × 23,
// one bar per fast success, on a transparent ground) and the result icons
// "OK" and "CROIX" (20 × 20). Drawn once for each pixel density, then kept:
// densite is the window's scale times the screen's pixel ratio, the sizes
// above staying the picture's size in design pixels.
namespace TrainingImages {

QPixmap image(const QString &nom, qreal densite = 1.0);
// What a screen reader says about it ("feu vert", "3 bâtons", "juste").
QString description(const QString &nom);

} // namespace TrainingImages
