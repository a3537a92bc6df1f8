#pragma once

#include <QFrame>
#include <QImage>

class QLabel;
struct VerdictTest;

// The result panel of the test window ("Panel3"): the summary line (score,
// level word, score meter), the tables known badly and well, the advice, the
// record notice and the grid of the answers.
class VerdictPanel : public QFrame
{
    Q_OBJECT

public:
    explicit VerdictPanel(QWidget *parent = nullptr);

    // Fills and lays out the panel; grille may be null (no grid to show).
    void affiche(const VerdictTest &verdict, const QImage &grille);
    void efface();

    // The small score meter shown beside the percentage.
    static QImage dessine_jauge(int score, const QSize &taille = QSize(36, 36), qreal echelle = 1.0);

private:
    QLabel *cree(const QString &nom, int pixels, bool gras, const QColor &couleur);
    void place_paire(QLabel *a, QLabel *b, int x, int y);
    void centre_paire(QLabel *a, QLabel *b, int y);
    void masque_verdict();
    int largeur_resume(int largeurPourcent) const;
    void elargit_si_besoin(bool mal, bool bien, int largeurPourcent, bool record);

    QLabel *m_labels[13] = {};   // Label2 .. Label12 at their number
    QFrame *m_shapeEx1;
    QLabel *m_tuSais;
    QLabel *m_pourcent;
    QLabel *m_image1;
    QLabel *m_apprec;
    QFrame *m_shape1;
    QLabel *m_record;
    QLabel *m_image2;
};
