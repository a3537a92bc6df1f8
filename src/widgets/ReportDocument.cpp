#include "widgets/ReportDocument.h"

#include "core/TestReportData.h"
#include "widgets/TestReportPainter.h"

#include <QDir>
#include <QPainter>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QSaveFile>

namespace ReportDocument {

QString titreDocument()
{
    return QStringLiteral("généré automatiquement par \"Tabulon\"");
}

bool imprime(QPagedPaintDevice *printer, const ReportBatch &lot, const QString &nomEtablissement, int tempsAcceptable)
{
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    for (qsizetype i = 0; i < lot.bilans.size(); ++i) {
        if (i > 0)
            printer->newPage();
        const ReportBatch::Bilan &b = lot.bilans.at(i);
        const TestReportData d = TestReportData::calcule(b.nom, b.prenom, lot.classe, b.enregistrements, b.date,
                                                         nomEtablissement, tempsAcceptable);
        TestReportPainter::dessine_page(&painter, QRectF(0, 0, printer->width(), printer->height()), d,
                                        TestReportPainter::Variante::Imprime);
    }
    return painter.end();
}

bool ecrit_pdf(const QString &fichier, const ReportBatch &lot, const QString &nomEtablissement, int tempsAcceptable,
               QString *erreur)
{
    const QString affiche = QDir::toNativeSeparators(fichier);
    auto echec = [erreur](const QString &texte) {
        if (erreur)
            *erreur = texte;
        return false;
    };
    QSaveFile sortie(fichier);
    if (!sortie.open(QIODevice::WriteOnly))
        return echec(QStringLiteral("Impossible de créer le fichier ") + affiche + QStringLiteral(" (")
                     + sortie.errorString() + QStringLiteral(")."));
    {
        QPdfWriter writer(&sortie);
        TestReportPainter::prepare_pdf(&writer, titreDocument());
        QPainter painter;
        if (!painter.begin(&writer)) {
            sortie.cancelWriting();
            return echec(QStringLiteral("Impossible d'écrire le document PDF ") + affiche + u'.');
        }
        for (qsizetype i = 0; i < lot.bilans.size(); ++i) {
            if (i > 0)
                writer.newPage();
            const ReportBatch::Bilan &b = lot.bilans.at(i);
            rapport_test_pdf(&writer, &painter, b.nom, b.prenom, lot.classe, b.enregistrements, b.date,
                             nomEtablissement, tempsAcceptable);
        }
        painter.end();
    }
    if (!sortie.commit())
        return echec(QStringLiteral("Impossible d'écrire le fichier ") + affiche + QStringLiteral(" (")
                     + sortie.errorString() + QStringLiteral(")."));
    return true;
}

} // namespace ReportDocument
