#include "stats/BilanExport.h"

#include "core/Paths.h"
#include "core/ReportBatch.h"
#include "core/TestReportData.h"
#include "widgets/Dialogs.h"
#include "widgets/Impression.h"
#include "widgets/ReportDocument.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace BilanExport {
namespace {

// Nothing to print: say so rather than give an empty document.
bool verifie(QWidget *parent, const ReportBatch &lot)
{
    if (!lot.bilans.isEmpty())
        return true;
    Dialogs::information(parent, QStringLiteral("Pas de test"),
                         QStringLiteral("Aucun test ne correspond à la date choisie pour ")
                             + (lot.sansTest.size() == 1 ? QStringLiteral("cet élève.")
                                                         : QStringLiteral("les élèves de cette classe.")));
    return false;
}

ReportBatch prepare(const Ecole &ecole, const QString &chemin, const QString &texteNoeud,
                    const ClassTestCollector::Critere &critere)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ReportBatch lot = ReportBatch::prepare(chemin, texteNoeud, ecole.dossier, critere);
    QApplication::restoreOverrideCursor();
    return lot;
}

} // namespace

bool ImprimerBilan(QWidget *parent, const SessionState &state, const Ecole &ecole, const QString &chemin,
                   const QString &texteNoeud, const ClassTestCollector::Critere &critere)
{
    // The reports are gathered once the printer is chosen: a cancelled
    // dialog reads no pupil's file.
    ReportBatch lot;
    Impression::Demande demande;
    demande.nomDocument = TestReportData::titre() + QStringLiteral(" - ") + ReportBatch::nom_propose(chemin);
    demande.hauteResolution = true;
    demande.dessine = [&](QPagedPaintDevice *printer) {
        lot = prepare(ecole, chemin, texteNoeud, critere);
        return lot.bilans.isEmpty() || ReportDocument::imprime(printer, lot, ecole.nom, state.temps_acceptable);
    };
    const Impression::Resultat resultat = Impression::imprime(parent, demande);
    if (resultat == Impression::Resultat::Annulee || !verifie(parent, lot))
        return false;
    if (resultat == Impression::Resultat::Echec) {
        Dialogs::error(parent, QStringLiteral("Impression impossible"),
                       QStringLiteral("L'imprimante n'a pas pu être utilisée."));
        return false;
    }
    return true;
}

bool ButtonEnregistrerClick(QWidget *parent, const SessionState &state, const Ecole &ecole, const QString &chemin,
                            const QString &texteNoeud, const ClassTestCollector::Critere &critere)
{
    const QString nomPropose = ReportBatch::nom_propose(chemin);
    const QString stats = Paths::join(QDir::currentPath(), QStringLiteral("stats"));
    const QString dossier = QFileInfo(stats).isDir() ? stats : QDir::currentPath();
    QString fichier = Dialogs::saveFileName(parent, QStringLiteral("Enregistrer les bilans"),
                                            Paths::join(dossier, nomPropose + QStringLiteral(".pdf")),
                                            QStringLiteral("Document Adobe Acrobat (*.pdf);;tous (*.*)"));
    if (fichier.isEmpty())
        return false;
    if (QFileInfo(fichier).suffix().isEmpty())
        fichier += QStringLiteral(".pdf");
    const ReportBatch lot = prepare(ecole, chemin, texteNoeud, critere);
    if (!verifie(parent, lot))
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString erreur;
    const bool ok = ReportDocument::ecrit_pdf(fichier, lot, ecole.nom, state.temps_acceptable, &erreur);
    QApplication::restoreOverrideCursor();
    if (!ok)
        Dialogs::error(parent, QStringLiteral("Enregistrement impossible"), erreur);
    return ok;
}

} // namespace BilanExport
