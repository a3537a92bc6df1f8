#include "teacher/TestSelectionBox.h"

#include "core/Dates.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QRadioButton>

TestSelectionBox::TestSelectionBox(const QString &titre, const Noms &noms, QWidget *parent)
    : QGroupBox(titre, parent)
{
    setAccessibleName(titre);
    m_premier = new QRadioButton(QStringLiteral("le premier à partir du"), this);
    m_premier->setObjectName(noms.premier);
    m_dernier = new QRadioButton(QStringLiteral("le dernier au"), this);
    m_dernier->setObjectName(noms.dernier);
    m_dernier->setChecked(true);
    auto date = [this](const QString &nom, const QString &accessible) {
        auto *d = new QDateEdit(this);
        d->setObjectName(nom);
        d->setAccessibleName(accessible);
        d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        d->setCalendarPopup(true);
        return d;
    };
    m_datePremier = date(noms.datePremier, QStringLiteral("Date du premier test"));
    m_dateDernier = date(noms.dateDernier, QStringLiteral("Date du dernier test"));
    auto *grille = new QGridLayout(this);
    grille->addWidget(m_premier, 0, 0);
    grille->addWidget(m_datePremier, 0, 1);
    grille->addWidget(m_dernier, 1, 0);
    grille->addWidget(m_dateDernier, 1, 1);
    grille->setColumnStretch(2, 1);
}

void TestSelectionBox::initialise_dates(const QDate &aujourdhui)
{
    const int debut = aujourdhui.month() >= 9 ? aujourdhui.year() : aujourdhui.year() - 1;
    m_datePremier->setDate(QDate(debut, 9, 1));
    m_dateDernier->setDate(aujourdhui);
}

ClassTestCollector::Critere TestSelectionBox::critere(bool masquerIncomplets, const QString &objectifs) const
{
    ClassTestCollector::Critere c;
    c.direction = m_premier->isChecked() ? QStringLiteral("premier") : QStringLiteral("dernier");
    c.date = Dates::date_texte(m_premier->isChecked() ? m_datePremier->date() : m_dateDernier->date());
    c.masquerIncomplets = masquerIncomplets;
    c.objectifs = objectifs;
    return c;
}
