// The SIM card's capability figures and the process-wide state around them:
// the open SIM handle, the SIM-ready flag and the phonebooks-loaded flag.
//
// The figures are refreshed from the platform's notification thread as well
// as from the main thread, so they are copied in and out under a lock and the
// flags are atomic.
#pragma once

#include "platform/sim/SimManager.h"

#include <windows.h>

#include <atomic>
#include <mutex>

// The four figures the program uses.
struct SimFigures {
    DWORD minIndex = 0;      // first SIM position number
    DWORD maxIndex = 0;      // last SIM position number
    DWORD numberLength = 0;  // characters of a number
    DWORD nameLength = 0;    // characters of a name
};

// Positions of a store as shown to the user: max - min + 1, a result of 1
// shown as 0 (such a card reports no real phonebook).
DWORD Capacity(const SimFigures& figures) noexcept;

// The string shown when the capability query fails with `result`.
UINT CapsFailureMessage(HRESULT result) noexcept;

class SimCaps {
public:
    // The one holder of the process.
    static SimCaps& Instance() noexcept;

    // Queries all capabilities (type 63) on the attached handle; sets the
    // ready flag on success, clears it otherwise. Safe on any thread.
    HRESULT Refresh() noexcept;

    SimFigures Figures() const noexcept;
    DWORD Capacity() const noexcept { return ::Capacity(Figures()); }

    bool Ready() const noexcept { return m_ready.load(); }
    bool PhonebooksLoaded() const noexcept { return m_loaded.load(); }
    void SetPhonebooksLoaded(bool loaded) noexcept { m_loaded.store(loaded); }

    // The handle the refresh queries; SimAccess attaches it when it opens the
    // SIM and detaches it before closing, so a late notification finds none.
    void Attach(HSIM sim) noexcept { m_sim.store(sim); }
    void Detach() noexcept { m_sim.store(nullptr); }
    HSIM Handle() const noexcept { return m_sim.load(); }

    // Forgets figures and flags (a new start, and between tests).
    void Reset() noexcept;

private:
    SimCaps() = default;

    mutable std::mutex m_lock;
    SimFigures m_figures;
    std::atomic<HSIM> m_sim{nullptr};
    std::atomic<bool> m_ready{false};
    std::atomic<bool> m_loaded{false};
};
