// What the phone information dialog shows: the SIM phonebook's capacity,
// the phone's serial and subscriber numbers, the message centre and the
// service provider's name, each a line that is shown only when it is known.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct PhoneInfo {
    DWORD capacity = 0;  // positions of the general phonebook
    DWORD nameLength = 0;
    DWORD numberLength = 0;
    std::optional<std::wstring> serial;
    std::wstring smsc;
    std::optional<std::wstring> subscriber;
    std::optional<std::wstring> provider;  // nothing when the SIM file could not be read
};

// The dialog's lines, in the order they stand.
enum class InfoLine { Capacity, Serial, Smsc, Subscriber, Provider };

// The lines `info` has figures for, in order.
std::vector<InfoLine> ShownLines(const PhoneInfo& info);
// The value texts a line has: three for the capacity, one for the others.
int ValueCount(InfoLine line) noexcept;

// The provider's name from the bytes of the SIM's service-provider file: the
// first byte says when to display the name and the name's unused bytes are
// 0xFF, so the name is what stands between them, byte by byte as characters.
std::wstring ProviderName(const BYTE* bytes, DWORD count);

// The figures now: capacity from the SIM's capabilities, the line's numbers,
// the provider read from the SIM, and `smsc` as SimAccess holds it.
PhoneInfo GatherPhoneInfo(const wchar_t* smsc);
