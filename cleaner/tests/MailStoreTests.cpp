// The cleaner over mail and phone stores of a test device's own: volumes
// made through the handset's database interface, messages with and without
// flags, attachments and their files, and folders that cannot be read.
#include "cleaner/CategoryDeletion.h"
#include "cleaner/MailStoreAccess.h"
#include "cleaner/ScanWorker.h"
#include "cleaner/resource.h"

#include "framework/testsupport/TempDevice.h"

#include "platform/database/Database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using vellumate::TempDevice;

namespace {

constexpr DWORD MailClass = 7;
constexpr DWORD TextClass = 9;
constexpr DWORD MailService = 0x32000016;
constexpr DWORD TextService = 0x32000020;

CEPROPVAL Number(CEPROPID id, ULONG value)
{
    CEPROPVAL property{};
    property.propid = id;
    property.val.ulVal = value;
    return property;
}

CEPROPVAL Text(CEPROPID id, const wchar_t* value)
{
    CEPROPVAL property{};
    property.propid = id;
    property.val.lpwstr = const_cast<LPWSTR>(value);
    return property;
}

struct Message {
    DWORD id;
    int flags;  // -1: the record has no flags
    bool attachment = false;
    bool stored = true;  // has its record in the stored messages
};

// A mail store written the way the mail program keeps it.
class TestStore {
public:
    explicit TestStore(const std::filesystem::path& root, const wchar_t* volume = MailVolume) : m_root(root)
    {
        std::wstring path = (root / volume).wstring();
        CREATE_INVALIDGUID(&m_volume);
        EXPECT_TRUE(CeMountDBVol(&m_volume, path.data(), CREATE_NEW)) << GetLastError();
    }
    ~TestStore() { CeUnmountDBVol(&m_volume); }

    HANDLE Database(const wchar_t* name)
    {
        CEOID oid = 0;
        HANDLE opened =
            CeOpenDatabaseEx(&m_volume, &oid, const_cast<LPWSTR>(name), 0, CEDB_AUTOINCREMENT, nullptr);
        if (opened != INVALID_HANDLE_VALUE)
            return opened;
        CEDBASEINFO info{};
        info.dwFlags = CEDB_VALIDNAME;
        wcsncpy(info.szDbaseName, name, CEDB_MAXDBASENAMELEN - 1);
        oid = CeCreateDatabaseEx(&m_volume, &info);
        EXPECT_NE(oid, 0u) << GetLastError();
        return CeOpenDatabaseEx(&m_volume, &oid, nullptr, 0, CEDB_AUTOINCREMENT, nullptr);
    }
    void Write(const wchar_t* database, std::vector<CEPROPVAL> values)
    {
        HANDLE opened = Database(database);
        EXPECT_NE(CeWriteRecordProps(opened, 0, static_cast<WORD>(values.size()), values.data()), 0u);
        CloseHandle(opened);
    }
    void Classes()
    {
        Write(L"pmailMsgClasses", {Text(0x8300001F, L"IPM.Note"), Number(0x80010013, MailClass)});
        Write(L"pmailMsgClasses", {Text(0x8300001F, L"IPM.SMStext"), Number(0x80010013, TextClass)});
    }
    void Folder(const wchar_t* name, DWORD id, DWORD service, ULONG unread)
    {
        Write(L"pmailFolders", {Text(0x8003001F, name), Number(0x80040013, id), Number(0x0E090013, service),
                                Number(0x36030013, unread)});
        CloseHandle(Database(name));
    }
    void Put(const wchar_t* folder, DWORD classId, const Message& message)
    {
        std::vector<CEPROPVAL> values{Number(0x001A0013, classId), Number(0x80050013, message.id),
                                      Number(0x0E1B0013, message.attachment ? 1 : 0)};
        if (message.flags >= 0)
            values.push_back(Number(0x0E070013, static_cast<ULONG>(message.flags)));
        Write(folder, values);
        if (message.stored)
            Write(L"pmailMsgs", {Number(0x80010013, message.id), Text(0x0037001F, L"a subject")});
        if (classId == MailClass)
            MakeFile(L"MAPI\\" + Hex(message.id) + L"1000001f.mpb", 300);
        if (message.attachment) {
            Write(L"pmailAttachs", {Number(0x81000013, message.id), Number(0x80010013, 1)});
            MakeFile(L"MAPI\\ATTACHMENTS\\" + Hex(message.id) + L"-00000001.att", 1000);
        }
    }
    void MakeFile(const std::wstring& below, std::size_t size)
    {
        const std::filesystem::path path = m_root / below;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    }
    ULONG Unread(const wchar_t* folder)
    {
        HANDLE folders = Database(L"pmailFolders");
        ULONG unread = 0;
        LPBYTE buffer = nullptr;
        DWORD size = 0;
        WORD count = 0;
        while (CeReadRecordPropsEx(folders, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr)) {
            const auto* values = reinterpret_cast<const CEPROPVAL*>(buffer);
            bool match = false;
            ULONG value = 0;
            for (WORD index = 0; index < count; ++index) {
                if (values[index].propid == 0x8003001F && lstrcmpW(values[index].val.lpwstr, folder) == 0)
                    match = true;
                if (values[index].propid == 0x36030013)
                    value = values[index].val.ulVal;
            }
            if (match)
                unread = value;
        }
        LocalFree(buffer);
        CloseHandle(folders);
        return unread;
    }
    DWORD Records(const wchar_t* database)
    {
        CEOID oid = 0;
        HANDLE opened = CeOpenDatabaseEx(&m_volume, &oid, const_cast<LPWSTR>(database), 0, 0, nullptr);
        if (opened == INVALID_HANDLE_VALUE)
            return 0;
        CEOIDINFOEX info{};
        info.wVersion = CEOIDINFOEX_VERSION;
        CeOidGetInfoEx2(&m_volume, oid, &info);
        CloseHandle(opened);
        return info.infDatabase.dwNumRecords;
    }

private:
    static std::wstring Hex(DWORD value)
    {
        wchar_t text[16] = {};
        _snwprintf(text, 15, L"%.8x", static_cast<unsigned>(value));
        return text;
    }

    std::filesystem::path m_root;
    CEGUID m_volume{};
};

// A scan run to its end on this thread.
struct Scanned {
    unsigned count;
    std::uint32_t size;
};
Scanned Scan(UINT category)
{
    ScanProgress progress(*CategoryNamed(category));
    RunScan(progress, [] {});
    return {progress.count.load(), progress.size.load()};
}

class MailStoreTest : public ::testing::Test {
protected:
    TempDevice m_device;
};

TEST_F(MailStoreTest, ReadMailGoesWithItsFilesAndUnreadMailAndItsCounterStay)
{
    {
        TestStore store(m_device.Root());
        store.Classes();
        store.Folder(L"Inbox", 0x10000001, MailService, 1);
        store.Put(L"Inbox", MailClass, {0x2A, 1, true});
        store.Put(L"Inbox", MailClass, {0x2B, 0});   // unread
        store.Put(L"Inbox", MailClass, {0x2C, -1});  // no flags: read
        store.Put(L"Inbox", TextClass, {0x2D, 1});   // another class
    }
    const Scanned read = Scan(IDS_CATEGORY_READ_MAIL);
    EXPECT_EQ(read.count, 2u);
    const Scanned all = Scan(IDS_CATEGORY_ALL_MAIL);
    EXPECT_EQ(all.count, 3u);
    // Files count with their sizes: the body of 0x2A and its attachment.
    std::filesystem::remove(m_device.Root() / L"MAPI\\ATTACHMENTS\\0000002a-00000001.att");
    EXPECT_EQ(Scan(IDS_CATEGORY_READ_MAIL).size, read.size - 1000);

    const DeletionResult result = DeleteCategory(*CategoryNamed(IDS_CATEGORY_READ_MAIL));
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.message, static_cast<UINT>(IDS_MAIL_DELETED));
    EXPECT_EQ(result.count, 2u);
    EXPECT_FALSE(result.closeMailWindow);
    EXPECT_EQ(Scan(IDS_CATEGORY_ALL_MAIL).count, 1u);
    EXPECT_FALSE(std::filesystem::exists(m_device.Root() / L"MAPI\\0000002a1000001f.mpb"));
    EXPECT_TRUE(std::filesystem::exists(m_device.Root() / L"MAPI\\0000002b1000001f.mpb"));
    TestStore again(m_device.Root());
    EXPECT_EQ(again.Unread(L"Inbox"), 1u);
    EXPECT_EQ(again.Records(L"pmailMsgs"), 2u);  // the unread one and the text message
    EXPECT_EQ(again.Records(L"pmailAttachs"), 0u);
}

TEST_F(MailStoreTest, DeletingUnreadMailLowersTheCounterButNeverBelowZero)
{
    {
        TestStore store(m_device.Root());
        store.Classes();
        store.Folder(L"Inbox", 0x10000001, MailService, 3);
        store.Folder(L"Sent", 0x30000001, MailService, 1);  // a counter that says less than there is
        for (DWORD id = 1; id <= 3; ++id)
            store.Put(L"Inbox", MailClass, {id, 0});
        store.Put(L"Sent", MailClass, {10, 0});
        store.Put(L"Sent", MailClass, {11, 0});
    }
    const DeletionResult result = DeleteCategory(*CategoryNamed(IDS_CATEGORY_ALL_MAIL));
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.count, 5u);
    EXPECT_TRUE(result.closeMailWindow);
    TestStore again(m_device.Root());
    EXPECT_EQ(again.Unread(L"Inbox"), 0u);
    EXPECT_EQ(again.Unread(L"Sent"), 0u);
}

TEST_F(MailStoreTest, AFailingFirstFolderStopsAllMailButNotReadMail)
{
    {
        TestStore store(m_device.Root());
        store.Classes();
        store.Folder(L"Inbox", 0x10000001, MailService, 0);
        // Without their stored records their deletions fail, one each run.
        store.Put(L"Inbox", MailClass, {1, 1, false, false});
        store.Put(L"Inbox", MailClass, {3, 1, false, false});
        store.Folder(L"Sent", 0x30000001, MailService, 0);
        store.Put(L"Sent", MailClass, {2, 1});
    }
    DeletionResult result = DeleteCategory(*CategoryNamed(IDS_CATEGORY_ALL_MAIL));
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.message, static_cast<UINT>(IDS_MESSAGES_NOT_DELETED));
    EXPECT_EQ(result.style, StatusStyle::Error);
    MailStoreAccess check;
    ASSERT_TRUE(check.Mount(MailVolume));
    ASSERT_TRUE(check.OpenFolder(L"Sent", MessageService::Mail, MailClass, AllMessages));
    DWORD size = 0;
    EXPECT_TRUE(check.NextMessage(size));  // untouched
    check.Unmount();

    result = DeleteCategory(*CategoryNamed(IDS_CATEGORY_READ_MAIL));
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.message, static_cast<UINT>(IDS_MESSAGES_NOT_DELETED));
    ASSERT_TRUE(check.Mount(MailVolume));
    ASSERT_TRUE(check.OpenFolder(L"Sent", MessageService::Mail, MailClass, AllMessages));
    EXPECT_FALSE(check.NextMessage(size));  // the second folder was cleaned
}

TEST_F(MailStoreTest, AMessageMissingFromTheStoredMessagesStillCountsItsOwnRecords)
{
    {
        TestStore store(m_device.Root());
        store.Classes();
        store.Folder(L"Inbox", 0x10000001, MailService, 0);
        store.Put(L"Inbox", MailClass, {5, 1, true, false});
    }
    std::filesystem::remove(m_device.Root() / L"MAPI\\000000051000001f.mpb");
    const Scanned scanned = Scan(IDS_CATEGORY_INBOX);
    EXPECT_EQ(scanned.count, 1u);
    EXPECT_GT(scanned.size, 1000u);  // its record and its attachment with the file
}

TEST_F(MailStoreTest, OnOlderSystemsEveryFolderServesBothKindsAndOnlyTheClassTellsThem)
{
    m_device.WriteProfile("[device]\nos_major=3\n");
    {
        TestStore store(m_device.Root());
        store.Write(L"pmailMsgClasses", {Text(0x8300001F, L"IPM.Note"), Number(0x80010013, MailClass)});
        store.Write(L"pmailMsgClasses", {Text(0x8300001F, L"IPM.SMStext.Msg"), Number(0x80010013, TextClass)});
        store.Folder(L"Inbox", 0x10000001, MailService, 0);
        store.Folder(L"SMS", 0x50000001, TextService, 0);
        store.Put(L"Inbox", TextClass, {1, 1});
        store.Put(L"SMS", TextClass, {2, 1});
        store.Put(L"SMS", MailClass, {3, 1});
    }
    EXPECT_EQ(Scan(IDS_CATEGORY_ALL_TEXTS).count, 2u);
    EXPECT_EQ(Scan(IDS_CATEGORY_ALL_MAIL).count, 1u);
}

TEST_F(MailStoreTest, AMissingCallLogIsNothingToDelete)
{
    { TestStore store(m_device.Root(), PhoneVolume); }
    const DeletionResult result = DeleteCategory(*CategoryNamed(IDS_CATEGORY_CALL_LOG));
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.message, static_cast<UINT>(IDS_CALLS_DELETED));
    EXPECT_EQ(result.count, 0u);

    const DeletionResult noVolume = DeleteCategory(*CategoryNamed(IDS_CATEGORY_ALL_MAIL));
    EXPECT_FALSE(noVolume.succeeded);
    EXPECT_EQ(noVolume.message, static_cast<UINT>(IDS_NO_VOLUME));
}

}  // namespace
