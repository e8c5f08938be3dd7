// What the handset's own small programs (the document viewer, the mail
// program, the beam receiver, the program that ignores close requests) share:
// one full-screen page of text in the handset's colours, closed by Back, that
// ends its program when it goes.
#pragma once

#include "platform/Painting.h"

#include <windows.h>

namespace vellumate {

// Fills the page's background and readies its text colours; returns the
// box inside the margins that the text goes into.
RECT BeginPage(const BufferedPaint& paint) noexcept;

// The messages every page answers alike: Back (on its release, when
// `backCloses`) closes it, the background is painted with the page, and the
// page going ends the program. True when `message` was answered.
bool HandlePageMessage(HWND page, UINT message, LPARAM lParam, bool backCloses, LRESULT& result) noexcept;

// The program's message loop, until its page has gone.
int RunPageLoop() noexcept;

}  // namespace vellumate
