#include "teacher/ReglagesCommuns.h"

#include "widgets/Naming.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Shown when the file holds no usable value: the program's defaults.
constexpr int kDefautOk = 4;
constexpr int kDefautMax = 30;
constexpr int kDefautPerfect = 20;
constexpr int kDefautBloc = 3;

int dans(int v, int min, int max, int defaut)
{
    return v >= min && v <= max ? v : defaut;
}

} // namespace

QWidget *ReglagesCommuns::paire(QWidget *parent, const QString &nomOui, const QString &nomNon,
                                const QString &question, QRadioButton **oui, QRadioButton **non)
{
    auto *boite = new QWidget(parent);
    boite->setObjectName(QStringLiteral("Paire_") + nomOui);
    *oui = nomme(new QRadioButton(QStringLiteral("oui"), boite), nomOui, QStringLiteral("oui"));
    *non = nomme(new QRadioButton(QStringLiteral("non"), boite), nomNon, QStringLiteral("non"));
    (*oui)->setAccessibleDescription(question);
    (*non)->setAccessibleDescription(question);
    (*non)->setChecked(true);
    auto *groupe = new QButtonGroup(boite);
    groupe->addButton(*oui);
    groupe->addButton(*non);
    auto *l = new QHBoxLayout(boite);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(*oui);
    l->addWidget(*non);
    l->addStretch();
    return boite;
}

QSpinBox *ReglagesCommuns::spin(const QString &nom)
{
    // Heard by the label that names it.
    auto *s = nomme(new QSpinBox(this), nom);
    s->setRange(1, 99);
    s->setFixedWidth(64);
    return s;
}

ReglagesCommuns::ReglagesCommuns(Ecran ecran, QWidget *parent)
    : QWidget(parent)
{
    const bool reglages = ecran == Ecran::Reglages;
    SpinEdit_tmps_ok = spin(QStringLiteral("SpinEdit_tmps_ok"));
    SpinEdit_tmps_max = spin(QStringLiteral("SpinEdit_tmps_max"));
    SpinEdit_tmps_ini_perfect = spin(QStringLiteral("SpinEdit_tmps_ini_perfect"));
    SpinEdit_tmps_fin_perfect = spin(QStringLiteral("SpinEdit_tmps_fin_perfect"));

    struct Choix { QString oui; QString non; QString question; };
    const Choix choix[5] = {
        {QStringLiteral("RadioButton22"), QStringLiteral("RadioButton21"),
         QStringLiteral("Apprentissage obligatoire avant perfectionnement:")},
        {QStringLiteral("RadioButton23"), QStringLiteral("RadioButton24"), QStringLiteral("Chrono test visible:")},
        {reglages ? QStringLiteral("RadioButton1") : QStringLiteral("RadioButton27"),
         reglages ? QStringLiteral("RadioButton2") : QStringLiteral("RadioButton28"),
         QStringLiteral("Bouton pause test visible:")},
        {reglages ? QStringLiteral("RadioButton6") : QStringLiteral("RadioButton34"),
         reglages ? QStringLiteral("RadioButton9") : QStringLiteral("RadioButton35"),
         QStringLiteral("Masquer tests incomplets:")},
        {QStringLiteral("RadioButton_configperso1"), QStringLiteral("RadioButton_configperso2"),
         QStringLiteral("Autoriser configuration personnelle:")},
    };

    auto *grille = new QGridLayout;
    int ligne = 0;
    const auto rangee = [&](const QString &texte, QWidget *w, const QString &unite = {}) {
        auto *l = new QLabel(texte, this);
        l->setBuddy(w);
        grille->addWidget(l, ligne, 0);
        grille->addWidget(w, ligne, 1);
        if (!unite.isEmpty())
            grille->addWidget(new QLabel(unite, this), ligne, 2);
        ++ligne;
    };
    rangee(QStringLiteral("Temps de réponse acceptable:"), SpinEdit_tmps_ok, QStringLiteral("secondes"));
    rangee(QStringLiteral("Temps de réponse maximum:"), SpinEdit_tmps_max, QStringLiteral("secondes"));
    rangee(QStringLiteral("Temps réponse initial perfectionnement:"), SpinEdit_tmps_ini_perfect,
           QStringLiteral("secondes"));
    rangee(QStringLiteral("Temps réponse final perfectionnement:"), SpinEdit_tmps_fin_perfect,
           QStringLiteral("secondes"));
    for (int i = 0; i < 5; ++i) {
        QWidget *p = paire(this, choix[i].oui, choix[i].non, choix[i].question, &m_oui[i], &m_non[i]);
        auto *l = new QLabel(choix[i].question, this);
        grille->addWidget(l, ligne, 0);
        grille->addWidget(p, ligne++, 1, 1, 2);
    }

    auto *formule = nomme(new QGroupBox(QStringLiteral("Méthode d'apprentissage par blocs"), this),
                          QStringLiteral("GroupBox_formule"), QStringLiteral("Méthode d'apprentissage par blocs"));
    auto *lf = new QGridLayout(formule);
    lf->addWidget(new QLabel(QStringLiteral("Formule récursive d'apprentissage"), formule), 0, 0, 1, 4);
    const QString textes[4] = {TeacherSettings::kFormules[0], TeacherSettings::kFormules[1],
                               TeacherSettings::kFormules[2], QStringLiteral("Autre")};
    auto *groupeFormule = new QButtonGroup(formule);
    for (int i = 0; i < 4; ++i) {
        RadioButton_formule[i] = nomme(new QRadioButton(textes[i], formule),
                                       QStringLiteral("RadioButton_formule%1").arg(i + 1), textes[i]);
        groupeFormule->addButton(RadioButton_formule[i]);
        lf->addWidget(RadioButton_formule[i], 1 + i / 2, i % 2);
    }
    Edit_formule = nomme(new QLineEdit(formule), QStringLiteral("Edit_formule"),
                         QStringLiteral("Formule récursive d'apprentissage"));
    Edit_formule->setEnabled(false);
    lf->addWidget(Edit_formule, 2, 2);
    // A formula of his own: the teacher types it once "Autre" is chosen.
    connect(RadioButton_formule[3], &QRadioButton::toggled, Edit_formule, &QLineEdit::setEnabled);
    SpinEdit_Bloc = nomme(new QSpinBox(formule), QStringLiteral("SpinEdit_Bloc"), QStringLiteral("Taille des blocs"));
    SpinEdit_Bloc->setRange(2, 4);
    auto *lb = new QHBoxLayout;
    lb->addWidget(new QLabel(QStringLiteral("Taille des blocs:"), formule));
    lb->addWidget(new QLabel(QStringLiteral("blocs de"), formule));
    lb->addWidget(SpinEdit_Bloc);
    lb->addWidget(new QLabel(QStringLiteral("items"), formule));
    lb->addStretch();
    lf->addLayout(lb, 3, 0, 1, 4);

    auto *ordre = new QWidget(this);
    RadioButton_ordclass = nomme(new QRadioButton(QStringLiteral("par tables)"), ordre),
                                 QStringLiteral("RadioButton_ordclass"), QStringLiteral("par tables)"));
    RadioButton_ordprod = nomme(new QRadioButton(QStringLiteral("valeur produit"), ordre),
                                QStringLiteral("RadioButton_ordprod"), QStringLiteral("valeur produit"));
    auto *lo = new QHBoxLayout(ordre);
    lo->setContentsMargins(0, 0, 0, 0);
    lo->addWidget(RadioButton_ordclass);
    lo->addWidget(RadioButton_ordprod);
    lo->addStretch();
    auto *lordre = new QLabel(QStringLiteral("Ordre de rangement des items:"), this);
    grille->addWidget(lordre, ligne, 0);
    grille->addWidget(ordre, ligne++, 1, 1, 2);

    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addLayout(grille);
    colonne->addWidget(formule);

    remplit(TeacherSettings::Reglages());
}

void ReglagesCommuns::remplit(const TeacherSettings::Reglages &r)
{
    SpinEdit_tmps_ok->setValue(dans(r.tempsAcceptable, 1, 99, kDefautOk));
    SpinEdit_tmps_max->setValue(dans(r.tempsMaximum, 1, 99, kDefautMax));
    SpinEdit_tmps_ini_perfect->setValue(dans(r.tempsInitialPerfect, 1, 99, kDefautPerfect));
    SpinEdit_tmps_fin_perfect->setValue(dans(r.tempsFinalPerfect, 1, 99, kDefautPerfect));
    SpinEdit_Bloc->setValue(dans(r.tailleBloc, 2, 4, kDefautBloc));
    const bool valeurs[5] = {r.apprentissageObligatoire, r.chronoVisible, r.pauseVisible, r.masquerIncomplets,
                             r.configPerso};
    for (int i = 0; i < 5; ++i)
        (valeurs[i] ? m_oui[i] : m_non[i])->setChecked(true);
    const qsizetype f = TeacherSettings::kFormules.indexOf(r.formule);
    RadioButton_formule[f >= 0 ? f : 3]->setChecked(true);
    Edit_formule->setText(f >= 0 ? QString() : r.formule);
    Edit_formule->setEnabled(f < 0);
    (r.ordre == u"par tables" ? RadioButton_ordclass : RadioButton_ordprod)->setChecked(true);
}

void ReglagesCommuns::lit(TeacherSettings::Reglages *r) const
{
    r->tempsAcceptable = SpinEdit_tmps_ok->value();
    r->tempsMaximum = SpinEdit_tmps_max->value();
    r->tempsInitialPerfect = SpinEdit_tmps_ini_perfect->value();
    r->tempsFinalPerfect = SpinEdit_tmps_fin_perfect->value();
    r->tailleBloc = SpinEdit_Bloc->value();
    bool *valeurs[5] = {&r->apprentissageObligatoire, &r->chronoVisible, &r->pauseVisible, &r->masquerIncomplets,
                        &r->configPerso};
    for (int i = 0; i < 5; ++i)
        *valeurs[i] = m_oui[i]->isChecked();
    r->formule = Edit_formule->text().trimmed();
    for (int i = 0; i < 3; ++i) {
        if (RadioButton_formule[i]->isChecked())
            r->formule = TeacherSettings::kFormules[i];
    }
    r->ordre = RadioButton_ordclass->isChecked() ? QStringLiteral("par tables") : QStringLiteral("valeur produit");
}
