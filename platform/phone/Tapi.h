// The handset's assisted telephony: a program asks for a voice call to a
// number, as on the handset. The request is kept as the device's last
// dialled call (LastCall.h), joins the phone store's call log (CallLog.h) and
// is shown by the home shell as its calling notice.
#pragma once

#include <windows.h>

#define TAPIERR_CONNECTED 0L
#define TAPIERR_DROPPED (-1L)
#define TAPIERR_NOREQUESTRECIPIENT (-2L)  // no shell to place the call
#define TAPIERR_REQUESTQUEUEFULL (-3L)
#define TAPIERR_INVALDESTADDRESS (-4L)    // an empty number, or one that cannot be dialled
#define TAPIERR_INVALWINDOWHANDLE (-5L)
#define TAPIERR_INVALDEVICECLASS (-6L)
#define TAPIERR_INVALDEVICEID (-7L)
#define TAPIERR_DEVICECLASSUNAVAIL (-8L)
#define TAPIERR_DEVICEIDUNAVAIL (-9L)
#define TAPIERR_DEVICEINUSE (-10L)
#define TAPIERR_DESTBUSY (-11L)
#define TAPIERR_DESTNOANSWER (-12L)
#define TAPIERR_DESTUNAVAIL (-13L)
#define TAPIERR_UNKNOWNWINHANDLE (-14L)
#define TAPIERR_UNKNOWNREQUESTID (-15L)
#define TAPIERR_REQUESTFAILED (-16L)
#define TAPIERR_REQUESTCANCELLED (-17L)
#define TAPIERR_INVALPOINTER (-18L)

// The longest number a call request takes, in characters.
#define TAPIMAXDESTADDRESSSIZE 80L
#define TAPIMAXCALLEDPARTYSIZE 40L

extern "C" {
// 0 when the call request was accepted. The application name and comment
// are not kept; the called party (may be null) goes with the number.
LONG tapiRequestMakeCall(LPCWSTR lpszDestAddress, LPCWSTR lpszAppName, LPCWSTR lpszCalledParty,
                         LPCWSTR lpszComment);
}
