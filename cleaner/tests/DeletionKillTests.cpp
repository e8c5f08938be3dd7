// A deletion ended half-way, as a crash or a flat battery ends it: what is
// left of the mail store is whole, its unread counter is within the one
// message that was on its way out, and a second deletion finishes the job.
#include "cleaner/CategoryDeletion.h"
#include "cleaner/MailStoreAccess.h"
#include "cleaner/resource.h"
#include "cleaner/tests/TestStore.h"

#include "framework/testsupport/ChildProcess.h"
#include "framework/testsupport/MessagePump.h"
#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace cleanertest;

namespace {

constexpr DWORD Messages = 120;

struct Left {
    unsigned messages = 0;
    unsigned unread = 0;
    unsigned whole = 0;  // with their stored record and, when they have one, their attachment
};

Left WhatIsLeft()
{
    Left left;
    MailStoreAccess access;
    if (!access.Mount(MailVolume) || !access.OpenFolder(L"Inbox", MessageService::Mail, MailClass, 2))
        return left;
    DWORD size = 0;
    while (access.NextMessage(size))
        ++left.unread;
    if (!access.OpenFolder(L"Inbox", MessageService::Mail, MailClass, 3))
        return left;
    while (access.NextMessage(size)) {
        ++left.messages;
        // A folder record (about 60 bytes) alone is all a message keeps when
        // its stored record went first; with it and the body it is over 300.
        if (size > 300)
            ++left.whole;
    }
    return left;
}

TEST(DeletionCutShort, WhatIsLeftIsWholeAndASecondDeletionFinishes)
{
    // Ended after the first message, in the middle, and late.
    for (DWORD gone : {DWORD{1}, Messages / 2, Messages * 3 / 4}) {
        SCOPED_TRACE(gone);
        vellumate::TempDevice device;
        {
            TestStore store(device.Root());
            store.Classes();
            store.Folder(L"Inbox", 0x10000001, MailService, Messages / 2);
            for (DWORD id = 1; id <= Messages; ++id)
                store.Put(L"Inbox", MailClass, {id, static_cast<int>(id % 2), id % 5 == 0});
            ASSERT_TRUE(store.Ok());
        }
        TestStore check(device.Root(), MailVolume, true);
        {
            vellumate::ChildProcess deletion(vellumate::CommandBesideThisProgram(L"cleaner_deletion_helper.exe", L""),
                                             vellumate::ChildProcess::Output::Inherited);
            ASSERT_TRUE(deletion.Started());
            EXPECT_TRUE(vellumate::WaitUntil([&] { return check.Records(L"Inbox") <= Messages - gone; }, 60000));
            deletion.Kill();
            deletion.WaitForExit();
        }
        const Left left = WhatIsLeft();
        ASSERT_GT(left.messages, 0u) << "the deletion ended before it was cut short";
        EXPECT_LE(left.messages, Messages - gone);
        EXPECT_EQ(left.whole, left.messages);
        const ULONG counter = check.Unread(L"Inbox");
        EXPECT_GE(counter, left.unread);
        EXPECT_LE(counter, left.unread + 1);

        const DeletionResult finished = DeleteCategory(*CategoryNamed(IDS_CATEGORY_ALL_MAIL));
        EXPECT_TRUE(finished.succeeded);
        EXPECT_EQ(finished.count, left.messages);
        EXPECT_EQ(check.Records(L"Inbox"), 0u);
        EXPECT_LE(check.Unread(L"Inbox"), 1u);
    }
}

}  // namespace
