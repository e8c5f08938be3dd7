// A SIM session's watch of the card file: a thread of the platform's own
// that notices the file's changes (a folder change notification, with a
// short poll besides, as Wine may tell of a change late) and tells them to
// the session's callback as the card's notifications.
#pragma once

#include "platform/sim/SimCardFile.h"
#include "platform/sim/SimManager.h"

#include "platform/Handles.h"

#include <memory>

namespace vellumate::sim {

class SimWatch {
public:
    SimWatch(SIMCALLBACK callback, DWORD param);
    ~SimWatch();
    SimWatch(const SimWatch&) = delete;
    SimWatch& operator=(const SimWatch&) = delete;

    // Takes the card as it is now as the state to compare with and starts
    // the thread; false when the thread cannot be made.
    bool Start();

    // Ends the watch. From any other thread, returns once the thread has
    // ended (handling messages sent to the caller meanwhile, so that a
    // callback that sends one does not wait forever); from within the
    // callback, returns at once and the thread ends when the callback does.
    // Either way the callback is not called again.
    void Stop() noexcept;

    // A change made through this watch's own session, between Begin and End:
    // meanwhile the file is not compared, and a change that was made is taken
    // into the state compared with, so that the session does not hear of it.
    void BeginOwnChange() noexcept;
    void EndOwnChange(bool made, std::uint32_t storage, std::uint32_t position, const SimEntry* entry) noexcept;

    struct State;  // shared with the thread

private:
    std::shared_ptr<State> m_state;
    KernelHandle m_thread;
    DWORD m_threadId = 0;
};

}  // namespace vellumate::sim
