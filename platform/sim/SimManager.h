// The handset's SIM manager interface, as programs call it: the SIM card's
// capabilities, its phonebooks, its elementary files and its notifications.
// Names, records, numbers and calling conventions are the platform's own, so
// that program code reads as it does on the handset.
//
// The card itself is a file of the device folder (SimCardFile.h); every call
// reads it afresh and every change replaces it whole, so a change that
// returned S_OK is on the disk and one that did not left the card as it was.
#pragma once

#include <windows.h>

typedef HANDLE HSIM;
typedef HSIM* LPHSIM;

// Results: S_OK, or an error of the SIM facility.
#define SIM_E_SIMFAILURE ((HRESULT)0x88000001)  // the card answered with a failure
#define SIM_E_SIMBUSY ((HRESULT)0x88000002)
#define SIM_E_NOSIM ((HRESULT)0x8800000D)            // no card in the handset
#define SIM_E_INVALIDINDEX ((HRESULT)0x88000056)     // a position outside the phonebook
#define SIM_E_NOTFOUND ((HRESULT)0x88000057)         // an empty position, a missing file
#define SIM_E_MEMORYFULL ((HRESULT)0x88000058)
#define SIM_E_TEXTSTRINGTOOLONG ((HRESULT)0x88000059)
#define SIM_E_DIALSTRINGTOOLONG ((HRESULT)0x8800005B)
#define SIM_E_INVALIDDIALSTRING ((HRESULT)0x8800005C)
#define SIM_E_RADIOOFF ((HRESULT)0x8800006B)         // the radio is switched off
#define SIM_E_INVALIDPARAMETER ((HRESULT)0x88000081)
#define SIM_E_NOTINITIALIZED ((HRESULT)0x88000084)

// SimInitialize flags.
#define SIM_INIT_NONE 0x00000000
#define SIM_INIT_SIMCARD_NOTIFICATIONS 0x00000001

// Notification codes handed to the callback.
#define SIM_NOTIFY_CARD_REMOVED 0x00000100  // 256
#define SIM_NOTIFY_FILE_REFRESH 0x00000101
#define SIM_NOTIFY_MSG_STORED 0x00000102
#define SIM_NOTIFY_MSG_DELETED 0x00000103
#define SIM_NOTIFY_PBE_STORED 0x00000104    // 260, data: SIMPBECHANGE
#define SIM_NOTIFY_PBE_DELETED 0x00000105   // 261, data: SIMPBECHANGE
#define SIM_NOTIFY_MSG_RECEIVED 0x00000106
#define SIM_NOTIFY_RADIOOFF 0x00000107      // 263
#define SIM_NOTIFY_RADIOON 0x00000108       // 264
#define SIM_NOTIFY_RADIOPRESENT 0x00000109
#define SIM_NOTIFY_RADIOREMOVED 0x0000010A  // 266

// Phonebook storages (one bit each).
#define SIM_PBSTORAGE_EMERGENCY 0x00000001
#define SIM_PBSTORAGE_FIXEDDIALING 0x00000002
#define SIM_PBSTORAGE_LASTDIALING 0x00000004
#define SIM_PBSTORAGE_OWNNUMBERS 0x00000008
#define SIM_PBSTORAGE_SIM 0x00000010
#define SIM_NUMPBSTORAGES 5

// Capability types for SimGetDevCaps.
#define SIM_CAPSTYPE_PBENTRYLENGTH 0x00000001
#define SIM_CAPSTYPE_PBSTORELOCATIONS 0x00000002
#define SIM_CAPSTYPE_LOCKFACILITIES 0x00000004
#define SIM_CAPSTYPE_PBINDEXRANGE 0x00000008
#define SIM_CAPSTYPE_LOCKINGPWDLENGTH 0x00000010
#define SIM_CAPSTYPE_MSGMEMORYLOCATIONS 0x00000020
#define SIM_CAPSTYPE_ALL 0x0000003F  // 63

// SIMCAPS dwParams bits.
#define SIM_PARAM_CAPS_PBSTORAGES 0x00000001
#define SIM_PARAM_CAPS_PBEMAXADDRESSLENGTH 0x00000002
#define SIM_PARAM_CAPS_PBEMAXTEXTLENGTH 0x00000004
#define SIM_PARAM_CAPS_PBEMININDEX 0x00000008
#define SIM_PARAM_CAPS_PBEMAXINDEX 0x00000010
#define SIM_PARAM_CAPS_LOCKFACILITIES 0x00000020
#define SIM_PARAM_CAPS_LOCKINGPWDLENGTH 0x00000040
#define SIM_PARAM_CAPS_READMSGSTORAGES 0x00000080
#define SIM_PARAM_CAPS_WRITEMSGSTORAGES 0x00000100
#define SIM_PARAM_CAPS_ALL 0x000001FF

#define SIM_NUMLOCKFACILITIES 10

typedef struct simlockingpwdlength_tag {
    DWORD dwFacility;
    DWORD dwPasswordLength;
} SIMLOCKINGPWDLENGTH, *LPSIMLOCKINGPWDLENGTH;

typedef struct simcaps_tag {
    DWORD cbSize;
    DWORD dwParams;
    DWORD dwPBStorages;
    DWORD dwMinPBIndex;
    DWORD dwMaxPBIndex;
    DWORD dwMaxPBEAddressLength;  // characters of a number
    DWORD dwMaxPBETextLength;     // characters of a name
    DWORD dwLockFacilities;
    DWORD dwReadMsgStorages;
    DWORD dwWriteMsgStorages;
    DWORD dwNumLockingPwdLengths;
    SIMLOCKINGPWDLENGTH rgLockingPwdLengths[SIM_NUMLOCKFACILITIES];
} SIMCAPS, *LPSIMCAPS;
static_assert(sizeof(SIMCAPS) == 124, "the platform's capability record");

// Phonebook entries.
#define MAX_LENGTH_ADDRESS 256
#define MAX_LENGTH_PHONEBOOKENTRYTEXT 256

#define SIM_PARAM_PBE_ADDRESS 0x00000001
#define SIM_PARAM_PBE_ADDRESS_TYPE 0x00000002
#define SIM_PARAM_PBE_NUMPLAN 0x00000004
#define SIM_PARAM_PBE_TEXT 0x00000008
#define SIM_PARAM_PBE_ALL 0x0000000F

#define SIM_ADDRTYPE_UNKNOWN 0x00000000
#define SIM_ADDRTYPE_INTERNATIONAL 0x00000001  // the number begins with "+"
#define SIM_ADDRTYPE_NATIONAL 0x00000002
#define SIM_ADDRTYPE_NETWKSPECIFIC 0x00000003
#define SIM_ADDRTYPE_SUBSCRIBER 0x00000004
#define SIM_ADDRTYPE_ALPHANUM 0x00000005
#define SIM_ADDRTYPE_ABBREV 0x00000006

#define SIM_NUMPLAN_UNKNOWN 0x00000000
#define SIM_NUMPLAN_TELEPHONE 0x00000001

// SimWritePhonebookEntry: the first free position.
#define SIM_PBINDEX_FIRSTAVAILABLE 0xFFFFFFFF

typedef struct simphonebookentry_tag {
    DWORD cbSize;
    DWORD dwParams;
    WCHAR lpszAddress[MAX_LENGTH_ADDRESS];
    DWORD dwAddressType;
    DWORD dwNumPlan;
    WCHAR lpszText[MAX_LENGTH_PHONEBOOKENTRYTEXT];
} SIMPHONEBOOKENTRY, *LPSIMPHONEBOOKENTRY;
static_assert(sizeof(SIMPHONEBOOKENTRY) == 1040, "the platform's phonebook entry");

// The data of SIM_NOTIFY_PBE_STORED and SIM_NOTIFY_PBE_DELETED.
#define SIM_PARAM_SIMPBECHANGE_ENTRY 0x00000001
#define SIM_PARAM_SIMPBECHANGE_STORAGE 0x00000002
#define SIM_PARAM_SIMPBECHANGE_ALL 0x00000003

typedef struct simpbechange_tag {
    DWORD cbSize;
    DWORD dwParams;
    DWORD dwEntry;    // the position
    DWORD dwStorage;  // SIM_PBSTORAGE_*
} SIMPBECHANGE, *LPSIMPBECHANGE;

// SimReadRecord: record types of the card's elementary files.
#define SIM_RECORDTYPE_UNKNOWN 0x00000000
#define SIM_RECORDTYPE_TRANSPARENT 0x00000001
#define SIM_RECORDTYPE_CYCLIC 0x00000002
#define SIM_RECORDTYPE_LINEAR 0x00000003
#define SIM_RECORDTYPE_MASTER 0x00000004
#define SIM_RECORDTYPE_DEDICATED 0x00000005

// The service provider name's elementary file.
#define EF_SPN 0x6F46

// Runs on a thread of the platform's own, never on the caller's.
typedef void (*SIMCALLBACK)(DWORD dwNotifyCode, const void* pData, DWORD dwDataSize, DWORD dwParam);

extern "C" {
HRESULT SimInitialize(DWORD dwFlags, SIMCALLBACK lpfnCallBack, DWORD dwParam, LPHSIM lphSim);
HRESULT SimDeinitialize(HSIM hSim);
HRESULT SimGetDevCaps(HSIM hSim, DWORD dwCapsType, LPSIMCAPS lpSimCaps);
HRESULT SimGetPhonebookStatus(HSIM hSim, DWORD dwLocation, LPDWORD lpdwUsed, LPDWORD lpdwTotal);
HRESULT SimReadPhonebookEntry(HSIM hSim, DWORD dwLocation, DWORD dwIndex, LPSIMPHONEBOOKENTRY lpPhonebookEntry);
HRESULT SimWritePhonebookEntry(HSIM hSim, DWORD dwLocation, DWORD dwIndex, LPSIMPHONEBOOKENTRY lpPhonebookEntry);
HRESULT SimDeletePhonebookEntry(HSIM hSim, DWORD dwLocation, DWORD dwIndex);
HRESULT SimReadRecord(HSIM hSim, DWORD dwAddress, DWORD dwRecordType, DWORD dwIndex, LPBYTE lpData, DWORD dwBufferSize,
                      LPDWORD lpdwBytesRead);
}
