#include "simmanager/ViewBuilders.h"

#include <algorithm>
#include <new>

namespace {

using SlotList = std::vector<std::unique_ptr<PhonebookSlot>>;

// A filter's rows in place: sorted, the first one focused.
void Finish(EntryView& view, const ViewOptions& options)
{
    view.Sort(options.sortKey, options.rowsPerPage);
    if (!view.IsEmpty())
        view.FocusRow(0, options.rowsPerPage);
}

bool HasPartner(const SlotList& slots, size_t position)
{
    const PhonebookSlot& slot = *slots[position];
    for (size_t other = 0; other < slots.size(); ++other) {
        if (other != position && slots[other]->Equals(slot))
            return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<EntryView> BuildBaseView(const SlotList& slots, DWORD storageCode, const ViewOptions& options)
{
    auto view = std::make_unique<EntryView>(ViewKind::Base, static_cast<int>(slots.size()), storageCode);
    for (const auto& slot : slots) {
        if (!slot->IsEmpty())
            view->Append(slot.get());
    }
    Finish(*view, options);
    return view;
}

std::unique_ptr<EntryView> BuildSearchView(const EntryView& below, const int* keys, int keyCount,
                                           const KeyLetters& letters, const ViewOptions& options)
{
    auto view = std::make_unique<EntryView>(ViewKind::KeypadSearch, below.Capacity(), below.StorageCode());
    for (int row = 0; row < below.RowCount(); ++row) {
        PhonebookSlot* slot = below.SlotAt(row);
        if (!slot)
            continue;
        const String& field = options.displayKey == DisplayKey::Numbers ? slot->Number() : slot->Name();
        int position = KeypadMatch(field, keys, keyCount, letters);
        if (position >= 0)
            view->Append(slot, static_cast<BYTE>(std::min(position, NoMatch - 1)));
    }
    view->SetKeyCount(keyCount);
    if (!view->IsEmpty())
        view->FocusRow(0, options.rowsPerPage);
    return view;
}

std::unique_ptr<EntryView> BuildDuplicatesView(const SlotList& slots, DWORD storageCode, const ViewOptions& options)
{
    auto view = std::make_unique<EntryView>(ViewKind::Duplicates, static_cast<int>(slots.size()), storageCode);
    for (size_t position = 0; position < slots.size(); ++position) {
        if (!slots[position]->IsEmpty() && HasPartner(slots, position))
            view->Append(slots[position].get());
    }
    Finish(*view, options);
    return view;
}

std::unique_ptr<EntryView> BuildRedundantView(const SlotList& slots, DWORD storageCode, const ViewOptions& options)
{
    try {
        auto view = std::make_unique<EntryView>(ViewKind::Redundant, static_cast<int>(slots.size()), storageCode);
        std::vector<int> group(slots.size(), -1);
        int groups = 0;
        for (size_t first = 0; first < slots.size(); ++first) {
            if (group[first] >= 0 || slots[first]->IsEmpty())
                continue;
            // The lowest slot of a group opens it and stays out of the view.
            for (size_t other = first + 1; other < slots.size(); ++other) {
                if (group[other] < 0 && slots[other]->Equals(*slots[first])) {
                    group[first] = groups;
                    group[other] = groups;
                    view->Append(slots[other].get());
                }
            }
            if (group[first] >= 0)
                ++groups;
        }
        Finish(*view, options);
        return view;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
