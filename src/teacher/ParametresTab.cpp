#include "teacher/ParametresTab.h"

#include "core/IniFile.h"
#include "core/Paths.h"
#include "teacher/ReglagesCommuns.h"
#include "teacher/TeacherSave.h"
#include "widgets/Dialogs.h"
#include "widgets/Naming.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

ParametresTab::ParametresTab(SessionState &state, const Environment &env, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_env(env)
{
    auto *contenu = new QWidget;
    contenu->setObjectName(QStringLiteral("Contenu_parametres"));
    Edit_serveur = nomme(new QLineEdit(contenu), QStringLiteral("Edit_serveur"), QStringLiteral("Chemin serveur en réseau"));
    Edit_eleves_reseau = nomme(new QLineEdit(contenu), QStringLiteral("Edit_eleves_reseau"),
                               QStringLiteral("Dossier élèves en réseau"));
    Edit_mono = nomme(new QLineEdit(contenu), QStringLiteral("Edit_mono"), QStringLiteral("Dossier élèves monoposte"));
    Edit8 = nomme(new QLineEdit(contenu), QStringLiteral("Edit8"), QStringLiteral("Dossier statistiques"));
    Edit5 = nomme(new QLineEdit(contenu), QStringLiteral("Edit5"), QStringLiteral("code professeur"));
    // The code shows only while it is being typed.
    Edit5->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    Edit5->setMaximumWidth(120);

    auto *grille = new QGridLayout;
    int ligne = 0;
    const auto rangee = [&](const QString &texte, QWidget *w, const QString &apres = {}) {
        auto *l = new QLabel(texte, contenu);
        l->setBuddy(w);
        grille->addWidget(l, ligne, 0);
        grille->addWidget(w, ligne, 1);
        if (!apres.isEmpty())
            grille->addWidget(new QLabel(apres, contenu), ligne, 2);
        ++ligne;
    };
    rangee(QStringLiteral("Chemin serveur en réseau"), Edit_serveur);
    rangee(QStringLiteral("Dossier élèves en réseau:   {chemin serveur}\\"), Edit_eleves_reseau);
    rangee(QStringLiteral("Dossier élèves monoposte:  {Tabulon}\\"), Edit_mono);
    rangee(QStringLiteral("Dossier statistiques:  {Tabulon}\\"), Edit8);
    rangee(QStringLiteral("code professeur:"), Edit5, QStringLiteral("(4 lettres maxi)"));
    QWidget *paire = ReglagesCommuns::paire(contenu, QStringLiteral("RadioButton10"), QStringLiteral("RadioButton20"),
                                            QStringLiteral("Identification par code:"), &RadioButton10, &RadioButton20);
    rangee(QStringLiteral("Identification par code:"), paire);

    m_communs = new ReglagesCommuns(ReglagesCommuns::Ecran::Parametres, contenu);
    auto *colonne = new QVBoxLayout(contenu);
    colonne->addLayout(grille);
    colonne->addWidget(m_communs);
    colonne->addStretch();

    auto *defilement = new QScrollArea(this);
    defilement->setObjectName(QStringLiteral("Defilement_parametres"));
    defilement->setWidget(contenu);
    defilement->setWidgetResizable(true);
    defilement->setFrameShape(QFrame::NoFrame);

    Button_enregistrer_parametres = nomme(new QPushButton(QStringLiteral("Enregistrer Paramètres"), this),
                                          QStringLiteral("Button_enregistrer_parametres"),
                                          QStringLiteral("Enregistrer Paramètres"));
    auto *bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(Button_enregistrer_parametres);
    auto *principal = new QVBoxLayout(this);
    principal->setContentsMargins(8, 8, 8, 8);
    principal->addWidget(defilement, 1);
    principal->addLayout(bas);

    connect(Button_enregistrer_parametres, &QPushButton::clicked, this,
            &ParametresTab::Button_enregistrer_parametresClick);
}

void ParametresTab::charge()
{
    const TeacherSettings::Reglages r = TeacherSettings::lit(IniFile(TeacherSave::cheminIniLocal(m_env)));
    Edit_serveur->setText(r.cheminServeur);
    Edit_eleves_reseau->setText(r.dossierElevesReseau);
    Edit_mono->setText(r.dossierMonoposte);
    Edit8->setText(r.dossierStatistiques);
    Edit5->setText(r.codeProfesseur);
    (r.identificationParCode ? RadioButton10 : RadioButton20)->setChecked(true);
    m_communs->remplit(r);
}

bool ParametresTab::Button_enregistrer_parametresClick()
{
    TeacherSettings::Reglages r;
    r.cheminServeur = Edit_serveur->text();
    r.dossierElevesReseau = Edit_eleves_reseau->text();
    r.dossierMonoposte = Edit_mono->text();
    r.dossierStatistiques = Edit8->text();
    r.codeProfesseur = Edit5->text();
    r.identificationParCode = RadioButton10->isChecked();
    m_communs->lit(&r);

    const QString refus = TeacherSettings::verifie(r);
    if (!refus.isEmpty()) {
        Dialogs::warning(this, QStringLiteral("Enregistrement impossible"), refus);
        return false;
    }
    const QString code = TeacherSettings::avertissement_code(r.codeProfesseur);
    if (!code.isEmpty())
        Dialogs::warning(this, QStringLiteral("Code professeur"), code);
    // The field shows the path as stored: one trailing "\" less.
    if (r.cheminServeur.endsWith(u'\\'))
        Edit_serveur->setText(r.cheminServeur.chopped(1));
    return TeacherSave::enregistre(this, m_state, m_env, [r](IniFile &ini, QString *erreur) {
        return TeacherSettings::ecrit_parametres(ini, r, erreur);
    });
}
