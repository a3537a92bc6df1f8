#include "widgets/ShellWindow.h"

#include <QPushButton>
#include <QVBoxLayout>

ShellWindow::ShellWindow(const QString &objectName, const QString &caption, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setAccessibleName(caption);
    setWindowTitle(caption);
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
