#pragma once

#include "core/TrainingEngine.h"

#include <QFrame>
#include <QList>

class ColourLabel;
class QLabel;

// The step panel "Panel_A6000" of the training: one row per item of the
// step's range (the question, "=", the answer), and beside it, for fewer
// than 18 items, a traffic light, a bars picture and a result icon per row.
// The pictures stand on the design area around the panel.
class StepPanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kSeuilPetitesLignes = 18;

    explicit StepPanel(QWidget *zone);

    // Rows for items premier..dernier of the list (0-based, inclusive).
    void construit(const QStringList &items, int premier, int dernier, bool nouveauBloc);
    void detruit();

    int premier() const { return m_premier; }
    int nombre() const { return int(m_lignes.size()); }
    int hauteur_ligne() const { return m_h; }
    bool avec_images() const { return nombre() < kSeuilPetitesLignes; }

    // Colour state of a row (and its traffic light).
    void applique_couleur(int item, TrainingEngine::Couleur couleur);
    void applique_batons(int item, int succes);
    // New block: the answers shown; questioning: only the questions.
    void montre_reponses(bool montrees);
    // End of an ordered pass: an icon per row, a black answer ground where wrong.
    void montre_icones(const QList<bool> &justes);
    void montre_batons(bool montres);

    // Ground and text colours of a colour state.
    static QColor fond(TrainingEngine::Couleur couleur);
    static QColor texte(TrainingEngine::Couleur couleur);
    static QString nom_couleur(TrainingEngine::Couleur couleur);

private:
    struct Ligne
    {
        ColourLabel *question = nullptr;
        ColourLabel *egale = nullptr;
        ColourLabel *reponse = nullptr;
        QLabel *feu = nullptr;
        QLabel *batons = nullptr;
        QLabel *icone = nullptr;
        TrainingEngine::Couleur couleur = TrainingEngine::Couleur::Rouge;
    };

    void dimensionne(bool avecReponses);
    QLabel *image(const QString &nom, const QString &accessible, QSize taille);
    Ligne *ligne(int item);

    QList<Ligne> m_lignes;
    int m_premier = 0;
    int m_h = 32;
    int m_largeurQuestion = 0;
    int m_largeurEgale = 0;
    int m_largeurReponse = 0;
};
