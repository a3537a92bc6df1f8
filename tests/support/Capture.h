#pragma once

#include <QString>
#include <QWidget>

// TABULON_CAPTURES=<folder> keeps a picture of a window at the moment a test
// looks at it, for a person to look at too (run with a large offscreen
// screen to see the windows at their scale).
namespace Capture {

inline void garde(QWidget *fenetre, const QString &nom)
{
    const QString dossier = qEnvironmentVariable("TABULON_CAPTURES");
    if (!dossier.isEmpty())
        fenetre->grab().save(dossier + QLatin1Char('/') + nom + QStringLiteral(".png"));
}

} // namespace Capture
