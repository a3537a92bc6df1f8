#pragma once

#include "core/ClassTestCollector.h"
#include "core/SessionState.h"

#include <QGroupBox>

class QCheckBox;
class QGridLayout;

// One ticked check box per class of the establishment tables, a row per
// level, named prefix + level + "_" + class ("CheckBox_2_1",
// "CheckBox_el_2_1", indexes from 1), 75 pixels apart.
class ClassCheckBoxes : public QGroupBox
{
    Q_OBJECT

public:
    ClassCheckBoxes(const QString &titre, const QString &prefixe, QWidget *parent = nullptr);

    // Destroys the boxes and makes them again from the tables, all ticked.
    void Actualise_CheckBox_classes(const QList<Niveau> &niveaux);
    QSet<ClassTestCollector::Classe> cochees() const;
    QCheckBox *caseClasse(int niveau, int classe) const;

private:
    QString m_prefixe;
    QWidget *m_contenu = nullptr;
    QGridLayout *m_grille = nullptr;
};
