// SimAccess: the program's only road to the SIM card. It opens the SIM,
// builds the five phonebook stores with a slot per position, reads every
// entry into memory, and afterwards writes and deletes single entries as the
// commands ask. Messages go through SimMessages in the order the steps meet
// them; the model never shows a box itself.
#pragma once

#include "simmanager/EntryView.h"
#include "simmanager/PhonebookStore.h"
#include "simmanager/SimCaps.h"
#include "simmanager/SimMessages.h"

#include "platform/Handles.h"
#include "platform/sim/SimManager.h"

#include <windows.h>

#include <memory>

// An open SIM handle, closed with SimDeinitialize.
struct SimHandleTraits {
    using Handle = HSIM;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle sim) noexcept { SimDeinitialize(sim); }
};
using SimHandle = vellumate::UniqueHandle<SimHandleTraits>;

// The stores, by index.
enum StoreIndex : int {
    EmergencyStore = 0,    // storage code 1
    FixedDialStore = 1,    // 2
    LastDialStore = 2,     // 4
    OwnerNumberStore = 3,  // 8
    GenericStore = 4,      // 16, the one the program shows and edits
};

// The notification callback SimInitialize is given: codes 256 to 266 reach
// the main window (SimNotify.h); 256, 263 and 264 refresh the capabilities
// first. Runs on the platform's thread.
void SimNotificationCallback(DWORD code, const void* data, DWORD dataSize, DWORD param);

class SimAccess {
public:
    static constexpr int StoreCount = 5;
    static constexpr int PhoneTextLength = 32;  // own number, SMSC: 31 characters and the terminator

    SimAccess() = default;
    SimAccess(const SimAccess&) = delete;
    SimAccess& operator=(const SimAccess&) = delete;
    ~SimAccess() { Close(); }

    // Start-up: initialise with notifications, query the capabilities (error
    // 40198 when the radio is off, 40203 otherwise), build the five stores.
    // False when no ready SIM was found; SIM access is then closed again.
    bool Open(SimMessages& messages);
    bool IsOpen() const noexcept { return static_cast<bool>(m_sim); }
    // SimDeinitialize, then the stores go.
    void Close() noexcept;

    // Reads every slot of every store, builds each base view (row 0 focused)
    // and, with a ready SIM, sets the phonebooks-loaded flag.
    void LoadAll(const ViewOptions& options);

    // Stores.
    static DWORD StorageCodeOf(int storeIndex) noexcept;   // 1, 2, 4, 8, 16
    PhonebookStore* Store(int storeIndex) const noexcept;  // null before Open
    int CurrentStoreIndex() const noexcept { return m_currentStore; }
    PhonebookStore* CurrentStore() const noexcept { return Store(m_currentStore); }
    EntryView* CurrentView() const noexcept;  // of the current store; may be null

    // Single entries of the current store (or the given one).
    bool WriteSlot(PhonebookStore& store, PhonebookSlot& slot);
    bool WriteSlot(PhonebookSlot& slot) { return WriteSlot(*CurrentStore(), slot); }
    // Deletes on the SIM and, when that worked, empties the slot.
    bool DeleteSlot(PhonebookStore& store, PhonebookSlot& slot);

    // The entry editor's OK for an existing entry: on a failed write error
    // 40238 and the old name and number back; on success the views reset and
    // the base view sorted again.
    bool EditSlot(PhonebookSlot& slot, const wchar_t* name, const wchar_t* number, const ViewOptions& options,
                  SimMessages& messages);

    // True when the current store has an empty slot (the new-entry command
    // needs one, else error 40219).
    bool HasEmptySlot() const noexcept;
    // Writes into the first empty slot through a scratch slot; only when the
    // SIM took it the real slot is filled and appended to the base view.
    // The slot, or null (no empty slot, or the write failed).
    PhonebookSlot* StoreIntoFirstEmpty(const wchar_t* name, const wchar_t* number);
    // The new-entry command after the editor's OK: StoreIntoFirstEmpty, error
    // 40238 when it fails, else the views reset and the new row focused and
    // sorted into place.
    bool AddEntry(const wchar_t* name, const wchar_t* number, const ViewOptions& options, SimMessages& messages);

    // Tries the empty slots in order until one takes the entry; on success the
    // views reset and the slot appended to the base view.
    bool StoreIntoNextEmpty(const wchar_t* name, const wchar_t* number);
    // Restore: the slot at array `position` gets the texts and is written; a
    // failed write leaves it empty. False outside the slots or on failure.
    bool RewriteSlotAt(int position, const wchar_t* name, const wchar_t* number);
    // Deletes every slot of the current store; true when every delete worked.
    bool DeleteAll();

    // A new sort order: every view of every store sorted again.
    void SortAllViews(const ViewOptions& options);

    // Command 40029: copies of the marked rows into free slots.
    void DuplicateMarked(const ViewOptions& options, SimMessages& messages);
    // Command 40009: asks 40201, deletes the marked rows (40250 for each that
    // fails) and drops the emptied rows from every view.
    void DeleteMarked(const ViewOptions& options, SimMessages& messages);

    // Dialling is allowed with at most one marked row; the focused row's
    // number is called. False when not allowed or there is no focused row.
    bool CanDial() const noexcept;
    bool Dial();

    // The phone's own number and the message centre's; empty until read.
    const wchar_t* OwnNumber() const noexcept { return m_ownNumber; }
    const wchar_t* SmscNumber() const noexcept { return m_smscNumber; }
    void SetOwnNumber(const wchar_t* text) noexcept;
    void SetSmscNumber(const wchar_t* text) noexcept;

private:
    void LoadStore(PhonebookStore& store);

    SimHandle m_sim;
    std::unique_ptr<PhonebookStore> m_stores[StoreCount];
    int m_currentStore = GenericStore;
    wchar_t m_ownNumber[PhoneTextLength] = {};
    wchar_t m_smscNumber[PhoneTextLength] = {};
};
