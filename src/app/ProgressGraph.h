#pragma once

#include "core/ProgressGraphLayout.h"

#include <QImage>
#include <QList>
#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QMenu;
class QScrollArea;

// The progress graph of the main window: the scroll box `Scrollbox1` with the
// six reference lines, the colour legend and, created for each drawing, one
// bar per day with its labels (children "composant" 1, 2, ...). A left press
// on a bar shows that test's grid in `Image1` while the button is held; a
// right press on the last bar offers "Imprimer".
class ProgressGraph : public QWidget
{
    Q_OBJECT

public:
    // Left edge of the colour legend, where the bars start.
    static constexpr int kGaucheLegende = 44;

    explicit ProgressGraph(QWidget *parent = nullptr);

    // The grid picture of an entry's test, drawn on demand.
    using Grille = std::function<QImage(int entree)>;
    void setGrille(Grille grille) { m_grille = std::move(grille); }

    void affiche_graphique(const QList<EntreeGraphique> &entrees, int largeurFenetre,
                           const ProgressGraphLayout::ClasseDuJour &classeDuJour);
    void efface_graphique();

    int nombreBarres() const { return m_nombreBarres; }
    QScrollArea *scrollbox() const { return m_scrollbox; }

signals:
    // "Imprimer" was chosen on the last bar.
    void imprimerDemande();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShapeMouseDown(int entree, Qt::MouseButton button, const QPoint &globalPos);
    void ShapeMouseUp();
    void creeDecor();
    void placeLignes(int longueur);
    void redimensionne(int largeur, int hauteur);
    void defileALaFin();

    QScrollArea *m_scrollbox = nullptr;
    QWidget *m_contenu = nullptr;
    QList<QFrame *> m_lignes;
    QList<QLabel *> m_etiquettesLignes;
    QLabel *m_image = nullptr;
    QMenu *m_popup = nullptr;
    Grille m_grille;
    int m_nombreComposants = 0;
    int m_nombreBarres = 0;
    bool m_defilementEnAttente = false;
};
