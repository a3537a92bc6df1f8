#include "training/TObjectifs.h"

#include "core/Catalogue.h"
#include "core/ObjectiveTables.h"
#include "core/SessionState.h"
#include "widgets/DesignScaler.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

namespace {

constexpr int kLigne = 32;

QString texte_label(int n)
{
    return n == 11 ? QStringLiteral("carrés") : QStringLiteral("table de %1").arg(n);
}

} // namespace

TObjectifs::TObjectifs(SessionState &state, const Environment &, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("TObjectifs"));
    setAccessibleName(QStringLiteral("Objectifs"));
    setWindowTitle(QStringLiteral("Objectifs"));
    setModal(true);
    setFixedSize(420, 470);

    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(20, 12, 380, 24);
    auto *label2 = new QLabel(QStringLiteral("doit savoir les tables suivantes:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(20, 40, 380, 24);
    QFont gras = label2->font();
    gras.setBold(true);
    m_label1->setFont(gras);
    label2->setFont(gras);

    m_panel29 = panneau(QStringLiteral("Panel_2_9"), ObjectiveTables::numeros_classiques());
    m_panel1219 = panneau(QStringLiteral("Panel_12_19"), ObjectiveTables::numeros_etendus());

    auto *fermer = new QPushButton(QStringLiteral("Fermer"), this);
    fermer->setObjectName(QStringLiteral("Button1"));
    fermer->setGeometry(160, 420, 100, 32);
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);
    // Drawn for the 800 × 600 windows; shown at the scale of the one it opens over.
    (new DesignScaler(this))->setFollowsParentWindow(true);
}

QFrame *TObjectifs::panneau(const QString &nom, const QList<int> &numeros)
{
    auto *p = new QFrame(this);
    p->setObjectName(nom);
    p->setAccessibleName(QStringLiteral("Tables"));
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Sunken);
    p->setGeometry(110, 70, 200, int(numeros.size()) * kLigne + 12);
    int y = 6;
    for (int n : numeros) {
        auto *b = new QToolButton(p);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(n));
        b->setText(n == 11 ? QStringLiteral("11²") : QString::number(n));
        b->setToolTip(n == 11 ? QStringLiteral("Carrés") : QStringLiteral("Table de %1").arg(n));
        b->setCheckable(true);
        b->setGeometry(10, y, 44, kLigne - 4);
        auto *l = new QLabel(texte_label(n), p);
        l->setObjectName(QStringLiteral("Label_%1").arg(n));
        l->setGeometry(64, y, 120, kLigne - 4);
        connect(b, &QToolButton::clicked, this, &TObjectifs::maj_produits_etudies);
        m_boutons.insert(n, b);
        m_labels.insert(n, l);
        y += kLigne;
    }
    return p;
}

void TObjectifs::setTypeTables(const QString &type)
{
    m_typeTables = type;
    setWindowTitle(type == QStringLiteral("etendues") ? QStringLiteral("Objectifs pour les tables étendues")
                                                      : QStringLiteral("Objectifs pour les tables classiques"));
}

void TObjectifs::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TObjectifs::FormShow()
{
    m_label1->setText(QStringLiteral("L'élève") + QLatin1Char(' ') + m_state.eleve.nom + QLatin1Char(' ')
                      + m_state.eleve.prenom);
    for (auto it = m_boutons.cbegin(); it != m_boutons.cend(); ++it) {
        const bool dedans = ObjectiveTables::dans_objectifs(it.key(), m_state.objectifs);
        it.value()->setChecked(dedans);
        m_labels.value(it.key())->setEnabled(dedans);
    }
    const bool etendues = m_typeTables == u"etendues";
    m_panel29->setVisible(!etendues);
    m_panel1219->setVisible(etendues);
    (etendues ? m_panel1219 : m_panel29)->move(110, 70);
}

void TObjectifs::maj_produits_etudies()
{
    const QList<int> &panneau = m_typeTables == u"etendues" ? ObjectiveTables::numeros_etendus()
                                                            : ObjectiveTables::numeros_classiques();
    QList<int> enfonces;
    for (int n : panneau)
        if (m_boutons.value(n)->isChecked())
            enfonces << n;
    const QList<int> gardes = ObjectiveTables::change_produits_etudies(m_state, enfonces, panneau);
    for (int n : panneau) {
        m_boutons.value(n)->setChecked(gardes.contains(n));
        m_labels.value(n)->setEnabled(gardes.contains(n));
    }
}
