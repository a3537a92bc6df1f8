#include "widgets/TAboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const QString TAboutBox::kVersion = QStringLiteral("0.97.01");

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setAccessibleName(QStringLiteral("A propos"));
    setWindowTitle(QStringLiteral("A propos"));
    setModal(true);
    setFixedSize(360, 250);
    setStyleSheet(QStringLiteral(
        "TAboutBox { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffe07a, stop:1 #ffb347); }"
        "QLabel#ProductName { color: #c62828; font: bold 30pt 'Arial'; }"
        "QLabel#Version { color: #1565c0; font: bold 13pt 'Arial'; }"
        "QLabel#Comments { color: #333333; font: 11pt 'Arial'; }"
        "QPushButton { background: #1e88e5; color: white; font: bold 11pt 'Arial';"
        " border-radius: 8px; padding: 6px 26px; }"
        "QPushButton:focus { border: 2px solid #0d47a1; }"));

    auto *nom = new QLabel(QStringLiteral("Tabulon"), this);
    nom->setObjectName(QStringLiteral("ProductName"));
    nom->setAccessibleName(QStringLiteral("Tabulon"));
    nom->setAlignment(Qt::AlignCenter);

    auto *version = new QLabel(QStringLiteral("version ") + kVersion, this);
    version->setObjectName(QStringLiteral("Version"));
    version->setAccessibleName(version->text());
    version->setAlignment(Qt::AlignCenter);

    auto *commentaire = new QLabel(QStringLiteral("Apprentissage des tables de multiplication"), this);
    commentaire->setObjectName(QStringLiteral("Comments"));
    commentaire->setAccessibleName(commentaire->text());
    commentaire->setAlignment(Qt::AlignCenter);
    commentaire->setWordWrap(true);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 18);
    layout->addWidget(nom);
    layout->addWidget(version);
    layout->addWidget(commentaire);
    layout->addStretch();
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}
