#include "widgets/AnswerField.h"

#include "core/Clock.h"
#include "widgets/KeyPressTime.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

AnswerField::AnswerField(const Clock &clock, QWidget *parent)
    : QLineEdit(parent)
    , m_clock(clock)
    , m_validateur(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,1}")), this))
{
    setObjectName(QStringLiteral("MaskEdit1"));
    setAccessibleName(QStringLiteral("Ta réponse"));
    setValidator(m_validateur);
    setAlignment(Qt::AlignCenter);
    // Every change of the answer comes from a key, so that each is timed.
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    QFont police(QStringLiteral("Arial"));
    police.setPixelSize(34);
    police.setBold(true);
    setFont(police);
}

void AnswerField::prepare(int longueur, int largeur)
{
    m_longueur = std::clamp(longueur, 1, 4);
    clear();
    m_validateur->setRegularExpression(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(m_longueur)));
    setMaxLength(m_longueur);
    resize(largeur, height());
    setEnabled(true);
    setReadOnly(false);
    show();
    setFocus();
    selectAll();
}

QString AnswerField::masque() const
{
    return QString(m_longueur, QLatin1Char('9')) + QStringLiteral(";0;?");
}

void AnswerField::selectionne_tout()
{
    setFocus();
    selectAll();
}

void AnswerField::keyPressEvent(QKeyEvent *event)
{
    // The moment of the press, taken before the field handles the key.
    const qint64 instant = KeyPressTime::instant(event, m_clock);
    const bool vide = text().isEmpty() || selectedText() == text();
    QLineEdit::keyPressEvent(event);
    if (vide && text().size() == 1)
        m_premiereTouche = instant;
}

void AnswerField::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat() && !text().isEmpty())
        emit toucheRelachee(text());
}
