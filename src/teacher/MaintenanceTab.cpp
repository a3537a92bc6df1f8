#include "teacher/MaintenanceTab.h"

#include "core/HistoryLines.h"
#include "core/PupilFileMaintenance.h"
#include "core/SystemServices.h"
#include "core/TextFile.h"
#include "widgets/Dialogs.h"
#include "widgets/Naming.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QPushButton *bouton(const QString &nom, const QString &texte, QWidget *parent)
{
    return nomme(new QPushButton(texte, parent), nom, texte);
}

QLineEdit *champ(const QString &nom, const QString &accessible, QWidget *parent)
{
    auto *e = nomme(new QLineEdit(parent), nom, accessible);
    e->setMinimumWidth(420);
    return e;
}

} // namespace

MaintenanceTab::MaintenanceTab(SessionState &state, const Environment &env, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_env(env)
{
    auto *l1 = new QLabel(QStringLiteral("fichier1 (à renommer)"), this);
    Edit_fichier1 = champ(QStringLiteral("Edit_fichier1"), QStringLiteral("fichier1 (à renommer)"), this);
    l1->setBuddy(Edit_fichier1);
    Button_ChoixFichier1 = bouton(QStringLiteral("Button_ChoixFichier1"), QStringLiteral("Choix fichier1"), this);
    auto *l2 = new QLabel(QStringLiteral("fichier2 (à conserver)"), this);
    Edit_fichier2 = champ(QStringLiteral("Edit_fichier2"), QStringLiteral("fichier2 (à conserver)"), this);
    l2->setBuddy(Edit_fichier2);
    Button_ChoixFichier2 = bouton(QStringLiteral("Button_ChoixFichier2"), QStringLiteral("Choix fichier2"), this);
    auto *l3 = new QLabel(QStringLiteral(" Nouveau nom: (sans l'extension)"), this);
    Edit_nouveau_nom = champ(QStringLiteral("Edit_nouveau_nom"), QStringLiteral("Nouveau nom"), this);
    l3->setBuddy(Edit_nouveau_nom);
    Button4 = bouton(QStringLiteral("Button4"), QStringLiteral("Renommer fichier 1"), this);
    Button_fusionne = bouton(QStringLiteral("Button_fusionne"),
                             QStringLiteral("incorporer fichier1 dans fichier2, puis supprimer fichier 1"), this);
    Button2 = bouton(QStringLiteral("Button2"), QStringLiteral("Supprimer fichier1"), this);

    auto *grille = new QGridLayout;
    grille->addWidget(l1, 0, 0);
    grille->addWidget(Edit_fichier1, 0, 1);
    grille->addWidget(Button_ChoixFichier1, 0, 2);
    grille->addWidget(l2, 1, 0);
    grille->addWidget(Edit_fichier2, 1, 1);
    grille->addWidget(Button_ChoixFichier2, 1, 2);
    grille->addWidget(l3, 2, 0);
    grille->addWidget(Edit_nouveau_nom, 2, 1);
    grille->addWidget(Button4, 2, 2);
    grille->addWidget(Button_fusionne, 3, 1);
    grille->addWidget(Button2, 4, 1);

    auto *l4 = new QLabel(QStringLiteral("Séances de fichier1:"), this);
    TreeView2 = nomme(new QTreeWidget(this), QStringLiteral("TreeView2"), QStringLiteral("Séances de fichier1"));
    TreeView2->setHeaderHidden(true);
    TreeView2->setColumnCount(1);
    l4->setBuddy(TreeView2);
    // Editing a history test by test is not offered yet: the buttons are
    // shown inactive where they will be.
    Button_supprime_test = bouton(QStringLiteral("Button_supprime_test"), QStringLiteral("Supprimer ce test"), this);
    Button_enregistre = bouton(QStringLiteral("Button_enregistre"), QStringLiteral("Enregistrer modifications"), this);
    Button_supprime_test->setEnabled(false);
    Button_enregistre->setEnabled(false);
    auto *boutonsArbre = new QVBoxLayout;
    boutonsArbre->addWidget(Button_supprime_test);
    boutonsArbre->addWidget(Button_enregistre);
    boutonsArbre->addStretch();
    auto *bas = new QHBoxLayout;
    bas->addWidget(TreeView2, 1);
    bas->addLayout(boutonsArbre);

    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(12, 12, 12, 12);
    colonne->addLayout(grille);
    colonne->addSpacing(8);
    colonne->addWidget(l4);
    colonne->addLayout(bas, 1);

    connect(Button_ChoixFichier1, &QPushButton::clicked, this, [this] { choisit(Edit_fichier1); });
    connect(Button_ChoixFichier2, &QPushButton::clicked, this, [this] { choisit(Edit_fichier2); });
    connect(Button4, &QPushButton::clicked, this, &MaintenanceTab::Renomme_fichier);
    connect(Button_fusionne, &QPushButton::clicked, this, &MaintenanceTab::fusionne_deux_fichiers);
    connect(Button2, &QPushButton::clicked, this, &MaintenanceTab::supprime_fichier);
    connect(Edit_fichier1, &QLineEdit::textChanged, this, &MaintenanceTab::montre_fichier1);
}

void MaintenanceTab::montre_fichier1()
{
    TreeView2->clear();
    const QString fichier = QDir::fromNativeSeparators(Edit_fichier1->text().trimmed());
    // The field is typed into too: only a whole file name is read.
    if (fichier.isEmpty() || !QFileInfo(fichier).isFile())
        return;
    QTreeWidgetItem *seance = nullptr;
    for (const QString &ligne : TextFile::loadLines(fichier)) {
        if (ligne.trimmed().isEmpty())
            continue;
        if (HistoryLines::est_entete(ligne)) {
            seance = new QTreeWidgetItem(TreeView2, {ligne.trimmed()});
            continue;
        }
        const QString texte = HistoryLines::tete_activite(ligne);
        if (seance)
            new QTreeWidgetItem(seance, {texte});
        else
            new QTreeWidgetItem(TreeView2, {texte});
    }
    // The latest session is the one the teacher most likely remembers.
    if (TreeView2->topLevelItemCount() > 0) {
        QTreeWidgetItem *derniere = TreeView2->topLevelItem(TreeView2->topLevelItemCount() - 1);
        derniere->setExpanded(true);
        TreeView2->scrollToItem(derniere);
    }
}

void MaintenanceTab::choisit(QLineEdit *champ)
{
    const QString f = Dialogs::openFileName(this, QStringLiteral("Choix du fichier d'un élève"), m_depart,
                                            QStringLiteral("Fichiers d'élèves (*.txt)"));
    if (!f.isEmpty())
        champ->setText(QDir::toNativeSeparators(f));
}

bool MaintenanceTab::Renomme_fichier()
{
    QString erreur;
    int liens = 0;
    if (!m_env.system || !PupilFileMaintenance::renomme(*m_env.system, QDir::fromNativeSeparators(Edit_fichier1->text()),
                                                        Edit_nouveau_nom->text(), &erreur, &liens)) {
        Dialogs::warning(this, QStringLiteral("Renommer"), erreur);
        return false;
    }
    Dialogs::information(this, QStringLiteral("Pour information:"),
                         QStringLiteral("Fichier renommé; %1 lien(s) de classe refait(s).").arg(liens));
    Edit_fichier1->clear();
    emit fichiersModifies();
    return true;
}

bool MaintenanceTab::fusionne_deux_fichiers()
{
    QString erreur;
    if (!PupilFileMaintenance::fusionne(QDir::fromNativeSeparators(Edit_fichier1->text()),
                                        QDir::fromNativeSeparators(Edit_fichier2->text()), &erreur)) {
        Dialogs::warning(this, QStringLiteral("Fusion"), erreur);
        return false;
    }
    Dialogs::information(this, QStringLiteral("Pour information:"),
                         QStringLiteral("Les deux fichiers ont été réunis.\nLe fichier 1 peut maintenant être "
                                        "supprimé avec \"Supprimer fichier1\"."));
    montre_fichier1();
    emit fichiersModifies();
    return true;
}

bool MaintenanceTab::supprime_fichier()
{
    QString erreur;
    QString nom;
    const QString fichier = QDir::fromNativeSeparators(Edit_fichier1->text());
    if (!m_env.system
        || !PupilFileMaintenance::supprime(*m_env.system, m_env.programFolder, fichier, &erreur, &nom)) {
        Dialogs::warning(this, QStringLiteral("Supprimer"), erreur);
        return false;
    }
    Edit_fichier1->clear();
    QString texte = QStringLiteral("Fichier récupérable dans le dossier 'CorbeilleTabulon'");
    // An earlier copy of that name is kept there: say which name this one took.
    if (nom.compare(QFileInfo(fichier).fileName(), Qt::CaseInsensitive) != 0)
        texte += QStringLiteral("\nsous le nom \"%1\".").arg(nom);
    Dialogs::information(this, QStringLiteral("Pour information:"), texte);
    emit fichiersModifies();
    return true;
}
