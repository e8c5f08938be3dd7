#include "simmanager/SimAccess.h"

#include "simmanager/EntryRecord.h"
#include "simmanager/SimNotify.h"
#include "simmanager/resource.h"

#include "platform/phone/Tapi.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr DWORD StorageCodes[SimAccess::StoreCount] = {SIM_PBSTORAGE_EMERGENCY, SIM_PBSTORAGE_FIXEDDIALING,
                                                       SIM_PBSTORAGE_LASTDIALING, SIM_PBSTORAGE_OWNNUMBERS,
                                                       SIM_PBSTORAGE_SIM};

// More positions than any card has; a status figure beyond it is a damaged
// answer, and the store keeps to this many slots.
constexpr DWORD MaxSlots = 0xFFFF;

void CopyPhoneText(wchar_t (&target)[SimAccess::PhoneTextLength], const wchar_t* text) noexcept
{
    size_t length = text ? wcsnlen(text, SimAccess::PhoneTextLength - 1) : 0;
    std::wmemset(target, L'\0', SimAccess::PhoneTextLength);
    if (length)
        std::wmemcpy(target, text, length);
}

}  // namespace

void SimNotificationCallback(DWORD code, const void* /*data*/, DWORD /*dataSize*/, DWORD /*param*/)
{
    if (code < SIM_NOTIFY_CARD_REMOVED || code > SIM_NOTIFY_RADIOREMOVED)
        return;
    // The card or the radio changed: the figures and the ready flag first, so
    // that the window finds them current when the message arrives.
    if (code == SIM_NOTIFY_CARD_REMOVED || code == SIM_NOTIFY_RADIOOFF || code == SIM_NOTIFY_RADIOON)
        SimCaps::Instance().Refresh();
    PostSimNotify(code);
}

DWORD SimAccess::StorageCodeOf(int storeIndex) noexcept
{
    return storeIndex >= 0 && storeIndex < StoreCount ? StorageCodes[storeIndex] : 0;
}

bool SimAccess::Open(SimMessages& messages)
{
    Close();
    HSIM sim = nullptr;
    // A failure here shows as a failing capability query.
    if (SimInitialize(SIM_INIT_SIMCARD_NOTIFICATIONS, SimNotificationCallback, 0, &sim) != S_OK)
        sim = nullptr;
    m_sim.Reset(sim);
    SimCaps& caps = SimCaps::Instance();
    caps.Attach(m_sim.Get());

    HRESULT result = caps.Refresh();
    if (result != S_OK)
        messages.Error(CapsFailureMessage(result));

    const SimFigures figures = caps.Figures();
    for (int index = 0; index < StoreCount; ++index) {
        DWORD used = 0;
        DWORD total = 0;
        if (!m_sim || SimGetPhonebookStatus(m_sim.Get(), StorageCodes[index], &used, &total) != S_OK)
            total = 0;
        m_stores[index] = std::make_unique<PhonebookStore>(StorageCodes[index], std::min(total, MaxSlots), figures);
    }
    m_currentStore = GenericStore;

    if (!caps.Ready()) {
        Close();
        return false;
    }
    return true;
}

void SimAccess::Close() noexcept
{
    SimCaps::Instance().Detach();
    m_sim.Reset();
    for (auto& store : m_stores)
        store.reset();
}

void SimAccess::LoadStore(PhonebookStore& store)
{
    SIMPHONEBOOKENTRY& record = store.Record();
    for (int position = 0; position < store.SlotCount(); ++position) {
        PhonebookSlot& slot = store.Slot(position);
        InitEntryRecord(record);
        if (SimReadPhonebookEntry(m_sim.Get(), store.StorageCode(), slot.SimIndex(), &record) == S_OK)
            TakeEntryRecord(slot, record);
    }
}

void SimAccess::LoadAll(const ViewOptions& options)
{
    for (auto& store : m_stores) {
        if (!store)
            continue;
        if (m_sim)
            LoadStore(*store);
        store->RebuildBaseView(options);
    }
    if (m_sim && SimCaps::Instance().Ready())
        SimCaps::Instance().SetPhonebooksLoaded(true);
}

PhonebookStore* SimAccess::Store(int storeIndex) const noexcept
{
    return storeIndex >= 0 && storeIndex < StoreCount ? m_stores[storeIndex].get() : nullptr;
}

EntryView* SimAccess::CurrentView() const noexcept
{
    PhonebookStore* store = CurrentStore();
    return store ? store->CurrentView() : nullptr;
}

bool SimAccess::WriteSlot(PhonebookStore& store, PhonebookSlot& slot)
{
    if (!m_sim)
        return false;
    SIMPHONEBOOKENTRY& record = store.Record();
    FillEntryRecord(record, slot);
    return SimWritePhonebookEntry(m_sim.Get(), store.StorageCode(), slot.SimIndex(), &record) == S_OK;
}

bool SimAccess::DeleteSlot(PhonebookStore& store, PhonebookSlot& slot)
{
    if (!m_sim || SimDeletePhonebookEntry(m_sim.Get(), store.StorageCode(), slot.SimIndex()) != S_OK)
        return false;
    slot.Clear();
    return true;
}

bool SimAccess::EditSlot(PhonebookSlot& slot, const wchar_t* name, const wchar_t* number, const ViewOptions& options,
                         SimMessages& messages)
{
    PhonebookStore* store = CurrentStore();
    if (!store)
        return false;
    const String oldName = slot.Name();
    const String oldNumber = slot.Number();
    slot.Set(name, number);
    if (!WriteSlot(*store, slot)) {
        messages.Error(IDS_WRITE_FAILED);
        slot.Set(oldName, oldNumber);
        return false;
    }
    store->ResetViews();
    if (EntryView* base = store->BaseView())
        base->Sort(options.sortKey, options.rowsPerPage);
    return true;
}

bool SimAccess::HasEmptySlot() const noexcept
{
    PhonebookStore* store = CurrentStore();
    return store && store->FindFirstEmpty() >= 0;
}

PhonebookSlot* SimAccess::StoreIntoFirstEmpty(const wchar_t* name, const wchar_t* number)
{
    PhonebookStore* store = CurrentStore();
    int position = store ? store->FindFirstEmpty() : -1;
    if (position < 0)
        return nullptr;
    PhonebookSlot& slot = store->Slot(position);
    // The real slot stays empty until the SIM has taken the entry.
    PhonebookSlot scratch(slot.SimIndex(), slot.NameLimit(), slot.NumberLimit());
    scratch.Set(name, number);
    if (scratch.IsEmpty() || !WriteSlot(*store, scratch))
        return nullptr;
    slot.Set(scratch.Name(), scratch.Number());
    if (EntryView* base = store->BaseView())
        base->Append(&slot);
    return &slot;
}

bool SimAccess::AddEntry(const wchar_t* name, const wchar_t* number, const ViewOptions& options, SimMessages& messages)
{
    if (!HasEmptySlot()) {
        messages.Error(IDS_SIM_FULL);
        return false;
    }
    if (!StoreIntoFirstEmpty(name, number)) {
        messages.Error(IDS_WRITE_FAILED);
        return false;
    }
    PhonebookStore* store = CurrentStore();
    store->ResetViews();
    if (EntryView* base = store->BaseView()) {
        base->FocusRow(base->RowCount() - 1, options.rowsPerPage);
        base->Sort(options.sortKey, options.rowsPerPage);
    }
    return true;
}

bool SimAccess::StoreIntoNextEmpty(const wchar_t* name, const wchar_t* number)
{
    PhonebookStore* store = CurrentStore();
    if (!store)
        return false;
    for (int position = store->FindFirstEmpty(); position >= 0; position = store->FindFirstEmpty(position + 1)) {
        PhonebookSlot& slot = store->Slot(position);
        slot.Set(name, number);
        if (slot.IsEmpty())
            return false;
        if (WriteSlot(*store, slot)) {
            store->ResetViews();
            if (EntryView* base = store->BaseView())
                base->Append(&slot);
            return true;
        }
        slot.Clear();
    }
    return false;
}

bool SimAccess::RewriteSlotAt(int position, const wchar_t* name, const wchar_t* number)
{
    PhonebookStore* store = CurrentStore();
    if (!store || position < 0 || position >= store->SlotCount())
        return false;
    PhonebookSlot& slot = store->Slot(position);
    slot.Set(name, number);
    if (WriteSlot(*store, slot))
        return true;
    slot.Clear();
    return false;
}

bool SimAccess::DeleteAll()
{
    PhonebookStore* store = CurrentStore();
    if (!store || !m_sim)
        return false;
    bool all = true;
    for (int position = 0; position < store->SlotCount(); ++position) {
        PhonebookSlot& slot = store->Slot(position);
        HRESULT result = SimDeletePhonebookEntry(m_sim.Get(), store->StorageCode(), slot.SimIndex());
        // A position that holds nothing is as deleted as it gets.
        if (result == S_OK || result == SIM_E_NOTFOUND)
            slot.Clear();
        else
            all = false;
    }
    return all;
}

void SimAccess::SortAllViews(const ViewOptions& options)
{
    for (auto& store : m_stores) {
        if (store)
            store->SortAllViews(options);
    }
}

void SimAccess::DuplicateMarked(const ViewOptions& options, SimMessages& messages)
{
    PhonebookStore* store = CurrentStore();
    EntryView* view = store ? store->CurrentView() : nullptr;
    if (!view)
        return;
    const int marked = view->MarkedCount();
    const int empty = store->EmptyCount();
    if (empty < marked) {
        messages.ErrorNumber(IDS_TOO_FEW_EMPTY_SLOTS, empty);
        return;
    }
    EntryView* base = store->BaseView();
    const int rows = view->RowCount();  // the copies join at the end, unmarked
    int searchFrom = 0;
    int failures = 0;
    for (int row = 0; row < rows; ++row) {
        const PhonebookSlot* source = view->IsMarked(row) ? view->SlotAt(row) : nullptr;
        if (!source)
            continue;
        bool stored = false;
        for (int position = store->FindFirstEmpty(searchFrom); position >= 0 && !stored;
             position = store->FindFirstEmpty(position + 1)) {
            PhonebookSlot& target = store->Slot(position);
            target.Set(source->Name(), source->Number());
            if (WriteSlot(*store, target)) {
                view->Append(&target);
                if (base && base != view)
                    base->Append(&target);
                searchFrom = position + 1;
                stored = true;
            } else {
                target.Clear();
            }
        }
        if (!stored)
            ++failures;
    }
    if (failures == 0)
        store->ResetViews();
    else
        messages.Error(failures == marked ? IDS_DUPLICATES_FAILED : IDS_SOME_DUPLICATES_FAILED);
    store->CurrentView()->Sort(options.sortKey, options.rowsPerPage);
}

void SimAccess::DeleteMarked(const ViewOptions& options, SimMessages& messages)
{
    PhonebookStore* store = CurrentStore();
    EntryView* view = store ? store->CurrentView() : nullptr;
    if (!view) {
        messages.Error(IDS_NO_FOCUSED_ENTRY);
        return;
    }
    if (!messages.Ask(IDS_DELETE_QUESTION))
        return;
    {
        SimBusyScope busy(messages);
        for (int row = 0; row < view->RowCount(); ++row) {
            PhonebookSlot* slot = view->IsMarked(row) ? view->SlotAt(row) : nullptr;
            if (slot && !DeleteSlot(*store, *slot))
                messages.Error(IDS_DELETE_FAILED);
        }
    }
    store->RemoveEmptiedRows(options);
}

bool SimAccess::CanDial() const noexcept
{
    EntryView* view = CurrentView();
    return view && view->MarkedCount() <= 1 && view->FocusedSlot();
}

bool SimAccess::Dial()
{
    if (!CanDial())
        return false;
    // Whether the call goes through is the phone's business, not the list's.
    tapiRequestMakeCall(CurrentView()->FocusedSlot()->Number(), nullptr, nullptr, nullptr);
    return true;
}

void SimAccess::SetOwnNumber(const wchar_t* text) noexcept
{
    CopyPhoneText(m_ownNumber, text);
}

void SimAccess::SetSmscNumber(const wchar_t* text) noexcept
{
    CopyPhoneText(m_smscNumber, text);
}
