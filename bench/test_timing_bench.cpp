// How faithfully the test window times an answer.
//
// A feeder thread plays the pupil: for each question it presses the first
// digit after a known delay (300 to 3000 ms after the question was shown),
// posting real key events into the window's event loop, while a widget of the
// window keeps repainting and takes several milliseconds per frame. The
// delay the feeder really kept (read on the same monotonic clock when it
// posts the key) is compared with the response time the test recorded.
//
// Three runs: keys stamped with their press time as the windowing system
// stamps them, keys without a stamp (dated on arrival) under the busy
// repaint, and keys without a stamp on an idle window.
//
// Usage: test_timing_bench [questions per run (default 24)] [ms per busy frame (default 8)]

#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/RandomSource.h"
#include "core/SessionState.h"
#include "widgets/KeyPressTime.h"
#include "timedtest/Ttest.h"
#include "widgets/Dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// Repaints itself without pause, each frame taking the given time.
class RepeintureChargee : public QWidget
{
public:
    RepeintureChargee(int msParImage, QWidget *parent)
        : QWidget(parent)
        , m_ms(msParImage)
    {
    }
    int images = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QElapsedTimer t;
        t.start();
        QPainter p(this);
        int i = 0;
        while (t.elapsed() < m_ms) {
            p.fillRect(rect(), QColor::fromHsv((images * 7 + i++) % 360, 200, 220));
        }
        ++images;
        update();
    }

private:
    int m_ms;
};

// Lives in the feeder thread: presses the keys at the planned moments.
class Eleve : public QObject
{
public:
    Eleve(const Clock &clock, QLineEdit *champ, bool horodate)
        : m_clock(clock)
        , m_champ(champ)
        , m_horodate(horodate)
    {
    }

    // Called (queued) for each question: debutMs is the question's start on the clock.
    void planifie(qint64 debutMs, qint64 delaiMs, const QString &reponse, std::function<void(qint64)> verite)
    {
        const qint64 attente = std::max<qint64>(0, debutMs + delaiMs - m_clock.monotonicMs());
        QTimer::singleShot(std::chrono::milliseconds(attente), Qt::PreciseTimer, this, [=, this] {
            for (int i = 0; i < reponse.size(); ++i) {
                if (i > 0)
                    QThread::msleep(40);
                const qint64 maintenant = m_clock.monotonicMs();
                if (i == 0)
                    verite(maintenant - debutMs);
                envoie(QEvent::KeyPress, reponse[i]);
                envoie(QEvent::KeyRelease, reponse[i]);
            }
        });
    }

private:
    void envoie(QEvent::Type type, QChar chiffre)
    {
        auto *e = new QKeyEvent(type, Qt::Key_0 + chiffre.digitValue(), Qt::NoModifier, QString(chiffre));
        if (m_horodate)
            e->setTimestamp(quint64(quint32(KeyPressTime::maintenantSysteme())));
        QCoreApplication::postEvent(m_champ, e);
    }

    const Clock &m_clock;
    QLineEdit *m_champ;
    bool m_horodate;
};

struct Resultat
{
    QList<qint64> ecarts;   // recorded − true, in ms
    int images = 0;
    double secondes = 0;
};

Resultat mesure(int questions, int msParImage, bool horodate, const QString &dossier)
{
    SystemClock clock;
    SystemRandom hasard;
    Environment env;
    env.clock = &clock;
    env.random = &hasard;
    SessionState s;
    s.temps_acceptable = 6;
    s.temps_maximum = 15;
    s.chrono_test_visible = true;
    s.dossier_stats_local = dossier;
    s.eleve.nom = "Banc";
    s.eleve.prenom = "Essai";
    const QStringList tous = Catalogue::liste_produits_tables("tables_classiques");
    s.produits_etudies = tous.mid(0, std::min<qsizetype>(questions, tous.size()));
    s.objectifs = Catalogue::tables_des_produits(s.produits_etudies);

    Ttest fenetre(s, env);
    RepeintureChargee *charge = nullptr;
    if (msParImage > 0) {
        charge = new RepeintureChargee(msParImage, &fenetre);
        charge->setGeometry(0, 0, 120, 80);
    }
    auto *champ = fenetre.findChild<QLineEdit *>("MaskEdit1");

    QThread fil;
    auto *eleve = new Eleve(clock, champ, horodate);
    eleve->moveToThread(&fil);
    QObject::connect(&fil, &QThread::finished, eleve, &QObject::deleteLater);
    fil.start();

    Resultat r;
    QList<qint64> verites;
    QList<qint64> mesures;
    int rang = 0;
    const int n = int(s.produits_etudies.size());
    QObject::connect(&fenetre, &Ttest::questionPosee, &fenetre, [&] {
        const qint64 debut = fenetre.moteur().debut_question();
        const qint64 delai = n > 1 ? 300 + (2700LL * rang) / (n - 1) : 1000;
        const QString reponse = Catalogue::resultat_produit(fenetre.moteur().code_courant());
        ++rang;
        QMetaObject::invokeMethod(eleve, [=, &verites] {
            eleve->planifie(debut, delai, reponse, [&verites](qint64 v) {
                QMetaObject::invokeMethod(qApp, [&verites, v] { verites << v; }, Qt::QueuedConnection);
            });
        }, Qt::QueuedConnection);
    });
    QObject::connect(&fenetre, &Ttest::reponseEnregistree, &fenetre,
                     [&](const QString &, qint64 ms) { mesures << ms; });

    QEventLoop boucle;
    QObject::connect(&fenetre, &Ttest::testTermine, &boucle, &QEventLoop::quit);
    QTimer::singleShot(std::chrono::seconds(10 + 5 * n), &boucle, &QEventLoop::quit);
    QElapsedTimer duree;
    duree.start();
    fenetre.show();
    boucle.exec();
    r.secondes = duree.elapsed() / 1000.0;
    fil.quit();
    fil.wait();
    if (charge)
        r.images = charge->images;

    for (qsizetype i = 0; i < std::min(verites.size(), mesures.size()); ++i)
        r.ecarts << mesures[i] - verites[i];
    if (verites.size() != mesures.size() || mesures.size() != n)
        std::fprintf(stderr, "attention: %lld questions, %lld vérités, %lld mesures\n", qlonglong(n),
                     qlonglong(verites.size()), qlonglong(mesures.size()));
    return r;
}

void affiche(const char *titre, const Resultat &r)
{
    QList<qint64> absolus;
    qint64 somme = 0;
    for (qint64 e : r.ecarts) {
        absolus << std::llabs(e);
        somme += e;
    }
    std::sort(absolus.begin(), absolus.end());
    const qsizetype n = absolus.size();
    const double mediane = n == 0 ? 0 : (n % 2 ? absolus[n / 2] : (absolus[n / 2 - 1] + absolus[n / 2]) / 2.0);
    const qint64 pire = n == 0 ? 0 : absolus.last();
    const qint64 p90 = n == 0 ? 0 : absolus[std::min<qsizetype>(n - 1, qsizetype(std::ceil(0.9 * n)) - 1)];
    std::printf("%-44s n=%3lld  median |err| %5.1f ms  p90 %3lld ms  worst %3lld ms  mean err %+6.1f ms"
                "  frames %5d  (%.0f s)  %s\n",
                titre, qlonglong(n), mediane, qlonglong(p90), qlonglong(pire), n ? double(somme) / n : 0.0,
                r.images, r.secondes, (mediane <= 5 && pire <= 15) ? "within target" : "OUT OF TARGET");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Dialogs::setTestMode(true);
    // The first key event creates the keyboard device: let it be created in
    // this thread rather than in the feeder's.
    { QKeyEvent amorce(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier); }
    const int questions = argc > 1 ? std::max(2, atoi(argv[1])) : 24;
    const int msParImage = argc > 2 ? std::max(0, atoi(argv[2])) : 8;
    QTemporaryDir dossier;

    std::printf("Response-time error of the test window: %d questions per run, delays 300..3000 ms, "
                "busy frames of %d ms\n",
                questions, msParImage);
    affiche("keys stamped at press, busy repaint", mesure(questions, msParImage, true, dossier.path()));
    affiche("keys dated on arrival, busy repaint", mesure(questions, msParImage, false, dossier.path()));
    affiche("keys dated on arrival, idle window", mesure(questions, 0, false, dossier.path()));
    return 0;
}
