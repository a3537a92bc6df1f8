#pragma once

#include "core/ClassTestCollector.h"

#include <QDate>
#include <QGroupBox>

class QDateEdit;
class QRadioButton;

// Which test of each pupil the teacher looks at: "le premier à partir du" a
// date or "le dernier au" a date (the default). The controls are named by
// the tab that holds the group.
class TestSelectionBox : public QGroupBox
{
    Q_OBJECT

public:
    struct Noms
    {
        QString premier;
        QString datePremier;
        QString dernier;
        QString dateDernier;
    };

    TestSelectionBox(const QString &titre, const Noms &noms, QWidget *parent = nullptr);

    // The first date starts on 1 September of the school year of the day,
    // the second on the day itself.
    void initialise_dates(const QDate &aujourdhui);
    // Direction and date (dd/mm/yyyy), with the settings' rule for incomplete tests.
    ClassTestCollector::Critere critere(bool masquerIncomplets, const QString &objectifs) const;

    QRadioButton *premier() const { return m_premier; }
    QRadioButton *dernier() const { return m_dernier; }
    QDateEdit *datePremier() const { return m_datePremier; }
    QDateEdit *dateDernier() const { return m_dateDernier; }

private:
    QRadioButton *m_premier = nullptr;
    QRadioButton *m_dernier = nullptr;
    QDateEdit *m_datePremier = nullptr;
    QDateEdit *m_dateDernier = nullptr;
};
