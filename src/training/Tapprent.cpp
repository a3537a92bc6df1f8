#include "training/Tapprent.h"

#include <QPushButton>
#include <QVBoxLayout>

Tapprent::Tapprent(SessionState &state, const Environment &env, QWidget *parent)
    : QDialog(parent), m_state(state), m_env(env)
{
    setObjectName(QStringLiteral("Tapprent"));
    setAccessibleName(QStringLiteral("Entraînement"));
    setWindowTitle(QStringLiteral("Apprentissage des tables"));
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
