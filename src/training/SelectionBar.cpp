#include "training/SelectionBar.h"

#include "core/ItemSelection.h"
#include "core/SelectionButtons.h"
#include "core/SessionState.h"
#include "widgets/Dialogs.h"

#include <QButtonGroup>
#include <QLabel>
#include <QToolButton>

SelectionBar::SelectionBar(SessionState &state, QWidget *fenetre)
    : QFrame(fenetre)
    , m_state(state)
{
    setObjectName(QStringLiteral("Panel_btn"));
    setAccessibleName(QStringLiteral("Choix des produits"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setGeometry(0, 0, 4000, kHauteur);
    auto outil = [this](const QString &nom, const QString &texte, const QString &bulle, int x, int largeur) {
        auto *b = new QToolButton(this);
        b->setObjectName(nom);
        b->setText(texte);
        b->setToolTip(bulle);
        b->setGeometry(x, 4, largeur, kHauteur - 8);
        return b;
    };
    auto etiquette = [this](const QString &nom, const QString &texte, int x, int largeur) {
        auto *l = new QLabel(texte, this);
        l->setObjectName(nom);
        l->setGeometry(x, 4, largeur, kHauteur - 8);
        return l;
    };
    m_boutonTables = outil(QStringLiteral("SpeedButton_tables"), QStringLiteral("Tables"),
                           QStringLiteral("Tables: choix auto"), 6, 70);
    m_boutonTrous = outil(QStringLiteral("SpeedButton_trous"), QStringLiteral("Produits"),
                          QStringLiteral("Produits: choix auto"), 80, 70);
    auto *groupe = new QButtonGroup(this);
    for (QToolButton *b : {m_boutonTables, m_boutonTrous}) {
        b->setCheckable(true);
        groupe->addButton(b);
    }
    auto *libre = outil(QStringLiteral("SpeedButton_libre"), QStringLiteral("Choix libre"),
                        QStringLiteral("Tables: choix libre"), 154, 90);
    etiquette(QStringLiteral("Label1"), QStringLiteral("Nous travaillons actuellement"), 256, 190);
    m_label4 = etiquette(QStringLiteral("Label4"), QString(), 446, 36);
    m_label4->setAlignment(Qt::AlignCenter);
    auto *plus = outil(QStringLiteral("SpeedButton1"), QStringLiteral("+"), QStringLiteral("Un de plus"), 484, 28);
    auto *moins = outil(QStringLiteral("SpeedButton10"), QStringLiteral("-"), QStringLiteral("Un de moins"), 514, 28);
    etiquette(QStringLiteral("Label_obj"), QStringLiteral("produits"), 548, 80);

    connect(m_boutonTables, &QToolButton::clicked, this, &SelectionBar::SpeedButton_tablesClick);
    connect(m_boutonTrous, &QToolButton::clicked, this, &SelectionBar::SpeedButton_trousClick);
    connect(libre, &QToolButton::clicked, this, &SelectionBar::SpeedButton_libreClick);
    connect(plus, &QToolButton::clicked, this, &SelectionBar::SpeedButton1Click);
    connect(moins, &QToolButton::clicked, this, &SelectionBar::SpeedButton10Click);
}

void SelectionBar::actualise()
{
    m_boutonTables->setChecked(m_state.objectif_apprentissage.mode_tables);
    m_boutonTrous->setChecked(!m_state.objectif_apprentissage.mode_tables);
    const int n = int(m_state.produits_a_memoriser.size());
    m_label4->setText(QString::number(n));
    m_label4->setToolTip(SelectionButtons::bulle_compteur(n));
}

void SelectionBar::change_produits_a_memoriser()
{
    const QStringList produits = ItemSelection::change_produits_a_memoriser(
        m_state.objectif_apprentissage, m_state.classement_tables, m_state.classement_produits);
    if (produits.isEmpty()) {
        // Nothing left to learn that way: the training keeps its items.
        Dialogs::information(this, QStringLiteral("Apprentissage inutile"), QStringLiteral("Tu sais déjà tes tables!!"));
        actualise();
        return;
    }
    m_state.produits_a_memoriser = produits;
    actualise();
    emit produitsChanges();
}

void SelectionBar::SpeedButton_tablesClick()
{
    if (SelectionButtons::choix_tables(m_state.objectif_apprentissage, m_state.classement_tables))
        change_produits_a_memoriser();
}

void SelectionBar::SpeedButton_trousClick()
{
    if (SelectionButtons::choix_produits(m_state.objectif_apprentissage))
        change_produits_a_memoriser();
}

void SelectionBar::SpeedButton_libreClick()
{
    m_state.objectif_apprentissage.choix_libre = false;
    emit choixLibreDemande();
}

void SelectionBar::SpeedButton1Click()
{
    if (SelectionButtons::plus(m_state.objectif_apprentissage, m_state.classement_tables, m_state.classement_produits))
        change_produits_a_memoriser();
}

void SelectionBar::SpeedButton10Click()
{
    if (SelectionButtons::moins(m_state.objectif_apprentissage, m_state.classement_tables))
        change_produits_a_memoriser();
}
