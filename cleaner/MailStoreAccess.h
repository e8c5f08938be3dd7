// The handset's mail store ("cemail.vol") and phone store ("mxip_initdb.vol")
// as the cleaner reads and clears them: message classes, folders, the
// messages of a folder with their sizes, a database's usage, and the
// deletions with the repair of the folders' unread counters.
//
// One object per scan or per deletion, used on one thread. Platform errors
// are kept in LastError(); the caller decides what the user is told.
#pragma once

#include "cleaner/StoreRecord.h"

#include "platform/database/Database.h"

#include <windows.h>

#include <string>
#include <vector>

inline constexpr wchar_t MailVolume[] = L"cemail.vol";
inline constexpr wchar_t PhoneVolume[] = L"mxip_initdb.vol";
inline constexpr wchar_t CallLogDatabase[] = L"clog.db";
inline constexpr wchar_t SpeedDialDatabase[] = L"speed.db";

enum class MessageService { Mail, TextMessages };

// The handset folder that holds the personal folder ("\" for "\My
// Documents"), with its final separator.
std::wstring BaseDirectory();

class MailStoreAccess {
public:
    MailStoreAccess() noexcept;
    ~MailStoreAccess();
    MailStoreAccess(const MailStoreAccess&) = delete;
    MailStoreAccess& operator=(const MailStoreAccess&) = delete;

    // Mounts the volume of that name in the base directory (an existing one
    // only); false when it cannot be.
    bool Mount(const wchar_t* volumeName);
    void Unmount() noexcept;
    bool Mounted() const noexcept { return m_mounted; }
    DWORD LastError() const noexcept { return m_lastError; }
    DWORD MajorVersion() const noexcept { return m_majorVersion; }

    // The class id of e-mail or of text messages; 0 when the store has none.
    DWORD MessageClassId(MessageService service);

    // The names of the service's folders, in the store's order; false when the
    // folder list cannot be read.
    bool ListFolders(MessageService service);
    const std::vector<std::wstring>& Folders() const noexcept { return m_folders; }
    // The e-mail folder with that id; false when there is none.
    bool FindMailFolder(DWORD folderId, std::wstring& name);

    // Scanning: the messages of one folder that are of the class and pass the
    // read-state filter, each with its size (its records, body and
    // attachments). Open fails when the folder's database cannot be opened.
    bool OpenFolder(const std::wstring& folder, MessageService service, DWORD classId, DWORD filter);
    bool NextMessage(DWORD& size);
    void CloseFolder() noexcept;

    // A database's record count and data size (less what an empty database
    // measures); false when it cannot be opened.
    bool DatabaseUsage(const wchar_t* name, DWORD& count, DWORD& size);

    // Deletes the folder's messages of the service that pass the filter, with
    // their stored records, bodies and attachments, and lowers the folder's
    // unread counters with each unread message that goes. `deleted` counts what went, also on failure.
    // `countersChanged` tells that an unread counter was lowered.
    bool DeleteMessages(const std::wstring& folder, MessageService service, DWORD filter, unsigned& deleted,
                        bool& countersChanged);

    // Deletes every record of a database; `missing` when it does not exist
    // (which is no failure).
    bool DeleteAllRecords(const wchar_t* name, unsigned& deleted, bool& missing);

private:
    bool Fail() noexcept;
    bool MessageSize(const StoreRecord& message, DWORD& size);
    bool DeleteStoredMessage(HANDLE messages, DWORD messageId, MessageService service);
    bool DeleteAttachments(HANDLE attachments, DWORD messageId);
    // False only when a counter could not be read or written; `lowered` tells
    // that one was.
    bool CorrectUnreadCounters(const std::wstring& folder, MessageService service, unsigned unreadDeleted,
                               bool& lowered);
    DWORD EmptyDatabaseSize();

    CEGUID m_volume{};
    bool m_mounted = false;
    DWORD m_lastError = 0;
    std::wstring m_baseDirectory;
    DWORD m_majorVersion = 0;
    DWORD m_classIds[2] = {};
    std::vector<std::wstring> m_folders;
    DWORD m_emptyDatabaseSize = 0;

    // The folder being scanned.
    DatabaseHandle m_folder;
    DatabaseHandle m_messages;
    DatabaseHandle m_attachments;
    MessageService m_service = MessageService::Mail;
    DWORD m_classId = 0;
    DWORD m_filter = 0;
};
