#pragma once

#include "core/SessionState.h"
#include "core/TeacherSettings.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class ReglagesCommuns;

// The "Paramètres" tab of the teacher window: folders, teacher code, pupil
// code, response times, learning options and appearance.
class ParametresTab : public QWidget
{
    Q_OBJECT

public:
    ParametresTab(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    void charge();
    // True when saved; a refusal names the field at fault.
    bool Button_enregistrer_parametresClick();

private:
    SessionState &m_state;
    Environment m_env;

    QLineEdit *Edit_serveur = nullptr;
    QLineEdit *Edit_eleves_reseau = nullptr;
    QLineEdit *Edit_mono = nullptr;
    QLineEdit *Edit8 = nullptr;
    QLineEdit *Edit5 = nullptr;
    QRadioButton *RadioButton10 = nullptr;
    QRadioButton *RadioButton20 = nullptr;
    ReglagesCommuns *m_communs = nullptr;
    QPushButton *Button_enregistrer_parametres = nullptr;
};
