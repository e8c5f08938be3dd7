// How the task list waits for the applications it asked to close: passes
// over the closing tasks, one every ClosingPassInterval milliseconds. An
// application whose window has gone is done; one still there at
// QuestionPass (about a second after the close requests) is offered for
// termination once and then left alone.
//
// What a pass looks at and does is behind ClosingWorld, so that the passes
// themselves are plain code.
#pragma once

#include "framework/String.h"

#include <atomic>
#include <cstdint>
#include <vector>

inline constexpr int QuestionPass = 20;
inline constexpr unsigned ClosingPassInterval = 50;  // milliseconds
// A window title and class are kept with at most this many characters.
inline constexpr int MaxClosingText = 260;

// One application asked to close: its window and process as they were when
// the request went, and the window's title and class, which identify it
// later (a window handle may be used again).
struct ClosingTask {
    std::uintptr_t window = 0;
    unsigned long processId = 0;
    String title;
    String className;
};

class ClosingWorld {
public:
    // Whether the application's window is still there.
    virtual bool StillOpen(const ClosingTask& task) = 0;
    // The application did not close in time: ask whether to end it, and end
    // it when the user says so. `stop` is the stop request.
    virtual void OfferTermination(const ClosingTask& task, const std::atomic<bool>& stop) = 0;
    virtual void Pause(unsigned milliseconds) = 0;

protected:
    ~ClosingWorld() = default;
};

// Runs passes until no task is left or a stop is requested (tested after
// each task). Tasks done or offered are removed from `tasks`; what is left
// when a stop ends the passes stays there. Returns the number of passes run.
int RunClosingPasses(std::vector<ClosingTask>& tasks, ClosingWorld& world, const std::atomic<bool>& stop);
