#pragma once

// A short tone through the default audio output. Where the program was
// built without an audio library or the machine has no output, nothing is
// played and nothing is said: a missing beep must never stop a pupil.
namespace Beep {

void joue(int frequenceHz, int dureeMs);
// How many beeps were asked for since the program started (for the tests).
int demandes();

} // namespace Beep
