// Where the handset's SIM card file is, reading it as it is now, and
// replacing it durably so that two processes never lose each other's change.
#pragma once

#include "platform/sim/SimCardFile.h"
#include "platform/sim/SimManager.h"

#include <functional>
#include <memory>
#include <string>

namespace vellumate::sim {

// Names the card file itself; otherwise it is "sim.txt" in the folder of the
// device profile (VELLUMATE_PROFILE).
inline constexpr wchar_t SimVariable[] = L"VELLUMATE_SIM";
inline constexpr wchar_t SimCardFileName[] = L"sim.txt";
// Held by every process while it reads, changes and replaces the file.
inline constexpr wchar_t SimCardMutexName[] = L"VellumateSimCard";

// The card file's Windows path; empty when neither variable is set (no card).
std::wstring SimCardPath();

struct CardSnapshot {
    enum class State {
        NoFile,      // no card file: no card in the handset
        Unreadable,  // the file exists but cannot be read
        Damaged,     // not a card file (see problem)
        Readable,
    };
    State state = State::NoFile;
    std::shared_ptr<const SimCard> card;  // set when Readable
    SimProblem problem;
};

// The file as it is now. Parsed again only when the file's identity, size or
// last-write time changed; safe on any thread.
CardSnapshot ReadSimCardFile(const std::wstring& path) noexcept;

// What a call may do with the card: S_OK, or SIM_E_NOSIM (no file, no card
// inserted), SIM_E_SIMFAILURE (a file that is no card), SIM_E_RADIOOFF.
HRESULT CardAccess(const CardSnapshot& snapshot) noexcept;

// Changes the card: under the card mutex, reads the file afresh and, when
// CardAccess allows it, hands the card to `edit`, which returns S_OK to have the changed card written,
// S_FALSE when there is nothing to write, or an error, which is returned as
// it is with the file untouched. The new card goes to a file beside the old
// one, is flushed and renamed over it; S_OK only when the rename succeeded.
// A file that is no card is never rewritten.
using CardEdit = std::function<HRESULT(SimCard&)>;
HRESULT ChangeSimCardFile(const std::wstring& path, const CardEdit& edit) noexcept;

}  // namespace vellumate::sim
