#pragma once

#include "core/ReportBatch.h"

#include <QString>

class QPagedPaintDevice;

// The test reports of a pupil or of a class, one page each, drawn by the one
// report painter: on a printer, or as one PDF document.
namespace ReportDocument {

// The title of every document the teacher exports.
QString titreDocument();

// False when the printer could not be opened.
bool imprime(QPagedPaintDevice *printer, const ReportBatch &lot, const QString &nomEtablissement, int tempsAcceptable);

// Written aside and then over the file: a failure leaves an older file whole.
// False with a French error text.
bool ecrit_pdf(const QString &fichier, const ReportBatch &lot, const QString &nomEtablissement, int tempsAcceptable,
               QString *erreur);

} // namespace ReportDocument
