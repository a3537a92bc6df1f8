#include "teacher/SuiviTab.h"

#include "core/ClassFollowUp.h"
#include "core/Clock.h"
#include "core/Paths.h"
#include "core/PupilFolders.h"
#include "core/RecordsList.h"
#include "stats/PupilReportPanel.h"
#include "teacher/TestSelectionBox.h"
#include "timedtest/TTexte.h"
#include "widgets/Dialogs.h"
#include "widgets/Naming.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kAucun = QStringLiteral("aucun");

QRadioButton *radio(const QString &nom, const QString &texte, QWidget *parent)
{
    return nomme(new QRadioButton(texte, parent), nom, texte);
}

QPushButton *bouton(const QString &nom, const QString &texte, QWidget *parent)
{
    return nomme(new QPushButton(texte, parent), nom, texte.trimmed());
}

} // namespace

// What the worker and the window share: the worker writes, the window reads
// once the thread has finished (progress excepted, read while it runs).
struct SuiviTab::Travail
{
    ClassFollowUp::Demande demande;
    ClassFollowUp::Liste liste;
    std::atomic<int> fait{0};
    std::atomic<int> total{0};
    std::atomic<bool> arret{false};
};

SuiviTab::SuiviTab(SessionState &state, const Environment &env, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_env(env)
{
    auto *labelEtab = new QLabel(QStringLiteral("Etablissement:"), this);
    ComboBox1 = nomme(new QComboBox(this), QStringLiteral("ComboBox1"), QStringLiteral("Etablissement"));
    labelEtab->setBuddy(ComboBox1);
    Label_annee = new QLabel(QStringLiteral("Année scolaire:"), this);
    ComboBox2 = nomme(new QComboBox(this), QStringLiteral("ComboBox2"), QStringLiteral("Année scolaire"));
    Label_annee->setBuddy(ComboBox2);

    GroupBox11 = new TestSelectionBox(QStringLiteral("Test affiché"),
                                      {QStringLiteral("RadioButton2"), QStringLiteral("DateTimePicker2"),
                                       QStringLiteral("RadioButton16"), QStringLiteral("DateTimePicker5")},
                                      this);
    GroupBox11->setObjectName(QStringLiteral("GroupBox11"));

    auto *groupeResultat = nomme(new QGroupBox(QStringLiteral("Résultat affiché:"), this),
                                 QStringLiteral("GroupBox14"), QStringLiteral("Résultat affiché:"));
    RadioButton7 = radio(QStringLiteral("RadioButton7"), QStringLiteral("Score"), groupeResultat);
    RadioButton9 = radio(QStringLiteral("RadioButton9"), QStringLiteral("Rapidité"), groupeResultat);
    RadioButton7->setChecked(true);
    auto *ligneResultat = new QHBoxLayout(groupeResultat);
    ligneResultat->addWidget(RadioButton7);
    ligneResultat->addWidget(RadioButton9);

    auto *groupeTri = nomme(new QGroupBox(QStringLiteral("Trier par:"), this), QStringLiteral("GroupBox19"),
                            QStringLiteral("Trier par:"));
    RadioButton25 = radio(QStringLiteral("RadioButton25"), QStringLiteral("Nom"), groupeTri);
    RadioButton26 = radio(QStringLiteral("RadioButton26"), QStringLiteral("Résultat"), groupeTri);
    RadioButton37 = radio(QStringLiteral("RadioButton37"), QStringLiteral("Date"), groupeTri);
    RadioButton26->setChecked(true);
    auto *ligneTri = new QHBoxLayout(groupeTri);
    ligneTri->addWidget(RadioButton25);
    ligneTri->addWidget(RadioButton26);
    ligneTri->addWidget(RadioButton37);

    Button3 = bouton(QStringLiteral("Button3"), QStringLiteral("Créer liste élèves"), this);
    m_progression = nomme(new QProgressBar(this), QStringLiteral("Progression_liste"),
                          QStringLiteral("Lecture des fichiers des élèves"));
    m_progression->setVisible(false);
    Button_dev = bouton(QStringLiteral("Button_dev"), QStringLiteral("Développer"), this);
    Button_red = bouton(QStringLiteral("Button_red"), QStringLiteral("Réduire"), this);
    Button_impr_list = bouton(QStringLiteral("Button_impr_list"), QStringLiteral("Imprimer "), this);
    for (QPushButton *b : {Button_dev, Button_red, Button_impr_list})
        b->setVisible(false);

    TreeView1 = nomme(new QTreeWidget(this), QStringLiteral("TreeView1"), QStringLiteral("Liste des élèves"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    // The list is laid out with dots and blanks: a fixed pitch keeps it in columns.
    QFont fixe(QStringLiteral("Courier New"));
    fixe.setStyleHint(QFont::TypeWriter);
    TreeView1->setFont(fixe);
    // Long lines scroll rather than lose their end (the results are there).
    TreeView1->header()->setStretchLastSection(false);
    TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto *gauche = new QVBoxLayout;
    auto *choix = new QGridLayout;
    choix->addWidget(labelEtab, 0, 0);
    choix->addWidget(ComboBox1, 0, 1);
    choix->addWidget(Label_annee, 1, 0);
    choix->addWidget(ComboBox2, 1, 1);
    gauche->addLayout(choix);
    gauche->addWidget(GroupBox11);
    gauche->addWidget(groupeResultat);
    gauche->addWidget(groupeTri);
    gauche->addWidget(Button3);
    gauche->addWidget(m_progression);
    auto *ligneBoutons = new QHBoxLayout;
    ligneBoutons->addWidget(Button_dev);
    ligneBoutons->addWidget(Button_red);
    gauche->addLayout(ligneBoutons);
    gauche->addWidget(Button_impr_list);
    gauche->addStretch();
    // The detail of the selected pupil beside the tree; the teacher moves
    // the split to read long names or wide grids.
    m_bilan = new PupilReportPanel(m_state, this);
    m_bilan->setCritere([this] { return GroupBox11->critere(m_state.masquer_tests_incomplets, m_state.objectifs); });
    auto *partage = new QSplitter(Qt::Horizontal, this);
    partage->addWidget(TreeView1);
    partage->addWidget(m_bilan);
    partage->setChildrenCollapsible(false);
    partage->setStretchFactor(0, 1);
    partage->setStretchFactor(1, 1);
    auto *rangee = new QHBoxLayout(this);
    rangee->setContentsMargins(10, 10, 10, 10);
    rangee->addLayout(gauche);
    rangee->addWidget(partage, 1);

    m_suivi = new QTimer(this);
    m_suivi->setInterval(50);
    connect(m_suivi, &QTimer::timeout, this, [this] {
        if (!m_partage)
            return;
        m_progression->setMaximum(qMax(1, int(m_partage->total)));
        m_progression->setValue(m_partage->fait);
    });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &SuiviTab::ComboBox1Change);
    connect(Button3, &QPushButton::clicked, this, &SuiviTab::Button_liste_elevesClick);
    connect(Button_dev, &QPushButton::clicked, TreeView1, &QTreeWidget::expandAll);
    connect(Button_red, &QPushButton::clicked, TreeView1, &QTreeWidget::collapseAll);
    connect(Button_impr_list, &QPushButton::clicked, this, &SuiviTab::Button_impr_listClick);
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, &SuiviTab::TreeView1Changing);
}

SuiviTab::~SuiviTab()
{
    if (m_travail) {
        // Closed while the list is being built: stop the work, and since the
        // thread's end will never reach this tab, delete the thread here.
        m_partage->arret = true;
        m_travail->wait();
        delete m_travail;
        QApplication::restoreOverrideCursor();
    }
}

void SuiviTab::charge()
{
    GroupBox11->initialise_dates(m_env.clock ? m_env.clock->now().date() : QDate::currentDate());

    const QSignalBlocker bloque(ComboBox1);
    ComboBox1->clear();
    ComboBox1->addItems(PupilFolders::listSubfolders(m_state.dossier_eleves));
    ComboBox1->addItem(kAucun);
    // The school this workstation works for comes first to the eye.
    const int ici = ComboBox1->findText(m_state.nom_etablissement);
    ComboBox1->setCurrentIndex(ici >= 0 ? ici : 0);
    ComboBox1Change();
}

void SuiviTab::ComboBox1Change()
{
    const bool aucun = ComboBox1->currentText() == kAucun;
    ComboBox2->clear();
    Label_annee->setVisible(!aucun);
    ComboBox2->setVisible(!aucun);
    if (aucun)
        return;
    ComboBox2->addItems(PupilFolders::listSubfolders(Paths::join(m_state.dossier_eleves, ComboBox1->currentText()),
                                                     QStringLiteral("2*")));
    ComboBox2->setCurrentIndex(ComboBox2->count() - 1);
}

QString SuiviTab::dossierStats() const
{
    return m_state.dossier_stats_local.isEmpty()
               ? Paths::join(m_env.programFolder, QStringLiteral("Statistiques"))
               : m_state.dossier_stats_local;
}

bool SuiviTab::Button_liste_elevesClick()
{
    if (m_travail)
        return false;
    m_partage = std::make_shared<Travail>();
    ClassFollowUp::Demande &d = m_partage->demande;
    d.dossierEleves = m_state.dossier_eleves;
    const bool aucun = ComboBox1->currentText() == kAucun;
    d.etablissement = aucun ? QString() : ComboBox1->currentText();
    d.annee = ComboBox2->currentText();
    d.premier = GroupBox11->premier()->isChecked();
    d.date = d.premier ? GroupBox11->datePremier()->date() : GroupBox11->dateDernier()->date();
    d.mesure = RadioButton9->isChecked() ? ClassFollowUp::Mesure::Vitesse : ClassFollowUp::Mesure::Score;
    d.ordre = RadioButton25->isChecked()   ? ClassFollowUp::Ordre::Nom
              : RadioButton37->isChecked() ? ClassFollowUp::Ordre::Date
                                           : ClassFollowUp::Ordre::Resultat;
    d.masquerIncomplets = m_state.masquer_tests_incomplets;
    d.objectifs = m_state.objectifs;
    d.tempsAcceptable = m_state.temps_acceptable > 0 ? m_state.temps_acceptable : 4;
    d.maintenant = m_env.clock ? m_env.clock->now() : QDateTime::currentDateTime();

    Button3->setEnabled(false);
    m_progression->setValue(0);
    m_progression->setVisible(true);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_suivi->start();

    const std::shared_ptr<Travail> partage = m_partage;
    m_travail = QThread::create([partage] {
        partage->liste = ClassFollowUp::construit(partage->demande, [partage](int fait, int total) {
            partage->fait = fait;
            partage->total = total;
            return !partage->arret;
        });
    });
    connect(m_travail, &QThread::finished, this, &SuiviTab::termine);
    m_travail->start();
    return true;
}

void SuiviTab::termine()
{
    m_suivi->stop();
    m_travail->deleteLater();
    m_travail = nullptr;
    QApplication::restoreOverrideCursor();
    m_progression->setVisible(false);
    Button3->setEnabled(true);
    const std::shared_ptr<Travail> partage = std::move(m_partage);
    if (partage->liste.interrompue)
        return;

    const ClassFollowUp::Demande &demande = partage->demande;
    const bool avecRecords = !demande.etablissement.isEmpty();
    QString erreur;
    if (!ClassFollowUp::enregistre(partage->liste, dossierStats(), avecRecords, &erreur))
        Dialogs::warning(this, QStringLiteral("Liste élèves"), erreur);
    if (avecRecords)
        m_state.liste_records = partage->liste.records;
    // The tree, its paths and the printed list all show the list just built,
    // which is what the file holds once saved; when the save failed they
    // still agree with each other, so that a node chosen is that pupil.
    m_lignes = partage->liste.lignes;
    m_chemins = partage->liste.chemins;
    m_sansClasses = demande.etablissement.isEmpty();
    // A class's reports are those of the school the list was built for.
    m_bilan->setEcole(m_sansClasses ? BilanExport::Ecole{}
                                    : BilanExport::Ecole{demande.etablissement,
                                                         PupilFolders::schoolFolder(demande.dossierEleves,
                                                                                    demande.etablissement)});
    charge_arbre(m_lignes);
    Button3->setText(QStringLiteral("Rafraîchir liste"));
    Button3->setAccessibleName(QStringLiteral("Rafraîchir liste"));
    for (QPushButton *b : {Button_dev, Button_red, Button_impr_list})
        b->setVisible(true);
    if (TreeView1->topLevelItemCount() > 0)
        TreeView1->topLevelItem(0)->setExpanded(true);
    emit listeConstruite();
}

void SuiviTab::charge_arbre(const QStringList &lignes)
{
    TreeView1->clear();
    QList<QTreeWidgetItem *> items;
    const QList<ClassFollowUp::Noeud> noeuds = ClassFollowUp::arbre(lignes);
    items.reserve(noeuds.size());
    for (qsizetype i = 0; i < noeuds.size(); ++i) {
        const ClassFollowUp::Noeud &n = noeuds.at(i);
        auto *item = n.parent < 0 ? new QTreeWidgetItem(TreeView1) : new QTreeWidgetItem(items.at(n.parent));
        item->setText(0, n.texte);
        item->setData(0, Qt::UserRole, int(i));
        items.append(item);
    }
}

void SuiviTab::Button_impr_listClick()
{
    if (m_lignes.isEmpty()) {
        Dialogs::information(this, QStringLiteral("Fichier non trouvé"), QStringLiteral("Impossible d'imprimer!"));
        return;
    }
    if (!m_texte)
        m_texte = new TTexte(this);
    m_texte->setTexte(m_lignes);
    m_texte->afficher(QStringLiteral("Liste élèves "));
}

// A pupil is shown with the class he is listed under: the class line is his
// parent in a list of classes. The list without establishment has no class
// lines (its header counts the pupils), so its pupils go without a class.
void SuiviTab::TreeView1Changing(QTreeWidgetItem *item)
{
    const int index = item ? item->data(0, Qt::UserRole).toInt() : -1;
    if (index < 0 || index >= m_chemins.size()) {
        m_bilan->TreeView1Changing(QString(), QString());
        return;
    }
    QString ligneClasse;
    if (!m_sansClasses) {
        int profondeur = 0;
        for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
            ++profondeur;
        if (profondeur == 1)
            ligneClasse = item->text(0);
        else if (profondeur == 2)
            ligneClasse = item->parent()->text(0);
    }
    m_bilan->TreeView1Changing(m_chemins.at(index), ligneClasse);
}
