#pragma once

#include "core/SessionState.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

// The "Maintenance" tab: rename a pupil's file, join two files of one pupil,
// delete a pupil's file; the class links of every year follow.
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

signals:
    // Pupil files changed: the class list is out of date.
    void fichiersModifies();

private:
    void choisit(QLineEdit *champ);

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
};
