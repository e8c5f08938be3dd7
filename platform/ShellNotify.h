// The shell's file-change notifications as the handset's programs use them:
// a window registers for a set of events (SHCNE_DRIVEADD 0x100 when a storage
// card is inserted, SHCNE_DRIVEREMOVED 0x80 when one is removed, ...) and then
// receives WM_FILECHANGEINFO with a FILECHANGENOTIFY in lParam, which it
// releases with SHChangeNotifyFree.
//
// Registrations are held by the home shell, which relays device events to
// each registered window (ShellNotifyProtocol.h). These declarations overload
// the desktop's SHChangeNotifyRegister/Deregister of <shlobj.h>, whose
// parameters differ.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <cstddef>

static_assert(SHCNE_DRIVEADD == 0x100 && SHCNE_DRIVEREMOVED == 0x80, "the handset's event numbers");

#ifndef WM_FILECHANGEINFO
#define WM_FILECHANGEINFO (WM_APP + 0x0101)
#endif

typedef struct SHCHANGENOTIFYENTRY {
    DWORD dwEventMask;   // SHCNE_* bits
    LPWSTR pszWatchDir;  // a handset folder; null or empty for every path
    BOOL fRecursive;     // also events below the folder's subfolders
} SHCHANGENOTIFYENTRY, *PSHCHANGENOTIFYENTRY;

// dwItem1 and dwItem2 carry pointers (with SHCNF_PATH, the path text), so they
// are pointer-wide here: the record is 48 bytes on this 64-bit target (36 on
// the 32-bit handset). Use sizeof.
typedef struct FILECHANGEINFO {
    DWORD cbSize;
    LONG wEventId;
    ULONG uFlags;
    DWORD_PTR dwItem1;
    DWORD_PTR dwItem2;
    DWORD dwAttributes;
    FILETIME ftModified;
    ULONG nFileSize;
} FILECHANGEINFO, *LPFILECHANGEINFO;

typedef struct FILECHANGENOTIFY {
    DWORD dwRefCount;
    FILECHANGEINFO fci;
} FILECHANGENOTIFY, *LPFILECHANGENOTIFY;

// Registers hwnd (a window of this process) for the events of the entry;
// registering again replaces the earlier entry. FALSE when no shell runs
// (ERROR_SERVICE_NOT_ACTIVE) or the arguments are wrong. Events reach the
// process through a hidden window made on the thread of its first
// registration, so that thread must run a message loop (the UI thread does).
BOOL SHChangeNotifyRegister(HWND hwnd, SHCHANGENOTIFYENTRY* pshcne);

// Ends the window's registration; FALSE when it had none.
BOOL SHChangeNotifyDeregister(HWND hwnd);

// Releases a notification received with WM_FILECHANGEINFO. Null is ignored.
void SHChangeNotifyFree(FILECHANGENOTIFY* pfcn);

namespace vellumate {

// Notifications of this process delivered and not yet released.
std::size_t LiveFileChangeNotifications() noexcept;

}  // namespace vellumate
