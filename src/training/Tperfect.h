#pragma once

#include "core/Perfectionnement.h"

#include <QDialog>
#include <QList>

#include <memory>

class Clock;
class LevelButton;
class PaintStamp;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class RandomSource;
class ScoreMeter;
struct Environment;
struct SessionState;

// Perfectionnement, "les tables inversées": a product value is shown and
// the pupil types each of its factorisations, one factor per field. Three
// levels: one factor given, none given, none given against the clock.
class Tperfect : public QDialog
{
    Q_OBJECT

public:
    Tperfect(SessionState &state, const Environment &env, QWidget *parent = nullptr);
    ~Tperfect() override;

    // The level the window opens on, 1 to 3. `nomNiveau` replaces the digit in
    // the caption ("'facile'" when the training hands over) until the pupil
    // changes level.
    void setNiveau(int niveau, const QString &nomNiveau = QString());
    int niveau() const { return m_niveau; }
    const Perfectionnement &perfectionnement() const { return m_jeu; }

signals:
    void questionPosee();
    void niveauTermine();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void construit();
    void met_a_jour_legende();
    void initialisation();
    void pose_la_question();
    void filtre_entree(int index);
    void Button_OKClick();
    void evalue_la_reponse();
    void affiche_correction(const Perfectionnement::Resultat &resultat);
    void cache_correction();
    void Timer_chronoTimer();
    // Level 3: the clock of the question started again with the time left.
    void reprend_chrono();
    void fin_de_niveau();
    void affiche_message(const QString &texte, bool court);
    void remet_ligne_historique();
    void montre_questions(bool visibles);
    void niveauClick(int index);
    QLineEdit *champ(int index) const { return m_champs.value(index); }

    SessionState &m_state;
    const Clock *m_clock;
    std::unique_ptr<Clock> m_horlogePropre;
    std::unique_ptr<RandomSource> m_hasardPropre;
    Perfectionnement m_jeu;
    int m_niveau = 1;
    QString m_nomNiveau;
    bool m_correction = false;
    bool m_finDeNiveau = false;
    bool m_niveauCommence = false;
    qint64 m_affichage = 0;

    QWidget *m_fond = nullptr;
    QLabel *m_quest1 = nullptr;
    QList<QLineEdit *> m_champs;        // MaskEdit1 .. MaskEdit6
    QList<QLabel *> m_signes;           // label_quest2 .. label_quest6
    QPushButton *m_ok = nullptr;
    QLabel *m_erreurs = nullptr;
    QLabel *m_fallait = nullptr;
    QList<QLabel *> m_reps;             // label_rep1 .. label_rep12
    QLabel *m_temps1 = nullptr;
    QLabel *m_temps2 = nullptr;
    QLabel *m_valeurs = nullptr;
    ScoreMeter *m_score = nullptr;
    QList<LevelButton *> m_niveaux;
    QPushButton *m_suivante = nullptr;  // BitBtn2
    QPushButton *m_retour = nullptr;    // BitBtn1
    QTimer *m_timerAffichage = nullptr;
    QTimer *m_timerChrono = nullptr;
    QTimer *m_timerSimple = nullptr;
    PaintStamp *m_peinte = nullptr;
};
