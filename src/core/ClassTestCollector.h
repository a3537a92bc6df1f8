#pragma once

#include "core/SessionState.h"

#include <QList>
#include <QSet>
#include <QString>

#include <functional>

// The selected test of every pupil of the ticked classes, for the teacher's
// statistics: the classes' links in the year folder give the pupils, each
// pupil's history file gives his first test on or after a date, or his last
// test on or before it.
namespace ClassTestCollector {

struct Critere
{
    QString direction = QStringLiteral("dernier");  // "premier" or "dernier"
    QString date;                                   // dd/mm/yyyy
    bool masquerIncomplets = false;
    QString objectifs;
};

// A class of the establishment tables, both indexes from 1.
struct Classe
{
    int niveau = 0;
    int classe = 0;
    friend bool operator==(const Classe &x, const Classe &y) { return x.niveau == y.niveau && x.classe == y.classe; }
    friend size_t qHash(const Classe &c, size_t seed = 0) { return ::qHash(c.niveau * 100 + c.classe, seed); }
};

struct EleveTest
{
    Classe classe;
    QString cle;
    QString enregistrements;  // empty when no test was selected
    QString date;             // "Mardi 14/11/2006"
};

struct Resultat
{
    int nbEleves = 0;           // links found in the ticked classes
    QList<EleveTest> eleves;    // each of them, in table order, with or without a test
    bool annule = false;
    int nbAvecTest() const;
};

// Work done and to do; returns false to stop the collection.
using Progres = std::function<bool(int fait, int total)>;

// Every link counts as a pupil, as the class lists count them; a pupil whose
// history file is missing simply has no test. The history files are read by
// helper threads besides the calling one (progress is reported on the
// calling thread); `aides` forces their number, -1 lets the machine decide.
// The result does not depend on it.
Resultat collecte(const QList<Niveau> &niveaux, const QSet<Classe> &cochees, const QString &dossierAnnee,
                  const QString &dossierEtablissement, const Critere &critere, const Progres &progres = {},
                  int aides = -1);

} // namespace ClassTestCollector
