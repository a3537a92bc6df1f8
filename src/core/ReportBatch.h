#pragma once

#include "core/ClassTestCollector.h"

#include <QList>
#include <QString>

// The test reports of one pupil or of a whole class, chosen in the class tree
// of the follow-up tab: one page per pupil with a selected test.
struct ReportBatch
{
    struct Bilan
    {
        QString nom;
        QString prenom;
        QString enregistrements;
        QString date;
    };

    QString classe;           // shown on the pages; empty when the node has none
    QString nomPropose;       // "Classe de 61" or the pupil key
    QList<Bilan> bilans;      // pupils with a selected test, in link order
    QStringList sansTest;     // keys of the pupils without one

    // chemin: the node's path (a pupil's ".txt" file or a class folder);
    // texteNoeud: the selected node's text (its class name before ":").
    // "Classe de " + the class folder's name, or the pupil key.
    static QString nom_propose(const QString &chemin);
    static ReportBatch prepare(const QString &chemin, const QString &texteNoeud, const QString &dossierEtablissement,
                               const ClassTestCollector::Critere &critere);
};
