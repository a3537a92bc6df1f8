#include "teacher/Treglages.h"

#include "core/Catalogue.h"
#include "core/IniFile.h"
#include "core/SessionState.h"
#include "platform/LockKeys.h"
#include "teacher/ReglagesCommuns.h"
#include "teacher/TeacherSave.h"
#include "widgets/Dialogs.h"
#include "widgets/Naming.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QList<int> &kClassiques = TeacherSettings::kTablesClassiques;
const QList<int> &kEtendues = TeacherSettings::kTablesEtendues;

QString cleTable(int t)
{
    return TeacherSettings::cle_table_objectif(t);
}

} // namespace

Treglages::Treglages(SessionState &state, const Environment &env, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_env(env)
{
    setObjectName(QStringLiteral("Treglages"));
    setWindowTitle(QStringLiteral("Réglages"));
    setAccessibleName(QStringLiteral("Réglages"));

    m_communs = new ReglagesCommuns(ReglagesCommuns::Ecran::Reglages, this);

    auto *objectifs = nomme(new QGroupBox(QStringLiteral("Objectifs à atteindre:"), this), QStringLiteral("GroupBox1"),
                            QStringLiteral("Objectifs à atteindre:"));
    RadioButton3 = nomme(new QRadioButton(QStringLiteral("Tables classiques"), objectifs),
                         QStringLiteral("RadioButton3"), QStringLiteral("Tables classiques"));
    RadioButton4 = nomme(new QRadioButton(QStringLiteral("Tables étendues"), objectifs), QStringLiteral("RadioButton4"),
                         QStringLiteral("Tables étendues"));
    RadioButton5 = nomme(new QRadioButton(QStringLiteral("Tables raisonnées"), objectifs),
                         QStringLiteral("RadioButton5"), QStringLiteral("Tables raisonnées"));
    RadioButton5->setEnabled(false);
    RadioButton3->setChecked(true);
    auto *lo = new QGridLayout(objectifs);
    lo->addWidget(RadioButton3, 0, 0, 1, 9);
    for (int c = 0; c < kClassiques.size(); ++c) {
        const int t = kClassiques[c];
        const QString texte = QString::number(t) + QStringLiteral("×");
        CheckBox_[t] = nomme(new QCheckBox(texte, objectifs), QStringLiteral("CheckBox_%1").arg(t), texte);
        lo->addWidget(CheckBox_[t], 1, c);
    }
    lo->addWidget(RadioButton4, 2, 0, 1, 9);
    for (int c = 0; c < kEtendues.size(); ++c) {
        const int t = kEtendues[c];
        const QString texte = t == 11 ? QStringLiteral("carrés") : QString::number(t) + QStringLiteral("×");
        CheckBox_[t] = nomme(new QCheckBox(texte, objectifs), QStringLiteral("CheckBox_%1").arg(t), texte);
        lo->addWidget(CheckBox_[t], 3, c);
    }
    lo->addWidget(RadioButton5, 4, 0, 1, 9);

    auto *mode = nomme(new QGroupBox(QStringLiteral("Mode de fonctionnement"), this), QStringLiteral("RadioGroup1"),
                       QStringLiteral("Mode de fonctionnement"));
    m_ecole = nomme(new QRadioButton(QStringLiteral("Ecole"), mode), QStringLiteral("RadioGroup1_0"),
                    QStringLiteral("Ecole"));
    m_maison = nomme(new QRadioButton(QStringLiteral("Maison"), mode), QStringLiteral("RadioGroup1_1"),
                     QStringLiteral("Maison"));
    m_ecole->setChecked(true);
    auto *lm = new QHBoxLayout(mode);
    lm->addWidget(m_ecole);
    lm->addWidget(m_maison);

    auto *maintenance = nomme(new QPushButton(QStringLiteral("Maintenance fichiers"), this),
                              QStringLiteral("Button_maintenance"), QStringLiteral("Maintenance fichiers"));
    // Kept for the layout teachers know; it has never had an action.
    maintenance->setEnabled(false);
    Button_enregistrer_parametres = nomme(new QPushButton(QStringLiteral("Enregistrer les réglages"), this),
                                          QStringLiteral("Button_enregistrer_parametres"),
                                          QStringLiteral("Enregistrer les réglages"));
    auto *fermer = nomme(new QPushButton(QStringLiteral("Fermer"), this), QStringLiteral("Button_fermer"),
                         QStringLiteral("Fermer"));

    auto *droite = new QVBoxLayout;
    droite->addWidget(objectifs);
    droite->addWidget(mode);
    droite->addStretch();
    auto *haut = new QHBoxLayout;
    haut->addWidget(m_communs);
    haut->addLayout(droite);
    auto *bas = new QHBoxLayout;
    bas->addWidget(maintenance);
    bas->addStretch();
    bas->addWidget(Button_enregistrer_parametres);
    bas->addWidget(fermer);
    auto *colonne = new QVBoxLayout(this);
    colonne->addLayout(haut);
    colonne->addLayout(bas);

    connect(RadioButton3, &QRadioButton::toggled, this, &Treglages::RadioButton3Click);
    connect(Button_enregistrer_parametres, &QPushButton::clicked, this, &Treglages::Button_enregistrer_parametresClick);
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);
    RadioButton3Click();
}

void Treglages::showEvent(QShowEvent *event)
{
    charge();
    QDialog::showEvent(event);
}

void Treglages::RadioButton3Click()
{
    const bool classiques = RadioButton3->isChecked();
    for (int t : kClassiques)
        CheckBox_[t]->setEnabled(classiques);
    for (int t : kEtendues)
        CheckBox_[t]->setEnabled(!classiques);
}

void Treglages::charge()
{
    LockKeys::fixe_verrouillages(m_state.verrouillage_num_depart, m_state.verrouillage_maj_depart);
    const TeacherSettings::Reglages r = TeacherSettings::lit(IniFile(TeacherSave::cheminIniLocal(m_env)));
    m_communs->remplit(r);
    (r.modeEcole ? m_ecole : m_maison)->setChecked(true);
    const QStringList classiques = r.objectifsClassiques.split(u',');
    const QStringList etendus = r.objectifsEtendus.split(u',');
    for (int t : kClassiques)
        CheckBox_[t]->setChecked(classiques.contains(cleTable(t)));
    for (int t : kEtendues)
        CheckBox_[t]->setChecked(etendus.contains(cleTable(t)));
}

bool Treglages::Button_enregistrer_parametresClick()
{
    TeacherSettings::Reglages r = TeacherSettings::lit(IniFile(TeacherSave::cheminIniLocal(m_env)));
    m_communs->lit(&r);
    const QString refus = TeacherSettings::verifie(r);
    if (!refus.isEmpty()) {
        Dialogs::warning(this, QStringLiteral("Enregistrement impossible"), refus);
        return false;
    }
    const bool classiques = RadioButton3->isChecked();
    QStringList cles;
    for (int t : classiques ? kClassiques : kEtendues) {
        if (CheckBox_[t]->isChecked())
            cles.append(cleTable(t));
    }
    // Nothing ticked: every classic table, or the squares.
    if (classiques && cles.isEmpty()) {
        for (int t : kClassiques) {
            CheckBox_[t]->setChecked(true);
            cles.append(cleTable(t));
        }
    }
    QString etendus = cles.join(u',');
    if (!classiques && cles.isEmpty()) {
        CheckBox_[11]->setChecked(true);
        etendus = TeacherSettings::kEtendusParDefaut;
    }
    r.objectifsClassiques = classiques ? cles.join(u',') : QString();
    r.objectifsEtendus = classiques ? QString() : etendus;
    r.modeEcole = m_ecole->isChecked();
    return TeacherSave::enregistre(this, m_state, m_env, [r](IniFile &ini, QString *erreur) {
        return TeacherSettings::ecrit_reglages(ini, r, erreur);
    });
}
