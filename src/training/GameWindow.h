#pragma once

#include <QDialog>
#include <QList>

#include <memory>

class AnswerField;
class AnswerKeyWatch;
class Clock;
class PaintStamp;
class GameRound;
class LevelButton;
class QLabel;
class QTimer;
class RandomSource;
class ScoreMeter;
struct Environment;

// What the small games share on screen: the 800 × 600 design area, the
// answer field that evaluates itself, the feedback labels on Timer1, the
// score meter and the level buttons. A game gives its pool, its question,
// its evaluation and its end of step; this class runs the continuation
// after each answer and the level buttons.
class GameWindow : public QDialog
{
    Q_OBJECT

public:
    GameWindow(const QString &nom, const QString &legende, const Environment &env, QWidget *parent);
    ~GameWindow() override;

    ScoreMeter *meter() const { return m_score; }
    AnswerField *champ() const { return m_champ; }
    LevelButton *niveau(int index) const { return m_niveaux.value(index); }

signals:
    // A question is on screen and timed (for the tests and anyone watching).
    void questionPosee();
    void jeuTermine();

protected:
    // initialise_jeu: on show.
    virtual void initialise_jeu() = 0;
    virtual void choisit_question() = 0;
    virtual void traite_reponse(const QString &texte) = 0;
    virtual bool etape_terminee() const = 0;
    virtual bool derniere_etape() const = 0;
    // Starts the next step and asks its first question.
    virtual void etape_suivante() = 0;
    // Sets up the step of a level button; its first question follows.
    virtual void demarre_niveau(int index) = 0;
    virtual GameRound &round() = 0;
    // cache_tout: hides every feedback and help control.
    virtual void cache_tout();
    virtual void fin_du_jeu();

    void avant_question();
    // choisit_question, then the question is on screen; its time starts when
    // it is painted.
    void nouvelle_question();
    void affiche_score(int score);
    // niveauClick, without the click: makes the button current and starts its step.
    void rend_courant(int index);
    LevelButton *ajoute_niveau(const QString &nom, const QString &legende, const QString &bulle, const QPoint &position);
    // Right: "OUI" and Timer1 after delaiMs, "Plus vite!" as well when slow.
    void montre_juste(int delaiMs, bool plusVite);
    // Wrong: "NON!" and the typed text selected for replacement.
    void montre_faux();
    void demarre_timer1(int delaiMs);
    qint64 maintenant() const;
    RandomSource &hasard() { return *m_random; }

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

    QWidget *m_fond = nullptr;
    ScoreMeter *m_score = nullptr;
    AnswerField *m_champ = nullptr;
    QLabel *m_oui = nullptr;        // GradLabel3: "OUI" / "NON!"
    QLabel *m_message = nullptr;    // GradLabel2: "Plus vite!" / "TERMINÉ!"
    QLabel *m_question = nullptr;
    QTimer *m_timer1 = nullptr;
    QList<LevelButton *> m_niveaux;
    bool m_termine = false;

    // A key released with something in the field: evaluated at the expected length.
    virtual void MaskEdit1KeyUp(const QString &texte);

private:
    void Timer1Timer();

    const Clock *m_clock;
    RandomSource *m_random;
    AnswerKeyWatch *m_touches = nullptr;
    PaintStamp *m_peinte = nullptr;
    std::unique_ptr<Clock> m_horlogePropre;
    std::unique_ptr<RandomSource> m_hasardPropre;
};

// A bold Arial text label of the activity windows, with its object name.
QLabel *labelGras(QWidget *parent, const QString &nom, const QString &texte, int taille, const QRect &geometrie = {});
// The gradient labels of the games, with their object name.
QLabel *gradLabel(QWidget *parent, const QString &nom, int taille, const QColor &couleur);
