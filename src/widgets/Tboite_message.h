#pragma once

#include <QDialog>
#include <QTimer>

class DesignScaler;
class QLabel;
class QPushButton;
class QFrame;

// The program's own message box for pupils: one comment and one button on an
// orange-to-yellow background. Before a new pupil's first test it leads
// through "PRÊT?" and a 4-3-2-1 countdown. When it closes it tells, by a
// signal, what the caller has to do next (start the test, ask the next
// question, ask the question again).
class Tboite_message : public QDialog
{
    Q_OBJECT

public:
    explicit Tboite_message(QWidget *parent = nullptr);

    static QString texte_premier_test();    // "Tu dois répondre avec le clavier." CR " La vitesse compte!"
    static QString texte_trop_long();       // "Trop long!"
    static QString texte_pret();            // "PRÊT?"

    // Sets the caption, the comment and the button and shows the box modally
    // without blocking: the caller goes on from the signals.
    void montre(const QString &titre, const QString &commentaire, const QString &bouton = QStringLiteral("OK"));
    // Where the box shows; a null point centres it on its parent.
    void setPositionFixe(const QPoint &position) { m_position = position; }

    QString commentaire() const { return m_commentaire; }
    void setCommentaire(const QString &commentaire);
    void ajuste_dimensions();

signals:
    // "Premier test": the countdown is over, the test window may show.
    void premierTestPret();
    // "Trop long!": the test prepares its next question.
    void tropLongFerme();
    // "DEUXIÈME CHANCE!": the test asks the question again.
    void deuxiemeChanceFermee();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void done(int resultat) override;

private slots:
    void Button_OKClick();
    void Timer1Timer();

private:
    QFrame *m_panel;
    QLabel *m_commentaireLabel;
    QPushButton *m_bouton;
    QTimer *m_timer;
    QString m_commentaire;
    QPoint m_position;
};
