#pragma once

#include "widgets/Impression.h"

#include <QRectF>
#include <QString>

class QPainter;
class QPdfWriter;
class QPagedPaintDevice;
class TestReportData;

// The one-page test report of a classic test: identity, grid of the 64
// products, summary, tables known badly and well, speed, level and advice.
// One painter serves the screen, the printer and the PDF; the two variants
// differ only where the printed page and the PDF page are meant to.
class TestReportPainter
{
public:
    enum class Variante { Imprime, Pdf };

    // The report is laid out in a frame 1800 units wide and 2800 high.
    static constexpr int kLargeurCadre = 1800;
    static constexpr int kHauteurCadre = 2800;

    // Web address ending the printed footer; none is given.
    static QString adresseSite();

    // The report in frame units: the caller has set the painter's transform.
    static void dessine_cadre(QPainter *painter, const TestReportData &donnees, Variante variante);
    // A whole page (frame, border and footer, or PDF note) in the page
    // rectangle, in device units. The painter must be active; callers that
    // write several reports call newPage() on the device between two pages.
    static void dessine_page(QPainter *painter, const QRectF &page, const TestReportData &donnees, Variante variante);
    // PDF 1.4, A4 without margins, the given document title.
    static void prepare_pdf(QPdfWriter *writer, const QString &titre);
};

// The report to print as one page, its title naming the pupil.
Impression::Demande demande_rapport_test(const QString &nom, const QString &prenom, const QString &classe,
                                         const QString &enregistrements, const QString &dateTexte,
                                         const QString &nomEtablissement, int tempsAcceptable);
// Prints the report as one page on the printer (whose dialog the caller has
// confirmed). False when the printer could not be opened.
bool imprime_rapport_test(QPagedPaintDevice *printer, const QString &nom, const QString &prenom, const QString &classe,
                          const QString &enregistrements, const QString &dateTexte, const QString &nomEtablissement,
                          int tempsAcceptable);

// Draws the report on the current page of the writer, through the painter
// that is active on it (so that a class's reports can share one document).
void rapport_test_pdf(QPdfWriter *writer, QPainter *painter, const QString &nom, const QString &prenom,
                      const QString &classe, const QString &enregistrements, const QString &dateTexte,
                      const QString &nomEtablissement, int tempsAcceptable);

// Writes a one-page PDF report to the file (replaced whole, or left as it
// was on failure). False with a French error text when it could not be written.
bool ecrit_rapport_pdf(const QString &fileName, const QString &nom, const QString &prenom, const QString &classe,
                       const QString &enregistrements, const QString &dateTexte, const QString &nomEtablissement,
                       int tempsAcceptable, QString *error);
