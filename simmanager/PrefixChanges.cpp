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

}  // namespace

void AddPrefix(SimAccess& sim, const wchar_t* prefix, bool dropZero, const ViewOptions& options, SimMessages& messages)
{
    PhonebookStore* store = sim.CurrentStore();
    EntryView* view = store ? store->CurrentView() : nullptr;
    if (!view)
        return;
    for (int row = 0; row < view->RowCount(); ++row) {
        PhonebookSlot* slot = view->IsMarked(row) ? view->SlotAt(row) : nullptr;
        if (!slot)
            continue;
        String changed = NumberWithPrefix(slot->Number(), prefix, dropZero);
        if (changed.Length() > slot->NumberLimit()) {
            messages.ErrorNumber(IDS_ADD_PREFIX_FAILED, row + 1);
            continue;
        }
        if (HasMisplacedPlus(changed)) {
            messages.Error(IDS_PLUS_NOT_FIRST);
            continue;
        }
        const String old = slot->Number();
        slot->SetNumber(changed);
        if (!sim.WriteSlot(*store, *slot)) {
            messages.ErrorNumber(IDS_ADD_PREFIX_FAILED, row + 1);
            slot->SetNumber(old);
        }
    }
    ShowBaseSorted(*store, options);
}

void RemovePrefix(SimAccess& sim, const wchar_t* prefix, bool addZero, const ViewOptions& options,
                  SimMessages& messages)
{
    PhonebookStore* store = sim.CurrentStore();
    EntryView* view = store ? store->CurrentView() : nullptr;
    if (!view)
        return;
    for (int row = 0; row < view->RowCount(); ++row) {
        PhonebookSlot* slot = view->IsMarked(row) ? view->SlotAt(row) : nullptr;
        String changed;
        if (!slot || !NumberWithoutPrefix(slot->Number(), prefix, addZero, changed))
            continue;
        const String old = slot->Number();
        slot->SetNumber(changed);
        if (!sim.WriteSlot(*store, *slot)) {
            messages.ErrorNumber(IDS_REMOVE_PREFIX_FAILED, row + 1);
            slot->SetNumber(old);
        }
    }
    ShowBaseSorted(*store, options);
}

bool ReplaceText(SimAccess& sim, const wchar_t* find, const wchar_t* replacement, const ViewOptions& options,
                 SimMessages& messages)
{
    if (!find || !*find || !replacement || !*replacement) {
        messages.Error(IDS_REPLACE_NEEDS_TEXTS);
        return false;
    }
    PhonebookStore* store = sim.CurrentStore();
    EntryView* view = store ? store->CurrentView() : nullptr;
    if (!view)
        return true;
    const int findLength = static_cast<int>(std::wcslen(find));
    int marked = 0;
    int done = 0;
    for (int row = 0; row < view->RowCount(); ++row) {
        PhonebookSlot* slot = view->IsMarked(row) ? view->SlotAt(row) : nullptr;
        if (!slot)
            continue;
        ++marked;
        const String old = slot->Number();
        int at = old.Find(find);
        if (at < 0)
            continue;
        String changed = old.Left(at) + replacement + old.Mid(at + findLength);
        // A number the SIM cannot hold is not changed, and the row is not done.
        if (changed.Length() > slot->NumberLimit())
            continue;
        if (HasMisplacedPlus(changed)) {
            messages.Error(IDS_PLUS_NOT_FIRST);
            continue;
        }
        slot->SetNumber(changed);
        if (!sim.WriteSlot(*store, *slot)) {
            messages.Error(IDS_WRITE_FAILED);
            slot->SetNumber(old);
            continue;
        }
        ++done;
    }
    if (done < marked) {
        messages.Information(done == 0 ? IDS_NONE_REPLACED : IDS_SOME_NOT_REPLACED);
        return true;
    }
    store->ResetViews();
    store->CurrentView()->Sort(options.sortKey, options.rowsPerPage);
    return true;
}
