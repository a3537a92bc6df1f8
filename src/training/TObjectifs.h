#pragma once

#include <QDialog>
#include <QMap>

class QFrame;
class QLabel;
class QToolButton;
struct Environment;
struct SessionState;

// The "Objectifs" window: the tables the pupil "doit savoir", as toggle
// buttons. Each toggle rewrites the objectives and the studied products at
// once (ObjectiveTables); at least one table always stays down.
class TObjectifs : public QDialog
{
    Q_OBJECT

public:
    TObjectifs(SessionState &state, const Environment &env, QWidget *parent = nullptr);
    // "classiques" or "etendues": which tables the window is about.
    void setTypeTables(const QString &type);
    QString typeTables() const { return m_typeTables; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QFrame *panneau(const QString &nom, const QList<int> &numeros);
    void FormShow();
    void maj_produits_etudies();

    SessionState &m_state;
    QString m_typeTables = QStringLiteral("classiques");
    QLabel *m_label1 = nullptr;
    QFrame *m_panel29 = nullptr;
    QFrame *m_panel1219 = nullptr;
    QMap<int, QToolButton *> m_boutons;
    QMap<int, QLabel *> m_labels;
};
