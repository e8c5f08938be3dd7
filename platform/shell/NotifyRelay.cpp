#include "platform/shell/NotifyRelay.h"

#include "platform/DeviceProfile.h"
#include "platform/ShellNotifyProtocol.h"

#include <algorithm>
#include <optional>

namespace vellumate {
namespace {

// A program that does not take an event within this time is skipped.
constexpr UINT DeliveryTimeoutMs = 2000;

std::wstring_view WithoutTrailingSeparators(std::wstring_view path) noexcept
{
    while (!path.empty() && path.back() == L'\\')
        path.remove_suffix(1);
    return path;
}

DWORD ProcessOf(HWND window) noexcept
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process;
}

}  // namespace

bool WatchCovers(std::wstring_view watchDir, bool recursive, std::wstring_view path) noexcept
{
    if (watchDir.empty())
        return true;
    const std::wstring_view folder = WithoutTrailingSeparators(watchDir);  // "\" becomes ""
    path = WithoutTrailingSeparators(path);
    if (SameName(path, folder))
        return true;
    if (path.size() <= folder.size() || !SameName(path.substr(0, folder.size()), folder) ||
        path[folder.size()] != L'\\')
        return false;
    const std::wstring_view below = path.substr(folder.size() + 1);
    return recursive || below.find(L'\\') == std::wstring_view::npos;
}

bool NotifyRelay::Create(HINSTANCE instance)
{
    return RegisterWindowClass(instance, ShellNotifyClass) &&
           CreateWindowObject(instance, ShellNotifyClass, L"", 0, 0, RECT{}, HWND_MESSAGE);
}

std::size_t NotifyRelay::Deliver(LONG eventId, std::wstring_view path)
{
    // Sending to another process lets messages in while waiting (a program
    // registering meanwhile), so go through a copy.
    const std::vector<NotifyRegistration> recipients = m_registrations;
    std::size_t delivered = 0;
    for (const NotifyRegistration& registration : recipients) {
        if (!(registration.eventMask & static_cast<std::uint32_t>(eventId)) ||
            !WatchCovers(registration.watchDir, registration.recursive, path) || !::IsWindow(registration.window))
            continue;
        NotifyPacket packet;
        packet.kind = NotifyKind::Deliver;
        packet.window = registration.window;
        packet.value = static_cast<std::uint32_t>(eventId);
        packet.text = path;
        if (SendNotifyPacket(registration.client, m_window, packet, DeliveryTimeoutMs))
            ++delivered;
    }
    // Programs that ended, or closed the window, without deregistering.
    std::erase_if(m_registrations, [](const NotifyRegistration& registration) {
        return !::IsWindow(registration.window) || !::IsWindow(registration.client);
    });
    return delivered;
}

LRESULT NotifyRelay::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA)
        return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return ::DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT NotifyRelay::OnCopyData(const COPYDATASTRUCT* data)
{
    std::optional<NotifyPacket> packet = DecodeNotifyPacket(data);
    if (!packet)
        return FALSE;
    switch (packet->kind) {
    case NotifyKind::Register: {
        // Both windows must exist and belong to one process: a program
        // registers its own windows only.
        if (!::IsWindow(packet->window) || !::IsWindow(packet->client) ||
            ProcessOf(packet->window) != ProcessOf(packet->client))
            return FALSE;
        std::erase_if(m_registrations,
                      [&](const NotifyRegistration& registration) { return registration.window == packet->window; });
        m_registrations.push_back(NotifyRegistration{packet->window, packet->client, packet->value,
                                                     std::move(packet->text), packet->recursive});
        return TRUE;
    }
    case NotifyKind::Deregister:
        std::erase_if(m_registrations,
                      [&](const NotifyRegistration& registration) { return registration.window == packet->window; });
        return TRUE;
    case NotifyKind::Event:
        Deliver(static_cast<LONG>(packet->value), packet->text);
        return TRUE;
    case NotifyKind::Deliver:
        return FALSE;  // for programs, not for the shell
    }
    return FALSE;
}

}  // namespace vellumate
