// The handset's database interface: volumes of databases of records, each
// record a set of typed properties. Types, values and functions carry the
// platform's names, so that program code reads as on the handset.
//
// A volume is one file of the device ("\cemail.vol", "\mxip_initdb.vol"),
// mounted by path. Several processes may mount the same volume; each sees the
// others' changes at its next call. A write that returned success is on disk.
//
// Behaviour worth knowing:
// - Handles from CeOpenDatabaseEx and CeFindFirstDatabaseEx are real kernel
//   handles: close them with CloseHandle (or hold them in a UniqueHandle of
//   handle_traits::Kernel, platform/Handles.h). They stop working once their
//   volume is unmounted.
// - Records of a database keep the order they were written in (an update keeps
//   a record's place); the sort order given at open is accepted, not applied.
// - CeReadRecordPropsEx advances the seek position only when the database was
//   opened with CEDB_AUTOINCREMENT, as on the handset.
// - Value seeks work on any property, not just the sort property: the first
//   (CEDB_SEEK_VALUEFIRSTEQUAL) or next (CEDB_SEEK_VALUENEXTEQUAL, after the
//   record last sought or read) record in record order whose property equals
//   the value; both take O(log n). Strings compare exactly.
// - The value argument of CeSeekDatabase is a DWORD_PTR here: on this 64-bit
//   platform a pointer to a CEPROPVAL does not fit a DWORD.
// - Sizes: a record's size is the size of the buffer CeReadRecordPropsEx fills
//   with all its properties (sizeof(CEPROPVAL) per property, plus its string in
//   bytes with the terminator, plus its blob's bytes). A database's size
//   (dwSize) is the sum of its records' sizes plus vellumate::database::
//   EmptyDatabaseSize, which is what an empty database measures.
#pragma once

#include <windows.h>

#include <string.h>

// ---- identifiers ------------------------------------------------------------

typedef DWORD CEOID;
typedef CEOID* PCEOID;

// A mounted volume. All zero names the object store, all ones no volume.
typedef struct _CEGUID {
    DWORD Data1;
    DWORD Data2;
    DWORD Data3;
    DWORD Data4;
} CEGUID, *PCEGUID;

#define CREATE_SYSTEMGUID(pguid) (memset((pguid), 0, sizeof(CEGUID)))
#define CREATE_INVALIDGUID(pguid) (memset((pguid), -1, sizeof(CEGUID)))
#define CHECK_SYSTEMGUID(pguid) (!((pguid)->Data1 | (pguid)->Data2 | (pguid)->Data3 | (pguid)->Data4))
#define CHECK_INVALIDGUID(pguid) (!~((pguid)->Data1 & (pguid)->Data2 & (pguid)->Data3 & (pguid)->Data4))

// A property id: property number in the high word, value type in the low word.
typedef DWORD CEPROPID;
typedef CEPROPID* PCEPROPID;
#define TypeFromPropID(propid) LOWORD(propid)
#define PROPID(number, type) ((CEPROPID)(((DWORD)(number) << 16) | (WORD)(type)))

// ---- values -----------------------------------------------------------------

#define CEVT_I2 2
#define CEVT_UI2 18
#define CEVT_I4 3
#define CEVT_UI4 19
#define CEVT_FILETIME 64
#define CEVT_LPWSTR 31
#define CEVT_BLOB 65
#define CEVT_BOOL 11
#define CEVT_R8 5

typedef struct _CEBLOB {
    DWORD dwCount;
    LPBYTE lpb;
} CEBLOB;

typedef union _CEVALUNION {
    short iVal;
    USHORT uiVal;
    long lVal;
    ULONG ulVal;
    FILETIME filetime;
    LPWSTR lpwstr;
    CEBLOB blob;
    BOOL boolVal;
    double dblVal;
} CEVALUNION;

// wFlags of a CEPROPVAL.
#define CEDB_PROPNOTFOUND 0x0100  // read: the record has no such property
#define CEDB_PROPDELETE 0x0200    // write: remove the property from the record

typedef struct _CEPROPVAL {
    CEPROPID propid;
    WORD wLenData;  // unused
    WORD wFlags;
    CEVALUNION val;
} CEPROPVAL, *PCEPROPVAL;

// Limits of what one write may store.
#define CEDB_MAXDATABLOCKSIZE 4092
#define CEDB_MAXPROPDATASIZE (CEDB_MAXDATABLOCKSIZE * 16)  // one string or blob, in bytes
#define CEDB_MAXRECORDSIZE (128 * 1024)

// What an empty database measures (see the sizes above).
namespace vellumate::database {
inline constexpr DWORD EmptyDatabaseSize = 128;
}

// ---- databases --------------------------------------------------------------

#define CEDB_MAXDBASENAMELEN 32  // characters, with the terminator
#define CEDB_MAXSORTORDER 4
#define CEDB_MAXSORTPROP 3

#define CEDB_SORT_DESCENDING 0x00000001
#define CEDB_SORT_CASEINSENSITIVE 0x00000002
#define CEDB_SORT_UNKNOWNFIRST 0x00000004
#define CEDB_SORT_GENERICORDER 0x00000008

typedef struct _SORTORDERSPEC {
    CEPROPID propid;
    DWORD dwFlags;
} SORTORDERSPEC;

typedef struct _SORTORDERSPECEX {
    WORD wVersion;
    WORD wNumProps;
    WORD wKeyFlags;
    WORD wReserved;
    CEPROPID rgPropID[CEDB_MAXSORTPROP];
    DWORD rgdwFlags[CEDB_MAXSORTPROP];
} SORTORDERSPECEX;

// dwFlags of the database information: which members are valid.
#define CEDB_VALIDNAME 0x0001
#define CEDB_VALIDTYPE 0x0002
#define CEDB_VALIDSORTSPEC 0x0004
#define CEDB_VALIDMODTIME 0x0008
#define CEDB_VALIDDBFLAGS 0x0010
#define CEDB_VALIDCREATE (CEDB_VALIDNAME | CEDB_VALIDTYPE | CEDB_VALIDSORTSPEC | CEDB_VALIDDBFLAGS)
#define CEDB_NOCOMPRESS 0x00010000

typedef struct _CEDBASEINFO {
    DWORD dwFlags;
    WCHAR szDbaseName[CEDB_MAXDBASENAMELEN];
    DWORD dwDbaseType;
    WORD wNumRecords;  // 0xFFFF for 65535 records and more
    WORD wNumSortOrder;
    DWORD dwSize;
    FILETIME ftLastModified;
    SORTORDERSPEC rgSortSpecs[CEDB_MAXSORTORDER];
} CEDBASEINFO;

#define CEDBASEINFOEX_VERSION 1
typedef struct _CEDBASEINFOEX {
    WORD wVersion;
    WORD wNumSortOrder;
    DWORD dwFlags;
    WCHAR szDbaseName[CEDB_MAXDBASENAMELEN];
    DWORD dwDbaseType;
    DWORD dwNumRecords;
    DWORD dwSize;
    FILETIME ftLastModified;
    SORTORDERSPECEX rgSortSpecs[CEDB_MAXSORTORDER];
} CEDBASEINFOEX;

// ---- object information -----------------------------------------------------

#define OBJTYPE_INVALID 0
#define OBJTYPE_FILE 1
#define OBJTYPE_DIRECTORY 2
#define OBJTYPE_DATABASE 3
#define OBJTYPE_RECORD 4

typedef struct _CEFILEINFO {
    DWORD dwAttributes;
    CEOID oidParent;
    WCHAR szFileName[MAX_PATH];
    FILETIME ftLastChanged;
    DWORD dwLength;
} CEFILEINFO;

typedef struct _CEDIRINFO {
    DWORD dwAttributes;
    CEOID oidParent;
    WCHAR szDirName[MAX_PATH];
} CEDIRINFO;

typedef struct _CERECORDINFO {
    CEOID oidParent;  // the record's database
} CERECORDINFO;

typedef struct _CEOIDINFO {
    WORD wObjType;
    WORD wPad;
    union {
        CEFILEINFO infFile;
        CEDIRINFO infDirectory;
        CEDBASEINFO infDatabase;
        CERECORDINFO infRecord;
    };
} CEOIDINFO;

#define CEOIDINFOEX_VERSION 1
typedef struct _CEOIDINFOEX {
    WORD wVersion;
    WORD wObjType;
    union {
        CEFILEINFO infFile;
        CEDIRINFO infDirectory;
        CEDBASEINFOEX infDatabase;
        CERECORDINFO infRecord;
    };
} CEOIDINFOEX;

// ---- opening, seeking, reading ----------------------------------------------

// dwFlags of CeOpenDatabaseEx.
#define CEDB_AUTOINCREMENT 0x00000001

// Change notifications are not sent; the request is accepted and ignored.
typedef struct _CENOTIFYREQUEST {
    DWORD dwSize;
    HWND hwnd;
    DWORD dwFlags;
    HANDLE hHeap;
    DWORD dwParam;
} CENOTIFYREQUEST;

#define CEDB_SEEK_CEOID 0x00000001
#define CEDB_SEEK_BEGINNING 0x00000002
#define CEDB_SEEK_END 0x00000004
#define CEDB_SEEK_CURRENT 0x00000008
#define CEDB_SEEK_VALUESMALLER 0x00000010
#define CEDB_SEEK_VALUEFIRSTEQUAL 0x00000020
#define CEDB_SEEK_VALUEGREATER 0x00000040
#define CEDB_SEEK_VALUENEXTEQUAL 0x00000080
#define CEDB_SEEK_VALUESMALLEROREQUAL 0x00000100
#define CEDB_SEEK_VALUEGREATEROREQUAL 0x00000200

// dwFlags of CeReadRecordPropsEx: grow the caller's buffer (or allocate one
// when *lplpBuffer is NULL) with LocalAlloc/LocalReAlloc, or HeapReAlloc when
// hHeap is given. The caller frees it with LocalFree (or HeapFree).
#define CEDB_ALLOWREALLOC 0x00000001

extern "C" {

// Volumes. lpszVol: a handset path ("\cemail.vol", below the device's root)
// or a Win32 path. dwFlags: CREATE_NEW, CREATE_ALWAYS, OPEN_EXISTING, OPEN_ALWAYS or
// TRUNCATE_EXISTING. Mounting a volume this process has mounted already gives
// the same CEGUID and needs one more CeUnmountDBVol. Errors: ERROR_FILE_NOT_FOUND
// (OPEN_EXISTING, TRUNCATE_EXISTING of a missing file), ERROR_FILE_EXISTS
// (CREATE_NEW), ERROR_BAD_FORMAT (the file is no volume), ERROR_FILE_CORRUPT
// (damage before the end: the volume is left as it is), ERROR_INVALID_PARAMETER.
BOOL WINAPI CeMountDBVol(PCEGUID pceguid, LPWSTR lpszVol, DWORD dwFlags);
BOOL WINAPI CeUnmountDBVol(PCEGUID pceguid);
BOOL WINAPI CeFlushDBVol(PCEGUID pceguid);  // every write is flushed already

// Databases. Creating fails with ERROR_DUP_NAME when the name is taken (names
// compare without regard to case), ERROR_INVALID_PARAMETER without a name or
// with one of CEDB_MAXDBASENAMELEN characters or more, ERROR_DISK_FULL.
CEOID WINAPI CeCreateDatabaseEx(PCEGUID pceguid, CEDBASEINFO* lpCEDBInfo);
CEOID WINAPI CeCreateDatabaseEx2(PCEGUID pceguid, CEDBASEINFOEX* lpCEDBInfo);
BOOL WINAPI CeDeleteDatabaseEx(PCEGUID pceguid, CEOID oid);

// Opens by *poid when it is not 0, else by lpszName and sets *poid. Returns
// INVALID_HANDLE_VALUE on failure: ERROR_FILE_NOT_FOUND when there is no such
// database, ERROR_INVALID_PARAMETER.
HANDLE WINAPI CeOpenDatabaseEx(PCEGUID pceguid, PCEOID poid, LPWSTR lpszName, CEPROPID propid, DWORD dwFlags,
                               CENOTIFYREQUEST* pRequest);

// Enumerates the volume's databases (all of them when dwDbaseType is 0) in the
// order they were created; CeFindNextDatabaseEx returns 0 with
// ERROR_NO_MORE_ITEMS after the last.
HANDLE WINAPI CeFindFirstDatabaseEx(PCEGUID pceguid, DWORD dwDbaseType);
CEOID WINAPI CeFindNextDatabaseEx(HANDLE hEnum, PCEGUID pceguid);

// Returns the oid of the record at the new position, or 0 (ERROR_NO_MORE_ITEMS
// when no record matches; the position is then past the last record).
// dwValue: a record count, an oid, or a CEPROPVAL* for the value seeks.
// *lpdwIndex (may be NULL) receives the position's index from the beginning.
// CEDB_SEEK_VALUESMALLER, ...GREATER and their ...OREQUAL forms fail with
// ERROR_NOT_SUPPORTED.
CEOID WINAPI CeSeekDatabase(HANDLE hDatabase, DWORD dwSeekType, DWORD_PTR dwValue, LPDWORD lpdwIndex);
CEOID WINAPI CeSeekDatabaseEx(HANDLE hDatabase, DWORD dwSeekType, DWORD_PTR dwValue, WORD wNumVals, LPDWORD lpdwIndex);

// Reads the record at the position: every property when rgPropID is NULL
// (*lpcPropID receives their count), else those of rgPropID (*lpcPropID of
// them; missing ones come back with CEDB_PROPNOTFOUND). The buffer holds the
// CEPROPVAL array followed by the strings and blobs it points to; *lpcbBuffer
// receives the size of that data. Returns the record's oid, or 0:
// ERROR_NO_MORE_ITEMS past the last record, ERROR_INSUFFICIENT_BUFFER without
// CEDB_ALLOWREALLOC (*lpcbBuffer then tells the size needed),
// ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER, ERROR_OUTOFMEMORY.
CEOID WINAPI CeReadRecordPropsEx(HANDLE hDbase, DWORD dwFlags, LPWORD lpcPropID, CEPROPID* rgPropID, LPBYTE* lplpBuffer,
                                 LPDWORD lpcbBuffer, HANDLE hHeap);
CEOID WINAPI CeReadRecordProps(HANDLE hDbase, DWORD dwFlags, LPWORD lpcPropID, CEPROPID* rgPropID, LPBYTE* lplpBuffer,
                               LPDWORD lpcbBuffer);

// oidRecord 0 appends a new record; otherwise the record's properties are
// replaced, added or (CEDB_PROPDELETE) removed, one durable update. Returns the
// record's oid, or 0: ERROR_INVALID_PARAMETER (no such record, a bad type, a
// value over the limits above), ERROR_DISK_FULL, ERROR_INVALID_HANDLE.
CEOID WINAPI CeWriteRecordProps(HANDLE hDbase, CEOID oidRecord, WORD cPropID, CEPROPVAL* rgPropVal);

// ERROR_INVALID_PARAMETER when the database has no such record.
BOOL WINAPI CeDeleteRecord(HANDLE hDatabase, CEOID oidRecord);

// A database (OBJTYPE_DATABASE: name, type, record count, size, sort orders)
// or a record (OBJTYPE_RECORD: its database). ERROR_INVALID_HANDLE for an
// unknown oid. CeOidGetInfoEx2 wants wVersion set to CEOIDINFOEX_VERSION.
BOOL WINAPI CeOidGetInfoEx(PCEGUID pceguid, CEOID oid, CEOIDINFO* oidInfo);
BOOL WINAPI CeOidGetInfoEx2(PCEGUID pceguid, CEOID oid, CEOIDINFOEX* oidInfo);

}  // extern "C"
