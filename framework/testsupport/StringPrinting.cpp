#include "framework/testsupport/StringPrinting.h"

#include <gtest/gtest.h>

#include <string>

void PrintTo(const String& text, std::ostream* out)
{
    *out << ::testing::PrintToString(std::wstring(text.Chars(), static_cast<size_t>(text.Length())));
}
