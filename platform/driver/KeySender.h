// Typing on the handset: keystrokes as real keyboard input to the window in
// front, and waiting until the program in front has dealt with them.
#pragma once

#include "platform/driver/KeyNames.h"

#include <vector>

namespace vellumate {

// Sends each keystroke (down, then up), letting the program in front settle
// after each one so that the next key reaches whatever the last one opened.
// False when the system refused the input.
bool SendKeys(const std::vector<KeyStroke>& strokes);

// Waits until the foreground program has processed what is queued for it and
// the foreground window has stopped changing (bounded to about a second), then
// lets the shell's title strip catch up with the window in front.
void SettleForeground();

}  // namespace vellumate
