#pragma once

#include "core/ClassTestCollector.h"
#include "core/SessionState.h"
#include "stats/BilanExport.h"

#include <QWidget>

#include <functional>

class PupilDetailView;
class QPushButton;

// The right-hand side of the follow-up tab: the detail of the node selected
// in the class tree, and "Imprimer" and "Enregistrer" for the test reports of
// that pupil or of that whole class. The tab tells it which node is selected
// and which test of each pupil its "Test affiché" group chooses.
class PupilReportPanel : public QWidget
{
    Q_OBJECT

public:
    explicit PupilReportPanel(const SessionState &state, QWidget *parent = nullptr);

    void setCritere(std::function<ClassTestCollector::Critere()> critere) { m_critere = std::move(critere); }
    // The school of the list in the tree; the current school until told.
    void setEcole(const BilanExport::Ecole &ecole) { m_ecole = ecole; }

    // chemin: the path list entry of the node; ligneClasse: the text of its
    // class line (the node itself for a class). A pupil's reports carry the
    // class of the line he is listed under.
    void TreeView1Changing(const QString &chemin, const QString &ligneClasse);

    PupilDetailView *vue() const { return RichView1; }

    bool ImprimerBilan();
    bool ButtonEnregistrerClick();

private:
    bool noeudValide() const;
    BilanExport::Ecole ecole() const;

    const SessionState &m_state;
    std::function<ClassTestCollector::Critere()> m_critere;
    QString m_chemin;
    QString m_ligneClasse;
    BilanExport::Ecole m_ecole;

    PupilDetailView *RichView1 = nullptr;
    QPushButton *Button5 = nullptr;
    QPushButton *ButtonEnregistrer = nullptr;
};
