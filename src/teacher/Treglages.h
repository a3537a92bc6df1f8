#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class QRadioButton;
class ReglagesCommuns;
struct Environment;
struct SessionState;

// The "Réglages" window, opened from the main window at home without any
// code: the learning and appearance options, the default objectives and the
// mode "Ecole"/"Maison".
class Treglages : public QDialog
{
    Q_OBJECT

public:
    Treglages(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    void charge();
    bool Button_enregistrer_parametresClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void RadioButton3Click();

    SessionState &m_state;
    const Environment &m_env;

    ReglagesCommuns *m_communs = nullptr;
    QRadioButton *RadioButton3 = nullptr;
    QRadioButton *RadioButton4 = nullptr;
    QRadioButton *RadioButton5 = nullptr;
    QCheckBox *CheckBox_[20] = {};
    QRadioButton *m_ecole = nullptr;
    QRadioButton *m_maison = nullptr;
    QPushButton *Button_enregistrer_parametres = nullptr;
};
