#include "simmanager/PhonebookSlot.h"

#include <algorithm>
#include <cwchar>

namespace {

int BoundLimit(int limit) noexcept
{
    return std::clamp(limit, 0, MaxEntryTextLength);
}

void SetCut(String& target, const wchar_t* text, int limit)
{
    if (!text) {
        target.Clear();
        return;
    }
    size_t length = wcsnlen(text, static_cast<size_t>(limit));
    // A cut between the two halves of a character beyond the first plane
    // would leave half a character, which no card takes: the whole one goes.
    if (length > 0 && text[length] != L'\0' && IS_HIGH_SURROGATE(text[length - 1]))
        --length;
    target.Assign(text, static_cast<int>(length));
}

}  // namespace

PhonebookSlot::PhonebookSlot(DWORD simIndex, int nameLimit, int numberLimit)
    : m_simIndex(simIndex), m_nameLimit(BoundLimit(nameLimit)), m_numberLimit(BoundLimit(numberLimit))
{
}

void PhonebookSlot::SetName(const wchar_t* name)
{
    SetCut(m_name, name, m_nameLimit);
}

void PhonebookSlot::SetNumber(const wchar_t* number)
{
    SetCut(m_number, number, m_numberLimit);
}

void PhonebookSlot::Clear()
{
    m_name.Clear();
    m_number.Clear();
}

bool PhonebookSlot::Equals(const PhonebookSlot& other) const noexcept
{
    // Most slots differ in their first character; that test is the cheap one.
    if (m_name[0] != other.m_name[0])
        return false;
    return m_name == other.m_name && m_number == other.m_number;
}
