#include "teacher/BackgroundCollection.h"

#include <QProgressBar>
#include <QThread>

BackgroundCollection::BackgroundCollection(QProgressBar *barre, QObject *parent)
    : QObject(parent)
    , m_barre(barre)
{
    if (m_barre)
        m_barre->hide();
    connect(this, &BackgroundCollection::progression, this, [this](int fait, int total) {
        if (!m_barre)
            return;
        m_barre->setRange(0, std::max(total, 1));
        m_barre->setValue(fait);
    });
}

BackgroundCollection::~BackgroundCollection()
{
    if (m_arret)
        m_arret->store(true);
    attend();
    delete m_thread;
}

bool BackgroundCollection::lance(const QList<Niveau> &niveaux, const QSet<ClassTestCollector::Classe> &cochees,
                                 const QString &dossierAnnee, const QString &dossierEtablissement,
                                 const ClassTestCollector::Critere &critere)
{
    if (m_thread)
        return false;
    if (m_barre) {
        m_barre->setRange(0, 0);
        m_barre->show();
    }
    m_arret = std::make_shared<std::atomic_bool>(false);
    auto resultat = std::make_shared<ClassTestCollector::Resultat>();
    const auto arret = m_arret;
    m_thread = QThread::create([=, this]() {
        int dernier = -1;
        *resultat = ClassTestCollector::collecte(niveaux, cochees, dossierAnnee, dossierEtablissement, critere,
                                                 [&](int fait, int total) {
                                                     // A few dozen updates are enough for the bar.
                                                     const int pas = std::max(total / 50, 1);
                                                     if (fait == total || fait - dernier >= pas) {
                                                         dernier = fait;
                                                         emit progression(fait, total);
                                                     }
                                                     return !arret->load();
                                                 });
    });
    connect(m_thread, &QThread::finished, this, [this, resultat]() {
        m_thread->deleteLater();
        m_thread = nullptr;
        if (m_barre)
            m_barre->hide();
        if (resultat->annule)
            emit annulee();
        else
            emit terminee(*resultat);
    });
    m_thread->start();
    return true;
}

void BackgroundCollection::annule()
{
    if (m_thread && m_arret)
        m_arret->store(true);
}

void BackgroundCollection::attend()
{
    if (m_thread)
        m_thread->wait();
}
