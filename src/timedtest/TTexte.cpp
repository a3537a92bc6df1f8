#include "timedtest/TTexte.h"

#include "widgets/Dialogs.h"

#include <QAction>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPagedPaintDevice>
#include <QTextLayout>
#include <QVBoxLayout>

namespace {

QFont policeFixe()
{
    QFont f;
    f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
                   QStringLiteral("Monospace")});
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    return f;
}

} // namespace

TTexte::TTexte(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TTexte"));
    setAccessibleName(QStringLiteral("Texte"));
    setSizeGripEnabled(true);
    resize(640, 480);

    auto *barre = new QMenuBar(this);
    barre->setObjectName(QStringLiteral("MainMenu1"));
    barre->setAccessibleName(QStringLiteral("Menu"));
    m_imprimer1 = barre->addAction(QStringLiteral("Imprimer"));
    m_imprimer1->setObjectName(QStringLiteral("Imprimer1"));
    m_imprimer1->setShortcut(QKeySequence::Print);
    m_quitter1 = barre->addAction(QStringLiteral("Quitter"));
    m_quitter1->setObjectName(QStringLiteral("Quitter1"));
    m_quitter1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    // The bar's actions are also the window's, so that their shortcuts work
    // wherever the focus is.
    addAction(m_imprimer1);
    addAction(m_quitter1);
    connect(m_imprimer1, &QAction::triggered, this, &TTexte::Imprimer1Click);
    connect(m_quitter1, &QAction::triggered, this, &TTexte::Quitter1Click);

    m_richEdit1 = new QPlainTextEdit(this);
    m_richEdit1->setObjectName(QStringLiteral("RichEdit1"));
    m_richEdit1->setAccessibleName(QStringLiteral("Texte"));
    m_richEdit1->setReadOnly(true);
    m_richEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_richEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont f = policeFixe();
    f.setPixelSize(13);
    m_richEdit1->setFont(f);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(barre);
    layout->addWidget(m_richEdit1);
    setFocusProxy(m_richEdit1);
}

void TTexte::setTexte(const QStringList &lines)
{
    m_richEdit1->setPlainText(lines.join(QLatin1Char('\n')));
    m_richEdit1->moveCursor(QTextCursor::Start);
}

QStringList TTexte::texte() const
{
    return m_richEdit1->toPlainText().split(QLatin1Char('\n'));
}

void TTexte::afficher(const QString &titre)
{
    setWindowTitle(titre);
    m_richEdit1->setFocus();
    exec();
}

// Draws the paragraphs on an open printer, page after page.
static bool imprimeTexte(QPagedPaintDevice *printer, const QStringList &paragraphes)
{
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    const QRectF zone(100, 150, printer->width() - 200, printer->height() - 300);
    QFont f = policeFixe();
    f.setPointSize(10);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Line by line, so that a line at a page break is printed on one page
    // only (a clipped line would still be in a PDF's text).
    qreal y = 0;
    for (const QString &paragraphe : paragraphes) {
        QTextLayout mise(paragraphe, f, printer);
        mise.setTextOption(option);
        mise.beginLayout();
        for (QTextLine ligne = mise.createLine(); ligne.isValid(); ligne = mise.createLine())
            ligne.setLineWidth(zone.width());
        mise.endLayout();
        for (int i = 0; i < mise.lineCount(); ++i) {
            const QTextLine ligne = mise.lineAt(i);
            if (y > 0 && y + ligne.height() > zone.height()) {
                printer->newPage();
                y = 0;
            }
            ligne.draw(&painter, QPointF(zone.left(), zone.top() + y - ligne.y()));
            y += ligne.height();
        }
    }
    return painter.end();
}

Impression::Demande TTexte::demandeImpression() const
{
    Impression::Demande demande;
    demande.nomDocument = windowTitle();
    demande.dessine = [paragraphes = m_richEdit1->toPlainText().split(QLatin1Char('\n'))](QPagedPaintDevice *printer) {
        return imprimeTexte(printer, paragraphes);
    };
    return demande;
}

void TTexte::Imprimer1Click()
{
    if (Impression::imprime(this, demandeImpression()) == Impression::Resultat::Echec)
        Dialogs::error(this, QStringLiteral("Impression"), QStringLiteral("L'imprimante n'a pas pu être ouverte."));
}

void TTexte::Quitter1Click()
{
    close();
}
