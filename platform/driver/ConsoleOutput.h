// The driver's output: UTF-8 on the standard streams, line breaks as "\n",
// whatever the console code page, so that the session tool reads it as is.
#pragma once

#include <string>
#include <string_view>

namespace vellumate {

std::string ToUtf8(std::wstring_view text);

void WriteOut(std::wstring_view text);
void WriteError(std::wstring_view text);

}  // namespace vellumate
