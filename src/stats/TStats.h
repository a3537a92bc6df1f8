#pragma once

#include "core/ProductStatistics.h"

#include <QDialog>
#include <QStringList>

struct Environment;
struct SessionState;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

// "Statistiques par produits": one coloured panel per product of the classic
// tables (a column per first factor, a row per second factor) showing a
// share, a count, an average time or a speed over the analysed tests, and
// the list of the most frequent confusions.
class TStats : public QDialog
{
    Q_OBJECT

public:
    TStats(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    // The records of each analysed pupil's test, and the number of pupils of
    // the ticked classes (with or without a test).
    void setDonnees(const QStringList &listeTestsStats, int nbEleves);

    void calcule();
    void trie();

    ProductStatistics::Mode mode() const;
    unsigned categories() const;
    QLabel *panneau(int k) const;
    const ProductStatistics &statistiques() const { return m_stats; }
    // The grid of panels as a picture.
    QImage image_panneaux() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void construit_grille(QWidget *grille);
    void modeChange();
    void caseChange();
    void SpinEdit2Change(int valeur);
    void Button4Click();
    int tempsSepare() const;

    SessionState &m_state;
    ProductStatistics m_stats;
    QStringList m_tests;
    int m_nbEleves = 0;
    bool m_miseAJour = false;

    QWidget *m_grille = nullptr;
    QList<QLabel *> m_panneaux;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QRadioButton *RadioButton3 = nullptr;
    QRadioButton *RadioButton4 = nullptr;
    QCheckBox *m_cases[4] = {};
    QSpinBox *SpinEdit2 = nullptr;
    QPushButton *Button_calculer = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QLabel *Label1 = nullptr;
    QRadioButton *RadioButton_frequence = nullptr;
    QRadioButton *RadioButton_produit = nullptr;
    QRadioButton *RadioButton_resultat = nullptr;
    QLabel *Label_nb_eleves1 = nullptr;
    QLabel *Label_avec_test = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button2 = nullptr;
};
