// A store filled in memory for the view tests: slot i holds entries[i]
// (an empty pair leaves the slot empty). The SIM is not involved.
#pragma once

#include "simmanager/PhonebookStore.h"

#include <initializer_list>
#include <memory>
#include <utility>

struct EntryText {
    const wchar_t* name;
    const wchar_t* number;
};

inline SimFigures TestFigures(DWORD slots, DWORD nameLength = 20, DWORD numberLength = 20)
{
    SimFigures figures;
    figures.minIndex = 1;
    figures.maxIndex = slots;
    figures.nameLength = nameLength;
    figures.numberLength = numberLength;
    return figures;
}

inline std::unique_ptr<PhonebookStore> MakeStore(std::initializer_list<EntryText> entries, DWORD extraEmpty = 0)
{
    const DWORD count = static_cast<DWORD>(entries.size()) + extraEmpty;
    auto store = std::make_unique<PhonebookStore>(SIM_PBSTORAGE_SIM, count, TestFigures(count));
    int position = 0;
    for (const EntryText& entry : entries)
        store->Slot(position++).Set(entry.name, entry.number);
    return store;
}

inline ViewOptions Options(int rowsPerPage, SortKey sortKey = SortKey::Name, DisplayKey displayKey = DisplayKey::Names)
{
    ViewOptions options;
    options.sortKey = sortKey;
    options.displayKey = displayKey;
    options.rowsPerPage = rowsPerPage;
    return options;
}

// The names of a view's rows, in row order, joined with "|".
inline String RowNames(const EntryView& view)
{
    String names;
    for (int row = 0; row < view.RowCount(); ++row) {
        if (row)
            names += L"|";
        names += view.SlotAt(row)->Name();
    }
    return names;
}
