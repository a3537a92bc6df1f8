#pragma once

#include "core/TeacherSettings.h"

#include <QWidget>

class QButtonGroup;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// The controls that the "Paramètres" tab and the "Réglages" window share:
// response times, perfectionnement times, yes/no options, the learning
// formula, the block size and the item order. Each screen names the pause
// and incomplete-test choices its own way.
class ReglagesCommuns : public QWidget
{
    Q_OBJECT

public:
    enum class Ecran { Parametres, Reglages };
    ReglagesCommuns(Ecran ecran, QWidget *parent = nullptr);

    void remplit(const TeacherSettings::Reglages &r);
    void lit(TeacherSettings::Reglages *r) const;

    // A "oui" button and its "non" partner; "oui" checked when oui.
    static QWidget *paire(QWidget *parent, const QString &nomOui, const QString &nomNon, const QString &question,
                          QRadioButton **oui, QRadioButton **non);

private:
    QSpinBox *spin(const QString &nom);

    QSpinBox *SpinEdit_tmps_ok = nullptr;
    QSpinBox *SpinEdit_tmps_max = nullptr;
    QSpinBox *SpinEdit_tmps_ini_perfect = nullptr;
    QSpinBox *SpinEdit_tmps_fin_perfect = nullptr;
    QSpinBox *SpinEdit_Bloc = nullptr;
    QRadioButton *m_oui[5] = {};
    QRadioButton *m_non[5] = {};
    QRadioButton *RadioButton_formule[4] = {};
    QLineEdit *Edit_formule = nullptr;
    QRadioButton *RadioButton_ordclass = nullptr;
    QRadioButton *RadioButton_ordprod = nullptr;
};
