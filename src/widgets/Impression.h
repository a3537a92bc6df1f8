#pragma once

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

// Printing: the print dialog, then the pages drawn on the printer chosen.
// The printer comes from the module tabulon_impression beside the program,
// loaded at the first print only, so that a start never loads the printing
// libraries.
namespace Impression {

struct Demande
{
    QString nomDocument;            // the title the print queue shows
    bool hauteResolution = false;   // the printer's full resolution, or the screen's
    // Draws every page on the open device (newPage() between two pages);
    // false when the device could not be opened.
    std::function<bool(QPagedPaintDevice *)> dessine;
};

enum class Resultat {
    Annulee,    // the dialog was cancelled, or the module is missing (which was said)
    Imprimee,
    Echec,      // the printer could not be opened: the caller says so
};

Resultat imprime(QWidget *parent, const Demande &demande);

} // namespace Impression
