#include "widgets/Tboite_message.h"

#include "widgets/DesignScaler.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr QChar kCR = QChar(13);
constexpr int kMarge = 16;
constexpr int kLargeurPanelMin = 180;

} // namespace

Tboite_message::Tboite_message(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Tboite_message"));
    setAccessibleName(QStringLiteral("Message"));
    setModal(true);

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("panel1"));
    m_panel->setAccessibleName(QStringLiteral("Cadre du message"));
    m_panel->setFrameShape(QFrame::Panel);
    m_panel->setFrameShadow(QFrame::Raised);

    m_commentaireLabel = new QLabel(m_panel);
    m_commentaireLabel->setObjectName(QStringLiteral("Commentaire"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(16);
    m_commentaireLabel->setFont(f);
    m_commentaireLabel->setStyleSheet(QStringLiteral("color: blue; background: transparent;"));
    m_commentaireLabel->setTextFormat(Qt::PlainText);

    m_bouton = new QPushButton(QStringLiteral("OK"), this);
    m_bouton->setObjectName(QStringLiteral("Button_OK"));
    m_bouton->setDefault(true);
    m_bouton->setAutoDefault(true);
    connect(m_bouton, &QPushButton::clicked, this, &Tboite_message::Button_OKClick);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &Tboite_message::Timer1Timer);
    // The box is drawn in pixels for the 800 × 600 windows, and shown at the
    // scale of the window it opens over.
    (new DesignScaler(this))->setFollowsParentWindow(true);
}

QString Tboite_message::texte_premier_test()
{
    return QStringLiteral("Tu dois répondre avec le clavier.") + kCR + QStringLiteral(" La vitesse compte!");
}

QString Tboite_message::texte_trop_long()
{
    return QStringLiteral("Trop long") + QStringLiteral("!");
}

QString Tboite_message::texte_pret()
{
    return QStringLiteral("PRÊT?");
}

void Tboite_message::montre(const QString &titre, const QString &commentaire, const QString &bouton)
{
    setWindowTitle(titre);
    setCommentaire(commentaire);
    m_bouton->setText(bouton);
    if (!isVisible())
        show();
}

void Tboite_message::setCommentaire(const QString &commentaire)
{
    m_commentaire = commentaire;
    // The stored texts break lines with a lone CR; the label breaks on LF.
    QString affiche = commentaire;
    affiche.replace(kCR, QLatin1Char('\n'));
    m_commentaireLabel->setText(affiche);
    ajuste_dimensions();
}

void Tboite_message::ajuste_dimensions()
{
    m_commentaireLabel->adjustSize();
    const QSize c = enDessin(m_commentaireLabel).size();
    const int largeurPanel = std::max(kLargeurPanelMin, c.width() + 32);
    const int hauteurPanel = c.height() + 32;
    m_panel->setGeometry(kMarge, kMarge, largeurPanel, hauteurPanel);
    m_commentaireLabel->move((largeurPanel - c.width()) / 2, 16);

    const int largeur = largeurPanel + 2 * kMarge;
    m_bouton->adjustSize();
    const QSize b(std::max(90, enDessin(m_bouton).width()), std::max(28, enDessin(m_bouton).height()));
    const int hautBouton = c.height() + 80;
    m_bouton->setGeometry((largeur - b.width()) / 2, hautBouton, b.width(), b.height());
    setFixedSize(largeur, std::max(hautBouton + b.height() + kMarge, kMarge + hauteurPanel + kMarge));
}

void Tboite_message::showEvent(QShowEvent *event)
{
    m_timer->stop();
    m_bouton->show();
    ajuste_dimensions();
    if (!m_position.isNull()) {
        const QWidget *p = parentWidget();
        move(p ? p->mapToGlobal(m_position) : m_position);
    } else if (const QWidget *p = parentWidget()) {
        move(p->mapToGlobal(QPoint((p->width() - width()) / 2, (p->height() - height()) / 2)));
    }
    QDialog::showEvent(event);
    m_bouton->setFocus();
}

void Tboite_message::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient degrade(0, 0, 0, height());
    degrade.setColorAt(0, QColor(255, 128, 0));
    degrade.setColorAt(1, QColor(255, 255, 0));
    p.fillRect(rect(), degrade);
}

void Tboite_message::Button_OKClick()
{
    if (m_commentaire == texte_premier_test()) {
        setCommentaire(texte_pret());
        m_bouton->setText(QStringLiteral("OUI"));
    } else if (m_commentaire == texte_pret()) {
        setCommentaire(QStringLiteral("4"));
        m_bouton->hide();
        m_timer->start();
    } else {
        accept();
    }
}

void Tboite_message::Timer1Timer()
{
    const int n = m_commentaire.toInt();
    if (n > 1)
        setCommentaire(QString::number(n - 1));
    else
        accept();
}

void Tboite_message::done(int resultat)
{
    // Whatever closes the box (the button, the countdown, Escape, the
    // window's close button), the caller is told what to do next.
    m_timer->stop();
    if (!isVisible()) {
        QDialog::done(resultat);
        return;
    }
    const QString titre = windowTitle();
    const QString commentaire = m_commentaire;
    QDialog::done(resultat);
    if (titre == QStringLiteral("Premier test"))
        emit premierTestPret();
    if (commentaire == texte_trop_long())
        emit tropLongFerme();
    if (titre == QStringLiteral("DEUXIÈME CHANCE!"))
        emit deuxiemeChanceFermee();
}
