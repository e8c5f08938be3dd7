// The output length bound of a wide printf format with Windows conventions,
// found by walking the format once with its arguments. String::FormatText
// reserves this much and formats in one pass.
#pragma once

#include <cstdarg>

// An upper bound of the characters _vsnwprintf produces for format and args,
// or -1 when the format holds something the walk does not know (the caller
// then formats with a growing buffer). Reads a copy of args.
int MeasureFormat(const wchar_t* format, va_list args);
