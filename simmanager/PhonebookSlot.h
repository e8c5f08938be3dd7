// PhonebookSlot: one SIM position with its name and number. Slots are made
// when a store is built and live as long as it; they are filled and emptied,
// never added or removed, so views may keep plain pointers to them.
#pragma once

#include "framework/String.h"

#include <windows.h>

class PhonebookSlot {
public:
    // The limits are the SIM's figures, at most what a platform entry record
    // holds (longer figures are cut to it).
    PhonebookSlot(DWORD simIndex, int nameLimit, int numberLimit);

    DWORD SimIndex() const noexcept { return m_simIndex; }
    const String& Name() const noexcept { return m_name; }
    const String& Number() const noexcept { return m_number; }
    int NameLimit() const noexcept { return m_nameLimit; }
    int NumberLimit() const noexcept { return m_numberLimit; }

    // Each keeps at most its limit of characters.
    void SetName(const wchar_t* name);
    void SetNumber(const wchar_t* number);
    void Set(const wchar_t* name, const wchar_t* number)
    {
        SetName(name);
        SetNumber(number);
    }
    void Clear();

    bool IsEmpty() const noexcept { return m_name.IsEmpty() && m_number.IsEmpty(); }

    // Duplicates: equal names and equal numbers, case-sensitive.
    bool Equals(const PhonebookSlot& other) const noexcept;

private:
    DWORD m_simIndex;
    int m_nameLimit;
    int m_numberLimit;
    String m_name;
    String m_number;
};

// The longest name or number a platform entry record holds.
inline constexpr int MaxEntryTextLength = 255;
