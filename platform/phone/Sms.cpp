#include "platform/phone/Sms.h"

#include "platform/Handles.h"
#include "platform/ProfileSource.h"
#include "platform/sim/SimCardStore.h"

#include <cwchar>
#include <map>
#include <mutex>
#include <string>

using namespace vellumate;

namespace {

// The open handles of this process, with the event each one gave out.
std::mutex handlesLock;
std::map<SMS_HANDLE, KernelHandle> openHandles;
SMS_HANDLE lastHandle = 0;

HRESULT GiveAddress(const std::wstring& number, SMS_ADDRESS* address) noexcept
{
    if (!address)
        return E_INVALIDARG;
    address->ptsAddress[0] = L'\0';
    if (number.empty() || number.size() >= SMS_MAX_ADDRESS_LENGTH) {
        address->smsatAddressType = SMSAT_UNKNOWN;
        return E_FAIL;
    }
    address->smsatAddressType = number.front() == L'+' ? SMSAT_INTERNATIONAL : SMSAT_NATIONAL;
    ::wcsncpy(address->ptsAddress, number.c_str(), SMS_MAX_ADDRESS_LENGTH - 1);
    address->ptsAddress[SMS_MAX_ADDRESS_LENGTH - 1] = L'\0';
    return S_OK;
}

}  // namespace

extern "C" HRESULT SmsOpen(LPCWSTR protocol, DWORD modes, SMS_HANDLE* handle, HANDLE* event)
{
    try {
        if (!protocol || std::wcscmp(protocol, SMS_MSGTYPE_TEXT) != 0)
            return SMS_E_INVALIDPROTOCOL;
        if (!handle || modes == 0 || (modes & ~(SMS_MODE_RECEIVE | SMS_MODE_SEND)) != 0)
            return E_INVALIDARG;
        // Messages travel over the radio: no card, a failing one or the radio
        // off leaves the service closed.
        if (sim::CardAccess(sim::ReadSimCardFile(sim::SimCardPath())) != S_OK)
            return E_FAIL;
        KernelHandle available;
        if (event) {
            // No message ever arrives on this handset: the event stays unset.
            available.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
            if (!available)
                return E_OUTOFMEMORY;
        }
        std::lock_guard guard(handlesLock);
        do
            ++lastHandle;
        while (lastHandle == 0 || openHandles.count(lastHandle));
        const HANDLE given = available.Get();
        openHandles.emplace(lastHandle, std::move(available));
        *handle = lastHandle;
        if (event)
            *event = given;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

extern "C" HRESULT SmsClose(SMS_HANDLE handle)
{
    std::lock_guard guard(handlesLock);
    return openHandles.erase(handle) ? S_OK : E_INVALIDARG;
}

extern "C" HRESULT SmsGetPhoneNumber(SMS_ADDRESS* address)
{
    try {
        return GiveAddress(CurrentDeviceProfile()->phone.ownNumber, address);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

extern "C" HRESULT SmsGetSMSC(SMS_ADDRESS* address)
{
    try {
        return GiveAddress(CurrentDeviceProfile()->phone.smsc, address);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}
