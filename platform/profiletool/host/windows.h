// The few Win32 text functions the platform's profile parser calls, for the
// host build of the profile tool (Linux, no Wine). Text is kept as UTF-16 code
// units in wchar_t, as on Windows, so that the parser counts, trims and
// compares exactly the same units on both. Found before any system header:
// the host has no <windows.h> of its own.
#pragma once

#include <clocale>
#include <cstdint>
#include <cwctype>
#include <locale.h>

using UINT = unsigned int;
using DWORD = std::uint32_t;
using BOOL = int;

inline constexpr UINT CP_UTF8 = 65001;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;
inline constexpr BOOL TRUE = 1;
inline constexpr int CSTR_LESS_THAN = 1;
inline constexpr int CSTR_EQUAL = 2;
inline constexpr int CSTR_GREATER_THAN = 3;

namespace vellumate::host {

// One code point from UTF-8, strictly: no overlong forms, no surrogates,
// nothing past U+10FFFF. Returns the bytes taken, 0 for an invalid sequence.
inline int DecodeUtf8(const unsigned char* bytes, int available, char32_t& point) noexcept
{
    const unsigned char lead = bytes[0];
    int length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        point = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, point = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, point = lead & 0x07;
    } else {
        return 0;
    }
    if (available < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80)
            return 0;
        point = (point << 6) | (bytes[i] & 0x3F);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return 0;
    return length;
}

// The simple uppercase of one UTF-16 unit, from the C library's Unicode table.
inline wchar_t UpperUnit(wchar_t unit) noexcept
{
    if (unit < 0x80)
        return (unit >= L'a' && unit <= L'z') ? static_cast<wchar_t>(unit - 0x20) : unit;
    if (unit >= 0xD800 && unit <= 0xDFFF)
        return unit;
    static const locale_t unicode = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (!unicode)
        return unit;
    const wint_t upper = ::towupper_l(static_cast<wint_t>(unit), unicode);
    return upper <= 0xFFFF ? static_cast<wchar_t>(upper) : unit;
}

}  // namespace vellumate::host

// UTF-8 only. Invalid input fails with MB_ERR_INVALID_CHARS and becomes
// U+FFFD without it; a length of -1 means "up to and with the terminator".
inline int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, wchar_t* out,
                               int capacity) noexcept
{
    if (codePage != CP_UTF8 || !text)
        return 0;
    if (length < 0) {
        length = 0;
        while (text[length] != '\0')
            ++length;
        ++length;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    int units = 0;
    const auto put = [&](char32_t unit) {
        if (out && capacity > 0) {
            if (units >= capacity)
                return false;
            out[units] = static_cast<wchar_t>(unit);
        }
        ++units;
        return true;
    };
    for (int at = 0; at < length;) {
        char32_t point = 0;
        int taken = vellumate::host::DecodeUtf8(bytes + at, length - at, point);
        if (taken == 0) {
            if (flags & MB_ERR_INVALID_CHARS)
                return 0;
            point = 0xFFFD;
            taken = 1;
        }
        at += taken;
        if (point >= 0x10000) {
            point -= 0x10000;
            if (!put(0xD800 + (point >> 10)) || !put(0xDC00 + (point & 0x3FF)))
                return 0;
        } else if (!put(point)) {
            return 0;
        }
    }
    return units;
}

// Ordinal comparison of UTF-16 units, each uppercased first when ignoreCase.
inline int CompareStringOrdinal(const wchar_t* a, int lengthA, const wchar_t* b, int lengthB, BOOL ignoreCase) noexcept
{
    const auto size = [](const wchar_t* text, int length) {
        if (length >= 0)
            return length;
        int count = 0;
        while (text[count] != L'\0')
            ++count;
        return count;
    };
    lengthA = size(a, lengthA);
    lengthB = size(b, lengthB);
    for (int i = 0; i < lengthA && i < lengthB; ++i) {
        const wchar_t x = ignoreCase ? vellumate::host::UpperUnit(a[i]) : a[i];
        const wchar_t y = ignoreCase ? vellumate::host::UpperUnit(b[i]) : b[i];
        if (x != y)
            return x < y ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
    }
    return lengthA == lengthB ? CSTR_EQUAL : (lengthA < lengthB ? CSTR_LESS_THAN : CSTR_GREATER_THAN);
}
