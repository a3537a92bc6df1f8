#include "teacher/StatElevesTab.h"

#include "stats/Tstats_el.h"
#include "widgets/Naming.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QRadioButton>

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
    : ClassStatisticsTab(state, env,
                         {QStringLiteral("GroupBox7"), QStringLiteral("CheckBox_el_"), QStringLiteral("GroupBox2"),
                          {QStringLiteral("RadioButton1"), QStringLiteral("DateTimePicker1"),
                           QStringLiteral("RadioButton3"), QStringLiteral("DateTimePicker3")},
                          QStringLiteral("ComboBox5"), QStringLiteral("ComboBox6"), QStringLiteral("Button1"),
                          QStringLiteral("Calculer")},
                         parent)
{
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

    options()->addWidget(GroupBox5);
    options()->addWidget(GroupBox6);

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
}

Tstats_el *StatElevesTab::fenetre()
{
    if (!m_fenetre)
        m_fenetre = new Tstats_el(m_state, m_env, this);
    return m_fenetre;
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

void StatElevesTab::collecteTerminee(const ClassTestCollector::Resultat &resultat)
{
    m_graphique = ComparisonChart::genere_donnees(m_state.niveaux, m_cochees, resultat.eleves, abscisse(), ordonnee(),
                                                  m_state.temps_acceptable);
    Tstats_el *f = fenetre();
    f->setGraphique(m_graphique);
    f->exec();
    emit graphiqueMontre();
}
