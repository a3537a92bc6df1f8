#pragma once

#include "core/EnvironmentDefaults.h"
#include "core/TestConclusion.h"
#include "core/TestEngine.h"

#include <QList>
#include <QWidget>

#include <memory>

class AnswerKeyWatch;
class PaintStamp;
class Clock;
class LedDisplay;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRegularExpressionValidator;
class QTimer;
class RandomSource;
class Tboite_message;
class VerdictPanel;
struct Environment;
struct SessionState;

// The timed test window: one tile per product, the question and the answer
// field, the seconds counter, and at the end the verdict panel. The rules
// live in TestEngine and TestConclusion; this window owns the timers and the
// drawing and forwards the pupil's keys, stamped with the moment each key was
// pressed.
class Ttest : public QWidget
{
    Q_OBJECT

public:
    Ttest(SessionState &state, const Environment &env, QWidget *parent = nullptr);
    ~Ttest() override;

    const TestEngine &moteur() const { return m_moteur; }
    // Questions are still being asked: closing now would lose this test.
    bool testEnCours() const { return isVisible() && m_moteur.actif(); }
    const VerdictTest &verdict() const { return m_verdict; }
    Tboite_message *boiteMessage() const { return m_boite; }
    // The tile of a 1-based position in the product list ("panel" + position + 3).
    QLabel *panl(int position) const;

signals:
    void testShown();                           // the main window locks its commands
    void testHidden();                          // the main window runs etape_session_3
    void graphiqueChange();                     // a new point was added to the graph
    void recordsChanges();                      // the records list was updated
    void etapeSuivante(bool perfectionnement);  // "Etape suivante": training or perfectionnement
    void questionPosee();                       // a question is on screen and timed
    void reponseEnregistree(const QString &enregistrement, qint64 tempsMs);
    void testTermine();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void construit();
    QPushButton *bouton(const QString &nom, const QString &texte, const QRect &geometrie);

    void FormShow();
    void initialisation_test();
    void avant_question();
    void pose_la_question();
    void corrige_reponse();
    void fin_du_test();
    void affiche_sans_produit();

    void MaskEdit1Change(const QString &texte);
    void Button_je_passeClick();
    void Button_effacerClick();
    void chronoTimer();
    void compteur_timerTimer();
    void BitBtn_pauseClick();
    void BitBtn_recommencerClick();
    void Button_fin_du_testClick();
    void BitBtn3Click();

    void detruit_tuiles();
    void actualise_tuile(int position);
    void arrete_chronos();

    SessionState &m_state;
    EnvironmentDefaults m_defauts;
    const Clock *m_clock;
    TestEngine m_moteur;
    VerdictTest m_verdict;

    QWidget *m_fond = nullptr;
    QFrame *m_panel1 = nullptr;
    QLabel *m_labelQuest = nullptr;
    QLineEdit *m_maskEdit = nullptr;
    QRegularExpressionValidator *m_validateur = nullptr;
    QPushButton *m_jePasse = nullptr;
    QPushButton *m_effacer = nullptr;
    QFrame *m_panelCompteur = nullptr;
    LedDisplay *m_compteur = nullptr;
    QLabel *m_labelTemps = nullptr;
    QPushButton *m_pause = nullptr;
    QPushButton *m_recommencer = nullptr;
    QPushButton *m_retour = nullptr;
    QPushButton *m_etapeSuivante = nullptr;
    QPushButton *m_imprimer = nullptr;
    VerdictPanel *m_panel3 = nullptr;
    Tboite_message *m_boite = nullptr;
    QList<QLabel *> m_tuiles;

    QTimer *m_compteurTimer = nullptr;
    QTimer *m_chrono = nullptr;
    QTimer *m_affiche = nullptr;
    QTimer *m_timerJePasse = nullptr;
    QTimer *m_timerLabelTemps = nullptr;
    QTimer *m_inhibeImpression = nullptr;

    int m_secondes = 0;
    AnswerKeyWatch *m_touches = nullptr;
    PaintStamp *m_peinte = nullptr;
};
