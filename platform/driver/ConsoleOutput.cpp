#include "platform/driver/ConsoleOutput.h"

#include <windows.h>

#include <algorithm>

namespace vellumate {
namespace {

void WriteTo(DWORD stream, std::wstring_view text)
{
    const std::string bytes = ToUtf8(text);
    const HANDLE handle = ::GetStdHandle(stream);
    if (!handle || handle == INVALID_HANDLE_VALUE)
        return;
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!::WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return;
        done += written;
    }
}

}  // namespace

std::string ToUtf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                              nullptr);
    return bytes;
}

void WriteOut(std::wstring_view text)
{
    WriteTo(STD_OUTPUT_HANDLE, text);
}

void WriteError(std::wstring_view text)
{
    WriteTo(STD_ERROR_HANDLE, text);
}

}  // namespace vellumate
