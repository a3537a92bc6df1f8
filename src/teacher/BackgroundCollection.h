#pragma once

#include "core/ClassTestCollector.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <memory>

class QProgressBar;
class QThread;

// Reads the pupils' history files of the ticked classes off the interface
// thread, so that the teacher window stays responsive, and shows how far it
// went in a progress bar. One collection at a time.
class BackgroundCollection : public QObject
{
    Q_OBJECT

public:
    explicit BackgroundCollection(QProgressBar *barre, QObject *parent = nullptr);
    ~BackgroundCollection() override;

    bool enCours() const { return m_thread != nullptr; }
    // False when a collection is already running.
    bool lance(const QList<Niveau> &niveaux, const QSet<ClassTestCollector::Classe> &cochees,
               const QString &dossierAnnee, const QString &dossierEtablissement,
               const ClassTestCollector::Critere &critere);
    // Stops the running collection at the next pupil; annulee() follows.
    void annule();
    // Blocks until the running collection has ended (tests, closing); its
    // result arrives with the next turn of the event loop.
    void attend();

signals:
    void progression(int fait, int total);
    void terminee(const ClassTestCollector::Resultat &resultat);
    void annulee();

private:
    QPointer<QProgressBar> m_barre;
    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic_bool> m_arret;
};
