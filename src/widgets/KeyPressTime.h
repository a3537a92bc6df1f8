#pragma once

#include <QtGlobal>

class Clock;
class QKeyEvent;

// When a key was really pressed, on the clock's monotonic tick.
//
// A key event can reach the window late: the machine is busy, the window is
// repainting its tiles. The windowing system stamps each key with the time of
// the press in milliseconds of the system's monotonic clock (X11, Wayland);
// when that stamp is a plausible recent moment of the same clock, the press is
// dated from it, otherwise from the event's arrival.
namespace KeyPressTime {

// How old a stamp may be and still be trusted, in milliseconds.
inline constexpr qint64 kAgeMaxMs = 2000;
// A stamp may be a little ahead of the reading taken here (coarse clocks).
inline constexpr qint64 kAvanceMaxMs = 50;

qint64 instant(const QKeyEvent *event, const Clock &clock);

// The age of a stamp read at the system tick nowSystemMs, or -1 when the
// stamp cannot be trusted. Stamps are 32-bit milliseconds that wrap around.
qint64 age(quint64 timestamp, qint64 nowSystemMs);

// The system tick the stamps are compared with (milliseconds, monotonic).
qint64 maintenantSysteme();

} // namespace KeyPressTime
