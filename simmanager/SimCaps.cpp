#include "simmanager/SimCaps.h"

#include "simmanager/resource.h"

DWORD Capacity(const SimFigures& figures) noexcept
{
    if (figures.maxIndex < figures.minIndex)
        return 0;
    DWORD capacity = figures.maxIndex - figures.minIndex + 1;
    return capacity == 1 ? 0 : capacity;
}

UINT CapsFailureMessage(HRESULT result) noexcept
{
    return result == SIM_E_RADIOOFF ? IDS_RADIO_OFF : IDS_NO_SIM;
}

SimCaps& SimCaps::Instance() noexcept
{
    static SimCaps caps;
    return caps;
}

HRESULT SimCaps::Refresh() noexcept
{
    HSIM sim = m_sim.load();
    if (!sim) {
        m_ready.store(false);
        return SIM_E_NOTINITIALIZED;
    }
    SIMCAPS record = {};
    record.cbSize = sizeof record;
    HRESULT result = SimGetDevCaps(sim, SIM_CAPSTYPE_ALL, &record);
    if (result == S_OK) {
        std::lock_guard<std::mutex> hold(m_lock);
        m_figures.minIndex = record.dwMinPBIndex;
        m_figures.maxIndex = record.dwMaxPBIndex;
        m_figures.numberLength = record.dwMaxPBEAddressLength;
        m_figures.nameLength = record.dwMaxPBETextLength;
    }
    m_ready.store(result == S_OK);
    return result;
}

SimFigures SimCaps::Figures() const noexcept
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_figures;
}

void SimCaps::Reset() noexcept
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_figures = SimFigures{};
    }
    m_sim.store(nullptr);
    m_ready.store(false);
    m_loaded.store(false);
}
