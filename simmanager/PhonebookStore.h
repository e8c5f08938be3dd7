// PhonebookStore: one phonebook of the SIM (one storage code) in memory: a
// slot per SIM position, the stack of views over them and the keys typed
// for the keypad search. Pure model: the SIM itself is reached only through
// SimAccess.
#pragma once

#include "simmanager/EntryView.h"
#include "simmanager/KeyLetters.h"
#include "simmanager/PhonebookSlot.h"
#include "simmanager/SimCaps.h"

#include <windows.h>

#include <memory>
#include <vector>

// How a filter command went.
enum class FilterResult {
    Shown,        // the view is on top
    Refused,      // the stack is full or the current view has no rows: nothing changes, no message
    OutOfMemory,  // kind 4 only: error 40276
};

class PhonebookStore {
public:
    static constexpr int MaxViews = 24;
    static constexpr int MaxKeys = 16;

    // `slotCount` slots, slot i at SIM index figures.minIndex + i, each with
    // the figures' limits. No views until the base view is built.
    PhonebookStore(DWORD storageCode, DWORD slotCount, const SimFigures& figures);

    DWORD StorageCode() const noexcept { return m_storageCode; }

    // Slots.
    int SlotCount() const noexcept { return static_cast<int>(m_slots.size()); }
    PhonebookSlot& Slot(int position) noexcept { return *m_slots[position]; }
    const PhonebookSlot& Slot(int position) const noexcept { return *m_slots[position]; }
    const std::vector<std::unique_ptr<PhonebookSlot>>& Slots() const noexcept { return m_slots; }
    int FindFirstEmpty(int from = 0) const noexcept;  // position or -1
    int EmptyCount() const noexcept;
    int FilledCount() const noexcept { return SlotCount() - EmptyCount(); }
    int NameLimit() const noexcept { return m_nameLimit; }
    int NumberLimit() const noexcept { return m_numberLimit; }

    // The view stack: View(0) is the base view, CurrentView() the top one
    // (null before the base view is built).
    int ViewCount() const noexcept { return static_cast<int>(m_views.size()); }
    EntryView* View(int index) const noexcept;
    EntryView* BaseView() const noexcept { return View(0); }
    EntryView* CurrentView() const noexcept { return ViewCount() ? m_views.back().get() : nullptr; }

    // Drops every view and builds the base view again from the slots.
    void RebuildBaseView(const ViewOptions& options);
    // False (and the view dropped) when the stack is full or, above the base
    // view, the current view has no rows.
    bool PushView(std::unique_ptr<EntryView> view);
    // Drops the top view unless it is the base view; a search view takes its
    // key with it. False at the base view.
    bool PopView();
    // Back to the base view, no typed keys.
    void ResetViews();

    // Typed keys of the keypad search.
    int KeyCount() const noexcept { return m_keyCount; }
    const int* Keys() const noexcept { return m_keys; }
    // A digit key: allowed when the current view is the base view or a search
    // and fewer than 16 keys are typed; pushes the search for the keys so far.
    // False when the key is ignored.
    bool TypeKey(int digit, const KeyLetters& letters, const ViewOptions& options);

    // Filters: reset the stack, then push kind 3 / kind 4.
    FilterResult ShowDuplicates(const ViewOptions& options);
    FilterResult ShowRedundant(const ViewOptions& options);

    // Every view sorted again (a new sort order).
    void SortAllViews(const ViewOptions& options);
    // Every view drops the rows of emptied slots.
    void RemoveEmptiedRows(const ViewOptions& options);

    // The platform entry record this store reads and writes through.
    SIMPHONEBOOKENTRY& Record() noexcept { return m_record; }

private:
    DWORD m_storageCode;
    int m_nameLimit;
    int m_numberLimit;
    std::vector<std::unique_ptr<PhonebookSlot>> m_slots;
    std::vector<std::unique_ptr<EntryView>> m_views;
    int m_keys[MaxKeys] = {};
    int m_keyCount = 0;
    SIMPHONEBOOKENTRY m_record;
};
