// The driver's output: UTF-8 on the standard streams, line breaks as "\n",
// whatever the console code page, so that the session tool reads it as is.
#pragma once

#include <string>
#include <string_view>

namespace vellumate {

// The driver's exit codes.
inline constexpr int ExitDone = 0;
inline constexpr int ExitFailed = 1;  // or timed out
inline constexpr int ExitUsage = 2;   // a bad command line

std::string ToUtf8(std::wstring_view text);

void WriteOut(std::wstring_view text);
void WriteError(std::wstring_view text);

}  // namespace vellumate
