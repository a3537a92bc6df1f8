#pragma once

#include "core/SessionState.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTreeWidget;

// The "Maintenance" tab: rename a pupil's file, join two files of one pupil,
// delete a pupil's file; the class links of every year follow. Below, the
// sessions of file 1 are shown so that the teacher sees whose file it is
// before he acts on it; the tests cannot be edited there yet.
class MaintenanceTab : public QWidget
{
    Q_OBJECT

public:
    MaintenanceTab(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    // The file dialogs start in this folder (the establishment's).
    void setDossierDepart(const QString &dossier) { m_depart = dossier; }
    const QString &dossierDepart() const { return m_depart; }

    bool Renomme_fichier();
    bool fusionne_deux_fichiers();
    bool supprime_fichier();

    QTreeWidget *arbre() const { return TreeView2; }

signals:
    // Pupil files changed: the class list is out of date.
    void fichiersModifies();

private:
    void choisit(QLineEdit *champ);
    // TreeView2: one node per session of file 1, its activities beneath.
    void montre_fichier1();

    SessionState &m_state;
    Environment m_env;
    QString m_depart;

    QLineEdit *Edit_fichier1 = nullptr;
    QLineEdit *Edit_fichier2 = nullptr;
    QLineEdit *Edit_nouveau_nom = nullptr;
    QPushButton *Button_ChoixFichier1 = nullptr;
    QPushButton *Button_ChoixFichier2 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button_fusionne = nullptr;
    QPushButton *Button2 = nullptr;
    QTreeWidget *TreeView2 = nullptr;
    QPushButton *Button_supprime_test = nullptr;
    QPushButton *Button_enregistre = nullptr;
};
