#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the teacher sees of one pupil chosen in the class tree: his name and
// class, how many sessions he had and on how many days, the time he spent,
// and the first test of each day, the most recent first.
struct PupilDetail
{
    struct TestRetenu
    {
        QString jour;         // "Mardi 14/11/2006"
        QString ligneTest;    // the whole test line
    };

    QString prenom;
    QString nom;
    QString classe;
    int seances = 0;
    int jours = 0;            // days with at least one session
    QString premiereDate;     // dd/mm/yyyy
    QString derniereDate;
    qint64 dureeSecondes = 0;  // a damaged file may hold more headers than an int of seconds can sum
    QList<TestRetenu> tests;

    // lignes: the history file; chemin: its path ("<nom>_<prénom>.txt");
    // ligneClasse: the tree's class line ("61: 25 élèves....72%").
    static PupilDetail calcule(const QStringList &lignes, const QString &chemin, const QString &ligneClasse);

    QString identite() const { return prenom + u' ' + nom; }
    QString resume() const;
    QString tempsTotal() const;    // "temps total: 1 h 05 min"
};
