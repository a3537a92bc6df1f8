#pragma once

#include "core/SessionState.h"
#include "platform/SingleInstance.h"

#include <QObject>
#include <QPointer>
#include <functional>

class Tgeneral;
class QWidget;

// The program from its start to its end: the single-instance guard, the
// main window (the others are built when first needed), the session start-up, the
// school's set-up, the identification, then the event loop of the main
// window. Everything outside comes in through the Environment, so that a
// test can run a whole start in a temporary folder with a fixed clock.
class TabulonApp : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QString nomGarde = QStringLiteral("_Tabulon");
        // Folder of the guard's lock file; empty for the system's temporary folder.
        QString dossierGarde;
        // Stop as soon as the first window has been shown (identification or
        // the teacher's establishment tab): it is closed at once and run()
        // returns without entering the event loop.
        bool arretPremiereFenetre = false;
    };

    explicit TabulonApp(const Environment &env, Options options);
    explicit TabulonApp(const Environment &env) : TabulonApp(env, Options()) {}
    ~TabulonApp() override;

    // Called once, when the first window is on the screen.
    using PremiereFenetre = std::function<void(QWidget *fenetre)>;
    void setPremiereFenetre(PremiereFenetre observateur) { m_observateur = std::move(observateur); }

    // The whole run; its exit code. A second copy returns 0 at once, silently.
    int run();

    bool instanceRefusee() const { return m_instanceRefusee; }
    SessionState &state() { return m_state; }
    Tgeneral *general() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void surveille(QWidget *fenetre);
    void cree_fenetre_principale();
    bool prepare_ecole();
    void montre_fenetre_principale();
    void termine();

    Environment m_env;
    Options m_options;
    SessionState m_state;
    SingleInstance m_garde;
    QPointer<Tgeneral> m_general;
    PremiereFenetre m_observateur;
    bool m_premiereVue = false;
    bool m_arret = false;
    bool m_instanceRefusee = false;
};
