#pragma once

#include "core/Identification.h"

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
struct SessionState;
struct Environment;

// The identification window: class, then name or code, or registration. The
// rules live in Identification; this window shows its step and forwards
// clicks and keys. Shown modally by the main window; when it closes, the
// pupil's values are in SessionState::eleve.
//
// The class and name lists sit side by side in a scroll area: one list per
// level (ListBox1, ListBox2 ... as many as there are levels) and one per
// column of 15 names (as many columns as needed), so that a school with more
// than 8 levels or a group of more than 120 pupils loses nobody; the area
// scrolls sideways when the lists do not fit.
class Tident : public QDialog
{
    Q_OBJECT

public:
    Tident(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    // Called on show; starts again at the first step.
    void initialisation();
    const Identification &identification() const { return m_ident; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ListBoxClick(QListWidget *liste, int ligne);
    void ButtonChangerClasseClick();
    void button_inscriptionClick();
    void Button_ouiClick();
    void Button_idClick();
    void Button_retourClick();
    void Button_codeClick();
    void Button_code_inconnuClick();
    void Edit_nom_prenomChange();
    void Edit_codeChange();

    void afficheEtape();
    void afficheClasses();
    void demande_nom();
    void demande_code();
    void code_inconnu();
    void Inscription();
    void afficheCode();
    void cacheTout();
    void placeListes(const QList<QStringList> &colonnes, int largeurCaractere, int marge, bool avecAutre);
    void placeSousListes();
    int hauteurLigne() const;
    void metHauteursLignes();
    QListWidget *liste(int numero);
    int numeroListe(const QListWidget *liste) const;

    QLabel *label(const QString &nom, const QString &texte, int taillePoints);
    QPushButton *bouton(const QString &nom, const QString &texte);
    void grandePolice(QLineEdit *champ, int taillePoints);

    SessionState &m_state;
    Identification m_ident;

    // The 800 × 600 design, scaled to the window.
    QWidget *m_fond = nullptr;
    QScrollArea *m_zone = nullptr;
    QWidget *m_contenu = nullptr;
    QList<QListWidget *> m_listes;
    QListWidget *ListBox_autre = nullptr;
    QLabel *label_classe = nullptr;
    QLabel *PanelClasse = nullptr;
    QPushButton *ButtonChangerClasse = nullptr;
    QLabel *label_inscription = nullptr;
    QPushButton *button_inscription = nullptr;
    QPushButton *Button_oui = nullptr;
    QPushButton *Button_non = nullptr;
    QLabel *Label_nom = nullptr;
    QLineEdit *Edit_nom = nullptr;
    QLabel *label_prenom = nullptr;
    QLineEdit *Edit_prenom = nullptr;
    QPushButton *Button_id = nullptr;
    QPushButton *Button_retour = nullptr;
    QLabel *label_tape_code = nullptr;
    QLineEdit *Edit_code = nullptr;
    QLabel *label_code_inconnu = nullptr;
    QPushButton *Button_code_inconnu = nullptr;
    QLabel *label_code = nullptr;
    QLabel *Panel_code = nullptr;
    QLabel *label_cahier = nullptr;
    QPushButton *Button_code = nullptr;

    bool m_filtrage = false;
};
