#include "platform/sim/SimSession.h"

#include "platform/sim/SimWatch.h"

#include <map>
#include <mutex>

namespace vellumate::sim {
namespace {

std::mutex sessionsLock;
std::map<HSIM, std::shared_ptr<SimSession>>& Sessions()
{
    static std::map<HSIM, std::shared_ptr<SimSession>> sessions;
    return sessions;
}

}  // namespace

SimSession::SimSession(SIMCALLBACK callback, DWORD param) : m_callback(callback), m_param(param) {}

SimSession::~SimSession()
{
    Stop();
}

bool SimSession::Start()
{
    if (!m_callback)
        return true;
    m_watch = std::make_unique<SimWatch>(m_callback, m_param);
    return m_watch->Start();
}

void SimSession::Stop() noexcept
{
    if (m_watch)
        m_watch->Stop();
}

void SimSession::BeginOwnChange() noexcept
{
    if (m_watch)
        m_watch->BeginOwnChange();
}

void SimSession::EndOwnChange(bool made, std::uint32_t storage, std::uint32_t position, const SimEntry* entry) noexcept
{
    if (m_watch)
        m_watch->EndOwnChange(made, storage, position, entry);
}

HRESULT OpenSimSession(SIMCALLBACK callback, DWORD param, HSIM& handle) noexcept
{
    handle = nullptr;
    try {
        auto session = std::make_shared<SimSession>(callback, param);
        if (!session->Start())
            return E_FAIL;
        const HSIM key = session.get();
        std::lock_guard guard(sessionsLock);
        Sessions().emplace(key, std::move(session));
        handle = key;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

bool CloseSimSession(HSIM handle) noexcept
{
    std::shared_ptr<SimSession> session;
    {
        std::lock_guard guard(sessionsLock);
        const auto found = Sessions().find(handle);
        if (found == Sessions().end())
            return false;
        session = std::move(found->second);
        Sessions().erase(found);
    }
    // Outside the lock: the watch's callback may be calling in meanwhile.
    session->Stop();
    return true;
}

std::shared_ptr<SimSession> FindSimSession(HSIM handle) noexcept
{
    std::lock_guard guard(sessionsLock);
    const auto found = Sessions().find(handle);
    return found == Sessions().end() ? nullptr : found->second;
}

}  // namespace vellumate::sim
