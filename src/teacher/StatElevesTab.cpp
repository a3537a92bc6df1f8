#include "teacher/StatElevesTab.h"

#include "core/Clock.h"
#include "stats/Tstats_el.h"
#include "teacher/BackgroundCollection.h"
#include "teacher/ClassCheckBoxes.h"
#include "teacher/SchoolYearLists.h"
#include "teacher/TestSelectionBox.h"
#include "widgets/Naming.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton *option(const QString &texte, const QString &nom, QWidget *parent, QLayout *layout)
{
    auto *r = new QRadioButton(texte, parent);
    r->setObjectName(nom);
    layout->addWidget(r);
    return r;
}

} // namespace

StatElevesTab::StatElevesTab(SessionState &state, const Environment &env, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_env(env)
{
    GroupBox7 = new ClassCheckBoxes(QStringLiteral("Sur quels élèves:"), QStringLiteral("CheckBox_el_"), this);
    GroupBox7->setObjectName(QStringLiteral("GroupBox7"));
    GroupBox2 = new TestSelectionBox(QStringLiteral("Quel test analyser:"),
                                     {QStringLiteral("RadioButton1"), QStringLiteral("DateTimePicker1"),
                                      QStringLiteral("RadioButton3"), QStringLiteral("DateTimePicker3")},
                                     this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));

    auto *GroupBox5 = nomme(new QGroupBox(QStringLiteral("Comparer par (abcsisses):"), this), QStringLiteral("GroupBox5"),
                            QStringLiteral("Comparer par (abcsisses):"));
    auto *abscisses = new QVBoxLayout(GroupBox5);
    RadioButton4 = option(QStringLiteral("Classe"), QStringLiteral("RadioButton4"), GroupBox5, abscisses);
    RadioButton5 = option(QStringLiteral("Niveau"), QStringLiteral("RadioButton5"), GroupBox5, abscisses);
    RadioButton11 = option(QStringLiteral("Score"), QStringLiteral("RadioButton11"), GroupBox5, abscisses);
    RadioButton12 = option(QStringLiteral("Rapidité"), QStringLiteral("RadioButton12"), GroupBox5, abscisses);
    auto *GroupBox6 = nomme(new QGroupBox(QStringLiteral("Représenter (ordonnées):"), this), QStringLiteral("GroupBox6"),
                            QStringLiteral("Représenter (ordonnées):"));
    auto *ordonnees = new QVBoxLayout(GroupBox6);
    RadioButton13 = option(QStringLiteral("Score"), QStringLiteral("RadioButton13"), GroupBox6, ordonnees);
    RadioButton14 = option(QStringLiteral("Rapidité"), QStringLiteral("RadioButton14"), GroupBox6, ordonnees);
    RadioButton18 = option(QStringLiteral("Nb élèves"), QStringLiteral("RadioButton18"), GroupBox6, ordonnees);
    RadioButton19 = option(QStringLiteral("% élèves"), QStringLiteral("RadioButton19"), GroupBox6, ordonnees);

    ComboBox5 = nomme(new QComboBox(this), QStringLiteral("ComboBox5"), QStringLiteral("Etablissement"));
    ComboBox6 = nomme(new QComboBox(this), QStringLiteral("ComboBox6"), QStringLiteral("Année scolaire"));
    auto *listes = new QFormLayout;
    listes->addRow(QStringLiteral("Etablissement:"), ComboBox5);
    listes->addRow(QStringLiteral("Année scolaire:"), ComboBox6);

    Button1 = nomme(new QPushButton(QStringLiteral("Calculer"), this), QStringLiteral("Button1"),
                    QStringLiteral("Calculer"));
    Button1->setMinimumWidth(140);
    m_barre = nomme(new QProgressBar(this), QStringLiteral("Barre_progression"),
                    QStringLiteral("Lecture des fichiers des élèves"));
    m_collecte = new BackgroundCollection(m_barre, this);

    auto *milieu = new QHBoxLayout;
    milieu->addWidget(GroupBox2);
    milieu->addWidget(GroupBox5);
    milieu->addWidget(GroupBox6);
    milieu->addLayout(listes);
    milieu->addStretch();
    auto *bas = new QHBoxLayout;
    bas->addWidget(m_barre, 1);
    bas->addStretch();
    bas->addWidget(Button1);
    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(12, 12, 12, 12);
    colonne->addWidget(GroupBox7, 1);
    colonne->addLayout(milieu);
    colonne->addLayout(bas);

    for (QRadioButton *r : {RadioButton4, RadioButton5}) {
        connect(r, &QRadioButton::toggled, this, [this](bool coche) {
            if (coche)
                desactive_nb_el();
        });
    }
    for (QRadioButton *r : {RadioButton11, RadioButton12}) {
        connect(r, &QRadioButton::toggled, this, [this](bool coche) {
            if (coche)
                active_nb_el();
        });
    }
    RadioButton5->setChecked(true);
    RadioButton14->setChecked(true);

    connect(Button1, &QPushButton::clicked, this, &StatElevesTab::Button1Click);
    connect(m_collecte, &BackgroundCollection::terminee, this, &StatElevesTab::collecteTerminee);
    connect(m_collecte, &BackgroundCollection::annulee, this, [this]() {
        QApplication::restoreOverrideCursor();
        Button1->setEnabled(true);
    });
}

Tstats_el *StatElevesTab::fenetre()
{
    if (!m_fenetre)
        m_fenetre = new Tstats_el(m_state, m_env, this);
    return m_fenetre;
}

void StatElevesTab::actualise()
{
    GroupBox7->Actualise_CheckBox_classes(m_state.niveaux);
    GroupBox2->initialise_dates(m_env.clock ? m_env.clock->now().date() : QDate::currentDate());
    SchoolYearLists::remplit(ComboBox5, ComboBox6, m_state);
}

// A band already is a score or a speed: above it only counts make sense.
void StatElevesTab::active_nb_el()
{
    RadioButton13->setEnabled(false);
    RadioButton14->setEnabled(false);
    RadioButton18->setEnabled(true);
    RadioButton19->setEnabled(true);
    RadioButton18->setChecked(true);
}

void StatElevesTab::desactive_nb_el()
{
    RadioButton13->setEnabled(true);
    RadioButton14->setEnabled(true);
    RadioButton13->setChecked(true);
    RadioButton18->setEnabled(false);
    RadioButton19->setEnabled(false);
}

ComparisonChart::Abscisse StatElevesTab::abscisse() const
{
    using A = ComparisonChart::Abscisse;
    if (RadioButton4->isChecked())
        return A::Classe;
    if (RadioButton11->isChecked())
        return A::Score;
    if (RadioButton12->isChecked())
        return A::Rapidite;
    return A::Niveau;
}

ComparisonChart::Ordonnee StatElevesTab::ordonnee() const
{
    using O = ComparisonChart::Ordonnee;
    if (RadioButton13->isChecked())
        return O::Score;
    if (RadioButton18->isChecked())
        return O::NbEleves;
    if (RadioButton19->isChecked())
        return O::PctEleves;
    return O::Rapidite;
}

void StatElevesTab::Button1Click()
{
    if (m_collecte->enCours())
        return;
    m_cochees = GroupBox7->cochees();
    Button1->setEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_collecte->lance(m_state.niveaux, m_cochees, m_state.dossier_annee, m_state.dossier_etablissement,
                      GroupBox2->critere(m_state.masquer_tests_incomplets, m_state.objectifs));
}

void StatElevesTab::collecteTerminee(const ClassTestCollector::Resultat &resultat)
{
    QApplication::restoreOverrideCursor();
    Button1->setEnabled(true);
    m_graphique = ComparisonChart::genere_donnees(m_state.niveaux, m_cochees, resultat.eleves, abscisse(), ordonnee(),
                                                  m_state.temps_acceptable);
    Tstats_el *f = fenetre();
    f->setGraphique(m_graphique);
    f->exec();
    emit graphiqueMontre();
}
