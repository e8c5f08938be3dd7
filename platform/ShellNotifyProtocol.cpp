#include "platform/ShellNotifyProtocol.h"

#include <algorithm>
#include <cstring>

namespace vellumate {
namespace {

// Fixed widths, so that the layout never depends on the sender's build.
struct PacketHeader {
    std::uint64_t window;
    std::uint64_t client;
    std::uint32_t value;
    std::uint32_t flags;
};
static_assert(sizeof(PacketHeader) == 24);

constexpr std::uint32_t RecursiveFlag = 1;

// The shell hands an event on to each registered program, waiting for each at
// most a couple of seconds, before it answers.
constexpr UINT EventTimeoutMs = 20000;
// The shell takes a call request without waiting for anything.
constexpr UINT CallTimeoutMs = 2000;

bool IsKnownKind(ULONG_PTR kind) noexcept
{
    switch (static_cast<NotifyKind>(kind)) {
    case NotifyKind::Register:
    case NotifyKind::Deregister:
    case NotifyKind::Event:
    case NotifyKind::Deliver:
    case NotifyKind::Call:
        return true;
    }
    return false;
}

HWND ToWindow(std::uint64_t value) noexcept
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

std::uint64_t FromWindow(HWND window) noexcept
{
    return reinterpret_cast<std::uintptr_t>(window);
}

}  // namespace

std::vector<std::byte> EncodeNotifyPacket(const NotifyPacket& packet)
{
    const std::size_t textLength = std::min(packet.text.size(), MaxNotifyText);
    const PacketHeader header{FromWindow(packet.window), FromWindow(packet.client), packet.value,
                              packet.recursive ? RecursiveFlag : 0};
    std::vector<std::byte> data(sizeof header + textLength * sizeof(wchar_t));
    std::memcpy(data.data(), &header, sizeof header);
    std::memcpy(data.data() + sizeof header, packet.text.data(), textLength * sizeof(wchar_t));
    return data;
}

std::optional<NotifyPacket> DecodeNotifyPacket(const COPYDATASTRUCT* data)
{
    if (!data || !IsKnownKind(data->dwData) || !data->lpData || data->cbData < sizeof(PacketHeader))
        return std::nullopt;
    const std::size_t textBytes = data->cbData - sizeof(PacketHeader);
    if (textBytes % sizeof(wchar_t) != 0 || textBytes / sizeof(wchar_t) > MaxNotifyText)
        return std::nullopt;

    PacketHeader header;
    std::memcpy(&header, data->lpData, sizeof header);
    NotifyPacket packet;
    packet.kind = static_cast<NotifyKind>(data->dwData);
    packet.window = ToWindow(header.window);
    packet.client = ToWindow(header.client);
    packet.value = header.value;
    packet.recursive = (header.flags & RecursiveFlag) != 0;
    packet.text.resize(textBytes / sizeof(wchar_t));
    std::memcpy(packet.text.data(), static_cast<const std::byte*>(data->lpData) + sizeof header, textBytes);
    if (packet.text.find(L'\0') != std::wstring::npos)
        return std::nullopt;
    return packet;
}

bool SendNotifyPacket(HWND to, HWND from, const NotifyPacket& packet, UINT timeoutMs)
{
    std::vector<std::byte> data = EncodeNotifyPacket(packet);
    COPYDATASTRUCT copy{static_cast<ULONG_PTR>(packet.kind), static_cast<DWORD>(data.size()), data.data()};
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&copy),
                                 SMTO_ABORTIFHUNG, timeoutMs, &result) != 0 &&
           result != 0;
}

HWND FindShellNotifyWindow() noexcept
{
    return ::FindWindowExW(HWND_MESSAGE, nullptr, ShellNotifyClass, nullptr);
}

DeviceEventResult SendDeviceEvent(LONG eventId, std::wstring_view path)
{
    const HWND shell = FindShellNotifyWindow();
    if (!shell)
        return DeviceEventResult::NoShell;
    NotifyPacket packet;
    packet.kind = NotifyKind::Event;
    packet.value = static_cast<std::uint32_t>(eventId);
    packet.text = path;
    return SendNotifyPacket(shell, nullptr, packet, EventTimeoutMs) ? DeviceEventResult::Delivered
                                                                    : DeviceEventResult::Refused;
}

bool SendCallRequest(std::wstring_view number, std::wstring_view calledParty)
{
    const HWND shell = FindShellNotifyWindow();
    if (!shell)
        return false;
    NotifyPacket packet;
    packet.kind = NotifyKind::Call;
    packet.text = std::wstring(number) + L"\n" + std::wstring(calledParty);
    return SendNotifyPacket(shell, nullptr, packet, CallTimeoutMs);
}

}  // namespace vellumate
