#include "teacher/ClassStatisticsTab.h"

#include "core/Clock.h"
#include "teacher/BackgroundCollection.h"
#include "teacher/ClassCheckBoxes.h"
#include "teacher/SchoolYearLists.h"
#include "widgets/Naming.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ClassStatisticsTab::ClassStatisticsTab(SessionState &state, const Environment &env, const Noms &noms, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_env(env)
{
    m_classes = new ClassCheckBoxes(QStringLiteral("Sur quels élèves:"), noms.prefixeClasses, this);
    m_classes->setObjectName(noms.groupeClasses);
    m_selection = new TestSelectionBox(QStringLiteral("Quel test analyser:"), noms.test, this);
    m_selection->setObjectName(noms.groupeTest);
    m_etablissements = nomme(new QComboBox(this), noms.etablissements, QStringLiteral("Etablissement"));
    m_annees = nomme(new QComboBox(this), noms.annees, QStringLiteral("Année scolaire"));
    // Filled each time the window opens: each box takes the width of what it holds then.
    for (QComboBox *liste : {m_etablissements, m_annees})
        liste->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto *listes = new QFormLayout;
    listes->addRow(QStringLiteral("Etablissement:"), m_etablissements);
    listes->addRow(QStringLiteral("Année scolaire:"), m_annees);

    m_bouton = nomme(new QPushButton(noms.texteBouton, this), noms.bouton, noms.texteBouton);
    m_bouton->setMinimumWidth(140);
    m_barre = nomme(new QProgressBar(this), QStringLiteral("Barre_progression"),
                    QStringLiteral("Lecture des fichiers des élèves"));
    m_collecte = new BackgroundCollection(m_barre, this);

    m_options = new QHBoxLayout;
    m_options->addWidget(m_selection);
    auto *milieu = new QHBoxLayout;
    milieu->addLayout(m_options);
    milieu->addStretch();
    // The school and the year on the last row, where their names have room
    // even in an 800-pixel window.
    auto *bas = new QHBoxLayout;
    bas->addLayout(listes);
    bas->addWidget(m_barre, 1);
    bas->addStretch();
    bas->addWidget(m_bouton);
    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(12, 12, 12, 12);
    colonne->addWidget(m_classes, 1);
    colonne->addLayout(milieu);
    colonne->addLayout(bas);

    connect(m_bouton, &QPushButton::clicked, this, &ClassStatisticsTab::lance);
    connect(m_collecte, &BackgroundCollection::terminee, this, [this](const ClassTestCollector::Resultat &r) {
        fin();
        collecteTerminee(r);
    });
    connect(m_collecte, &BackgroundCollection::annulee, this, &ClassStatisticsTab::fin);
}

void ClassStatisticsTab::actualise()
{
    m_classes->Actualise_CheckBox_classes(m_state.niveaux);
    m_selection->initialise_dates(m_env.clock ? m_env.clock->now().date() : QDate::currentDate());
    SchoolYearLists::remplit(m_etablissements, m_annees, m_state);
}

void ClassStatisticsTab::lance()
{
    if (m_collecte->enCours())
        return;
    m_cochees = m_classes->cochees();
    m_bouton->setEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_collecte->lance(m_state.niveaux, m_cochees, m_state.dossier_annee, m_state.dossier_etablissement,
                      m_selection->critere(m_state.masquer_tests_incomplets, m_state.objectifs));
}

void ClassStatisticsTab::fin()
{
    QApplication::restoreOverrideCursor();
    m_bouton->setEnabled(true);
}
