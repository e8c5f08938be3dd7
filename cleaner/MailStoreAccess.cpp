#include "cleaner/MailStoreAccess.h"

#include "platform/DevicePaths.h"
#include "platform/Handles.h"
#include "platform/HandsetHardware.h"
#include "platform/SpecialFolders.h"

#include <algorithm>
#include <cwchar>

namespace {

// The mail store's databases and the properties the cleaner relies on.
constexpr wchar_t ClassesDatabase[] = L"pmailMsgClasses";
constexpr wchar_t FoldersDatabase[] = L"pmailFolders";
constexpr wchar_t MessagesDatabase[] = L"pmailMsgs";
constexpr wchar_t AttachmentsDatabase[] = L"pmailAttachs";
constexpr wchar_t ScratchDatabase[] = L"CorvaneTemp";

constexpr CEPROPID ClassName = 0x8300001F;
constexpr CEPROPID ClassId = 0x80010013;
constexpr CEPROPID FolderName = 0x8003001F;
constexpr CEPROPID FolderId = 0x80040013;
constexpr CEPROPID FolderService = 0x0E090013;
constexpr CEPROPID FolderUnread = 0x36030013;
constexpr CEPROPID OldTextUnread = 0x83010013;
constexpr CEPROPID OldMailUnread = 0x83020013;
constexpr CEPROPID MessageClass = 0x001A0013;
constexpr CEPROPID MessageFlags = 0x0E070013;
constexpr CEPROPID MessageHasAttachments = 0x0E1B0013;
constexpr CEPROPID MessageId = 0x80050013;
constexpr CEPROPID StoredMessageId = 0x80010013;
constexpr CEPROPID AttachmentOwner = 0x81000013;
constexpr CEPROPID AttachmentId = 0x80010013;

constexpr DWORD MailService = 0x32000016;
constexpr DWORD TextService = 0x32000020;
constexpr DWORD MessageRead = 0x1;

DWORD ServiceOf(MessageService service) noexcept
{
    return service == MessageService::Mail ? MailService : TextService;
}

// A record without flags counts as read.
bool PassesFilter(const StoreRecord& message, DWORD filter) noexcept
{
    const bool read = (message.Number(MessageFlags).value_or(MessageRead) & MessageRead) != 0;
    return (read && (filter & 0x1)) || (!read && (filter & 0x2));
}

bool IsUnread(const StoreRecord& message) noexcept
{
    return !PassesFilter(message, 0x1);
}

std::wstring BodyFile(const std::wstring& base, DWORD messageId)
{
    wchar_t name[64] = {};
    _snwprintf(name, 63, L"MAPI\\%.8x1000001f.mpb", static_cast<unsigned>(messageId));
    return base + name;
}

std::wstring AttachmentFile(const std::wstring& base, DWORD messageId, DWORD attachmentId)
{
    wchar_t name[64] = {};
    _snwprintf(name, 63, L"MAPI\\ATTACHMENTS\\%.8x-%.8x.att", static_cast<unsigned>(messageId),
               static_cast<unsigned>(attachmentId));
    return base + name;
}

// The low 32 bits of a handset file's size, 0 when there is no such file.
DWORD FileSize(const std::wstring& handsetPath)
{
    WIN32_FIND_DATAW found{};
    vellumate::FindHandle find(FindFirstFileW(vellumate::ToDevicePath(handsetPath).c_str(), &found));
    return find ? found.nFileSizeLow : 0;
}

// A file that is already gone counts as deleted.
void DeleteIfThere(const std::wstring& handsetPath)
{
    DeleteFileW(vellumate::ToDevicePath(handsetPath).c_str());
}

// Seeks to the first record whose property equals `value`; its oid or 0.
CEOID SeekFirstEqual(HANDLE database, CEPROPID property, DWORD value)
{
    CEPROPVAL wanted{};
    wanted.propid = property;
    wanted.val.ulVal = value;
    return CeSeekDatabase(database, CEDB_SEEK_VALUEFIRSTEQUAL, reinterpret_cast<DWORD_PTR>(&wanted), nullptr);
}

CEOID SeekNextEqual(HANDLE database, CEPROPID property, DWORD value)
{
    CEPROPVAL wanted{};
    wanted.propid = property;
    wanted.val.ulVal = value;
    return CeSeekDatabase(database, CEDB_SEEK_VALUENEXTEQUAL, reinterpret_cast<DWORD_PTR>(&wanted), nullptr);
}

}  // namespace

std::wstring BaseDirectory()
{
    wchar_t personal[MAX_PATH] = {};
    if (!handset::SHGetSpecialFolderPath(nullptr, personal, CSIDL_PERSONAL, FALSE))
        return L"\\";
    std::wstring base(personal);
    const std::size_t last = base.find_last_of(L'\\');
    return last == std::wstring::npos ? L"\\" : base.substr(0, last + 1);
}

MailStoreAccess::MailStoreAccess() noexcept
{
    CREATE_INVALIDGUID(&m_volume);
}

MailStoreAccess::~MailStoreAccess()
{
    Unmount();
}

bool MailStoreAccess::Fail() noexcept
{
    m_lastError = GetLastError();
    return false;
}

bool MailStoreAccess::Mount(const wchar_t* volumeName)
{
    Unmount();
    m_baseDirectory = ::BaseDirectory();
    std::wstring path = m_baseDirectory + volumeName;
    if (!CeMountDBVol(&m_volume, path.data(), OPEN_EXISTING)) {
        CREATE_INVALIDGUID(&m_volume);
        return Fail();
    }
    m_mounted = true;
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    m_majorVersion = handset::GetVersionExW(&version) ? version.dwMajorVersion : 4;
    return true;
}

void MailStoreAccess::Unmount() noexcept
{
    CloseFolder();
    if (!CHECK_INVALIDGUID(&m_volume))
        CeUnmountDBVol(&m_volume);
    CREATE_INVALIDGUID(&m_volume);
    m_mounted = false;
}

DWORD MailStoreAccess::MessageClassId(MessageService service)
{
    DWORD& cached = m_classIds[service == MessageService::Mail ? 0 : 1];
    if (cached)
        return cached;
    const wchar_t* wanted = service == MessageService::Mail ? L"IPM.Note"
                            : m_majorVersion >= 4           ? L"IPM.SMStext"
                                                            : L"IPM.SMStext.Msg";
    DatabaseHandle classes = OpenDatabase(m_volume, ClassesDatabase);
    if (!classes) {
        Fail();
        return 0;
    }
    StoreRecord record;
    while (record.Read(classes.Get())) {
        const wchar_t* name = record.Text(ClassName);
        if (name && lstrcmpiW(name, wanted) == 0) {
            cached = record.Number(ClassId).value_or(0);
            return cached;
        }
    }
    return 0;
}

bool MailStoreAccess::ListFolders(MessageService service)
{
    m_folders.clear();
    DatabaseHandle folders = OpenDatabase(m_volume, FoldersDatabase);
    if (!folders)
        return Fail();
    StoreRecord record;
    while (record.Read(folders.Get())) {
        const wchar_t* name = record.Text(FolderName);
        const bool ofService = m_majorVersion < 4 || record.Number(FolderService) == ServiceOf(service);
        if (ofService && name && *name)
            m_folders.emplace_back(name);
    }
    return !record.Failed() || Fail();
}

bool MailStoreAccess::FindMailFolder(DWORD folderId, std::wstring& name)
{
    DatabaseHandle folders = OpenDatabase(m_volume, FoldersDatabase);
    if (!folders)
        return Fail();
    StoreRecord record;
    while (record.Read(folders.Get())) {
        if (record.Number(FolderId) != folderId)
            continue;
        if (m_majorVersion >= 4 && record.Number(FolderService) != MailService)
            continue;
        const wchar_t* text = record.Text(FolderName);
        name = text ? text : L"";
        return true;
    }
    if (!record.Failed())
        SetLastError(ERROR_NOT_FOUND);
    return Fail();
}

bool MailStoreAccess::OpenFolder(const std::wstring& folder, MessageService service, DWORD classId, DWORD filter)
{
    CloseFolder();
    m_folder = OpenDatabase(m_volume, folder.c_str());
    if (!m_folder)
        return Fail();
    // Without the stored messages no size could be told, nor any message
    // deleted: the scan ends here.
    m_messages = OpenDatabase(m_volume, MessagesDatabase);
    if (!m_messages) {
        CloseFolder();
        return Fail();
    }
    if (service == MessageService::Mail)
        m_attachments = OpenDatabase(m_volume, AttachmentsDatabase);
    m_service = service;
    m_classId = classId;
    m_filter = filter;
    return true;
}

void MailStoreAccess::CloseFolder() noexcept
{
    m_folder.Reset();
    m_messages.Reset();
    m_attachments.Reset();
}

bool MailStoreAccess::NextMessage(DWORD& size)
{
    if (!m_folder)
        return false;
    StoreRecord message;
    while (message.Read(m_folder.Get())) {
        if (message.Number(MessageClass) != m_classId || !PassesFilter(message, m_filter))
            continue;
        size = 0;
        MessageSize(message, size);
        return true;
    }
    if (message.Failed())
        Fail();
    CloseFolder();
    return false;
}

bool MailStoreAccess::MessageSize(const StoreRecord& message, DWORD& size)
{
    size = message.Size();
    const std::optional<ULONG> id = message.Number(MessageId);
    if (!id)
        return true;
    // The stored message is found by a seek on its id: the same record a
    // read from the beginning would reach first, at a fraction of the cost.
    // Only a stored message has a body: a body file left without one is not
    // the message's, and the deletion would not remove it either.
    if (m_messages && SeekFirstEqual(m_messages.Get(), StoredMessageId, *id)) {
        StoreRecord stored;
        if (stored.Read(m_messages.Get())) {
            size += stored.Size();
            if (m_service == MessageService::Mail)
                size += FileSize(BodyFile(m_baseDirectory, *id));
        }
    }
    if (message.Number(MessageHasAttachments).value_or(0) != 0 && m_attachments) {
        StoreRecord attachment;
        for (CEOID found = SeekFirstEqual(m_attachments.Get(), AttachmentOwner, *id); found;
             found = SeekNextEqual(m_attachments.Get(), AttachmentOwner, *id)) {
            if (!attachment.Read(m_attachments.Get()))
                break;
            size += attachment.Size();
            if (const std::optional<ULONG> attachmentId = attachment.Number(AttachmentId))
                size += FileSize(AttachmentFile(m_baseDirectory, *id, *attachmentId));
        }
    }
    return true;
}

DWORD MailStoreAccess::EmptyDatabaseSize()
{
    if (m_emptyDatabaseSize)
        return m_emptyDatabaseSize;
    // A scratch database left by a run that was cut short goes first.
    CEOID left = 0;
    DatabaseHandle leftover(CeOpenDatabaseEx(&m_volume, &left, const_cast<LPWSTR>(ScratchDatabase), 0, 0, nullptr));
    if (leftover) {
        leftover.Reset();
        CeDeleteDatabaseEx(&m_volume, left);
    }
    CEDBASEINFO scratch{};
    scratch.dwFlags = CEDB_VALIDNAME;
    wcsncpy(scratch.szDbaseName, ScratchDatabase, CEDB_MAXDBASENAMELEN - 1);
    CEOID oid = CeCreateDatabaseEx(&m_volume, &scratch);
    if (!oid) {
        Fail();
        return 0;
    }
    CEOIDINFOEX info{};
    info.wVersion = CEOIDINFOEX_VERSION;
    {
        DatabaseHandle opened(CeOpenDatabaseEx(&m_volume, &oid, nullptr, 0, 0, nullptr));
        if (opened && CeOidGetInfoEx2(&m_volume, oid, &info))
            m_emptyDatabaseSize = info.infDatabase.dwSize;
    }
    CeDeleteDatabaseEx(&m_volume, oid);
    return m_emptyDatabaseSize;
}

bool MailStoreAccess::DatabaseUsage(const wchar_t* name, DWORD& count, DWORD& size)
{
    const DWORD empty = EmptyDatabaseSize();
    CEOID oid = 0;
    DatabaseHandle database(CeOpenDatabaseEx(&m_volume, &oid, const_cast<LPWSTR>(name), 0, 0, nullptr));
    CEOIDINFOEX info{};
    info.wVersion = CEOIDINFOEX_VERSION;
    if (!database || !CeOidGetInfoEx2(&m_volume, oid, &info))
        return Fail();
    count = info.infDatabase.dwNumRecords;
    size = info.infDatabase.dwSize > empty ? info.infDatabase.dwSize - empty : 0;
    return true;
}

bool MailStoreAccess::DeleteMessages(const std::wstring& folder, MessageService service, DWORD filter,
                                     unsigned& deleted, bool& countersChanged)
{
    deleted = 0;
    countersChanged = false;
    const DWORD classId = MessageClassId(service);
    if (!classId)
        return true;
    DatabaseHandle records = OpenDatabase(m_volume, folder.c_str());
    if (!records)
        return Fail();

    // The messages are taken first and deleted after, so that deleting never
    // moves the reading position.
    struct Taken {
        CEOID oid;
        std::optional<ULONG> messageId;
        bool unread;
        bool attachments;
    };
    std::vector<Taken> taken;
    StoreRecord message;
    while (message.Read(records.Get())) {
        if (message.Number(MessageClass) == classId && PassesFilter(message, filter))
            taken.push_back({message.Oid(), message.Number(MessageId), IsUnread(message),
                             message.Number(MessageHasAttachments).value_or(0) != 0});
    }
    if (message.Failed())
        return Fail();

    // The stored messages and attachments stay open for the whole folder.
    DatabaseHandle messages = OpenDatabase(m_volume, MessagesDatabase);
    DatabaseHandle attachments =
        service == MessageService::Mail ? OpenDatabase(m_volume, AttachmentsDatabase) : DatabaseHandle();
    bool succeeded = true;
    for (const Taken& item : taken) {
        if (!CeDeleteRecord(records.Get(), item.oid)) {
            succeeded = Fail();
            break;
        }
        bool whole = true;
        if (!item.messageId) {
            SetLastError(ERROR_NOT_FOUND);
            whole = Fail();
        } else if (!DeleteStoredMessage(messages.Get(), *item.messageId, service)) {
            whole = false;
        } else if (service == MessageService::Mail && item.attachments &&
                   !DeleteAttachments(attachments.Get(), *item.messageId)) {
            whole = false;
        }
        // The folder's counter follows each unread message as soon as the
        // message has left the folder, whether or not all its parts went
        // with it, so that a deletion cut short leaves counters that agree
        // with what is left.
        if (item.unread) {
            bool lowered = false;
            if (!CorrectUnreadCounters(folder, service, 1, lowered))
                whole = false;
            countersChanged = countersChanged || lowered;
        }
        if (!whole) {
            succeeded = false;
            break;
        }
        ++deleted;
    }
    return succeeded;
}

bool MailStoreAccess::DeleteStoredMessage(HANDLE messages, DWORD messageId, MessageService service)
{
    if (messages == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return Fail();
    }
    const CEOID stored = SeekFirstEqual(messages, StoredMessageId, messageId);
    if (!stored || !CeDeleteRecord(messages, stored))
        return Fail();
    if (service == MessageService::Mail)
        DeleteIfThere(BodyFile(m_baseDirectory, messageId));
    return true;
}

bool MailStoreAccess::DeleteAttachments(HANDLE attachments, DWORD messageId)
{
    if (attachments == INVALID_HANDLE_VALUE)
        return true;  // no attachment store: nothing to delete
    StoreRecord attachment;
    // Each pass finds the first attachment left; a record that cannot be
    // deleted ends the step, so it is never tried again and again.
    while (SeekFirstEqual(attachments, AttachmentOwner, messageId)) {
        if (!attachment.Read(attachments))
            return Fail();
        if (const std::optional<ULONG> attachmentId = attachment.Number(AttachmentId))
            DeleteIfThere(AttachmentFile(m_baseDirectory, messageId, *attachmentId));
        if (!CeDeleteRecord(attachments, attachment.Oid()))
            return Fail();
    }
    return true;
}

bool MailStoreAccess::CorrectUnreadCounters(const std::wstring& folder, MessageService service, unsigned unreadDeleted,
                                            bool& lowered)
{
    lowered = false;
    if (unreadDeleted == 0)
        return true;
    DatabaseHandle folders = OpenDatabase(m_volume, FoldersDatabase);
    if (!folders)
        return Fail();
    StoreRecord record;
    while (record.Read(folders.Get())) {
        const wchar_t* name = record.Text(FolderName);
        if (!name || folder != name)
            continue;
        if (m_majorVersion >= 4 && record.Number(FolderService) != ServiceOf(service))
            continue;
        // A counter never goes below zero, whatever it said before.
        const auto less = [unreadDeleted](ULONG value) -> ULONG {
            return value > unreadDeleted ? value - unreadDeleted : 0;
        };
        CEPROPVAL values[2]{};
        WORD count = 0;
        values[count].propid = FolderUnread;
        values[count++].val.ulVal = less(record.Number(FolderUnread).value_or(0));
        if (m_majorVersion < 4) {
            const CEPROPID old = service == MessageService::Mail ? OldMailUnread : OldTextUnread;
            if (const ULONG stored = record.Number(old).value_or(0)) {
                values[count].propid = old;
                values[count++].val.ulVal = less(stored);
            }
        }
        if (!CeWriteRecordProps(folders.Get(), record.Oid(), count, values))
            return Fail();
        lowered = true;
        return true;
    }
    // A folder without a record has no counter to keep right.
    return !record.Failed() || Fail();
}

bool MailStoreAccess::DeleteAllRecords(const wchar_t* name, unsigned& deleted, bool& missing)
{
    deleted = 0;
    missing = false;
    DatabaseHandle database = OpenDatabase(m_volume, name);
    if (!database) {
        missing = GetLastError() == ERROR_FILE_NOT_FOUND;
        return missing || Fail();
    }
    std::vector<CEOID> records;
    StoreRecord record;
    while (record.Read(database.Get()))
        records.push_back(record.Oid());
    if (record.Failed())
        return Fail();
    for (CEOID oid : records) {
        if (!CeDeleteRecord(database.Get(), oid))
            return Fail();
        ++deleted;
    }
    return true;
}
