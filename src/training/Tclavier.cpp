#include "training/Tclavier.h"

#include <QPushButton>
#include <QVBoxLayout>

Tclavier::Tclavier(SessionState &state, const Environment &env, QWidget *parent)
    : QDialog(parent), m_state(state), m_env(env)
{
    setObjectName(QStringLiteral("Tclavier"));
    setAccessibleName(QStringLiteral("Clavier"));
    setWindowTitle(QStringLiteral("Apprentissage du clavier"));
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
