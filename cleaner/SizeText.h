// Byte counts as a person reads them: "1023 B", "1.00 KB", "5.00 GB".
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The count given as its high and low 32-bit halves, with `decimals` places
// and units of `divisor` (1024). Quotients are single-precision, as the
// handset computes them.
std::wstring SizeText(DWORD high, DWORD low, int decimals, DWORD divisor = 1024);
inline std::wstring SizeText(std::uint64_t bytes, int decimals = 2)
{
    return SizeText(static_cast<DWORD>(bytes >> 32), static_cast<DWORD>(bytes), decimals);
}
