#include "stats/Tstats_el.h"

#include "core/SessionState.h"
#include "stats/StatsExport.h"
#include "widgets/HistogramPainter.h"
#include "widgets/Naming.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

Tstats_el::Tstats_el(SessionState &state, const Environment &, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("Tstats_el"));
    setWindowTitle(QStringLiteral("Statistiques par élèves"));
    setAccessibleName(QStringLiteral("Statistiques par élèves"));
    setModal(true);

    Image1 = nomme(new QLabel(this), QStringLiteral("Image1"), QStringLiteral("Graphique"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setStyleSheet(QStringLiteral("background: white;"));
    auto *defilement = new QScrollArea(this);
    defilement->setWidget(Image1);
    defilement->setWidgetResizable(true);
    Label_message = new QLabel(this);
    Label_message->setObjectName(QStringLiteral("Label_message"));
    Label_message->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    Label_message->setAlignment(Qt::AlignCenter);

    Button_enregistrer = nomme(new QPushButton(QStringLiteral("Enregistrer"), this), QStringLiteral("Button_enregistrer"),
                               QStringLiteral("Enregistrer"));
    Button_imprimer = nomme(new QPushButton(QStringLiteral("Imprimer"), this), QStringLiteral("Button_imprimer"),
                            QStringLiteral("Imprimer"));
    Button_imprimer->setEnabled(false);
    auto *fermer = nomme(new QPushButton(QStringLiteral("Fermer"), this), QStringLiteral("Button_fermer"),
                         QStringLiteral("Fermer"));
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(Button_enregistrer);
    boutons->addWidget(Button_imprimer);
    boutons->addWidget(fermer);
    auto *colonne = new QVBoxLayout(this);
    colonne->addWidget(Label_message);
    colonne->addWidget(defilement, 1);
    colonne->addLayout(boutons);

    connect(Button_enregistrer, &QPushButton::clicked, this, &Tstats_el::Button_enregistrerClick);
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);
    resize(760, 480);
}

void Tstats_el::setGraphique(const ComparisonChart::Graphique &graphique)
{
    m_graphique = graphique;
    m_image = QImage();
    QString erreur;
    // No pupil with a test: nothing to compare, and a chart of zeros would say otherwise.
    if (graphique.nbEleves == 0) {
        Label_message->setText(QStringLiteral("Aucun élève des classes cochées n'a de test à la date choisie."));
    } else if (!dessine_histogramme(graphique.texte(), &m_image, &erreur)) {
        Label_message->setText(erreur);
    } else {
        Label_message->clear();
    }
    Label_message->setVisible(!Label_message->text().isEmpty());
    Image1->setPixmap(m_image.isNull() ? QPixmap() : QPixmap::fromImage(m_image));
    QStringList barres;
    for (const auto &[libelle, valeur] : graphique.barres)
        barres.append(libelle + QStringLiteral(" : ") + QString::number(valeur));
    Image1->setAccessibleDescription(graphique.titre + QStringLiteral(", ") + graphique.legende() + QStringLiteral(". ")
                                     + barres.join(QStringLiteral(" ; ")));
    Button_enregistrer->setEnabled(!m_image.isNull());
}

void Tstats_el::Button_enregistrerClick()
{
    StatsExport::enregistre(this, m_state.dossier_stats_local, m_graphique.titre, m_graphique.lignes_csv(), m_image);
}
