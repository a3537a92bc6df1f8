#pragma once

#include "core/ComparisonChart.h"

#include <QDialog>
#include <QImage>

struct Environment;
struct SessionState;
class QLabel;
class QPushButton;

// "Statistiques par élèves": the comparison chart of classes, levels, score
// bands or speed bands, drawn from its chart text.
class Tstats_el : public QDialog
{
    Q_OBJECT

public:
    Tstats_el(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    void setGraphique(const ComparisonChart::Graphique &graphique);
    const QImage &image() const { return m_image; }
    QLabel *dessin() const { return Image1; }

private:
    void Button_enregistrerClick();

    SessionState &m_state;
    ComparisonChart::Graphique m_graphique;
    QImage m_image;
    QLabel *Image1 = nullptr;
    QLabel *Label_message = nullptr;
    QPushButton *Button_enregistrer = nullptr;
    QPushButton *Button_imprimer = nullptr;
};
