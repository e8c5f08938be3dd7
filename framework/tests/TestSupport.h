// Helpers shared by the framework tests.
#pragma once

#include "framework/String.h"
#include "framework/testsupport/StringPrinting.h"

#include <windows.h>

// The reference count in a String's block header: the first of the three
// 32-bit fields in front of the characters.
inline LONG RefCount(const String& text)
{
    return reinterpret_cast<const LONG*>(text.Chars())[-3];
}

// The alphabet repeated and cut at length characters, as the test string
// table holds it.
inline String AlphabetText(int length)
{
    String text;
    for (int i = 0; i < length; ++i)
        text += static_cast<wchar_t>(L'a' + i % 26);
    return text;
}
