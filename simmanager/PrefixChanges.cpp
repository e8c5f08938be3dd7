#include "simmanager/PrefixChanges.h"

#include "simmanager/NumberRules.h"
#include "simmanager/resource.h"

#include <cwchar>

namespace {

// The base view again, in order: what every finished number command shows.
void ShowBaseSorted(PhonebookStore& store, const ViewOptions& options)
{
    store.ResetViews();
    if (EntryView* base = store.BaseView())
        base->Sort(options.sortKey, options.rowsPerPage);
}

// Calls change(row, slot) for every marked row of the current view, in row order.
template <typename Change>
PhonebookStore* ForEachMarked(SimAccess& sim, Change change)
{
    PhonebookStore* store = sim.CurrentStore();
    EntryView* view = store ? store->CurrentView() : nullptr;
    if (!view)
        return nullptr;
    for (int row = 0; row < view->RowCount(); ++row) {
        if (PhonebookSlot* slot = view->IsMarked(row) ? view->SlotAt(row) : nullptr)
            change(row, *slot);
    }
    return store;
}

// The slot gets the number and is written; a refused write puts the old one back.
bool ChangeNumber(SimAccess& sim, PhonebookStore& store, PhonebookSlot& slot, const String& number)
{
    const String old = slot.Number();
    slot.SetNumber(number);
    if (sim.WriteSlot(store, slot))
        return true;
    slot.SetNumber(old);
    return false;
}

}  // namespace

void AddPrefix(SimAccess& sim, const wchar_t* prefix, bool dropZero, const ViewOptions& options, SimMessages& messages)
{
    PhonebookStore* store = ForEachMarked(sim, [&](int row, PhonebookSlot& slot) {
        // An entry without a number has nothing to put a prefix before: it
        // would become a number of the prefix alone.
        if (slot.Number().IsEmpty())
            return;
        String changed = NumberWithPrefix(slot.Number(), prefix, dropZero);
        if (changed.Length() > slot.NumberLimit())
            messages.ErrorNumber(IDS_ADD_PREFIX_FAILED, row + 1);
        else if (HasMisplacedPlus(changed))
            messages.Error(IDS_PLUS_NOT_FIRST);
        else if (!ChangeNumber(sim, *sim.CurrentStore(), slot, changed))
            messages.ErrorNumber(IDS_ADD_PREFIX_FAILED, row + 1);
    });
    if (store)
        ShowBaseSorted(*store, options);
}

void RemovePrefix(SimAccess& sim, const wchar_t* prefix, bool addZero, const ViewOptions& options,
                  SimMessages& messages)
{
    PhonebookStore* store = ForEachMarked(sim, [&](int row, PhonebookSlot& slot) {
        String changed;
        if (!NumberWithoutPrefix(slot.Number(), prefix, addZero, changed))
            return;
        // A number that was the prefix alone, on an entry without a name,
        // would leave an empty entry that the lists still show.
        if ((changed.IsEmpty() && slot.Name().IsEmpty()) || !ChangeNumber(sim, *sim.CurrentStore(), slot, changed))
            messages.ErrorNumber(IDS_REMOVE_PREFIX_FAILED, row + 1);
    });
    if (store)
        ShowBaseSorted(*store, options);
}

bool ReplaceText(SimAccess& sim, const wchar_t* find, const wchar_t* replacement, const ViewOptions& options,
                 SimMessages& messages)
{
    if (!find || !*find || !replacement || !*replacement) {
        messages.Error(IDS_REPLACE_NEEDS_TEXTS);
        return false;
    }
    const int findLength = static_cast<int>(std::wcslen(find));
    int marked = 0;
    int done = 0;
    PhonebookStore* store = ForEachMarked(sim, [&](int, PhonebookSlot& slot) {
        ++marked;
        const String& old = slot.Number();
        int at = old.Find(find);
        if (at < 0)
            return;
        String changed = old.Left(at) + replacement + old.Mid(at + findLength);
        // A number the SIM cannot hold is not changed, and the row is not done.
        if (changed.Length() > slot.NumberLimit())
            return;
        if (HasMisplacedPlus(changed)) {
            messages.Error(IDS_PLUS_NOT_FIRST);
            return;
        }
        if (!ChangeNumber(sim, *sim.CurrentStore(), slot, changed)) {
            messages.Error(IDS_WRITE_FAILED);
            return;
        }
        ++done;
    });
    if (!store)
        return true;
    if (done < marked) {
        messages.Information(done == 0 ? IDS_NONE_REPLACED : IDS_SOME_NOT_REPLACED);
        return true;
    }
    store->ResetViews();
    store->CurrentView()->Sort(options.sortKey, options.rowsPerPage);
    return true;
}
