// The phone's serial and subscriber numbers, as the cellular telephony line
// reports them in its general information. The line is found by its name
// among the handset's lines; the records come in variable sizes, asked for
// once to learn the size they need and again with a buffer that large.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The name of the line that carries the phone's figures, matched exactly.
inline constexpr wchar_t CellularLineName[] = L"Cellular Line";

// The line to use: the last of `names` (one per device, nothing for a device
// that could not be asked) that is the cellular line's; -1 when none is.
int PickCellularLine(const std::vector<std::optional<std::wstring>>& names);

// A text of a variable-size record: `size` bytes of UTF-16 at `offset` from
// the record's start, up to its terminator. Nothing when the size is 0 (the
// record does not have it) or the text does not lie inside the record.
std::optional<std::wstring> RecordText(const std::vector<BYTE>& record, DWORD offset, DWORD size);

struct LineNumbers {
    std::optional<std::wstring> serial;
    std::optional<std::wstring> subscriber;
};

// Asks the cellular line now. Nothing is known when there is no such line or
// any call fails; the line and the telephony session are closed either way.
LineNumbers ReadLineNumbers();
