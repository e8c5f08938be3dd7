// The cleaner over mail and phone stores of a test device's own: volumes
// made through the handset's database interface, messages with and without
// flags, attachments and their files, and folders that cannot be read.
#include "cleaner/CategoryDeletion.h"
#include "cleaner/MailStoreAccess.h"
#include "cleaner/ScanWorker.h"
#include "cleaner/resource.h"
#include "cleaner/tests/TestStore.h"

#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <filesystem>

using vellumate::TempDevice;
using namespace cleanertest;

namespace {

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
        ASSERT_TRUE(store.Ok());
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
    TestStore again(m_device.Root(), MailVolume, true);
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
        ASSERT_TRUE(store.Ok());
    }
    const DeletionResult result = DeleteCategory(*CategoryNamed(IDS_CATEGORY_ALL_MAIL));
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.count, 5u);
    EXPECT_TRUE(result.closeMailWindow);
    TestStore again(m_device.Root(), MailVolume, true);
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
        ASSERT_TRUE(store.Ok());
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
        store.Write(L"pmailMsgs", {Number(0x80010013, 6), Text(0x0037001F, L"another message's")});
        ASSERT_TRUE(store.Ok());
    }
    // Its body file is there but is no stored message's: a deletion leaves it, so the scan does not count it.
    ASSERT_TRUE(std::filesystem::exists(m_device.Root() / L"MAPI\\000000051000001f.mpb"));
    const Scanned scanned = Scan(IDS_CATEGORY_INBOX);
    EXPECT_EQ(scanned.count, 1u);
    EXPECT_GT(scanned.size, 1000u);  // its record and its attachment with the file
    EXPECT_LT(scanned.size, 1300u);  // but not the body's 300 bytes
}

TEST_F(MailStoreTest, WithoutTheStoredMessagesTheScanEndsAndOffersNothingToDelete)
{
    {
        TestStore store(m_device.Root());
        store.Classes();
        store.Folder(L"Inbox", 0x10000001, MailService, 0);
        store.Put(L"Inbox", MailClass, {5, 1, false, false});
        ASSERT_TRUE(store.Ok());
    }
    EXPECT_EQ(Scan(IDS_CATEGORY_INBOX).count, 0u);
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
        ASSERT_TRUE(store.Ok());
    }
    EXPECT_EQ(Scan(IDS_CATEGORY_ALL_TEXTS).count, 2u);
    EXPECT_EQ(Scan(IDS_CATEGORY_ALL_MAIL).count, 1u);
}

TEST_F(MailStoreTest, AMissingCallLogIsNothingToDelete)
{
    {
        TestStore store(m_device.Root(), PhoneVolume);
    }
    const DeletionResult result = DeleteCategory(*CategoryNamed(IDS_CATEGORY_CALL_LOG));
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.message, static_cast<UINT>(IDS_CALLS_DELETED));
    EXPECT_EQ(result.count, 0u);

    const DeletionResult noVolume = DeleteCategory(*CategoryNamed(IDS_CATEGORY_ALL_MAIL));
    EXPECT_FALSE(noVolume.succeeded);
    EXPECT_EQ(noVolume.message, static_cast<UINT>(IDS_NO_VOLUME));
}

}  // namespace
