#include "platform/sim/tool/SimCardEdits.h"

namespace vellumate::sim {
namespace {

// Names at most a few entries, then how many more there are.
class EntryList {
public:
    void Add(std::uint32_t storage, std::uint32_t position, const SimEntry& entry)
    {
        if (m_count++ < Shown) {
            m_text += m_text.empty() ? L"" : L", ";
            m_text += L"[phonebook:" + std::to_wstring(storage) + L"] " + std::to_wstring(position) + L" \"" +
                      (entry.name.empty() ? entry.number : entry.name) + L"\"";
        }
    }
    bool Empty() const noexcept { return m_count == 0; }
    std::wstring Text() const
    {
        return m_count > Shown ? m_text + L" and " + std::to_wstring(m_count - Shown) + L" more" : m_text;
    }

private:
    static constexpr std::size_t Shown = 5;
    std::wstring m_text;
    std::size_t m_count = 0;
};

}  // namespace

std::optional<std::wstring> ChangeFigures(SimCard& card, const FigureChange& change)
{
    SimCard next = card;
    if (change.capacity) {
        if (*change.capacity < 1 || *change.capacity > MaxPositions ||
            std::uint64_t{next.minIndex} + *change.capacity - 1 > MaxIndex)
            return L"the capacity must be 1 to " + std::to_wstring(MaxPositions) + L" positions from min_index " +
                   std::to_wstring(next.minIndex);
        next.maxIndex = next.minIndex + *change.capacity - 1;
    }
    if (change.nameLength)
        next.maxNameLength = *change.nameLength;
    if (change.numberLength)
        next.maxNumberLength = *change.numberLength;
    if (next.maxNameLength < 1 || next.maxNameLength > MaxTextLength || next.maxNumberLength < 1 ||
        next.maxNumberLength > MaxTextLength)
        return L"name and number lengths must be 1 to " + std::to_wstring(MaxTextLength);

    EntryList outside, longer;
    for (std::uint32_t storage : StorageCodes) {
        SimPhonebook& book = *next.Phonebook(storage);
        std::erase_if(book.faulty, [&](std::uint32_t position) { return !next.HasPosition(storage, position); });
        for (const auto& [position, entry] : book.entries) {
            if (!next.HasPosition(storage, position))
                outside.Add(storage, position, entry);
            else if (CheckEntry(next, entry) != EntryFault::None)
                longer.Add(storage, position, entry);
        }
    }
    if (!outside.Empty())
        return L"these entries lie beyond the new capacity; delete or move them first: " + outside.Text();
    if (!longer.Empty())
        return L"these entries are longer than the new lengths allow; shorten them first: " + longer.Text();
    card = std::move(next);
    return std::nullopt;
}

}  // namespace vellumate::sim
