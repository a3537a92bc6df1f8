#include "stats/PupilReportPanel.h"

#include "widgets/Naming.h"
#include "widgets/PupilDetailView.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

PupilReportPanel::PupilReportPanel(const SessionState &state, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
{
    RichView1 = new PupilDetailView(this);
    Button5 = nomme(new QPushButton(QStringLiteral("Imprimer"), this), QStringLiteral("Button5"),
                    QStringLiteral("Imprimer"));
    ButtonEnregistrer = nomme(new QPushButton(QStringLiteral("Enregistrer"), this), QStringLiteral("ButtonEnregistrer"),
                              QStringLiteral("Enregistrer"));
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(Button5);
    boutons->addWidget(ButtonEnregistrer);
    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(RichView1, 1);
    colonne->addLayout(boutons);
    connect(Button5, &QPushButton::clicked, this, &PupilReportPanel::ImprimerBilan);
    connect(ButtonEnregistrer, &QPushButton::clicked, this, &PupilReportPanel::ButtonEnregistrerClick);
    TreeView1Changing(QString(), QString());
}

// The title line of the tree has a blank for its path: nothing to report.
bool PupilReportPanel::noeudValide() const
{
    return !m_chemin.trimmed().isEmpty();
}

void PupilReportPanel::TreeView1Changing(const QString &chemin, const QString &ligneClasse)
{
    m_chemin = chemin;
    m_ligneClasse = ligneClasse;
    RichView1->affiche_noeud(chemin, ligneClasse, m_state.objectifs, m_state.temps_acceptable);
    Button5->setEnabled(noeudValide());
    ButtonEnregistrer->setEnabled(noeudValide());
}

bool PupilReportPanel::ImprimerBilan()
{
    if (!noeudValide() || !m_critere)
        return false;
    return BilanExport::ImprimerBilan(this, m_state, ecole(), m_chemin, m_ligneClasse, m_critere());
}

bool PupilReportPanel::ButtonEnregistrerClick()
{
    if (!noeudValide() || !m_critere)
        return false;
    return BilanExport::ButtonEnregistrerClick(this, m_state, ecole(), m_chemin, m_ligneClasse, m_critere());
}

BilanExport::Ecole PupilReportPanel::ecole() const
{
    if (m_ecole.dossier.isEmpty())
        return {m_state.nom_etablissement, m_state.dossier_etablissement};
    return m_ecole;
}
