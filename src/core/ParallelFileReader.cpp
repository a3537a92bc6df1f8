#include "core/ParallelFileReader.h"

#include "core/PupilHistory.h"

#include <QFile>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace ParallelFileReader {
namespace {

// A file's bytes, read whole into a buffer kept from one file to the next.
// (Mapping the files instead was measured slower: page faults cost more
// than the copy.)
class Lecture
{
public:
    // False when the file does not open.
    bool ouvre(const QString &chemin)
    {
        m_fichier.setFileName(chemin);
        if (!m_fichier.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return false;
        // A file far larger than any pupil's history is not one: it is handed
        // over empty rather than read whole into memory on every thread.
        const qint64 taille = m_fichier.size() > PupilHistory::kTailleMaxFichier ? 0 : m_fichier.size();
        m_tampon.resize(taille);
        const qint64 lu = taille > 0 ? m_fichier.read(m_tampon.data(), taille) : 0;
        m_tampon.resize(qMax<qint64>(0, lu));
        m_fichier.close();
        return true;
    }
    QByteArrayView contenu() const { return m_tampon; }

private:
    QFile m_fichier;
    QByteArray m_tampon;
};

} // namespace

int aides_pour(int total)
{
    // Starting threads costs more than a few files take.
    return total > 16 ? std::clamp(QThread::idealThreadCount(), 1, 4) - 1 : 0;
}

bool traite_tout(const QStringList &chemins, const Traitement &traitement, const Progres &progres, int aides)
{
    const int total = int(chemins.size());
    // A pass stopped before it starts reads nothing.
    if (progres && !progres(0, total))
        return false;
    std::atomic<int> prochain{0};
    std::atomic<int> faits{0};
    std::atomic<bool> arret{false};
    std::mutex verrou;
    std::condition_variable finie;
    int aidesFinies = 0;
    const auto traite = [&](Lecture &lecture, int i) {
        if (lecture.ouvre(chemins.at(i))) {
            const QByteArrayView contenu = lecture.contenu();
            traitement(i, &contenu);
        } else {
            traitement(i, nullptr);
        }
        ++faits;
    };
    const auto travail = [&] {
        Lecture lecture;
        for (int i = prochain++; i < total && !arret; i = prochain++)
            traite(lecture, i);
        const std::lock_guard<std::mutex> garde(verrou);
        ++aidesFinies;
        finie.notify_one();
    };
    std::vector<std::thread> threads;
    const int n = aides >= 0 ? aides : aides_pour(total);
    for (int k = 0; k < n; ++k)
        threads.emplace_back(travail);
    // This thread works too, and reports progress between its files.
    Lecture lecture;
    for (int i = prochain++; i < total && !arret; i = prochain++) {
        traite(lecture, i);
        if (progres && !progres(qMin(int(faits), total), total))
            arret = true;
    }
    // The helpers may still be busy, or may have taken every file while this
    // thread was kept off the processor: progress and stopping go on meanwhile.
    {
        std::unique_lock<std::mutex> attente(verrou);
        while (aidesFinies < n) {
            if (finie.wait_for(attente, std::chrono::milliseconds(20)) == std::cv_status::timeout && progres
                && !arret) {
                attente.unlock();
                if (!progres(qMin(int(faits), total), total))
                    arret = true;
                attente.lock();
            }
        }
    }
    for (std::thread &t : threads)
        t.join();
    if (arret)
        return false;
    if (progres)
        progres(total, total);
    return true;
}

} // namespace ParallelFileReader
