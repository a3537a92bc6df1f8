#include "stats/TStats.h"

#include "core/SessionState.h"
#include "core/TeacherSettings.h"
#include "stats/StatsExport.h"
#include "widgets/Naming.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

using PS = ProductStatistics;

// Panels are 30 pixels apart from row to row; the columns are wider so that
// "100.0" fits in a readable size.
constexpr int kPasX = 51;
constexpr int kPasY = 30;
constexpr int kLargeurPanneau = 48;
constexpr int kHauteurPanneau = 27;
constexpr int kHautGrille = 22;

QString couleur(PS::Couleur c)
{
    switch (c) {
    case PS::Couleur::Blanc: return QStringLiteral("#ffffff");
    case PS::Couleur::GrisClair: return QStringLiteral("#e4e4e4");
    case PS::Couleur::Jaune: return QStringLiteral("#ffff00");
    case PS::Couleur::Orange: return QStringLiteral("#ff8000");
    case PS::Couleur::Rouge: return QStringLiteral("#ff0000");
    case PS::Couleur::RougeFonce: return QStringLiteral("#800000");
    }
    return QStringLiteral("#ffffff");
}

} // namespace

TStats::TStats(SessionState &state, const Environment &, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("TStats"));
    setWindowTitle(QStringLiteral("Statistiques par produits"));
    setAccessibleName(QStringLiteral("Statistiques par produits"));
    setModal(true);

    m_grille = new QWidget(this);
    m_grille->setObjectName(QStringLiteral("Grille_panneaux"));
    m_grille->setAccessibleName(QStringLiteral("Grille des produits"));
    construit_grille(m_grille);

    Label_nb_eleves1 = new QLabel(QStringLiteral("0"), this);
    Label_nb_eleves1->setObjectName(QStringLiteral("Label_nb_eleves1"));
    Label_nb_eleves1->setStyleSheet(QStringLiteral("font-weight: bold;"));
    auto *labelTotal = new QLabel(QStringLiteral("élèves au  total"), this);
    Label_avec_test = new QLabel(this);
    Label_avec_test->setObjectName(QStringLiteral("Label_avec_test"));
    auto *eleves = new QHBoxLayout;
    eleves->addWidget(Label_nb_eleves1);
    eleves->addWidget(labelTotal);
    eleves->addSpacing(12);
    eleves->addWidget(Label_avec_test, 1);

    auto *GroupBox2 = nomme(new QGroupBox(QStringLiteral("Afficher:"), this), QStringLiteral("GroupBox2"),
                            QStringLiteral("Afficher:"));
    RadioButton1 = new QRadioButton(QStringLiteral("pourcentage d'élèves"), GroupBox2);
    RadioButton2 = new QRadioButton(QStringLiteral("nombre d'élèves"), GroupBox2);
    RadioButton3 = new QRadioButton(QStringLiteral("temps moyen de réponse"), GroupBox2);
    RadioButton4 = new QRadioButton(QStringLiteral("nombre moyen de bonnes réponses par mn"), GroupBox2);
    auto *colonneModes = new QVBoxLayout(GroupBox2);
    int n = 1;
    for (QRadioButton *r : {RadioButton1, RadioButton2, RadioButton3, RadioButton4}) {
        r->setObjectName(QStringLiteral("RadioButton%1").arg(n++));
        colonneModes->addWidget(r);
        connect(r, &QRadioButton::toggled, this, [this](bool coche) {
            if (coche)
                modeChange();
        });
    }

    auto *GroupBox_rep = nomme(new QGroupBox(QStringLiteral("concernant:"), this), QStringLiteral("GroupBox_rep"),
                               QStringLiteral("concernant:"));
    const QString textes[4] = {QStringLiteral("bonnes réponses dans un temps <"),
                               QStringLiteral("bonnes réponses dans un temps >=4 s"),
                               QStringLiteral("réponses fausses"), QStringLiteral("pas de réponse")};
    for (int c = 0; c < 4; ++c) {
        m_cases[c] = new QCheckBox(textes[c], GroupBox_rep);
        m_cases[c]->setObjectName(QStringLiteral("CheckBox_rep%1").arg(c + 1));
        connect(m_cases[c], &QCheckBox::toggled, this, &TStats::caseChange);
    }
    SpinEdit2 = nomme(new QSpinBox(GroupBox_rep), QStringLiteral("SpinEdit2"),
                      QStringLiteral("Temps de réponse séparant les bonnes réponses rapides des lentes, en secondes"));
    // The whole range of the setting, so that the split can always match the
    // acceptable time the pupils' own scores use.
    SpinEdit2->setRange(TeacherSettings::kSecondesMin, TeacherSettings::kSecondesMax);
    auto *Label2 = new QLabel(QStringLiteral("sec."), GroupBox_rep);
    Label2->setObjectName(QStringLiteral("Label2"));
    auto *grilleCases = new QGridLayout(GroupBox_rep);
    auto *ligneTemps = new QHBoxLayout;
    ligneTemps->addWidget(m_cases[0]);
    ligneTemps->addWidget(SpinEdit2);
    ligneTemps->addWidget(Label2);
    ligneTemps->addStretch();
    grilleCases->addLayout(ligneTemps, 0, 0);
    for (int c = 1; c < 4; ++c)
        grilleCases->addWidget(m_cases[c], c, 0);

    Button_calculer = nomme(new QPushButton(QStringLiteral("Actualiser"), this), QStringLiteral("Button_calculer"),
                            QStringLiteral("Actualiser"));
    Button4 = nomme(new QPushButton(QStringLiteral("Enregistrer"), this), QStringLiteral("Button4"),
                    QStringLiteral("Enregistrer"));
    Button2 = nomme(new QPushButton(QStringLiteral("Imprimer"), this), QStringLiteral("Button2"),
                    QStringLiteral("Imprimer"));
    Button2->setEnabled(false);
    auto *fermer = nomme(new QPushButton(QStringLiteral("Fermer"), this), QStringLiteral("Button_fermer"),
                         QStringLiteral("Fermer"));

    auto *GroupBox1 = nomme(new QGroupBox(QStringLiteral("Fréquence des confusions"), this), QStringLiteral("GroupBox1"),
                            QStringLiteral("Fréquence des confusions"));
    Memo1 = nomme(new QPlainTextEdit(GroupBox1), QStringLiteral("Memo1"), QStringLiteral("Liste des confusions"));
    Memo1->setReadOnly(true);
    QFont fixe(QStringLiteral("Courier New"));
    fixe.setStyleHint(QFont::Monospace);
    Memo1->setFont(fixe);
    Label1 = new QLabel(GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    RadioButton_frequence = new QRadioButton(QStringLiteral("fréquence"), GroupBox1);
    RadioButton_frequence->setObjectName(QStringLiteral("RadioButton_frequence"));
    RadioButton_produit = new QRadioButton(QStringLiteral("produit"), GroupBox1);
    RadioButton_produit->setObjectName(QStringLiteral("RadioButton_produit"));
    RadioButton_resultat = new QRadioButton(QStringLiteral("résultat"), GroupBox1);
    RadioButton_resultat->setObjectName(QStringLiteral("RadioButton_resultat"));
    RadioButton_frequence->setChecked(true);
    auto *tri = new QHBoxLayout;
    tri->addWidget(new QLabel(QStringLiteral("Trier par:"), GroupBox1));
    for (QRadioButton *r : {RadioButton_frequence, RadioButton_produit, RadioButton_resultat}) {
        tri->addWidget(r);
        connect(r, &QRadioButton::toggled, this, [this](bool coche) {
            if (coche)
                trie();
        });
    }
    tri->addStretch();
    auto *colonneConfusions = new QVBoxLayout(GroupBox1);
    colonneConfusions->addWidget(Memo1, 1);
    colonneConfusions->addWidget(Label1);
    colonneConfusions->addLayout(tri);

    auto *gauche = new QVBoxLayout;
    gauche->addWidget(m_grille, 0, Qt::AlignLeft);
    gauche->addLayout(eleves);
    gauche->addWidget(GroupBox1, 1);
    auto *droite = new QVBoxLayout;
    droite->addWidget(GroupBox2);
    droite->addWidget(GroupBox_rep);
    droite->addWidget(Button_calculer);
    droite->addStretch();
    droite->addWidget(Button4);
    droite->addWidget(Button2);
    droite->addWidget(fermer);
    auto *principal = new QHBoxLayout(this);
    principal->addLayout(gauche, 1);
    principal->addLayout(droite);

    connect(SpinEdit2, &QSpinBox::valueChanged, this, &TStats::SpinEdit2Change);
    connect(Button_calculer, &QPushButton::clicked, this, &TStats::calcule);
    connect(Button4, &QPushButton::clicked, this, &TStats::Button4Click);
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);

    {
        const QSignalBlocker bloque(SpinEdit2);
        SpinEdit2->setValue(4);
    }
    RadioButton1->setChecked(true);
    resize(790, 590);
}

void TStats::construit_grille(QWidget *grille)
{
    for (int a = 2; a <= 9; ++a) {
        auto *titre = new QLabel(QString::number(a) + QStringLiteral("×"), grille);
        titre->setAlignment(Qt::AlignCenter);
        titre->setGeometry((a - 2) * kPasX, 0, kLargeurPanneau, kHautGrille - 4);
    }
    for (int b = 2; b <= 9; ++b) {
        auto *rangee = new QLabel(QString::number(b), grille);
        rangee->setGeometry(8 * kPasX + 2, kHautGrille + (b - 2) * kPasY, 20, kHauteurPanneau);
        rangee->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    }
    for (int k = 1; k <= PS::kPanneaux; ++k) {
        auto *p = new QLabel(grille);
        p->setObjectName(QStringLiteral("Panel%1").arg(k));
        p->setAlignment(Qt::AlignCenter);
        p->setFrameShape(QFrame::Box);
        p->setGeometry((k - 1) / 8 * kPasX, kHautGrille + (k - 1) % 8 * kPasY, kLargeurPanneau, kHauteurPanneau);
        m_panneaux.append(p);
    }
    grille->setFixedSize(8 * kPasX + 24, kHautGrille + 8 * kPasY);
}

void TStats::setDonnees(const QStringList &listeTestsStats, int nbEleves)
{
    m_tests = listeTestsStats;
    m_nbEleves = nbEleves;
    Label_nb_eleves1->setText(QString::number(nbEleves));
    const int avec = int(listeTestsStats.size());
    Label_avec_test->setText(avec == 0 ? QStringLiteral("Aucun élève n'a de test à la date choisie.")
                                       : QStringLiteral("dont %1 avec un test analysé").arg(avec));
    Label_avec_test->setStyleSheet(avec == 0 ? QStringLiteral("color: #b00000; font-weight: bold;") : QString());
    // The split between fast and slow right answers starts at the school's setting.
    const QSignalBlocker bloque(SpinEdit2);
    const int t = m_state.temps_acceptable;
    SpinEdit2->setValue(t >= TeacherSettings::kSecondesMin && t <= TeacherSettings::kSecondesMax ? t : 4);
    m_cases[1]->setText(QStringLiteral("bonnes réponses dans un temps >=") + QString::number(SpinEdit2->value())
                        + QStringLiteral("s"));
}

void TStats::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    calcule();
}

int TStats::tempsSepare() const
{
    return SpinEdit2->value();
}

ProductStatistics::Mode TStats::mode() const
{
    if (RadioButton2->isChecked())
        return PS::Mode::Nombre;
    if (RadioButton3->isChecked())
        return PS::Mode::TempsMoyen;
    if (RadioButton4->isChecked())
        return PS::Mode::Vitesse;
    return PS::Mode::Pourcentage;
}

unsigned TStats::categories() const
{
    unsigned c = 0;
    for (int i = 0; i < 4; ++i) {
        if (m_cases[i]->isChecked() && m_cases[i]->isEnabled())
            c |= 1u << i;
    }
    return c;
}

QLabel *TStats::panneau(int k) const
{
    return k >= 1 && k <= m_panneaux.size() ? m_panneaux.at(k - 1) : nullptr;
}

void TStats::modeChange()
{
    const PS::EtatCases etat = PS::cases_pour_mode(mode());
    m_miseAJour = true;
    for (int i = 0; i < 4; ++i) {
        m_cases[i]->setEnabled(etat.actives & (1u << i));
        m_cases[i]->setChecked(etat.cochees & (1u << i));
    }
    m_miseAJour = false;
    calcule();
}

void TStats::caseChange()
{
    if (m_miseAJour)
        return;
    // The speed counts every answer: its boxes stay ticked.
    if (mode() == PS::Mode::Vitesse) {
        m_miseAJour = true;
        for (QCheckBox *c : m_cases)
            c->setChecked(true);
        m_miseAJour = false;
    }
    calcule();
}

void TStats::SpinEdit2Change(int valeur)
{
    m_cases[1]->setText(QStringLiteral("bonnes réponses dans un temps >=") + QString::number(valeur) + QStringLiteral("s"));
    calcule();
}

void TStats::calcule()
{
    m_stats.reinitialise();
    const int T = tempsSepare();
    for (const QString &test : std::as_const(m_tests))
        m_stats.ajoute_test(test, T);
    const PS::Mode m = mode();
    const unsigned c = categories();
    for (int k = 1; k <= PS::kPanneaux; ++k) {
        const PS::Panneau p = m_stats.panneau(k, m, c, m_nbEleves);
        QLabel *label = m_panneaux.at(k - 1);
        label->setText(p.texte);
        label->setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; border: 1px solid #808080; }")
                                 .arg(couleur(p.couleur), p.texteBlanc ? QStringLiteral("white") : QStringLiteral("black")));
        const QString description = m_stats.description_panneau(k, m, c, m_nbEleves);
        label->setAccessibleDescription(description);
        label->setToolTip(description);
    }
    Label1->setText(QString::number(m_stats.confusions().size()) + QStringLiteral(" confusions différentes"));
    trie();
}

void TStats::trie()
{
    const PS::Tri tri = RadioButton_produit->isChecked()    ? PS::Tri::Produit
                        : RadioButton_resultat->isChecked() ? PS::Tri::Resultat
                                                            : PS::Tri::Frequence;
    Memo1->setPlainText(m_stats.lignes_confusions(tri).join(u'\n'));
}

QImage TStats::image_panneaux() const
{
    return m_grille->grab().toImage();
}

void TStats::Button4Click()
{
    StatsExport::enregistre(this, m_state.dossier_stats_local, QStringLiteral("Statistiques par produits"),
                            m_stats.lignes_csv(mode(), categories(), m_nbEleves), image_panneaux());
}
