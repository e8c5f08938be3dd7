// The object behind an HSIM: what one SimInitialize opened. Handles are the
// objects' addresses, looked up in a table of open sessions before use, so
// that a stale or made-up handle is refused instead of followed.
#pragma once

#include "platform/sim/SimCardFile.h"
#include "platform/sim/SimManager.h"

#include <memory>

namespace vellumate::sim {

class SimWatch;

class SimSession {
public:
    // With a callback, the card's changes are told to it from a thread of
    // the session's own.
    SimSession(SIMCALLBACK callback, DWORD param);
    ~SimSession();
    SimSession(const SimSession&) = delete;
    SimSession& operator=(const SimSession&) = delete;

    // Starts the watch; false when its thread cannot be made.
    bool Start();
    // Stops the watch: once this returns the callback is not called again.
    void Stop() noexcept;

    // Around a change this session makes itself, so that its own callback
    // does not hear of it as the card's (`entry` null for a deletion).
    void BeginOwnChange() noexcept;
    void EndOwnChange(bool made, std::uint32_t storage, std::uint32_t position, const SimEntry* entry) noexcept;

private:
    SIMCALLBACK m_callback;
    DWORD m_param;
    std::unique_ptr<SimWatch> m_watch;
};

// S_OK with a new session's handle, or an error with `handle` null.
HRESULT OpenSimSession(SIMCALLBACK callback, DWORD param, HSIM& handle) noexcept;
// Closes a session: false for a handle that is not open.
bool CloseSimSession(HSIM handle) noexcept;
// The open session of a handle, or null.
std::shared_ptr<SimSession> FindSimSession(HSIM handle) noexcept;

}  // namespace vellumate::sim
