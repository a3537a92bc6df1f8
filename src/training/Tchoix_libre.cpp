#include "training/Tchoix_libre.h"

#include "core/Catalogue.h"
#include "core/SessionState.h"
#include "widgets/DesignScaler.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

Tchoix_libre::Tchoix_libre(SessionState &state, const Environment &, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("Tchoix_libre"));
    setAccessibleName(QStringLiteral("Séance de travail: choix libre"));
    setWindowTitle(QStringLiteral("Séance de travail: choix libre"));
    setModal(true);
    setFixedSize(420, 420);

    auto ajoute = [this](const QList<int> &numeros, int x) {
        int y = 16;
        for (int n : numeros) {
            const QString texte = n == 11 ? QStringLiteral("Carrés")
                                          : Catalogue::nom_table(Catalogue::cle_table(n), 2);
            auto *c = new QCheckBox(texte, this);
            c->setObjectName(QStringLiteral("CheckBox%1").arg(n));
            c->setGeometry(x, y, 160, 26);
            connect(c, &QCheckBox::clicked, this, [this, n](bool coche) { CheckBox_Click(n, coche); });
            m_cases.insert(n, c);
            y += 30;
        }
    };
    ajoute(ObjectiveTables::numeros_classiques(), 40);
    ajoute(ObjectiveTables::numeros_etendus(), 230);

    m_conseil = new QLabel(QStringLiteral("Conseil: travaille une ou deux tables au maximum"), this);
    m_conseil->setObjectName(QStringLiteral("Label_conseil"));
    m_conseil->setGeometry(20, 300, 380, 24);
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("Label1"));
    m_total->setGeometry(20, 330, 380, 24);
    QFont gras = m_total->font();
    gras.setBold(true);
    m_conseil->setFont(gras);
    m_total->setFont(gras);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(100, 370, 100, 32);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Tchoix_libre::Button1Click);
    auto *annuler = new QPushButton(QStringLiteral("Annuler"), this);
    annuler->setObjectName(QStringLiteral("Button2"));
    annuler->setGeometry(220, 370, 100, 32);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    // Drawn for the 800 × 600 windows; shown at the scale of the one it opens over.
    (new DesignScaler(this))->setFollowsParentWindow(true);
}

void Tchoix_libre::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Tchoix_libre::FormShow()
{
    m_choix.initialise(m_state.objectifs, m_state.classement_tables);
    // The visible boxes stand one under the other, classic tables on the left.
    int yClassiques = 16;
    int yEtendues = 16;
    for (auto it = m_cases.cbegin(); it != m_cases.cend(); ++it) {
        const bool visible = m_choix.visibles().contains(it.key());
        it.value()->setVisible(visible);
        if (!visible)
            continue;
        int &y = it.key() < 10 ? yClassiques : yEtendues;
        it.value()->move(enDessin(it.value()).x(), y);
        y += 30;
    }
    m_conseil->setVisible(m_choix.conseil_visible());
    montre_choix();
    if (QCheckBox *c = m_cases.value(m_choix.defaut()))
        c->setFocus();
}

void Tchoix_libre::CheckBox_Click(int numero, bool coche)
{
    m_choix.bascule(numero, coche);
    montre_choix();
}

void Tchoix_libre::montre_choix()
{
    for (auto it = m_cases.cbegin(); it != m_cases.cend(); ++it)
        it.value()->setChecked(m_choix.coches().contains(it.key()));
    m_conseil->setStyleSheet(m_choix.conseil_rouge() ? QStringLiteral("color: rgb(255,0,0);")
                                                     : QStringLiteral("color: rgb(0,0,255);"));
    m_total->setText(m_choix.texte_total());
}

void Tchoix_libre::Button1Click()
{
    const QStringList produits = Catalogue::liste_produits_tables(m_choix.cles());
    // No objective table to choose from: the training keeps what it has.
    if (produits.isEmpty()) {
        reject();
        return;
    }
    m_state.produits_a_memoriser = produits;
    accept();
}
