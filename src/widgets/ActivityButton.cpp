#include "widgets/ActivityButton.h"

#include "widgets/Naming.h"

#include <QFont>
#include <QPushButton>

QPushButton *bouton_activite(QWidget *parent, const QString &nom, const QString &texte, const QRect &geometrie)
{
    auto *b = nomme(new QPushButton(texte, parent), nom);
    b->setGeometry(geometrie);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(14);
    f.setBold(true);
    b->setFont(f);
    b->setAutoDefault(true);
    return b;
}
