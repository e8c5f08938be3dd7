// How file-change notifications travel between processes of a session.
//
//   program  --Register/Deregister-->  home shell   (the shell keeps the list)
//   vmdrive  --Event------------------> home shell  (a card was inserted ...)
//   shell    --Deliver----------------> program's client window, which posts
//                                       WM_FILECHANGEINFO to the registered window
//
// Every message is a WM_COPYDATA whose dwData names the packet kind and whose
// data is a fixed-width header followed by a UTF-16 text without terminator.
// The receivers check sizes and kinds, so a stray or malformed message is
// refused instead of read.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumate {

// The shell's relay window and each program's client window: message-only
// windows, found with FindWindowExW(HWND_MESSAGE, ...).
inline constexpr wchar_t ShellNotifyClass[] = L"VellumateShellNotify";
inline constexpr wchar_t NotifyClientClass[] = L"VellumateNotifyClient";

enum class NotifyKind : ULONG_PTR {
    Register = 0x564E0001,    // window, client, value = event mask, recursive, text = watched folder
    Deregister = 0x564E0002,  // window
    Event = 0x564E0003,       // value = event id, text = path
    Deliver = 0x564E0004,     // window, value = event id, text = path
    Call = 0x564E0005,        // text = number, then '\n' and the called party
};

struct NotifyPacket {
    NotifyKind kind = NotifyKind::Event;
    HWND window = nullptr;
    HWND client = nullptr;
    std::uint32_t value = 0;
    bool recursive = false;
    std::wstring text;
};

// Longest text a packet carries, in UTF-16 units (the longest Win32 path).
inline constexpr std::size_t MaxNotifyText = 32767;

// The WM_COPYDATA data of a packet.
std::vector<std::byte> EncodeNotifyPacket(const NotifyPacket& packet);

// A received packet, or nothing when the data is not a well-formed packet.
std::optional<NotifyPacket> DecodeNotifyPacket(const COPYDATASTRUCT* data);

// Sends a packet to `to` and waits at most `timeoutMs` for it to be taken;
// true when the receiver accepted it.
bool SendNotifyPacket(HWND to, HWND from, const NotifyPacket& packet, UINT timeoutMs);

// The running shell's relay window, or nullptr.
HWND FindShellNotifyWindow() noexcept;

enum class DeviceEventResult { Delivered, NoShell, Refused };

// Tells the home shell that a device event happened (SHCNE_DRIVEADD with the
// card's path "\Storage Card", ...); the shell passes it on to every window
// registered for it before this returns.
DeviceEventResult SendDeviceEvent(LONG eventId, std::wstring_view path);

// Asks the home shell to show that a call to `number` is being made; the
// shell answers at once and shows its notice afterwards. True when a shell
// took the request.
bool SendCallRequest(std::wstring_view number, std::wstring_view calledParty);

}  // namespace vellumate
