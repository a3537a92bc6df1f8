#pragma once

#include "core/SessionState.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;

// The "Etablissement" tab of the teacher window: the school's name and the
// levels and classes of the current school year. One row per level, 70 pixels
// apart; the rows and the class boxes are made and destroyed as the counts
// change, and found again by their composed names ("Edit1_2", "SpinEdit2",
// "Edit3_2" for the second class of the second level).
class EtablissementTab : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHauteurRangee = 70;

    EtablissementTab(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    // The name, the most recent structure on file and the year label.
    void charge();

    void redimensionne_niveaux(int n);
    void redimensionne_classes(int i, int n);

    // The structure as typed, names not yet cut.
    QList<Niveau> saisie() const;

    // True when saved; a refusal or a write failure is shown and the focus
    // goes to the box at fault.
    bool Button_enregistrer_etablissementClick();

    QLineEdit *boite_niveau(int i) const;
    QLineEdit *boite_classe(int k, int i) const;
    QSpinBox *spin_classes(int i) const;

signals:
    void etablissementEnregistre();

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    void SpinEdit_niveauxChange(int valeur);
    void SpinEdit_classes_Change(int valeur);
    void remplit(const QList<Niveau> &niveaux);
    void cree_rangee(int i);
    QWidget *rangee(int i) const;
    void ajuste_contenu();
    void ordonne_tabulation();
    QString cheminIni() const;

    SessionState &m_state;
    Environment m_env;

    QLineEdit *Edit2 = nullptr;
    QLabel *Label_annee_scol = nullptr;
    QSpinBox *SpinEdit_niveaux = nullptr;
    QScrollArea *m_defilement = nullptr;
    QWidget *m_rangees = nullptr;
    QPushButton *Button_enregistrer_etablissement = nullptr;
};
