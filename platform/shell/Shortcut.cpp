#include "platform/shell/Shortcut.h"

#include "platform/Handles.h"

#include <windows.h>

namespace vellumate {
namespace {

// No command line of the handset comes close; the bound keeps a damaged count
// from meaning anything.
constexpr std::size_t MaxCommandLength = 2048;

std::wstring_view TrimSpaces(std::wstring_view text)
{
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t'))
        text.remove_suffix(1);
    return text;
}

std::wstring Decode(std::string_view bytes, UINT codePage, DWORD flags)
{
    if (bytes.empty())
        return {};
    const int length = ::MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

}  // namespace

std::optional<Shortcut> ParseShortcut(std::wstring_view text)
{
    std::size_t digits = 0;
    std::size_t count = 0;
    while (digits < text.size() && text[digits] >= L'0' && text[digits] <= L'9') {
        count = count * 10 + static_cast<std::size_t>(text[digits] - L'0');
        if (count > MaxCommandLength)
            return std::nullopt;
        ++digits;
    }
    if (digits == 0 || count == 0 || digits >= text.size() || text[digits] != L'#')
        return std::nullopt;

    std::wstring_view command = text.substr(digits + 1);
    if (command.size() < count)
        return std::nullopt;  // cut short
    command = command.substr(0, count);
    if (command.find_first_of(L"\r\n") != std::wstring_view::npos)
        return std::nullopt;  // the count runs past the line
    return ParseCommand(command);
}

std::optional<Shortcut> ParseCommand(std::wstring_view command)
{
    command = TrimSpaces(command);
    Shortcut shortcut;
    std::wstring_view rest;
    if (!command.empty() && command.front() == L'"') {
        const std::size_t close = command.find(L'"', 1);
        if (close == std::wstring_view::npos)
            return std::nullopt;
        shortcut.target = command.substr(1, close - 1);
        rest = command.substr(close + 1);
    } else {
        const std::size_t space = command.find_first_of(L" \t");
        shortcut.target = command.substr(0, space);
        if (space != std::wstring_view::npos)
            rest = command.substr(space);
    }
    if (TrimSpaces(shortcut.target).empty())
        return std::nullopt;
    shortcut.arguments = TrimSpaces(rest);
    return shortcut;
}

std::wstring FormatShortcut(const Shortcut& shortcut)
{
    std::wstring command = L"\"" + shortcut.target + L"\"";
    if (!shortcut.arguments.empty())
        command += L" " + shortcut.arguments;
    return std::to_wstring(command.size()) + L"#" + command;
}

std::wstring DecodeShortcutBytes(std::string_view bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        bytes.remove_prefix(2);
        std::wstring text(bytes.size() / 2, L'\0');
        for (std::size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                           static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
        return text;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return Decode(bytes.substr(3), CP_UTF8, 0);
    if (bytes.empty())
        return {};
    std::wstring text = Decode(bytes, CP_UTF8, MB_ERR_INVALID_CHARS);
    return text.empty() ? Decode(bytes, CP_ACP, 0) : text;
}

ShortcutReadResult ReadShortcutFile(const std::wstring& path)
{
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return {std::nullopt, ShortcutError::Unreadable};
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size))
        return {std::nullopt, ShortcutError::Unreadable};
    if (size.QuadPart > static_cast<LONGLONG>(MaxShortcutFileBytes))
        return {std::nullopt, ShortcutError::Damaged};

    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return {std::nullopt, ShortcutError::Unreadable};
    bytes.resize(read);

    std::optional<Shortcut> shortcut = ParseShortcut(DecodeShortcutBytes(bytes));
    if (!shortcut)
        return {std::nullopt, ShortcutError::Damaged};
    return {std::move(shortcut), ShortcutError::None};
}

}  // namespace vellumate
