#pragma once

#include "core/SessionState.h"

#include <QDialog>

class EtablissementTab;
class MaintenanceTab;
class ObjectifsTab;
class ParametresTab;
class SuiviTab;
class StatElevesTab;
class StatProduitsTab;
class TStats;
class Tstats_el;
class QTabWidget;

// The teacher window: every administrative function, one tab each. Created
// once and shown modally from the main window, or at start-up when the new
// school year has no levels and classes yet; closing it then ends the program.
class TProfesseur : public QDialog
{
    Q_OBJECT

public:
    enum Onglet {
        OngletEtablissement = 0,
        OngletParametres = 1,
        OngletObjectifs = 2,
        OngletSuivi = 3,
        OngletStatProduits = 4,
        OngletStatEleves = 5,
        OngletMaintenance = 6,
    };

    TProfesseur(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    // Set when the window opens for a new school year; kept for the run.
    void setNouvelleAnnee(bool nouvelle);
    bool nouvelleAnnee() const { return m_nouvelleAnnee; }

    QTabWidget *classeur() const { return Classeur; }
    EtablissementTab *etablissement() const { return m_etablissement; }
    SuiviTab *suivi() const { return m_suivi; }
    StatProduitsTab *statProduits() const { return m_statProduits; }
    StatElevesTab *statEleves() const { return m_statEleves; }
    // The statistics windows the program made once; the tabs show them.
    void setFenetresStats(TStats *stats, Tstats_el *statsEl);

signals:
    // The window was closed for a new school year: the program must end.
    void programmeDoitFermer();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int resultat) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void occupeEcran();
    void FormShow();
    void FormActivate();
    void FormClose();
    void etablissementEnregistre();
    QStringList nomsNiveaux() const;

    SessionState &m_state;
    Environment m_env;
    bool m_nouvelleAnnee = false;

    QTabWidget *Classeur = nullptr;
    EtablissementTab *m_etablissement = nullptr;
    ParametresTab *m_parametres = nullptr;
    ObjectifsTab *m_objectifs = nullptr;
    SuiviTab *m_suivi = nullptr;
    MaintenanceTab *m_maintenance = nullptr;
    StatProduitsTab *m_statProduits = nullptr;
    StatElevesTab *m_statEleves = nullptr;
};
