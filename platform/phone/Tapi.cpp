#include "platform/phone/Tapi.h"

#include "platform/ShellNotifyProtocol.h"
#include "platform/phone/CallLog.h"
#include "platform/phone/LastCall.h"

#include <cwchar>

using namespace vellumate;

extern "C" LONG tapiRequestMakeCall(LPCWSTR lpszDestAddress, LPCWSTR, LPCWSTR lpszCalledParty, LPCWSTR)
{
    try {
        if (!lpszDestAddress)
            return TAPIERR_INVALDESTADDRESS;
        const std::wstring number(lpszDestAddress, ::wcsnlen(lpszDestAddress, TAPIMAXDESTADDRESSSIZE + 1));
        if (!phone::IsDialableNumber(number))
            return TAPIERR_INVALDESTADDRESS;
        phone::LastCall call;
        call.number = number;
        if (lpszCalledParty)
            call.calledParty.assign(lpszCalledParty, ::wcsnlen(lpszCalledParty, TAPIMAXCALLEDPARTYSIZE));
        ::GetSystemTime(&call.time);
        // The number is the device's last dialled one even when no shell is
        // there to show the call.
        phone::KeepLastCall(call);
        // And it joins the phone's call log, where the storage cleaner finds it.
        phone::LogDialledCall(call);
        return SendCallRequest(call.number, call.calledParty) ? 0 : TAPIERR_NOREQUESTRECIPIENT;
    } catch (...) {
        return TAPIERR_REQUESTFAILED;
    }
}
