#include "platform/shell/NotifyRelay.h"

#include "platform/DeviceProfile.h"
#include "platform/ShellNotifyProtocol.h"

#include <algorithm>
#include <optional>

namespace vellumate {
namespace {

// A program that does not take an event within this time is skipped.
constexpr UINT DeliveryTimeoutMs = 2000;

// Posted to the relay itself: show the call request taken meanwhile.
constexpr UINT ShowCallMessage = WM_APP + 1;

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
    m_instance = instance;
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
    if (message == ShowCallMessage) {
        ShowCall();
        return 0;
    }
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
    case NotifyKind::Call: {
        // The sender waits for the answer: the notice comes after it.
        const std::size_t end = packet->text.find(L'\n');
        CallRequest call{packet->text.substr(0, end),
                         end == std::wstring::npos ? std::wstring() : packet->text.substr(end + 1)};
        if (call.number.empty())
            return FALSE;
        const bool posted = m_pendingCall || ::PostMessageW(m_window, ShowCallMessage, 0, 0);
        if (!posted)
            return FALSE;
        m_pendingCall = std::move(call);  // a later request replaces one not yet shown
        return TRUE;
    }
    }
    return FALSE;
}

void NotifyRelay::ShowCall()
{
    if (!m_pendingCall)
        return;
    const CallRequest call = std::move(*m_pendingCall);
    m_pendingCall.reset();
    // One call at a time: a new request replaces the notice of the last.
    m_callNotice = std::make_unique<CallNotice>();
    if (!m_callNotice->Create(m_instance, call.number, call.calledParty))
        m_callNotice.reset();
}

}  // namespace vellumate
