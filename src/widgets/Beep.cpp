#include "widgets/Beep.h"

#ifdef TABULON_HAVE_MULTIMEDIA
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QtMath>
#endif

namespace {
int g_demandes = 0;
}

namespace Beep {

int demandes()
{
    return g_demandes;
}

void joue(int frequenceHz, int dureeMs)
{
    ++g_demandes;
#ifdef TABULON_HAVE_MULTIMEDIA
    const QAudioDevice sortie = QMediaDevices::defaultAudioOutput();
    if (sortie.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!sortie.isFormatSupported(format))
        return;
    const int echantillons = format.sampleRate() * dureeMs / 1000;
    QByteArray son(echantillons * 2, Qt::Uninitialized);
    auto *donnees = reinterpret_cast<qint16 *>(son.data());
    for (int i = 0; i < echantillons; ++i)
        donnees[i] = qint16(12000 * qSin(2 * M_PI * frequenceHz * i / format.sampleRate()));
    auto *tampon = new QBuffer(qApp);
    tampon->setData(son);
    tampon->open(QIODevice::ReadOnly);
    auto *sink = new QAudioSink(sortie, format, qApp);
    QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink, tampon](QAudio::State etat) {
        if (etat == QAudio::IdleState || etat == QAudio::StoppedState) {
            sink->stop();
            sink->deleteLater();
            tampon->deleteLater();
        }
    });
    sink->start(tampon);
#else
    Q_UNUSED(frequenceHz);
    Q_UNUSED(dureeMs);
#endif
}

} // namespace Beep
