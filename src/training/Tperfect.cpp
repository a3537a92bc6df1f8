#include "training/Tperfect.h"

#include <QPushButton>
#include <QVBoxLayout>

Tperfect::Tperfect(SessionState &state, const Environment &env, QWidget *parent)
    : QDialog(parent), m_state(state), m_env(env)
{
    setObjectName(QStringLiteral("Tperfect"));
    setAccessibleName(QStringLiteral("Perfectionnement"));
    setWindowTitle(QStringLiteral("Perfectionnement: les tables inversées (niveau 1)"));
    setModal(true);
    resize(420, 200);

    auto *fermer = new QPushButton(QStringLiteral("Fermer"), this);
    fermer->setObjectName(QStringLiteral("Button_fermer"));
    fermer->setAccessibleName(QStringLiteral("Fermer"));
    fermer->setDefault(true);
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(fermer, 0, Qt::AlignHCenter);
}

void Tperfect::setNiveau(int niveau)
{
    m_niveau = niveau;
    setWindowTitle(QStringLiteral("Perfectionnement: les tables inversées (niveau %1)").arg(niveau));
}
