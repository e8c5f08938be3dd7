// The handset's text-message service: a program opens it and asks for the
// handset's own number and the message centre (SMSC), which come from the
// device profile's [phone] section. Receiving and sending messages are not
// part of this handset.
//
//   SMS_HANDLE sms;  HANDLE event;
//   if (SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &sms, &event) == S_OK) {
//       SMS_ADDRESS address{SMSAT_INTERNATIONAL};
//       SmsGetPhoneNumber(&address);   // address.ptsAddress: "+441632960999"
//       SmsClose(sms);                 // closes `event` too
//   }
#pragma once

#include <windows.h>

typedef DWORD SMS_HANDLE;

// The protocol of plain text messages, the one this handset carries.
#define SMS_MSGTYPE_TEXT L"Microsoft Text SMS Protocol"

#define SMS_MODE_RECEIVE 0x00000001
#define SMS_MODE_SEND 0x00000002

#define SMS_MAX_ADDRESS_LENGTH 256

enum SMS_ADDRESS_TYPE {
    SMSAT_UNKNOWN = 0,
    SMSAT_INTERNATIONAL,
    SMSAT_NATIONAL,
    SMSAT_NETWORKSPECIFIC,
    SMSAT_SUBSCRIBER,
    SMSAT_ALPHANUMERIC,
    SMSAT_ABBREVIATED,
};

struct SMS_ADDRESS {
    SMS_ADDRESS_TYPE smsatAddressType;
    WCHAR ptsAddress[SMS_MAX_ADDRESS_LENGTH];
};
typedef SMS_ADDRESS* LPSMS_ADDRESS;

#define FACILITY_SMS 0x200
#define SMS_E_INVALIDPROTOCOL MAKE_HRESULT(SEVERITY_ERROR, FACILITY_SMS, 0x0001)
#define SMS_E_TOOMUCHDATA MAKE_HRESULT(SEVERITY_ERROR, FACILITY_SMS, 0x0100)
#define SMS_E_INVALIDDATA MAKE_HRESULT(SEVERITY_ERROR, FACILITY_SMS, 0x0101)
#define SMS_E_BUFFERTOOSMALL MAKE_HRESULT(SEVERITY_ERROR, FACILITY_SMS, 0x0102)

extern "C" {
// S_OK with a handle (and, when `phMessageAvailableEvent` is given, an event
// that SmsClose closes). SMS_E_INVALIDPROTOCOL for another protocol,
// E_INVALIDARG for no or unknown modes or a null handle pointer, E_FAIL when
// the handset has no usable SIM card (none, a failing one, or the radio off).
HRESULT SmsOpen(LPCWSTR ptsMessageProtocol, DWORD dwMessageModes, SMS_HANDLE* psmshHandle,
                HANDLE* phMessageAvailableEvent);
// E_INVALIDARG for a handle that is not open.
HRESULT SmsClose(SMS_HANDLE smshHandle);
// The handset's own number and the message centre: S_OK with the number and
// its type (international for "+..."), E_FAIL when the profile has none, with
// an empty address of unknown type.
HRESULT SmsGetPhoneNumber(SMS_ADDRESS* psmsaAddress);
HRESULT SmsGetSMSC(SMS_ADDRESS* psmsaSMSCAddress);
}
