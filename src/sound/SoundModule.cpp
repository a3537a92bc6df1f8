// The program's sound, in a module of its own: loading Qt Multimedia and its
// codecs takes time and memory that a start never needs, so the module is
// loaded at the first beep (widgets/Beep), not with the program.

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QtMath>

extern "C" Q_DECL_EXPORT void tabulon_joue_son(int frequenceHz, int dureeMs)
{
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
}
