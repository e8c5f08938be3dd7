#include "platform/sim/SimWatch.h"

#include "platform/sim/SimCardStore.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vellumate::sim {
namespace {

// How often the file is looked at without a change notification.
constexpr DWORD PollMs = 200;

struct Notification {
    DWORD code = 0;
    bool hasChange = false;
    SIMPBECHANGE change{};
};

Notification EntryNotification(DWORD code, std::uint32_t storage, std::uint32_t position)
{
    Notification notification{code, true, {}};
    notification.change.cbSize = sizeof notification.change;
    notification.change.dwParams = SIM_PARAM_SIMPBECHANGE_ALL;
    notification.change.dwEntry = position;
    notification.change.dwStorage = storage;
    return notification;
}

// What tells `before` (no card when empty) from `after`.
std::vector<Notification> Differences(const std::optional<SimCard>& before, const std::optional<SimCard>& after)
{
    if (!before && !after)
        return {};
    if (!after)
        return {{SIM_NOTIFY_CARD_REMOVED}};
    if (!before)
        return {{SIM_NOTIFY_FILE_REFRESH}};
    std::vector<Notification> notifications;
    if (before->radioOn != after->radioOn)
        notifications.push_back({after->radioOn ? DWORD{SIM_NOTIFY_RADIOON} : DWORD{SIM_NOTIFY_RADIOOFF}});
    for (std::uint32_t storage : StorageCodes) {
        const auto& old = before->Phonebook(storage)->entries;
        const auto& now = after->Phonebook(storage)->entries;
        for (const auto& [position, entry] : now) {
            const auto found = old.find(position);
            if (found == old.end() || found->second != entry)
                notifications.push_back(EntryNotification(SIM_NOTIFY_PBE_STORED, storage, position));
        }
        for (const auto& [position, entry] : old)
            if (!now.contains(position))
                notifications.push_back(EntryNotification(SIM_NOTIFY_PBE_DELETED, storage, position));
    }
    return notifications;
}

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash + 1);
}

}  // namespace

struct SimWatch::State {
    SIMCALLBACK callback = nullptr;
    DWORD param = 0;
    KernelHandle stopEvent;
    std::atomic<bool> stopped = false;

    std::mutex lock;
    std::optional<SimCard> known;             // the card as last told; empty: no card
    std::shared_ptr<const SimCard> lastRead;  // the file's card last compared
    int ownChanges = 0;                       // of this session, under way

    // The notifications from the known card to the file's, which becomes the
    // known one. A file that is no card (damaged, unreadable) tells nothing:
    // it is compared again once it is a card again.
    std::vector<Notification> Compare(const CardSnapshot& snapshot)
    {
        if (snapshot.state == CardSnapshot::State::Unreadable || snapshot.state == CardSnapshot::State::Damaged)
            return {};
        std::lock_guard guard(lock);
        if (ownChanges > 0 || (snapshot.card && snapshot.card == lastRead))
            return {};
        lastRead = snapshot.card;
        std::optional<SimCard> now;
        if (snapshot.card && snapshot.card->present)
            now = *snapshot.card;
        std::vector<Notification> notifications = Differences(known, now);
        known = std::move(now);
        return notifications;
    }

    void Run() noexcept
    {
        std::wstring watched;
        ChangeNotificationHandle change;
        while (!stopped) {
            try {
                const std::wstring path = SimCardPath();
                if (const std::wstring folder = FolderOf(path); !path.empty() && folder != watched) {
                    change.Reset(::FindFirstChangeNotificationW(
                        folder.c_str(), FALSE,
                        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE));
                    watched = folder;
                }
                const HANDLE handles[2] = {stopEvent.Get(), change ? change.Get() : nullptr};
                const DWORD waited = ::WaitForMultipleObjects(change ? 2 : 1, handles, FALSE, PollMs);
                if (waited == WAIT_OBJECT_0 || stopped)
                    return;
                if (waited == WAIT_OBJECT_0 + 1 && !::FindNextChangeNotification(change.Get())) {
                    change.Reset();
                    watched.clear();
                }
                for (const Notification& notification : Compare(ReadSimCardFile(path))) {
                    if (stopped)
                        return;
                    callback(notification.code, notification.hasChange ? &notification.change : nullptr,
                             notification.hasChange ? sizeof notification.change : 0, param);
                }
            } catch (...) {
                // Out of memory while comparing: the next round tries again.
                ::Sleep(PollMs);
            }
        }
    }
};

namespace {

DWORD WINAPI WatchThread(void* parameter)
{
    // The thread's own share of the state: it outlives a Stop called from
    // within the callback.
    const std::unique_ptr<std::shared_ptr<SimWatch::State>> owned(
        static_cast<std::shared_ptr<SimWatch::State>*>(parameter));
    const std::shared_ptr<SimWatch::State> state = *owned;
    state->Run();
    return 0;
}

}  // namespace

SimWatch::SimWatch(SIMCALLBACK callback, DWORD param) : m_state(std::make_shared<State>())
{
    m_state->callback = callback;
    m_state->param = param;
}

SimWatch::~SimWatch()
{
    Stop();
}

bool SimWatch::Start()
{
    m_state->stopEvent.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_state->stopEvent)
        return false;
    m_state->Compare(ReadSimCardFile(SimCardPath()));
    auto share = std::make_unique<std::shared_ptr<State>>(m_state);
    m_thread.Reset(::CreateThread(nullptr, 0, WatchThread, share.get(), 0, &m_threadId));
    if (!m_thread)
        return false;
    share.release();  // the thread's now
    return true;
}

void SimWatch::Stop() noexcept
{
    m_state->stopped = true;
    if (m_state->stopEvent)
        ::SetEvent(m_state->stopEvent.Get());
    if (!m_thread)
        return;
    if (::GetCurrentThreadId() != m_threadId) {
        const HANDLE thread = m_thread.Get();
        while (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG message;
            ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    m_thread.Reset();
}

void SimWatch::BeginOwnChange() noexcept
{
    std::lock_guard guard(m_state->lock);
    ++m_state->ownChanges;
}

void SimWatch::EndOwnChange(bool made, std::uint32_t storage, std::uint32_t position, const SimEntry* entry) noexcept
{
    std::lock_guard guard(m_state->lock);
    --m_state->ownChanges;
    if (!made || !m_state->known)
        return;
    SimPhonebook* book = m_state->known->Phonebook(storage);
    if (!book)
        return;
    try {
        if (entry)
            book->entries[position] = *entry;
        else
            book->entries.erase(position);
    } catch (...) {
        // Not taken in: the session hears of its own change, which is harmless.
    }
}

}  // namespace vellumate::sim
