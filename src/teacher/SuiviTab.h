#pragma once

#include "core/SessionState.h"

#include <QStringList>
#include <QWidget>

#include <atomic>
#include <memory>

class PupilReportPanel;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QThread;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class TestSelectionBox;
class TTexte;

// The "Suivi de classes" tab: the chosen test of every pupil of an
// establishment's school year, class by class, with the class averages. The
// list is built off the interface thread (every history file is read), with
// a progress bar; a click while it is being built does not start another.
class SuiviTab : public QWidget
{
    Q_OBJECT

public:
    SuiviTab(SessionState &state, const Environment &env, QWidget *parent = nullptr);
    ~SuiviTab() override;

    // Establishments, their years and the dates, as the window opens.
    void charge();
    // Starts building the list; false when a pass is already running.
    bool Button_liste_elevesClick();
    bool enCours() const { return m_travail != nullptr; }

    // One path per line of the tree, in step with the list file.
    const QStringList &chemins() const { return m_chemins; }
    QTreeWidget *arbre() const { return TreeView1; }

signals:
    void listeConstruite();

private:
    void ComboBox1Change();
    void termine();
    void charge_arbre(const QStringList &lignes);
    void Button_impr_listClick();
    void TreeView1Changing(QTreeWidgetItem *item);
    QString dossierStats() const;

    SessionState &m_state;
    Environment m_env;
    QStringList m_lignes;   // the list shown in the tree
    QStringList m_chemins;
    bool m_sansClasses = false;

    struct Travail;
    std::shared_ptr<Travail> m_partage;
    QThread *m_travail = nullptr;
    QTimer *m_suivi = nullptr;

    QComboBox *ComboBox1 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QLabel *Label_annee = nullptr;
    TestSelectionBox *GroupBox11 = nullptr;
    QRadioButton *RadioButton7 = nullptr;
    QRadioButton *RadioButton9 = nullptr;
    QRadioButton *RadioButton25 = nullptr;
    QRadioButton *RadioButton26 = nullptr;
    QRadioButton *RadioButton37 = nullptr;
    QPushButton *Button3 = nullptr;
    QProgressBar *m_progression = nullptr;
    QPushButton *Button_dev = nullptr;
    QPushButton *Button_red = nullptr;
    QPushButton *Button_impr_list = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    PupilReportPanel *m_bilan = nullptr;
    TTexte *m_texte = nullptr;
};
