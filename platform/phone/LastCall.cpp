#include "platform/phone/LastCall.h"

#include "platform/DeviceFiles.h"
#include "platform/Handles.h"
#include "platform/phone/Tapi.h"

#include <cstdio>

namespace vellumate::phone {
namespace {

constexpr std::size_t MaxLastCallBytes = 4096;

std::string Utf8(std::wstring_view text)
{
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(length, 0)), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                              nullptr);
    return bytes;
}

std::optional<std::wstring> Wide(std::string_view bytes)
{
    if (bytes.empty())
        return std::wstring();
    const int length =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

// A called party on one line: line ends and other control characters become blanks.
std::wstring OneLine(std::wstring_view text)
{
    std::wstring line(text);
    for (wchar_t& c : line)
        if (c < 0x20)
            c = L' ';
    return line;
}

}  // namespace

bool IsDialableNumber(std::wstring_view number) noexcept
{
    bool digit = false;
    bool signAllowed = true;
    for (const wchar_t c : number) {
        if (c >= L'0' && c <= L'9') {
            digit = true;
        } else if (c == L'+') {
            if (!signAllowed)
                return false;
        } else if (std::wstring_view(L"#*pPwW,; -.()").find(c) == std::wstring_view::npos) {
            return false;
        }
        // '+' may follow only blanks and brackets: "(+44) ..." but not "0+1".
        if (c != L' ' && c != L'(')
            signAllowed = false;
    }
    return digit && number.size() <= TAPIMAXDESTADDRESSSIZE;
}

std::string FormatLastCall(const LastCall& call)
{
    char time[32];
    std::snprintf(time, sizeof time, "%04u-%02u-%02uT%02u:%02u:%02uZ", call.time.wYear, call.time.wMonth,
                  call.time.wDay, call.time.wHour, call.time.wMinute, call.time.wSecond);
    return "number=" + Utf8(call.number) + "\ncalled_party=" + Utf8(OneLine(call.calledParty)) + "\ntime=" + time +
           "\n";
}

std::optional<LastCall> ParseLastCall(std::string_view bytes)
{
    LastCall call;
    bool number = false, time = false;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == "number") {
            const std::optional<std::wstring> text = Wide(value);
            number = text && IsDialableNumber(*text);
            if (number)
                call.number = *text;
        } else if (key == "called_party") {
            call.calledParty = Wide(value).value_or(std::wstring());
        } else if (key == "time") {
            unsigned y, mo, d, h, mi, s;
            char zone = 0;
            time = std::sscanf(std::string(value).c_str(), "%4u-%2u-%2uT%2u:%2u:%2u%c", &y, &mo, &d, &h, &mi, &s,
                               &zone) == 7 &&
                   zone == 'Z' && mo >= 1 && mo <= 12 && d >= 1 && d <= 31 && h < 24 && mi < 60 && s < 61;
            if (time)
                call.time = SYSTEMTIME{static_cast<WORD>(y), static_cast<WORD>(mo), 0, static_cast<WORD>(d),
                                       static_cast<WORD>(h), static_cast<WORD>(mi), static_cast<WORD>(s), 0};
        }
    }
    if (!number || !time)
        return std::nullopt;
    return call;
}

bool KeepLastCall(const LastCall& call) noexcept
{
    try {
        const std::wstring path = DeviceFilePath(LastCallFileName);
        return !path.empty() && ReplaceFileDurably(path, FormatLastCall(call));
    } catch (...) {
        return false;
    }
}

std::optional<LastCall> ReadLastCall()
{
    const std::wstring path = DeviceFilePath(LastCallFileName);
    if (path.empty())
        return std::nullopt;
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    std::string bytes(MaxLastCallBytes, '\0');
    DWORD read = 0;
    if (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return std::nullopt;
    bytes.resize(read);
    return ParseLastCall(bytes);
}

}  // namespace vellumate::phone
