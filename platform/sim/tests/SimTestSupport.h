// What the SIM tests share: cards made as values, and an open SIM handle.
#pragma once

#include "platform/sim/SimCardFile.h"
#include "platform/sim/SimManager.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumate::sim::testing {

// A card of ten general positions, names of 8 and numbers of 12 characters,
// two entries, and small other phonebooks.
inline SimCard SmallCard()
{
    SimCard card;
    card.minIndex = 1;
    card.maxIndex = 10;
    card.maxNameLength = 8;
    card.maxNumberLength = 12;
    card.provider = L"Netzé";
    card.providerDisplay = 3;
    card.Phonebook(1)->size = 2;
    card.Phonebook(1)->entries[1] = {L"112", 2, L""};
    card.Phonebook(2)->size = 3;
    card.Phonebook(8)->size = 1;
    card.Phonebook(GeneralStorage)->entries[2] = {L"+4416329", 1, L"Ånna"};
    card.Phonebook(GeneralStorage)->entries[5] = {L"0123", 2, L"Boris"};
    return card;
}

// SimInitialize and SimDeinitialize around a test.
class OpenSim {
public:
    explicit OpenSim(DWORD flags = SIM_INIT_NONE, SIMCALLBACK callback = nullptr, DWORD param = 0)
    {
        EXPECT_EQ(SimInitialize(flags, callback, param, &m_sim), S_OK);
    }
    ~OpenSim()
    {
        if (m_sim)
            SimDeinitialize(m_sim);
    }
    OpenSim(const OpenSim&) = delete;
    OpenSim& operator=(const OpenSim&) = delete;

    HSIM Get() const noexcept { return m_sim; }

private:
    HSIM m_sim = nullptr;
};

inline SIMPHONEBOOKENTRY EntryRecord(const std::wstring& number, const std::wstring& name,
                                     DWORD params = SIM_PARAM_PBE_ADDRESS | SIM_PARAM_PBE_TEXT)
{
    SIMPHONEBOOKENTRY record{};
    record.cbSize = sizeof record;
    record.dwParams = params;
    number.copy(record.lpszAddress, MAX_LENGTH_ADDRESS - 1);
    name.copy(record.lpszText, MAX_LENGTH_PHONEBOOKENTRYTEXT - 1);
    record.dwAddressType = number.starts_with(L'+') ? SIM_ADDRTYPE_INTERNATIONAL : SIM_ADDRTYPE_NATIONAL;
    record.dwNumPlan = SIM_NUMPLAN_TELEPHONE;
    return record;
}

}  // namespace vellumate::sim::testing
