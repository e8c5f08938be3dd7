#include "taskmanager/HiddenApps.h"

#include "platform/DeviceFiles.h"
#include "platform/Handles.h"

#include <windows.h>

#include <algorithm>
#include <optional>

namespace {

bool IsBlank(char c) noexcept
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trimmed(std::string_view line) noexcept
{
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && IsBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

// A path holds no control characters; a tab inside an entry is kept as the
// file says it.
bool IsText(std::string_view entry) noexcept
{
    return std::none_of(entry.begin(), entry.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t') || byte == 0x7F;
    });
}

// The entry in wide characters, or empty when it does not convert.
String Widened(const std::string& entry)
{
    const int size = static_cast<int>(entry.size());
    const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, entry.data(), size, nullptr, 0);
    if (length <= 0 || length > MaxHiddenEntryLength)
        return String();
    String wide;
    const int written =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, entry.data(), size, wide.Reserve(length), length);
    wide.Commit(written == length ? length : 0);
    return wide;
}

}  // namespace

HiddenFileLines SplitHiddenLines(std::string_view bytes)
{
    HiddenFileLines lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line = Trimmed(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.empty())
            continue;
        if (!IsText(line))
            ++lines.notText;
        else if (line.size() > static_cast<std::size_t>(MaxHiddenEntryLength))
            ++lines.tooLong;
        else
            lines.entries.emplace_back(line);
    }
    return lines;
}

HiddenList HiddenList::FromBytes(std::string_view bytes)
{
    HiddenList list;
    HiddenFileLines lines = SplitHiddenLines(bytes);
    list.m_skipped = lines.tooLong + lines.notText;
    // Last line first.
    for (auto entry = lines.entries.rbegin(); entry != lines.entries.rend(); ++entry) {
        String wide = Widened(*entry);
        if (wide.IsEmpty())
            ++list.m_skipped;
        else
            list.m_entries.push_back(wide);
    }
    return list;
}

HiddenList HiddenList::FromFile(const std::wstring& path)
{
    vellumate::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return HiddenList();
    DWORD error = 0;
    std::optional<std::string> bytes = vellumate::ReadFileBytes(file.Get(), MaxHiddenFileBytes, error);
    if (!bytes)
        return HiddenList();
    if (bytes->size() > MaxHiddenFileBytes) {
        // The file goes on: its last line here is only the start of a line.
        bytes->resize(MaxHiddenFileBytes);
        const std::size_t lastBreak = bytes->rfind('\n');
        bytes->resize(lastBreak == std::string::npos ? 0 : lastBreak + 1);
    }
    return FromBytes(*bytes);
}

void HiddenList::Add(const String& entry)
{
    m_entries.push_back(entry);
}

bool HiddenList::Contains(const wchar_t* identityPath) const noexcept
{
    if (!identityPath || !*identityPath)
        return false;
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [identityPath](const String& entry) { return entry.CompareNoCase(identityPath) == 0; });
}

std::wstring HiddenAppsPathBeside(void* module)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(static_cast<HMODULE>(module), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return HiddenAppsFileName;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return path + HiddenAppsFileName;
}
