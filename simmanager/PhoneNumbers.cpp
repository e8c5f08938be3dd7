#include "simmanager/PhoneNumbers.h"

#include "simmanager/PhoneInfoResources.h"

#include "platform/Handles.h"
#include "platform/phone/Sms.h"

namespace {

struct SmsHandleTraits {
    using Handle = SMS_HANDLE;
    static Handle Invalid() noexcept { return 0; }
    static void Close(Handle sms) noexcept { SmsClose(sms); }
};
using SmsHandle = vellumate::UniqueHandle<SmsHandleTraits>;

}  // namespace

bool PhoneNumberReader::Refresh(SimAccess& sim, SimMessages& messages)
{
    SMS_HANDLE opened = 0;
    HANDLE event = nullptr;  // closed by SmsClose
    if (SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &opened, &event) != S_OK) {
        if (!m_failureTold)
            messages.Error(IDS_NO_TEXT_MESSAGES);
        m_failureTold = true;
        return false;
    }
    m_failureTold = false;
    const SmsHandle sms(opened);
    // The service leaves an empty address when it has no number; the record
    // is cleared first so that a failing call leaves nothing stale either;
    // SimAccess keeps the first 31 characters of each.
    SMS_ADDRESS address{};
    address.smsatAddressType = SMSAT_INTERNATIONAL;
    SmsGetPhoneNumber(&address);
    sim.SetOwnNumber(address.ptsAddress);
    address.ptsAddress[0] = L'\0';
    SmsGetSMSC(&address);
    sim.SetSmscNumber(address.ptsAddress);
    return true;
}
