#include "framework/testsupport/ConsoleLine.h"

#include <windows.h>

namespace vellumate {

void WriteConsoleLine(const std::wstring& line)
{
    const std::wstring text = line + L"\n";
    std::string bytes(text.size() * 3, '\0');
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                             static_cast<int>(bytes.size()), nullptr, nullptr);
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace vellumate
