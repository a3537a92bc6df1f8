#pragma once

#include <QLineEdit>

class Clock;
class QRegularExpressionValidator;

// The answer field of the games (MaskEdit1): digits only, as many as the
// expected answer has. Each key is dated from the moment it was pressed;
// when a key is released the field tells what it holds, and the game
// evaluates it as soon as it has the expected length.
class AnswerField : public QLineEdit
{
    Q_OBJECT

public:
    AnswerField(const Clock &clock, QWidget *parent = nullptr);

    // Before a question: cleared, the mask "9;0;?" .. "9999;0;?" for 1 to 4
    // digits, the given width, the focus.
    void prepare(int longueur, int largeur);
    int longueur() const { return m_longueur; }
    // The mask text, kept for the tests and for anyone reading the field.
    QString masque() const;
    // When the key that typed the first character was pressed.
    qint64 instantPremiereTouche() const { return m_premiereTouche; }
    // After a wrong answer: the text selected, so that the next digits replace it.
    void selectionne_tout();

signals:
    // MaskEdit1KeyUp with a non-empty field.
    void toucheRelachee(const QString &texte);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    const Clock &m_clock;
    QRegularExpressionValidator *m_validateur;
    int m_longueur = 1;
    qint64 m_premiereTouche = 0;
};
