#include "simmanager/PhonebookStore.h"

#include "simmanager/EntryRecord.h"
#include "simmanager/ViewBuilders.h"

PhonebookStore::PhonebookStore(DWORD storageCode, DWORD slotCount, const SimFigures& figures)
    : m_storageCode(storageCode),
      m_nameLimit(static_cast<int>(std::min<DWORD>(figures.nameLength, MaxEntryTextLength))),
      m_numberLimit(static_cast<int>(std::min<DWORD>(figures.numberLength, MaxEntryTextLength)))
{
    m_slots.reserve(slotCount);
    for (DWORD position = 0; position < slotCount; ++position)
        m_slots.push_back(std::make_unique<PhonebookSlot>(figures.minIndex + position, m_nameLimit, m_numberLimit));
    InitEntryRecord(m_record);
}

int PhonebookStore::FindFirstEmpty(int from) const noexcept
{
    for (int position = std::max(from, 0); position < SlotCount(); ++position) {
        if (m_slots[position]->IsEmpty())
            return position;
    }
    return -1;
}

int PhonebookStore::EmptyCount() const noexcept
{
    int empty = 0;
    for (const auto& slot : m_slots) {
        if (slot->IsEmpty())
            ++empty;
    }
    return empty;
}

EntryView* PhonebookStore::View(int index) const noexcept
{
    return index >= 0 && index < ViewCount() ? m_views[index].get() : nullptr;
}

void PhonebookStore::RebuildBaseView(const ViewOptions& options)
{
    m_views.clear();
    m_keyCount = 0;
    m_views.push_back(BuildBaseView(m_slots, m_storageCode, options));
}

bool PhonebookStore::PushView(std::unique_ptr<EntryView> view)
{
    if (!view || ViewCount() >= MaxViews)
        return false;
    if (ViewCount() > 0 && CurrentView()->IsEmpty())
        return false;
    m_views.push_back(std::move(view));
    return true;
}

bool PhonebookStore::PopView()
{
    if (ViewCount() <= 1)
        return false;
    if (CurrentView()->Kind() == ViewKind::KeypadSearch && m_keyCount > 0)
        --m_keyCount;
    m_views.pop_back();
    return true;
}

void PhonebookStore::ResetViews()
{
    if (ViewCount() > 1)
        m_views.resize(1);
    m_keyCount = 0;
}

bool PhonebookStore::TypeKey(int digit, const KeyLetters& letters, const ViewOptions& options)
{
    EntryView* current = CurrentView();
    if (!current || digit < 0 || digit > 9 || m_keyCount >= MaxKeys)
        return false;
    if (current->Kind() != ViewKind::Base && current->Kind() != ViewKind::KeypadSearch)
        return false;
    m_keys[m_keyCount] = digit;
    // The key counts only when its view could be shown.
    if (!PushView(BuildSearchView(*current, m_keys, m_keyCount + 1, letters, options)))
        return false;
    ++m_keyCount;
    return true;
}

FilterResult PhonebookStore::ShowDuplicates(const ViewOptions& options)
{
    ResetViews();
    return PushView(BuildDuplicatesView(m_slots, m_storageCode, options)) ? FilterResult::Shown : FilterResult::Refused;
}

FilterResult PhonebookStore::ShowRedundant(const ViewOptions& options)
{
    ResetViews();
    std::unique_ptr<EntryView> view = BuildRedundantView(m_slots, m_storageCode, options);
    if (!view)
        return FilterResult::OutOfMemory;
    return PushView(std::move(view)) ? FilterResult::Shown : FilterResult::Refused;
}

void PhonebookStore::SortAllViews(const ViewOptions& options)
{
    for (auto& view : m_views)
        view->Sort(options.sortKey, options.rowsPerPage);
}

void PhonebookStore::RemoveEmptiedRows(const ViewOptions& options)
{
    for (auto& view : m_views)
        view->RemoveEmptiedRows(options.rowsPerPage);
}
