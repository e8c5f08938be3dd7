// The phone information dialog's resource numbers: its template, menu bar,
// controls (a label and its values per line) and strings. Read by the
// resource compiler too, so plain #defines only.
#pragma once

#define IDD_PHONE_INFO 124
#define IDM_PHONE_INFO_BAR 119

#define IDC_INFO_SERIAL_LABEL 1019
#define IDC_INFO_SUBSCRIBER_LABEL 1021
#define IDC_INFO_PROVIDER_LABEL 1022
#define IDC_INFO_SMSC_LABEL 1023
#define IDC_INFO_CAPACITY_LABEL 1024
#define IDC_INFO_SERIAL 1052
#define IDC_INFO_SUBSCRIBER 1054
#define IDC_INFO_PROVIDER 1055
#define IDC_INFO_SMSC 1056
#define IDC_INFO_CAPACITY 1063     // %d positions
#define IDC_INFO_NAME_LENGTH 1064  // longest name
#define IDC_INFO_NUMBER_LENGTH 1065

#define IDS_NO_PROVIDER 40162
#define IDS_NO_TEXT_MESSAGES 40212
#define IDS_INFO_CAPACITY 40244       // %d: the positions
#define IDS_INFO_NAME_LENGTH 40245    // %d: characters of a name
#define IDS_INFO_NUMBER_LENGTH 40246  // %d: digits of a number
