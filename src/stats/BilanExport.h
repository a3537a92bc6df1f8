#pragma once

#include "core/ClassTestCollector.h"
#include "core/SessionState.h"

class QWidget;

// "Imprimer" and "Enregistrer" of the follow-up tab: the test reports of the
// pupil or of the class selected in the tree, on the printer or as one PDF
// document. The tab gives the selected node's path and text and its test
// selection.
namespace BilanExport {

// The school whose list the tree shows, which may be another than the
// current one: its name goes on the pages, its folder holds the pupils that
// a class's links name.
struct Ecole
{
    QString nom;
    QString dossier;
};

// True when the reports were printed; a cancelled dialog does nothing.
bool ImprimerBilan(QWidget *parent, const SessionState &state, const Ecole &ecole, const QString &chemin,
                   const QString &texteNoeud, const ClassTestCollector::Critere &critere);

// Proposes "Classe de <dossier>" or the pupil key, in the statistics folder
// of the current folder when there is one; true when the PDF was written.
bool ButtonEnregistrerClick(QWidget *parent, const SessionState &state, const Ecole &ecole, const QString &chemin,
                            const QString &texteNoeud, const ClassTestCollector::Critere &critere);

} // namespace BilanExport
