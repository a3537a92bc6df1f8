#pragma once

#include "core/Dates.h"
#include "core/Evaluation.h"
#include "core/HistoryLines.h"
#include "core/TestFinder.h"
#include "core/TextFile.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QStringList>

#include <algorithm>

namespace TestSearchReference {

// The plainest reading of the search, line by line on the decoded text: a
// history is cut into lines, the headers are sorted by day (a stable sort,
// so each day's sessions stay in file order) and the days are walked from
// the date. The byte search must choose the very same test in every file.
inline TestFinder::TestOctets cherche(const QByteArray &octets, const QString &cle, bool enArriere, bool masquer,
                                     const QString &objectifs)
{
    const QString texte = TextFile::decode1252(octets);
    QStringList lignes;
    qsizetype debut = 0;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (texte[i] == u'\r' || texte[i] == u'\n') {
            lignes.append(texte.mid(debut, i - debut));
            if (texte[i] == u'\r' && i + 1 < texte.size() && texte[i + 1] == u'\n')
                ++i;
            debut = i + 1;
        }
    }
    if (debut < texte.size())
        lignes.append(texte.mid(debut));

    QList<qsizetype> tetes;
    for (qsizetype i = 0; i < lignes.size(); ++i)
        if (HistoryLines::est_entete(lignes[i]))
            tetes.append(i);
    struct Seance { QString jour; qsizetype tete; qsizetype fin; };
    QList<Seance> seances;
    for (qsizetype t = 0; t < tetes.size(); ++t) {
        const QString jour = HistoryLines::cle_jour(lignes[tetes[t]]);
        if (!jour.isEmpty())
            seances.append({jour, tetes[t], t + 1 < tetes.size() ? tetes[t + 1] : lignes.size()});
    }
    std::stable_sort(seances.begin(), seances.end(), [](const Seance &a, const Seance &b) { return a.jour < b.jour; });
    QStringList jours;
    for (const Seance &s : seances)
        if (jours.isEmpty() || jours.last() != s.jour)
            jours.append(s.jour);
    if (enArriere)
        std::reverse(jours.begin(), jours.end());

    TestFinder::TestOctets r;
    for (const QString &jour : jours) {
        if (enArriere ? jour > cle : jour < cle)
            continue;
        for (const Seance &s : seances) {
            if (s.jour != jour)
                continue;
            for (qsizetype n = s.tete + 1; n < s.fin; ++n) {
                const QString &l = lignes[n];
                const QString enregistrements = HistoryLines::enregistrements(l);
                if (!l.contains(u"TEST") || !HistoryLines::a_une_reponse(enregistrements))
                    continue;
                if (masquer && !Evaluation::test_couvre_tables(enregistrements, objectifs))
                    continue;
                r.enregistrements = enregistrements;
                r.cleJour = QString::number(jour.toUInt());
                r.date = QDate::fromString(jour, QStringLiteral("yyyyMMdd"));
                r.heureFin = l.mid(20, 8);
                r.libelle = r.date.isValid() ? Dates::jour_texte(r.date) : HistoryLines::libelle_jour(lignes[s.tete]);
                return r;
            }
        }
    }
    return r;
}

} // namespace TestSearchReference
