// The handset's telephony lines, for the programs that ask the line what it
// is: two lines, device 0 "Cellular Line" (voice and data, the one with the
// phone's figures) and device 1 "Cellular Line Data" (data only), so that a
// program has to pick its line by name. The cellular line's general
// information (maker, model, revision, serial number, subscriber number) comes
// from the device profile's [phone] section.
//
// The records are of variable size, as the platform's are: the caller sets
// dwTotalSize; a record smaller than its fixed part gives
// LINEERR_STRUCTURETOOSMALL with dwNeededSize set; a larger one that cannot
// hold the texts too gives 0 with the texts left out (their sizes 0),
// dwNeededSize saying how large it must be and dwUsedSize what was written.
// Texts are UTF-16 with their terminator, at byte offsets from the record's
// start, and sizes in bytes.
//
//   HLINEAPP app; DWORD lines, version = 0x20000;
//   LINEINITIALIZEEXPARAMS options{sizeof options, 0, 0, LINEINITIALIZEEXOPTION_USEEVENT};
//   lineInitializeEx(&app, nullptr, nullptr, L"", &lines, &version, &options);
//   ... lineNegotiateAPIVersion, lineGetDevCaps, lineOpen, lineGetGeneralInfo ...
//   lineClose(line); lineShutdown(app);
#pragma once

#include <windows.h>

typedef DWORD HLINEAPP;
typedef HLINEAPP* LPHLINEAPP;
typedef DWORD HLINE;
typedef HLINE* LPHLINE;
typedef DWORD HCALL;

typedef void(CALLBACK* LINECALLBACK)(DWORD hDevice, DWORD dwMessage, DWORD_PTR dwInstance, DWORD_PTR dwParam1,
                                     DWORD_PTR dwParam2, DWORD_PTR dwParam3);

// The API versions this handset speaks: 1.4 to 2.0; its line extension 1.0.
#define TAPI_VERSION1_4 0x00010004
#define TAPI_VERSION2_0 0x00020000
#define TAPI_CURRENT_VERSION TAPI_VERSION2_0
#define EXTENSION_VERSION1_0 0x00010000

#define LINEERR_BADDEVICEID 0x80000002
#define LINEERR_INCOMPATIBLEAPIVERSION 0x8000000C
#define LINEERR_INCOMPATIBLEEXTVERSION 0x8000000D
#define LINEERR_INVALAPPHANDLE 0x80000014
#define LINEERR_INVALEXTVERSION 0x80000029
#define LINEERR_INVALLINEHANDLE 0x8000002B
#define LINEERR_INVALMEDIAMODE 0x8000002F
#define LINEERR_INVALPARAM 0x80000032
#define LINEERR_INVALPOINTER 0x80000035
#define LINEERR_INVALPRIVSELECT 0x80000036
#define LINEERR_NOMEM 0x80000044
#define LINEERR_OPERATIONFAILED 0x80000048
#define LINEERR_OPERATIONUNAVAIL 0x80000049
#define LINEERR_STRUCTURETOOSMALL 0x8000004D

#define LINEINITIALIZEEXOPTION_USEHIDDENWINDOW 0x00000001
#define LINEINITIALIZEEXOPTION_USEEVENT 0x00000002
#define LINEINITIALIZEEXOPTION_USECOMPLETIONPORT 0x00000003

#define LINECALLPRIVILEGE_NONE 0x00000001
#define LINECALLPRIVILEGE_MONITOR 0x00000002
#define LINECALLPRIVILEGE_OWNER 0x00000004

#define LINEMEDIAMODE_UNKNOWN 0x00000002
#define LINEMEDIAMODE_INTERACTIVEVOICE 0x00000004
#define LINEMEDIAMODE_AUTOMATEDVOICE 0x00000008
#define LINEMEDIAMODE_DATAMODEM 0x00000010

#define LINEBEARERMODE_VOICE 0x00000001
#define LINEBEARERMODE_DATA 0x00000010
#define LINEADDRESSMODE_ADDRESSID 0x00000001
#define STRINGFORMAT_UNICODE 0x00000003

struct LINEINITIALIZEEXPARAMS {
    DWORD dwTotalSize;
    DWORD dwNeededSize;
    DWORD dwUsedSize;
    DWORD dwOptions;
    union {
        HANDLE hEvent;
        HANDLE hCompletionPort;
    } Handles;
    DWORD dwCompletionKey;
};
typedef LINEINITIALIZEEXPARAMS* LPLINEINITIALIZEEXPARAMS;

struct LINEEXTENSIONID {
    DWORD dwExtensionID0;
    DWORD dwExtensionID1;
    DWORD dwExtensionID2;
    DWORD dwExtensionID3;
};
typedef LINEEXTENSIONID* LPLINEEXTENSIONID;

struct LINEDIALPARAMS {
    DWORD dwDialPause;
    DWORD dwDialSpeed;
    DWORD dwDigitDuration;
    DWORD dwWaitForDialtone;
};

// The capabilities of a line as of API version 2.0: 252 bytes of fixed part.
struct LINEDEVCAPS {
    DWORD dwTotalSize;
    DWORD dwNeededSize;
    DWORD dwUsedSize;
    DWORD dwProviderInfoSize;
    DWORD dwProviderInfoOffset;
    DWORD dwSwitchInfoSize;
    DWORD dwSwitchInfoOffset;
    DWORD dwPermanentLineID;
    DWORD dwLineNameSize;
    DWORD dwLineNameOffset;
    DWORD dwStringFormat;
    DWORD dwAddressModes;
    DWORD dwNumAddresses;
    DWORD dwBearerModes;
    DWORD dwMaxRate;
    DWORD dwMediaModes;
    DWORD dwGenerateToneModes;
    DWORD dwGenerateToneMaxNumFreq;
    DWORD dwGenerateDigitModes;
    DWORD dwMonitorToneMaxNumFreq;
    DWORD dwMonitorToneMaxNumEntries;
    DWORD dwMonitorDigitModes;
    DWORD dwGatherDigitsMinTimeout;
    DWORD dwGatherDigitsMaxTimeout;
    DWORD dwMedCtlDigitMaxListSize;
    DWORD dwMedCtlMediaMaxListSize;
    DWORD dwMedCtlToneMaxListSize;
    DWORD dwMedCtlCallStateMaxListSize;
    DWORD dwDevCapFlags;
    DWORD dwMaxNumActiveCalls;
    DWORD dwAnswerMode;
    DWORD dwRingModes;
    DWORD dwLineStates;
    DWORD dwUUIAcceptSize;
    DWORD dwUUIAnswerSize;
    DWORD dwUUIMakeCallSize;
    DWORD dwUUIDropSize;
    DWORD dwUUISendUserUserInfoSize;
    DWORD dwUUICallInfoSize;
    LINEDIALPARAMS MinDialParams;
    LINEDIALPARAMS MaxDialParams;
    LINEDIALPARAMS DefaultDialParams;
    DWORD dwNumTerminals;
    DWORD dwTerminalCapsSize;
    DWORD dwTerminalCapsOffset;
    DWORD dwTerminalTextEntrySize;
    DWORD dwTerminalTextSize;
    DWORD dwTerminalTextOffset;
    DWORD dwDevSpecificSize;
    DWORD dwDevSpecificOffset;
    DWORD dwLineFeatures;
    DWORD dwSettableDevStatus;
    DWORD dwDeviceClassesSize;
    DWORD dwDeviceClassesOffset;
};
typedef LINEDEVCAPS* LPLINEDEVCAPS;

// The general information of a cellular line: 52 bytes of fixed part.
struct LINEGENERALINFO {
    DWORD dwTotalSize;
    DWORD dwNeededSize;
    DWORD dwUsedSize;
    DWORD dwManufacturerSize;
    DWORD dwManufacturerOffset;
    DWORD dwModelSize;
    DWORD dwModelOffset;
    DWORD dwRevisionSize;
    DWORD dwRevisionOffset;
    DWORD dwSerialNumberSize;
    DWORD dwSerialNumberOffset;
    DWORD dwSubscriberNumberSize;
    DWORD dwSubscriberNumberOffset;
};
typedef LINEGENERALINFO* LPLINEGENERALINFO;

struct LINECALLPARAMS;

extern "C" {
// 0 with the application's handle and the number of lines. Only the event
// option is taken (a callback or window needs messages no line sends here);
// the event is handed out in the options record and closed by lineShutdown.
// *lpdwAPIVersion goes in as the highest version the program speaks and comes
// back as the handset's (2.0).
LONG lineInitializeEx(LPHLINEAPP lphLineApp, HINSTANCE hInstance, LINECALLBACK lpfnCallback,
                      LPCWSTR lpszFriendlyAppName, LPDWORD lpdwNumDevs, LPDWORD lpdwAPIVersion,
                      LPLINEINITIALIZEEXPARAMS lpLineInitializeExParams);
LONG lineShutdown(HLINEAPP hLineApp);
LONG lineNegotiateAPIVersion(HLINEAPP hLineApp, DWORD dwDeviceID, DWORD dwAPILowVersion, DWORD dwAPIHighVersion,
                             LPDWORD lpdwAPIVersion, LPLINEEXTENSIONID lpExtensionID);
// The cellular line speaks extension 1.0; the data line none
// (LINEERR_OPERATIONUNAVAIL).
LONG lineNegotiateExtVersion(HLINEAPP hLineApp, DWORD dwDeviceID, DWORD dwAPIVersion, DWORD dwExtLowVersion,
                             DWORD dwExtHighVersion, LPDWORD lpdwExtVersion);
LONG lineGetDevCaps(HLINEAPP hLineApp, DWORD dwDeviceID, DWORD dwAPIVersion, DWORD dwExtVersion,
                    LPLINEDEVCAPS lpLineDevCaps);
LONG lineOpen(HLINEAPP hLineApp, DWORD dwDeviceID, LPHLINE lphLine, DWORD dwAPIVersion, DWORD dwExtVersion,
              DWORD_PTR dwCallbackInstance, DWORD dwPrivileges, DWORD dwMediaModes, const LINECALLPARAMS* lpCallParams);
LONG lineClose(HLINE hLine);
// The cellular line only (LINEERR_OPERATIONUNAVAIL on the data line). A text
// the profile leaves empty is left out (size 0).
LONG lineGetGeneralInfo(HLINE hLine, LPLINEGENERALINFO lpLineGeneralInfo);
}
