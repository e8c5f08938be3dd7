#include "framework/TextFormat.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

// Widths, precisions and totals beyond this are left to the growing buffer.
constexpr int64_t largestBound = 1 << 26;

enum class ArgumentSize { Default, Short, Long, LongLong, Pointer, Wide };

struct Conversion {
    bool alternate = false;  // '#'
    int width = 0;
    int precision = -1;  // -1: none
    ArgumentSize size = ArgumentSize::Default;
    wchar_t type = L'\0';
};

// Reads a run of digits; false when the number is absurdly large.
bool ReadNumber(const wchar_t*& p, int& value)
{
    int64_t number = 0;
    while (*p >= L'0' && *p <= L'9') {
        number = number * 10 + (*p++ - L'0');
        if (number > largestBound)
            return false;
    }
    value = static_cast<int>(number);
    return true;
}

// Parses flags, width, precision and size of one conversion (p is past the
// '%'), taking '*' values from args as the C runtime does.
bool ParseConversion(const wchar_t*& p, va_list& args, Conversion& conversion)
{
    for (;; ++p) {
        if (*p == L'#')
            conversion.alternate = true;
        else if (*p != L'-' && *p != L'+' && *p != L' ' && *p != L'0')
            break;
    }
    if (*p == L'*') {
        ++p;
        int width = va_arg(args, int);
        // A negative width means left alignment of its absolute value.
        conversion.width = width < 0 ? (width == INT_MIN ? INT_MAX : -width) : width;
    } else if (!ReadNumber(p, conversion.width)) {
        return false;
    }
    if (conversion.width > largestBound)
        return false;
    if (*p == L'.') {
        ++p;
        if (*p == L'*') {
            ++p;
            int precision = va_arg(args, int);
            conversion.precision = precision < 0 ? -1 : precision;
        } else if (!ReadNumber(p, conversion.precision)) {
            return false;
        }
        if (conversion.precision > largestBound)
            return false;
    }
    if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
        conversion.size = ArgumentSize::LongLong;
        p += 3;
    } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
        p += 3;
    } else if (p[0] == L'I') {
        conversion.size = ArgumentSize::Pointer;
        ++p;
    } else if (p[0] == L'l' && p[1] == L'l') {
        conversion.size = ArgumentSize::LongLong;
        p += 2;
    } else if (p[0] == L'l') {
        conversion.size = ArgumentSize::Long;
        ++p;
    } else if (p[0] == L'w') {
        conversion.size = ArgumentSize::Wide;
        ++p;
    } else if (p[0] == L'h') {
        conversion.size = ArgumentSize::Short;
        ++p;
    }
    conversion.type = *p;
    if (conversion.type != L'\0')
        ++p;
    return true;
}

int64_t IntegerBound(const Conversion& c, va_list& args)
{
    if (c.size == ArgumentSize::LongLong)
        va_arg(args, long long);
    else if (c.size == ArgumentSize::Pointer)
        va_arg(args, intptr_t);
    else
        va_arg(args, int);
    // One more than width plus precision: a sign may precede a fully used
    // precision ("%+.40d").
    return std::max<int64_t>(32, int64_t{c.width} + std::max(c.precision, 0) + 1);
}

// %f is measured by printing it: its length depends on the value's magnitude.
int64_t FixedBound(const Conversion& c, double value)
{
    int precision = c.precision < 0 ? 6 : c.precision;
    std::vector<wchar_t> buffer(static_cast<size_t>(std::max(c.width, precision)) + 318);
    int length = _snwprintf(buffer.data(), buffer.size(), L"%*.*f", c.width, precision, value);
    if (length < 0 || static_cast<size_t>(length) >= buffer.size())
        return -1;
    return length + 6;
}

int64_t FloatingBound(const Conversion& c, va_list& args)
{
    double value = va_arg(args, double);
    if (c.type == L'f')
        return FixedBound(c, value);
    // Sign, leading digit, point and a three-digit exponent on top of the
    // precision's digits.
    return std::max<int64_t>(128, int64_t{c.width} + std::max(c.precision, 0) + 16);
}

int64_t TextBound(const Conversion& c, va_list& args)
{
    bool narrow = c.size == ArgumentSize::Short ||
                  (c.type == L'S' && c.size != ArgumentSize::Long && c.size != ArgumentSize::Wide);
    const void* text = va_arg(args, const void*);
    if (!text)
        return 6;  // "(null)"
    // With a precision the argument need not be NUL-terminated: never read past it.
    size_t length;
    if (narrow) {
        // A narrow byte never becomes more than one UTF-16 unit.
        auto chars = static_cast<const char*>(text);
        length = c.precision >= 0 ? strnlen(chars, c.precision) : std::strlen(chars);
    } else {
        auto chars = static_cast<const wchar_t*>(text);
        length = c.precision >= 0 ? wcsnlen(chars, c.precision) : std::wcslen(chars);
    }
    return std::max<int64_t>(1, static_cast<int64_t>(length));
}

}  // namespace

int MeasureFormat(const wchar_t* format, va_list args)
{
    if (!format)
        return -1;
    va_list walk;
    va_copy(walk, args);
    int64_t total = 0;
    bool known = true;
    for (const wchar_t* p = format; *p && known && total <= largestBound;) {
        if (*p != L'%') {
            ++total;
            ++p;
            continue;
        }
        ++p;
        if (*p == L'%') {
            ++total;
            ++p;
            continue;
        }
        Conversion c;
        if (!ParseConversion(p, walk, c)) {
            known = false;
            break;
        }
        int64_t item;
        switch (c.type) {
        case L'd':
        case L'i':
        case L'o':
        case L'u':
        case L'x':
        case L'X':
            item = IntegerBound(c, walk);
            break;
        case L'p':
            va_arg(walk, void*);
            item = std::max<int64_t>(32, int64_t{c.width} + std::max(c.precision, 0));
            break;
        case L'e':
        case L'E':
        case L'f':
        case L'g':
        case L'G':
            item = FloatingBound(c, walk);
            break;
        case L's':
        case L'S':
            item = TextBound(c, walk);
            break;
        case L'c':
        case L'C':
            va_arg(walk, int);
            item = 2;
            break;
        case L'n':
            va_arg(walk, void*);
            item = 0;
            break;
        case L'%':  // "%5%": a padded percent sign
            item = 1;
            break;
        default:
            item = -1;
            break;
        }
        if (item < 0) {
            known = false;
            break;
        }
        if (c.alternate)
            item += 2;
        total += std::max<int64_t>(item, c.width);
    }
    va_end(walk);
    if (!known || total > largestBound)
        return -1;
    return static_cast<int>(total);
}
