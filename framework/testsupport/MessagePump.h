// Bounded message pumps for tests that drive windows of their own thread.
// Every loop here ends: at its time limit, or when the queue stays empty.
#pragma once

#include <windows.h>

#include <functional>

namespace vellumate {

// Dispatches this thread's messages for `milliseconds` (at least one pass).
void PumpFor(DWORD milliseconds);

// Dispatches this thread's messages until `done` holds; true when it did
// within `timeout` milliseconds.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout = 5000);

// Waits without taking any message until `done` holds (another thread makes
// it so); true when it did within `timeout` milliseconds.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout = 10000);

// Dispatches this thread's messages until `quietPasses` passes in a row found
// the queue empty, sleeping `pause` milliseconds between passes (time for
// other threads to answer). A message that keeps coming ends it after 10 s.
void PumpUntilQuiet(int quietPasses = 2, DWORD pause = 0);

// Removes the quit messages queued for this thread: a main window's end posts
// one for the program's loop, which must not end a later test's modal loop.
void DropQuitMessages();

}  // namespace vellumate
