#pragma once

#include "core/ObjectiveTables.h"

#include <QDialog>
#include <QMap>

class QCheckBox;
class QLabel;
struct Environment;
struct SessionState;

// "Séance de travail: choix libre": the pupil ticks, among his objective
// tables, the ones to train now. OK replaces the training items and closes
// with Accepted; the training window then builds its plan again.
class Tchoix_libre : public QDialog
{
    Q_OBJECT

public:
    Tchoix_libre(SessionState &state, const Environment &env, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void CheckBox_Click(int numero, bool coche);
    void montre_choix();
    void Button1Click();

    SessionState &m_state;
    ObjectiveTables::ChoixLibre m_choix;
    QMap<int, QCheckBox *> m_cases;
    QLabel *m_conseil = nullptr;
    QLabel *m_total = nullptr;
};
