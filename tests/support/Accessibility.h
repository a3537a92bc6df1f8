#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTextDocument>
#include <QToolButton>
#include <QWidget>

// What a screen reader hears of a window, checked against what is drawn: a
// control that shows text is heard by that text; a control without text and
// a drawing are heard by a name or a description.
namespace Accessibility {

inline QString nom(QWidget *w)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

inline QString description(QWidget *w)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Description) : QString();
}

// A word cut at the end of a line ("Entraîne-" / "ment") is one word, and
// line breaks and runs of spaces are heard as one pause.
inline QString commeLu(QString texte)
{
    texte.replace(QLatin1String("-\n"), QString());
    return texte.simplified();
}

// A mnemonic "&" is drawn as an underline, not as a character.
inline QString sansEsperluette(QString texte)
{
    texte.replace(QLatin1String("&&"), QString(QChar(0xE000)));
    texte.remove(QLatin1Char('&'));
    texte.replace(QChar(0xE000), QLatin1Char('&'));
    return texte;
}

// The text a label shows, as the eye reads it.
inline QString texteAffiche(const QLabel *label)
{
    QString texte = label->text();
    if (label->textFormat() == Qt::RichText
        || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(texte))) {
        QTextDocument document;
        document.setHtml(texte);
        texte = document.toPlainText();
    }
    return sansEsperluette(texte);
}

inline QString texteAffiche(const QAbstractButton *bouton)
{
    if (auto *outil = qobject_cast<const QToolButton *>(bouton);
        outil && outil->toolButtonStyle() == Qt::ToolButtonIconOnly)
        return QString();
    return sansEsperluette(bouton->text());
}

// A widget of the program's own that paints itself and holds no control.
inline bool estDessin(const QWidget *w)
{
    if (w->isWindow() || QByteArray(w->metaObject()->className()).startsWith('Q'))
        return false;
    return w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).isEmpty();
}

inline QString decrit(const QWidget *w)
{
    return QStringLiteral("%1 (%2) dans %3")
        .arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()), w->window()->objectName());
}

// One line per control of the window, shown now, that a screen reader would
// misread.
inline QStringList fautes(QWidget *fenetre)
{
    QStringList liste;
    QList<QWidget *> controles = fenetre->findChildren<QWidget *>();
    controles.prepend(fenetre);
    for (QWidget *w : controles) {
        if (w->window() != fenetre || !w->isVisible())
            continue;
        const QString entendu = commeLu(nom(w));
        QString affiche;
        bool aTexte = false;
        bool sansTexte = false;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            affiche = commeLu(texteAffiche(label));
            aTexte = !affiche.isEmpty();
            sansTexte = !aTexte && !label->pixmap().isNull();
        } else if (auto *bouton = qobject_cast<QAbstractButton *>(w)) {
            affiche = commeLu(texteAffiche(bouton));
            aTexte = !affiche.isEmpty();
            sansTexte = !aTexte;
        } else if (qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w)
                   || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractItemView *>(w)) {
            // A field is heard by its name (or its label's), then its content.
            sansTexte = !w->parentWidget() || !qobject_cast<QAbstractSpinBox *>(w->parentWidget());
        } else {
            sansTexte = estDessin(w);
        }
        // A field that a label names is heard by that label's text.
        if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy() && label->buddy()->isVisible()) {
            const QString champ = commeLu(nom(label->buddy()));
            if (champ != affiche)
                liste << QStringLiteral("%1 : nommé par « %2 », entendu « %3 »")
                             .arg(decrit(label->buddy()), affiche, champ);
        }
        if (aTexte && entendu != affiche)
            liste << QStringLiteral("%1 : affiche « %2 », entendu « %3 »").arg(decrit(w), affiche, entendu);
        else if (sansTexte && entendu.isEmpty() && description(w).trimmed().isEmpty())
            liste << QStringLiteral("%1 : ni nom ni description").arg(decrit(w));
    }
    return liste;
}

} // namespace Accessibility
