#pragma once

#include "core/EnvironmentDefaults.h"
#include "core/TrainingEngine.h"

#include <QDialog>
#include <QList>

#include <memory>

class AnswerKeyWatch;
class Clock;
class PaintStamp;
class ColourLabel;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRegularExpressionValidator;
class QTimer;
class RandomSource;
class SelectionBar;
class StepPanel;
class Tchoix_libre;
class Tperfect;
struct Environment;
struct SessionState;

// The "Apprentissage des tables" window: the selection bar, the tiles of
// every item, the step panel, the question and its answer field. Every
// rule lives in TrainingEngine; this window shows its answers, owns the
// pause timer and forwards the pupil's keys, stamped with the moment each
// key was pressed.
class Tapprent : public QDialog
{
    Q_OBJECT

public:
    Tapprent(SessionState &state, const Environment &env, QWidget *parent = nullptr);
    ~Tapprent() override;

    // The free-choice window and the perfectionnement window it leads to.
    void relie(Tchoix_libre *choixLibre, Tperfect *perfect);

    const TrainingEngine &moteur() const { return m_moteur; }
    // The items changed elsewhere: hands over the line of the work done so
    // far, then builds the plan again and starts from its first step.
    void reinitialisation_apprentissage();

    void done(int resultat) override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void construit();
    QPushButton *bouton(const QString &nom, const QString &texte, const QRect &geometrie);
    QLabel *etiquette(const QString &nom, const QString &texte, int taille, const QString &couleur);

    void FormShow();
    void FormActivate();
    void demarre_plan();
    void cree_tuiles();
    void detruit_tuiles(int garder);
    void actualise_item(int item);
    void affiche_etape();
    void montre_invite(bool premiere, bool avecLabel3);
    void montre_question(bool visible);
    void pose_la_question();
    void traite(const TrainingEngine::Evaluation &e);
    void suite(TrainingEngine::Suite suite);
    void montre_fin_passage();
    void fin_apprentissage();
    void ferme_apprentissage();
    void remet_ligne_historique();

    void MaskEdit1Change(const QString &texte);
    void Button_je_passeClick();
    void Button_effacerClick();
    void ButtonOKClick();
    void BitBtn3Click();
    void BitBtn2Click();
    void Timer1Timer();
    void SpeedButton_libreClick();

    SessionState &m_state;
    const Environment &m_env;
    EnvironmentDefaults m_defauts;
    const Clock *m_clock;
    TrainingEngine m_moteur;
    Tchoix_libre *m_choixLibre = nullptr;
    Tperfect *m_perfect = nullptr;

    QWidget *m_fond = nullptr;
    SelectionBar *m_barre = nullptr;
    StepPanel *m_panel = nullptr;
    QLabel *m_labelQuest = nullptr;
    QLineEdit *m_maskEdit = nullptr;
    QRegularExpressionValidator *m_validateur = nullptr;
    QPushButton *m_jePasse = nullptr;
    QPushButton *m_effacer = nullptr;
    QLabel *m_labelRep1 = nullptr;
    QLabel *m_labelRep2 = nullptr;
    QPushButton *m_ok = nullptr;
    QLabel *m_commentaire = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QPushButton *m_bitBtn3 = nullptr;
    QLabel *m_bravo = nullptr;
    QLabel *m_etapeTerminee = nullptr;
    QPushButton *m_retour = nullptr;
    QPushButton *m_etapeSuivante = nullptr;
    QTimer *m_timer1 = nullptr;
    AnswerKeyWatch *m_touches = nullptr;
    PaintStamp *m_peinte = nullptr;
    QList<ColourLabel *> m_tuiles;    // kept from one plan to the next, the extra ones hidden

    int m_longueur = 1;
    bool m_enCours = false;     // a plan is built and its line not yet handed over
};
