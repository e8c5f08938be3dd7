// The SIM manager's calls over the card file. Every call reads the card as
// the file says now; every change goes through ChangeSimCardFile.
#include "platform/sim/SimManager.h"

#include "platform/sim/SimCardStore.h"
#include "platform/sim/SimSession.h"

#include <cwchar>
#include <cstring>

using namespace vellumate::sim;

namespace {

bool IsStorage(DWORD storage) noexcept
{
    for (std::uint32_t code : StorageCodes)
        if (code == storage)
            return true;
    return false;
}

// The card as a call that needs it finds it, with the call's result when it
// cannot reach it.
HRESULT ReachCard(CardSnapshot& snapshot) noexcept
{
    snapshot = ReadSimCardFile(SimCardPath());
    return CardAccess(snapshot);
}

HRESULT EntryFaultResult(EntryFault fault) noexcept
{
    switch (fault) {
    case EntryFault::None:
        return S_OK;
    case EntryFault::NumberTooLong:
        return SIM_E_DIALSTRINGTOOLONG;
    case EntryFault::NameTooLong:
        return SIM_E_TEXTSTRINGTOOLONG;
    case EntryFault::BadNumber:
        return SIM_E_INVALIDDIALSTRING;
    case EntryFault::Empty:
    case EntryFault::BadName:
    case EntryFault::BadAddressType:
        break;
    }
    return SIM_E_INVALIDPARAMETER;
}

// A text of a fixed-size record field, which must end within it.
bool FieldText(const WCHAR (&field)[256], std::wstring& text)
{
    const std::size_t length = ::wcsnlen(field, 256);
    if (length == 256)
        return false;
    text.assign(field, length);
    return true;
}

void CopyField(WCHAR (&field)[256], const std::wstring& text) noexcept
{
    const std::size_t length = std::min<std::size_t>(text.size(), 255);
    std::memcpy(field, text.data(), length * sizeof(WCHAR));
    field[length] = L'\0';
}

}  // namespace

extern "C" {

HRESULT SimInitialize(DWORD dwFlags, SIMCALLBACK lpfnCallBack, DWORD dwParam, LPHSIM lphSim)
{
    if (!lphSim)
        return SIM_E_INVALIDPARAMETER;
    *lphSim = nullptr;
    if ((dwFlags & ~SIM_INIT_SIMCARD_NOTIFICATIONS) != 0 ||
        ((dwFlags & SIM_INIT_SIMCARD_NOTIFICATIONS) && !lpfnCallBack))
        return SIM_E_INVALIDPARAMETER;
    return OpenSimSession((dwFlags & SIM_INIT_SIMCARD_NOTIFICATIONS) ? lpfnCallBack : nullptr, dwParam, *lphSim);
}

HRESULT SimDeinitialize(HSIM hSim)
{
    return CloseSimSession(hSim) ? S_OK : SIM_E_INVALIDPARAMETER;
}

HRESULT SimGetDevCaps(HSIM hSim, DWORD dwCapsType, LPSIMCAPS lpSimCaps)
{
    if (!FindSimSession(hSim) || !lpSimCaps || lpSimCaps->cbSize != sizeof(SIMCAPS) || dwCapsType == 0 ||
        (dwCapsType & ~SIM_CAPSTYPE_ALL) != 0)
        return SIM_E_INVALIDPARAMETER;
    CardSnapshot snapshot;
    if (const HRESULT reached = ReachCard(snapshot); reached != S_OK)
        return reached;
    const SimCard& card = *snapshot.card;

    SIMCAPS caps{};
    caps.cbSize = sizeof caps;
    if (dwCapsType & SIM_CAPSTYPE_PBSTORELOCATIONS) {
        caps.dwParams |= SIM_PARAM_CAPS_PBSTORAGES;
        for (std::uint32_t code : StorageCodes)
            caps.dwPBStorages |= code;
    }
    if (dwCapsType & SIM_CAPSTYPE_PBENTRYLENGTH) {
        caps.dwParams |= SIM_PARAM_CAPS_PBEMAXADDRESSLENGTH | SIM_PARAM_CAPS_PBEMAXTEXTLENGTH;
        caps.dwMaxPBEAddressLength = card.maxNumberLength;
        caps.dwMaxPBETextLength = card.maxNameLength;
    }
    if (dwCapsType & SIM_CAPSTYPE_PBINDEXRANGE) {
        caps.dwParams |= SIM_PARAM_CAPS_PBEMININDEX | SIM_PARAM_CAPS_PBEMAXINDEX;
        caps.dwMinPBIndex = card.minIndex;
        caps.dwMaxPBIndex = card.maxIndex;
    }
    // The card has no lock facilities and keeps no messages: nothing to report.
    *lpSimCaps = caps;
    return S_OK;
}

HRESULT SimGetPhonebookStatus(HSIM hSim, DWORD dwLocation, LPDWORD lpdwUsed, LPDWORD lpdwTotal)
{
    if (!FindSimSession(hSim) || !IsStorage(dwLocation) || !lpdwUsed || !lpdwTotal)
        return SIM_E_INVALIDPARAMETER;
    CardSnapshot snapshot;
    if (const HRESULT reached = ReachCard(snapshot); reached != S_OK)
        return reached;
    *lpdwUsed = static_cast<DWORD>(snapshot.card->Phonebook(dwLocation)->entries.size());
    *lpdwTotal = snapshot.card->PositionCount(dwLocation);
    return S_OK;
}

HRESULT SimReadPhonebookEntry(HSIM hSim, DWORD dwLocation, DWORD dwIndex, LPSIMPHONEBOOKENTRY lpPhonebookEntry)
{
    if (!FindSimSession(hSim) || !IsStorage(dwLocation) || !lpPhonebookEntry ||
        lpPhonebookEntry->cbSize != sizeof(SIMPHONEBOOKENTRY))
        return SIM_E_INVALIDPARAMETER;
    CardSnapshot snapshot;
    if (const HRESULT reached = ReachCard(snapshot); reached != S_OK)
        return reached;
    const SimCard& card = *snapshot.card;
    if (!card.HasPosition(dwLocation, dwIndex))
        return SIM_E_INVALIDINDEX;
    const auto& entries = card.Phonebook(dwLocation)->entries;
    const auto found = entries.find(dwIndex);
    if (found == entries.end())
        return SIM_E_NOTFOUND;

    SIMPHONEBOOKENTRY& record = *lpPhonebookEntry;
    std::memset(&record, 0, sizeof record);
    record.cbSize = sizeof record;
    record.dwParams = SIM_PARAM_PBE_ALL;
    CopyField(record.lpszAddress, found->second.number);
    record.dwAddressType = found->second.addressType;
    record.dwNumPlan = SIM_NUMPLAN_TELEPHONE;
    CopyField(record.lpszText, found->second.name);
    return S_OK;
}

HRESULT SimWritePhonebookEntry(HSIM hSim, DWORD dwLocation, DWORD dwIndex, LPSIMPHONEBOOKENTRY lpPhonebookEntry)
{
    const std::shared_ptr<SimSession> session = FindSimSession(hSim);
    if (!session || !IsStorage(dwLocation) || !lpPhonebookEntry ||
        lpPhonebookEntry->cbSize != sizeof(SIMPHONEBOOKENTRY))
        return SIM_E_INVALIDPARAMETER;
    const SIMPHONEBOOKENTRY& record = *lpPhonebookEntry;
    SimEntry entry;
    if ((record.dwParams & SIM_PARAM_PBE_ADDRESS) && !FieldText(record.lpszAddress, entry.number))
        return SIM_E_INVALIDPARAMETER;
    if ((record.dwParams & SIM_PARAM_PBE_TEXT) && !FieldText(record.lpszText, entry.name))
        return SIM_E_INVALIDPARAMETER;
    // Without a type of its own the number's "+" says it.
    entry.addressType = (record.dwParams & SIM_PARAM_PBE_ADDRESS_TYPE) ? record.dwAddressType
                        : entry.number.starts_with(L'+')                ? SIM_ADDRTYPE_INTERNATIONAL
                                                                         : SIM_ADDRTYPE_NATIONAL;

    DWORD position = dwIndex;
    session->BeginOwnChange();
    const HRESULT result = ChangeSimCardFile(SimCardPath(), [&](SimCard& card) -> HRESULT {
        SimPhonebook& book = *card.Phonebook(dwLocation);
        if (position == SIM_PBINDEX_FIRSTAVAILABLE) {
            const std::uint32_t count = card.PositionCount(dwLocation);
            std::uint32_t at = 0;
            while (at < count && book.entries.contains(card.minIndex + at))
                ++at;
            if (at == count)
                return SIM_E_MEMORYFULL;
            position = card.minIndex + at;
        }
        if (!card.HasPosition(dwLocation, position))
            return SIM_E_INVALIDINDEX;
        if (const HRESULT fault = EntryFaultResult(CheckEntry(card, entry)); fault != S_OK)
            return fault;
        if (book.faulty.contains(position))
            return SIM_E_SIMFAILURE;
        book.entries[position] = entry;
        return S_OK;
    });
    session->EndOwnChange(result == S_OK, dwLocation, position, &entry);
    return result;
}

HRESULT SimDeletePhonebookEntry(HSIM hSim, DWORD dwLocation, DWORD dwIndex)
{
    const std::shared_ptr<SimSession> session = FindSimSession(hSim);
    if (!session || !IsStorage(dwLocation))
        return SIM_E_INVALIDPARAMETER;
    session->BeginOwnChange();
    const HRESULT result = ChangeSimCardFile(SimCardPath(), [&](SimCard& card) -> HRESULT {
        if (!card.HasPosition(dwLocation, dwIndex))
            return SIM_E_INVALIDINDEX;
        SimPhonebook& book = *card.Phonebook(dwLocation);
        if (book.faulty.contains(dwIndex))
            return SIM_E_SIMFAILURE;
        // An empty position is deleted already: the card stays as it is.
        return book.entries.erase(dwIndex) != 0 ? S_OK : S_FALSE;
    });
    session->EndOwnChange(result == S_OK, dwLocation, dwIndex, nullptr);
    return result;
}

HRESULT SimReadRecord(HSIM hSim, DWORD dwAddress, DWORD dwRecordType, DWORD dwIndex, LPBYTE lpData, DWORD dwBufferSize,
                      LPDWORD lpdwBytesRead)
{
    if (!FindSimSession(hSim) || !lpData || !lpdwBytesRead)
        return SIM_E_INVALIDPARAMETER;
    CardSnapshot snapshot;
    if (const HRESULT reached = ReachCard(snapshot); reached != S_OK)
        return reached;
    const SimCard& card = *snapshot.card;
    if (dwAddress != EF_SPN || card.provider.empty())
        return SIM_E_NOTFOUND;
    if (dwRecordType != SIM_RECORDTYPE_TRANSPARENT || dwIndex != 0)
        return SIM_E_INVALIDPARAMETER;
    // The file as a card stores it: the display byte, then the name in
    // Latin-1, filled up with 0xFF.
    constexpr DWORD FileSize = 1 + MaxProviderLength;
    if (dwBufferSize < FileSize)
        return SIM_E_INVALIDPARAMETER;
    std::memset(lpData, 0xFF, FileSize);
    lpData[0] = static_cast<BYTE>(card.providerDisplay);
    for (std::size_t i = 0; i < card.provider.size() && i < MaxProviderLength; ++i)
        lpData[1 + i] = static_cast<BYTE>(card.provider[i]);
    *lpdwBytesRead = FileSize;
    return S_OK;
}

}  // extern "C"
