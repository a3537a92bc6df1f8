#include "app/HelpWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

static void chargeRessourcesAide()
{
    // The page lives in the widgets library; a static library only keeps it
    // when something asks for it by name.
    Q_INIT_RESOURCE(aide);
}

HelpWindow::HelpWindow(QWidget *parent)
    : QDialog(parent)
{
    chargeRessourcesAide();
    setObjectName(QStringLiteral("HelpWindow"));
    setAccessibleName(QStringLiteral("Aide"));
    setWindowTitle(QStringLiteral("Aide"));
    resize(640, 520);

    m_texte = new QTextBrowser(this);
    m_texte->setObjectName(QStringLiteral("TexteAide"));
    m_texte->setAccessibleName(QStringLiteral("Texte de l'aide"));
    m_texte->setOpenExternalLinks(false);
    m_texte->setSource(QUrl(QStringLiteral("qrc:/aide/aide.html")));

    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *fermer = boutons->button(QDialogButtonBox::Close);
    fermer->setText(QStringLiteral("Fermer"));
    fermer->setObjectName(QStringLiteral("Button_fermer"));
    fermer->setAccessibleName(QStringLiteral("Fermer"));
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_texte);
    layout->addWidget(boutons);
}

void HelpWindow::affiche_sommaire()
{
    m_texte->setSource(QUrl(QStringLiteral("qrc:/aide/aide.html#sommaire")));
    m_texte->scrollToAnchor(QStringLiteral("sommaire"));
    show();
    raise();
    activateWindow();
    m_texte->setFocus();
}
