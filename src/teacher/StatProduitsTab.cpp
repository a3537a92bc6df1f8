#include "teacher/StatProduitsTab.h"

#include "core/Clock.h"
#include "stats/TStats.h"
#include "teacher/BackgroundCollection.h"
#include "teacher/ClassCheckBoxes.h"
#include "teacher/SchoolYearLists.h"
#include "teacher/TestSelectionBox.h"
#include "widgets/Dialogs.h"
#include "widgets/Naming.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

StatProduitsTab::StatProduitsTab(SessionState &state, const Environment &env, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_env(env)
{
    GroupBox3 = new ClassCheckBoxes(QStringLiteral("Sur quels élèves:"), QStringLiteral("CheckBox_"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox4 = new TestSelectionBox(QStringLiteral("Quel test analyser:"),
                                     {QStringLiteral("RadioButton15"), QStringLiteral("DateTimePicker4"),
                                      QStringLiteral("RadioButton17"), QStringLiteral("DateTimePicker6")},
                                     this);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    ComboBox3 = nomme(new QComboBox(this), QStringLiteral("ComboBox3"), QStringLiteral("Etablissement"));
    ComboBox4 = nomme(new QComboBox(this), QStringLiteral("ComboBox4"), QStringLiteral("Année scolaire"));
    auto *listes = new QFormLayout;
    listes->addRow(QStringLiteral("Etablissement:"), ComboBox3);
    listes->addRow(QStringLiteral("Année scolaire:"), ComboBox4);

    Button_stats = nomme(new QPushButton(QStringLiteral("Lancer calcul"), this), QStringLiteral("Button_stats"),
                         QStringLiteral("Lancer calcul"));
    Button_stats->setMinimumWidth(140);
    m_barre = nomme(new QProgressBar(this), QStringLiteral("Barre_progression"),
                    QStringLiteral("Lecture des fichiers des élèves"));
    m_collecte = new BackgroundCollection(m_barre, this);

    auto *haut = new QHBoxLayout;
    haut->addWidget(GroupBox4);
    haut->addLayout(listes);
    haut->addStretch();
    auto *bas = new QHBoxLayout;
    bas->addWidget(m_barre, 1);
    bas->addStretch();
    bas->addWidget(Button_stats);
    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(12, 12, 12, 12);
    colonne->addWidget(GroupBox3, 1);
    colonne->addLayout(haut);
    colonne->addLayout(bas);

    connect(Button_stats, &QPushButton::clicked, this, &StatProduitsTab::Button_statsClick);
    connect(m_collecte, &BackgroundCollection::terminee, this, &StatProduitsTab::collecteTerminee);
    connect(m_collecte, &BackgroundCollection::annulee, this, [this]() {
        QApplication::restoreOverrideCursor();
        Button_stats->setEnabled(true);
    });
}

TStats *StatProduitsTab::fenetre()
{
    if (!m_fenetre)
        m_fenetre = new TStats(m_state, m_env, this);
    return m_fenetre;
}

void StatProduitsTab::actualise()
{
    GroupBox3->Actualise_CheckBox_classes(m_state.niveaux);
    GroupBox4->initialise_dates(m_env.clock ? m_env.clock->now().date() : QDate::currentDate());
    SchoolYearLists::remplit(ComboBox3, ComboBox4, m_state);
}

void StatProduitsTab::Button_statsClick()
{
    if (m_collecte->enCours())
        return;
    m_listeTestsStats.clear();
    Button_stats->setEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_collecte->lance(m_state.niveaux, GroupBox3->cochees(), m_state.dossier_annee, m_state.dossier_etablissement,
                      GroupBox4->critere(m_state.masquer_tests_incomplets, m_state.objectifs));
}

void StatProduitsTab::collecteTerminee(const ClassTestCollector::Resultat &resultat)
{
    QApplication::restoreOverrideCursor();
    Button_stats->setEnabled(true);
    for (const ClassTestCollector::EleveTest &e : resultat.eleves) {
        if (!e.enregistrements.isEmpty())
            m_listeTestsStats.append(e.enregistrements);
    }
    if (resultat.nbEleves == 0) {
        Dialogs::information(this, QStringLiteral("Statistiques produits"),
                             QStringLiteral("Aucun élève dans les classes cochées."));
        return;
    }
    TStats *f = fenetre();
    f->setDonnees(m_listeTestsStats, resultat.nbEleves);
    f->exec();
    emit statistiquesMontrees();
}
