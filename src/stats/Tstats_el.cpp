#include "stats/Tstats_el.h"

#include <QPushButton>
#include <QVBoxLayout>

Tstats_el::Tstats_el(SessionState &state, const Environment &env, QWidget *parent)
    : QDialog(parent), m_state(state), m_env(env)
{
    setObjectName(QStringLiteral("Tstats_el"));
    setAccessibleName(QStringLiteral("Statistiques par élèves"));
    setWindowTitle(QStringLiteral("Statistiques par élèves"));
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
