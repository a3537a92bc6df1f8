#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// "Enregistrer" of the statistics windows: the teacher chooses a file; a name
// ending in ".png" gets the picture, any other the table for a spreadsheet
// (".csv" added when the name has no extension).
namespace StatsExport {

// The folder the save dialogs start in: the statistics folder when it
// exists, else the current folder.
QString dossier_depart(const QString &dossierStats);

// True when a file was written; a cancelled dialog does nothing, a failure
// is shown.
bool enregistre(QWidget *parent, const QString &dossierStats, const QString &nomPropose,
                const QList<QStringList> &lignesCsv, const QImage &image);

} // namespace StatsExport
