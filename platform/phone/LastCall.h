// The device's last dialled call: "lastcall.txt" beside the device profile,
// UTF-8 lines the vellumate tool shows:
//
//   number=+441632960001
//   called_party=Anna
//   time=2024-05-01T12:30:00Z        UTC
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace vellumate::phone {

inline constexpr wchar_t LastCallFileName[] = L"lastcall.txt";

struct LastCall {
    std::wstring number;
    std::wstring calledParty;
    SYSTEMTIME time{};  // UTC
};

// Whether a call can be requested to `number`: dialling digits, '#', '*',
// pauses ('p', ','), waits ('w', ';'), a leading '+', and the blanks, dashes,
// dots and brackets people write numbers with; at least one digit.
bool IsDialableNumber(std::wstring_view number) noexcept;

// The file's text for a call.
std::string FormatLastCall(const LastCall& call);
// A call from the file's text, or nothing for text that is not one.
std::optional<LastCall> ParseLastCall(std::string_view bytes);

// Keeps the call as the device's last (replacing the file durably); false
// when there is no device folder or the file cannot be written.
bool KeepLastCall(const LastCall& call) noexcept;
// The device's last call, or nothing.
std::optional<LastCall> ReadLastCall();

}  // namespace vellumate::phone
