#pragma once

#include "core/TeacherAccess.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct SessionState;

// The small window that asks for the teacher code before the teacher window
// opens. Created once and reused: the radio choice is kept for the run.
class TAcces_prof : public QDialog
{
    Q_OBJECT

public:
    explicit TAcces_prof(SessionState &state, QWidget *parent = nullptr);

    // Shows the prompt modally; true when the right code was given, false
    // when the window was closed or cancelled ("Annuler", Escape).
    bool demande();

    TeacherAccess &acces() { return m_acces; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void Edit3Edited(const QString &texte);
    void Button_codeClick();
    void clique_Button_code();

    TeacherAccess m_acces;
    QLabel *Label18 = nullptr;
    QLabel *Label8 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QPushButton *Button_code = nullptr;
    QPushButton *Button_annuler = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QRadioButton *RadioButton1 = nullptr;
};
