#pragma once

#include "core/PupilDetail.h"

#include <QTextBrowser>

// The rich-text view of the follow-up tab: the path of a class node, or the
// detail of a pupil (name, class, sessions, total time) with the compact
// result grid of the first test of each day, the most recent first.
class PupilDetailView : public QTextBrowser
{
    Q_OBJECT

public:
    explicit PupilDetailView(QWidget *parent = nullptr);

    // A node whose path is not a history file: the view shows the path alone.
    void affiche_chemin(const QString &chemin);
    // A pupil: his history file and the text of his class's line in the tree.
    void affiche_eleve(const QString &chemin, const QString &ligneClasse, const QString &objectifs,
                       int tempsAcceptable);
    // Either of the two, from the path list entry of the selected node.
    void affiche_noeud(const QString &chemin, const QString &ligneClasse, const QString &objectifs,
                       int tempsAcceptable);

    const PupilDetail &detail() const { return m_detail; }

private:
    PupilDetail m_detail;
};
