#pragma once

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTextDocument>
#include <QToolButton>
#include <QWidget>

#include <algorithm>

// What a pupil or a teacher would find cut off in a window as it is shown
// now: a text wider than the control that shows it (by the control's font
// metrics against its size), or a control reaching out of its parent.
namespace LayoutFit {

// The widest line of a text; a mnemonic "&" takes no room.
inline int largeur(const QFontMetrics &fm, QString texte)
{
    texte.replace(QLatin1String("&&"), QString(QChar(0xE000)));
    texte.remove(QLatin1Char('&'));
    int plusLarge = 0;
    for (const QString &ligne : texte.split(QLatin1Char('\n')))
        plusLarge = std::max(plusLarge, fm.horizontalAdvance(ligne));
    return plusLarge;
}

inline QString texteDeLabel(const QLabel *label)
{
    const QString texte = label->text();
    if (label->textFormat() == Qt::RichText || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(texte))) {
        QTextDocument document;
        document.setDefaultFont(label->font());
        document.setHtml(texte);
        return document.toPlainText();
    }
    return texte;
}

// Room for a text inside a control, and the text; a negative room means the
// control is not one whose text is checked.
inline int place(const QWidget *w, QString *texte)
{
    if (auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->wordWrap() || !label->pixmap().isNull())
            return -1;
        *texte = texteDeLabel(label);
        return label->contentsRect().width() - 2 * label->margin() - std::max(0, label->indent());
    }
    if (auto *b = qobject_cast<const QCheckBox *>(w); b || qobject_cast<const QRadioButton *>(w)) {
        auto *bouton = static_cast<const QAbstractButton *>(w);
        QStyleOptionButton option;
        option.initFrom(bouton);
        option.text = bouton->text();
        option.iconSize = bouton->iconSize();
        option.icon = bouton->icon();
        const auto element = b ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
        *texte = bouton->text();
        return bouton->style()->subElementRect(element, &option, bouton).width();
    }
    if (auto *outil = qobject_cast<const QToolButton *>(w)) {
        if (outil->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return -1;
        *texte = outil->text();
        int reste = outil->width() - 4;
        if (outil->toolButtonStyle() == Qt::ToolButtonTextBesideIcon && !outil->icon().isNull())
            reste -= outil->iconSize().width() + 4;
        return reste;
    }
    if (auto *bouton = qobject_cast<const QPushButton *>(w)) {
        *texte = bouton->text();
        // The frame and the least padding a style keeps on each side.
        int reste = bouton->width() - 8;
        if (!bouton->icon().isNull())
            reste -= bouton->iconSize().width() + 4;
        return reste;
    }
    if (auto *combo = qobject_cast<const QComboBox *>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.currentText = combo->currentText();
        *texte = combo->currentText();
        return combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo).width();
    }
    // A field the program fills and the user cannot change must show it whole.
    if (auto *champ = qobject_cast<const QLineEdit *>(w); champ && champ->isReadOnly()) {
        *texte = champ->text();
        const QMargins marges = champ->textMargins();
        return champ->contentsRect().width() - marges.left() - marges.right() - 4;
    }
    return -1;
}

// Content that scrolls (a scroll area's page, a list's items) may be larger
// than what shows it.
inline bool defile(const QWidget *w)
{
    const QWidget *parent = w->parentWidget();
    if (!parent)
        return true;
    if (qobject_cast<const QAbstractScrollArea *>(parent))
        return true;
    const QWidget *grandParent = parent->parentWidget();
    return grandParent && qobject_cast<const QAbstractScrollArea *>(grandParent)
           && static_cast<const QAbstractScrollArea *>(grandParent)->viewport() == parent;
}

inline QString decrit(const QWidget *w)
{
    return QStringLiteral("%1 (%2) de %3").arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()),
                                               w->window()->objectName());
}

inline QStringList fautes(QWidget *fenetre)
{
    QStringList liste;
    for (QWidget *w : fenetre->findChildren<QWidget *>()) {
        if (w->window() != fenetre || !w->isVisible() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        // The toolkit's own inner parts (a spin box's field, a tab bar's arrows) are its business.
        const QWidget *parent = w->parentWidget();
        if (parent && QByteArray(parent->metaObject()->className()).startsWith('Q') && w->objectName().isEmpty())
            continue;
        if (parent && !defile(w) && !parent->rect().contains(w->geometry()))
            liste << QStringLiteral("%1 : (%2,%3 %4×%5) sort de son parent %6 (%7×%8)")
                         .arg(decrit(w))
                         .arg(w->x())
                         .arg(w->y())
                         .arg(w->width())
                         .arg(w->height())
                         .arg(parent->objectName())
                         .arg(parent->width())
                         .arg(parent->height());
        QString texte;
        const int room = place(w, &texte);
        if (room < 0 || texte.isEmpty())
            continue;
        const int besoin = largeur(w->fontMetrics(), texte);
        if (besoin > room)
            liste << QStringLiteral("%1 : « %2 » demande %3 px, le contrôle en offre %4")
                         .arg(decrit(w), texte.simplified())
                         .arg(besoin)
                         .arg(room);
    }
    return liste;
}

} // namespace LayoutFit
