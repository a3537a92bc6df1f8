#pragma once

#include "core/SessionState.h"

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The "Objectifs à atteindre" tab: for every level, the tables its pupils
// must know, classic (2 to 9) or extended (squares, 12 to 19), one range
// shown at a time. With "the same for every class", ticking a table ticks
// it on every row.
class ObjectifsTab : public QWidget
{
    Q_OBJECT

public:
    ObjectifsTab(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    // One row per level name, every box unticked.
    void Redimensionne_objectifs(const QStringList &niveaux);
    // Ticks the boxes from the file for the rows present.
    void charge();
    // Writes the selected range's key; false when it could not be written.
    bool enregistrement_objectifs(bool annonce);
    bool Button_enregistrer_objectifsClick() { return enregistrement_objectifs(true); }

    QCheckBox *boite(int niveau, int table) const;
    int nombreRangees() const;

private:
    void RadioButton42Click();
    void coche_colonne(int table, bool coche);

    SessionState &m_state;
    Environment m_env;

    QWidget *m_rangees = nullptr;
    QGridLayout *m_grille = nullptr;
    QRadioButton *RadioButton42 = nullptr;
    QRadioButton *RadioButton43 = nullptr;
    QRadioButton *RadioButton44 = nullptr;
    QLabel *Label43 = nullptr;
    QRadioButton *RadioButton45 = nullptr;
    QRadioButton *RadioButton46 = nullptr;
    QPushButton *Button_enregistrer_objectifs = nullptr;
    QList<QLabel *> m_titres;
};
