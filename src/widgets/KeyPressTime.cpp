#include "widgets/KeyPressTime.h"

#include "core/Clock.h"

#include <QElapsedTimer>
#include <QKeyEvent>

namespace KeyPressTime {

qint64 maintenantSysteme()
{
    QElapsedTimer t;
    t.start();
    return t.msecsSinceReference();
}

qint64 age(quint64 timestamp, qint64 nowSystemMs)
{
    if (timestamp == 0)
        return -1;
    const qint32 difference = qint32(quint32(quint64(nowSystemMs)) - quint32(timestamp));
    if (difference < -kAvanceMaxMs || difference > kAgeMaxMs)
        return -1;
    return std::max<qint64>(0, difference);
}

qint64 instant(const QKeyEvent *event, const Clock &clock)
{
    const qint64 maintenant = clock.monotonicMs();
    const qint64 a = event ? age(event->timestamp(), maintenantSysteme()) : -1;
    return a < 0 ? maintenant : maintenant - a;
}

} // namespace KeyPressTime
