#include "training/TObjectifs.h"

#include <QPushButton>
#include <QVBoxLayout>

TObjectifs::TObjectifs(SessionState &state, const Environment &env, QWidget *parent)
    : QDialog(parent), m_state(state), m_env(env)
{
    setObjectName(QStringLiteral("TObjectifs"));
    setAccessibleName(QStringLiteral("Objectifs"));
    setWindowTitle(QStringLiteral("Objectifs"));
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

void TObjectifs::setTypeTables(const QString &type)
{
    m_typeTables = type;
    setWindowTitle(type == QStringLiteral("etendues") ? QStringLiteral("Objectifs pour les tables étendues")
                                                      : QStringLiteral("Objectifs pour les tables classiques"));
}
