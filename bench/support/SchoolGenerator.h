#pragma once

// A whole school written to disk for the benchmarks: pupils spread over
// levels and classes, each with five school years of history (the current
// year and the four before it) and a class link in every one of those years,
// in the very layout the program reads:
//
//   <root>/Eleves/<école>/<clé>.txt                     history files
//   <root>/Eleves/<école>/Hors classe/                  (empty)
//   <root>/Eleves/<école>/<année>/<classe>/<clé>.lnk    class links
//
// The output depends only on (pupils, seed, today): the same arguments give
// the same bytes. About 58 KB of history per pupil, so 1,200 pupils make
// about 70 MB.
//
// Usage:
//   const GeneratedSchool s = generateSchool(tmp.path(), 1200, 42);
//   if (!s.ok) { ... s.error ... }
//   // s.dossierEleves, s.nomEtablissement, s.anneeCourante, s.niveauxEtClasses ...
//
// Header-only on purpose: several benchmarks include it; it needs only the
// program's core library (TextFile, ShellLink, Catalogue, Dates).

#include "core/Catalogue.h"
#include "core/Dates.h"
#include "core/ShellLink.h"
#include "core/TextFile.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdint>

struct GeneratedSchool
{
    bool ok = false;
    QString error;                 // French text when ok is false

    QString dossierEleves;         // <root>/Eleves
    QString nomEtablissement;      // "Collège de Valdorne"
    QString dossierEtablissement;  // <dossierEleves>/<nomEtablissement>
    QString anneeCourante;         // school year of `today`, "2026-2027"
    QStringList annees;            // the five school years, oldest first
    QString niveauxEtClasses;      // level string of every year ("sixième<6A,6B>...")
    QStringList classes;           // class names, the same every year
    QStringList cles;              // pupil keys, in generation order
    QStringList fichiers;          // absolute history file paths, same order
    qint64 octetsHistoriques = 0;  // total size of the history files
    int tests = 0;                 // test lines written in all
};

namespace SchoolGeneratorDetail {

// Small deterministic generator (xorshift32): the same seed gives the same
// school on every machine and library version.
class Alea
{
public:
    explicit Alea(quint32 seed) : m_s(seed ? seed : 0x9E3779B9u) {}
    quint32 next()
    {
        m_s ^= m_s << 13;
        m_s ^= m_s >> 17;
        m_s ^= m_s << 5;
        return m_s;
    }
    int below(int n) { return n <= 0 ? 0 : int(next() % quint32(n)); }

private:
    quint32 m_s;
};

inline QString deux(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

inline QString heure(int secondes)
{
    return deux(secondes / 3600) + u':' + deux(secondes / 60 % 60) + u':' + deux(secondes % 60);
}

inline const QStringList &nomsFamille()
{
    static const QStringList n = {QStringLiteral("Martin"), QStringLiteral("Bernard"), QStringLiteral("Dubois"),
                                  QStringLiteral("Thomas"), QStringLiteral("Robert"), QStringLiteral("Richard"),
                                  QStringLiteral("Petit"), QStringLiteral("Durand"), QStringLiteral("Leroy"),
                                  QStringLiteral("Moreau"), QStringLiteral("Simon"), QStringLiteral("Laurent"),
                                  QStringLiteral("Lefèvre"), QStringLiteral("Michel"), QStringLiteral("Garcia"),
                                  QStringLiteral("Roux"), QStringLiteral("Fournier"), QStringLiteral("Girard")};
    return n;
}

inline const QStringList &prenoms()
{
    static const QStringList p = {QStringLiteral("Léa"), QStringLiteral("Hugo"), QStringLiteral("Chloé"),
                                  QStringLiteral("Louis"), QStringLiteral("Emma"), QStringLiteral("Jules"),
                                  QStringLiteral("Inès"), QStringLiteral("Nathan"), QStringLiteral("Zoé"),
                                  QStringLiteral("Théo"), QStringLiteral("Manon"), QStringLiteral("Noé")};
    return p;
}

// One test of the 64 classic products in a shuffled order; `niveau` (0..100)
// sets how often the answer is right and how fast it comes.
inline QString ligneTest(Alea &alea, const QStringList &produits, int debut, int niveau)
{
    QStringList ordre = produits;
    for (int i = ordre.size() - 1; i > 0; --i)
        std::swap(ordre[i], ordre[alea.below(i + 1)]);
    const int fin = debut + 240 + alea.below(300);
    QString l = QStringLiteral("\tTEST de ") + heure(debut) + QStringLiteral(" à ") + heure(fin) + u' ';
    l.reserve(30 + 12 * ordre.size());
    for (const QString &code : ordre) {
        const bool juste = alea.below(100) < 40 + niveau / 2;
        const bool absent = !juste && alea.below(3) == 0;
        const int dixiemes = absent ? 100 : 8 + alea.below(20 + (100 - niveau));
        const QString reponse = juste    ? Catalogue::resultat_produit_4(code)
                                : absent ? QStringLiteral("0000")
                                         : Catalogue::complete_zeros(Catalogue::resultat_produit(code).toInt() + 1 + alea.below(9), 4);
        l += u'P' + code + Catalogue::complete_zeros(dixiemes, 3) + reponse;
    }
    return l;
}

} // namespace SchoolGeneratorDetail

// Writes the school under `root` (created when missing) and tells what it
// wrote. `today` bounds the sessions of the current school year.
inline GeneratedSchool generateSchool(const QString &root, int pupils, quint32 seed,
                                      const QDate &today = QDate::currentDate())
{
    using namespace SchoolGeneratorDetail;
    GeneratedSchool s;
    s.dossierEleves = QDir(root).absoluteFilePath(QStringLiteral("Eleves"));
    s.nomEtablissement = QStringLiteral("Collège de Valdorne");
    s.dossierEtablissement = s.dossierEleves + u'/' + s.nomEtablissement;
    s.anneeCourante = Dates::annee_scolaire(today);
    for (int n = 4; n >= 1; --n)
        s.annees.append(Dates::annee_scolaire_n_ans(today, n));
    s.annees.append(s.anneeCourante);

    // Four levels, about 28 pupils a class, at most 20 classes a level.
    const QStringList niveaux = {QStringLiteral("sixième"), QStringLiteral("cinquième"), QStringLiteral("quatrième"),
                                 QStringLiteral("troisième")};
    const int parNiveau = std::clamp((pupils + 4 * 28 - 1) / (4 * 28), 1, 20);
    QList<QStringList> classesNiveau;
    for (int n = 0; n < niveaux.size(); ++n) {
        QStringList c;
        for (int k = 0; k < parNiveau; ++k)
            c.append(QString::number(6 - n) + QChar(u'A' + k));
        classesNiveau.append(c);
        s.classes += c;
        s.niveauxEtClasses += niveaux[n] + u'<' + c.join(u',') + u'>';
    }

    if (!QDir().mkpath(s.dossierEtablissement + QStringLiteral("/Hors classe"))) {
        s.error = QStringLiteral("Impossible de créer le dossier ") + s.dossierEtablissement;
        return s;
    }
    for (const QString &annee : s.annees)
        for (const QString &c : s.classes)
            QDir().mkpath(s.dossierEtablissement + u'/' + annee + u'/' + c);

    const QStringList produits = Catalogue::liste_produits_tables(QStringLiteral("tables_classiques"));
    Alea alea(seed);
    for (int p = 0; p < pupils; ++p) {
        const QString cle = nomsFamille()[p % nomsFamille().size()] + QString::number(p)
                            + u'_' + prenoms()[alea.below(int(prenoms().size()))];
        const QString fichier = s.dossierEtablissement + u'/' + cle + QStringLiteral(".txt");
        // Level in the current year; the years before go down one level each,
        // wrapping round, so that every year's classes are evenly filled.
        const int niveauActuel = alea.below(int(niveaux.size()));
        const int classeDepart = alea.below(parNiveau);
        int niveau = 20 + alea.below(40);
        QStringList lignes;
        for (int y = 0; y < s.annees.size(); ++y) {
            const QDate rentree(s.annees[y].left(4).toInt(), 9, 4);
            // About 15 sessions a school year, each with a test, a third of
            // them with a training line too.
            QDate jour = rentree.addDays(alea.below(10));
            for (int k = 0; k < 15; ++k) {
                if (jour > today)
                    break;
                const int debut = 8 * 3600 + alea.below(8 * 3600);
                const int fin = debut + 600 + alea.below(1800);
                lignes.append(QStringLiteral("Séance du ") + Dates::jour_texte(jour) + QStringLiteral(" de ")
                              + heure(debut) + QStringLiteral(" à ") + heure(fin) + QStringLiteral(" sur le poste \"POSTE")
                              + deux(alea.below(30)) + u'"');
                if (alea.below(3) == 0)
                    lignes.append(QStringLiteral("\tAPPRENTISSAGE de ") + heure(debut + 30) + QStringLiteral(" à ")
                                  + heure(debut + 400) + QStringLiteral(": ") + QString::number(10 + alea.below(90))
                                  + QStringLiteral(" répétitions"));
                lignes.append(ligneTest(alea, produits, debut + 420, niveau));
                ++s.tests;
                niveau = std::min(100, niveau + alea.below(4));
                jour = jour.addDays(14 + alea.below(8));
            }
            const int nb = int(niveaux.size());
            const int n = ((niveauActuel - (int(s.annees.size()) - 1 - y)) % nb + nb) % nb;
            const QString classe = classesNiveau[n][(classeDepart + y) % parNiveau];
            const QString lien = s.dossierEtablissement + u'/' + s.annees[y] + u'/' + classe + u'/' + cle
                                 + QStringLiteral(".lnk");
            QString erreur;
            if (!ShellLink::write(lien, fichier, &erreur)) {
                s.error = erreur;
                return s;
            }
        }
        QString erreur;
        if (!TextFile::saveLines(fichier, lignes, &erreur)) {
            s.error = erreur;
            return s;
        }
        s.octetsHistoriques += QFileInfo(fichier).size();
        s.cles.append(cle);
        s.fichiers.append(fichier);
    }
    s.ok = true;
    return s;
}
