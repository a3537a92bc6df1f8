#pragma once

// Num Lock and Caps Lock toggle states. The answer windows switch both on so
// that the numeric keypad types digits; the states found at program start
// are restored when the pupil leaves them. Where the platform gives no access
// to the keyboard (no X11 display, the offscreen platform of the tests)
// nothing happens and the functions report false.
namespace LockKeys {

// Reads both toggle states; false (and both set to false) when unknown.
bool lit_verrouillages(bool *num, bool *caps);

// Makes both toggle states the wanted ones, pressing and releasing a key
// only where the current state differs. True when both states are as wanted
// afterwards.
bool fixe_verrouillages(bool num, bool caps);

} // namespace LockKeys
