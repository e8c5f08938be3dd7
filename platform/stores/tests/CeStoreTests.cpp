// The stores over the platform's database functions: a generated store reads
// back through them as its plan predicts, and the scan follows the cleaner's
// rules on stores that are not as the generator makes them.
#include "platform/stores/CeStoreVolume.h"
#include "platform/stores/MailStoreSchema.h"
#include "platform/stores/StoreFiles.h"
#include "platform/stores/StorePrediction.h"
#include "platform/stores/StoreRecords.h"
#include "platform/stores/StoreScan.h"

#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace vellumate;
using namespace vellumate::stores;

namespace {

CategoryTotal TotalOf(const MailReport& report, Category category)
{
    for (const CategoryTotal& total : report.totals) {
        if (total.category == category)
            return total;
    }
    return {};
}

StoreRequest Small(std::uint32_t seed)
{
    StoreRequest request;
    request.seed = seed;
    request.emails = 40;
    request.texts = 15;
    request.calls = 12;
    request.speedDials = 5;
    request.notes = 3;
    return request;
}

// The records of one database of a list.
std::vector<Record>& RecordsOf(std::vector<DatabaseRecords>& databases, const wchar_t* name)
{
    return std::find_if(databases.begin(), databases.end(), [&](const auto& db) { return db.first == name; })->second;
}

}  // namespace

TEST(CeStoreTest, AGeneratedStoreScansAsItsPlanPredicts)
{
    for (const std::uint32_t osMajor : {4u, 3u}) {
        for (const std::uint32_t seed : {1u, 9u}) {
            SCOPED_TRACE(testing::Message() << "system " << osMajor << ", seed " << seed);
            TempDevice device;
            const StorePlan plan = MakeStorePlan(Small(seed));
            {
                CeStoreVolume mail(MailVolumePath, OPEN_ALWAYS);
                ASSERT_TRUE(mail.Mounted()) << mail.LastError();
                ASSERT_TRUE(WriteDatabases(mail, MailDatabases(plan, osMajor))) << mail.LastError();
                std::string error;
                ASSERT_TRUE(WriteMailFiles(device.Root(), plan, error)) << error;
                ASSERT_TRUE(WriteNotes(device.Root(), plan, error)) << error;
                CeStoreVolume phone(PhoneVolumePath, OPEN_ALWAYS);
                ASSERT_TRUE(WriteDatabases(phone, PhoneDatabases(plan))) << phone.LastError();
            }
            // Mounted again: what the journal kept, not what one mount remembers.
            CeStoreVolume mail(MailVolumePath, OPEN_EXISTING);
            const MailReport scanned = ScanMail(mail, device.Root(), osMajor);
            const MailReport predicted = PredictMail(plan, osMajor);
            EXPECT_EQ(scanned.totals, predicted.totals);
            EXPECT_EQ(scanned.folders, predicted.folders);
            EXPECT_EQ(scanned.folderNames, predicted.folderNames);
            EXPECT_GT(TotalOf(scanned, Category::AllEmail).count, TotalOf(scanned, Category::ReadEmail).count);
            EXPECT_GT(TotalOf(scanned, Category::AllText).count, TotalOf(scanned, Category::ReadText).count);

            CeStoreVolume phone(PhoneVolumePath, OPEN_EXISTING);
            EXPECT_EQ(ScanPhone(phone), PredictPhone(plan));
            EXPECT_EQ(ScanNotes(device.Root()), PredictNotes(plan));
        }
    }
}

TEST(CeStoreTest, TheScanFollowsTheCleanersRulesOnOddStores)
{
    TempDevice device;
    StorePlan plan = MakeStorePlan(Small(4));
    // The first Inbox message with attachments, and one without.
    auto withAttachments = std::find_if(plan.messages.begin(), plan.messages.end(), [](const PlannedMessage& m) {
        return m.folderId == InboxId && !m.attachments.empty();
    });
    ASSERT_NE(withAttachments, plan.messages.end());
    const PlannedMessage orphan = *withAttachments;
    auto plain = std::find_if(plan.messages.begin(), plan.messages.end(), [](const PlannedMessage& m) {
        return m.folderId == InboxId && m.attachments.empty() && m.read;
    });
    ASSERT_NE(plain, plan.messages.end());
    const PlannedMessage flagless = *plain;

    std::vector<DatabaseRecords> databases = MailDatabases(plan, 4);
    // A message listed in its folder but missing from "pmailMsgs".
    auto& stored = RecordsOf(databases, MessagesDb);
    stored.erase(std::find_if(stored.begin(), stored.end(),
                              [&](const Record& r) { return NumberProp(r, PropStoredMsgId) == orphan.id; }));
    // A message whose folder record has no flags at all.
    for (Record& record : RecordsOf(databases, L"Inbox")) {
        if (NumberProp(record, PropMsgId) == flagless.id)
            record.erase(std::find_if(record.begin(), record.end(), [](const Prop& p) { return p.id == PropMsgFlags; }));
    }
    CeStoreVolume mail(MailVolumePath, OPEN_ALWAYS);
    ASSERT_TRUE(WriteDatabases(mail, databases)) << mail.LastError();
    std::string error;
    ASSERT_TRUE(WriteMailFiles(device.Root(), plan, error)) << error;

    const MailReport predicted = PredictMail(plan, 4);
    const std::uint64_t orphanBody = RecordBytes(StoredMessageRecord(orphan)) + orphan.bodySize;
    const std::uint64_t noFlags = PropValueBytes;
    MailReport scanned = ScanMail(mail, device.Root(), 4);
    // The orphan keeps its folder record and attachments; the flagless one still counts as read.
    EXPECT_EQ(TotalOf(scanned, Category::InboxEmail).count, TotalOf(predicted, Category::InboxEmail).count);
    EXPECT_EQ(TotalOf(scanned, Category::InboxEmail).bytes,
              TotalOf(predicted, Category::InboxEmail).bytes - orphanBody - noFlags);
    EXPECT_EQ(TotalOf(scanned, Category::ReadEmail).count, TotalOf(predicted, Category::ReadEmail).count);

    // Missing files add nothing: the orphan's attachments and another's body.
    std::filesystem::remove(HostPath(device.Root(), AttachmentFilePath(orphan.id, orphan.attachments[0].id)));
    std::filesystem::remove(HostPath(device.Root(), BodyFilePath(flagless.id)));
    const CategoryTotal before = TotalOf(scanned, Category::InboxEmail);
    scanned = ScanMail(mail, device.Root(), 4);
    EXPECT_EQ(TotalOf(scanned, Category::InboxEmail).bytes,
              before.bytes - orphan.attachments[0].size - flagless.bodySize);

    // A folder whose database is missing ends the walk of the e-mail folders
    // there: the Outbox, second, names none, so only the Inbox is counted.
    std::vector<DatabaseRecords> foldersOnly{{FoldersDb, RecordsOf(databases, FoldersDb)}};
    auto& folders = foldersOnly[0].second;
    for (Record& record : folders) {
        if (NumberProp(record, PropFolderId) == OutboxId)
            std::get<std::wstring>(record[0].value) = L"No such folder";
    }
    ASSERT_TRUE(WriteDatabases(mail, foldersOnly));
    scanned = ScanMail(mail, device.Root(), 4);
    EXPECT_EQ(TotalOf(scanned, Category::AllEmail).count, TotalOf(scanned, Category::InboxEmail).count);
    EXPECT_EQ(TotalOf(scanned, Category::OutboxEmail).count, 0u);
    EXPECT_GT(TotalOf(scanned, Category::SentEmail).count, 0u);
}

TEST(CeStoreTest, OlderSystemsWalkEveryFolderForBothKindsOfMessage)
{
    TempDevice device;
    StorePlan plan = MakeStorePlan(Small(5));
    // A text message filed among the e-mail: found by its class on an older
    // system, where folders have no service; not on a newer one.
    for (PlannedMessage& message : plan.messages) {
        if (message.text) {
            message.folderId = InboxId;
            break;
        }
    }
    CeStoreVolume mail(MailVolumePath, OPEN_ALWAYS);
    ASSERT_TRUE(WriteDatabases(mail, MailDatabases(plan, 3)));
    const MailReport older = ScanMail(mail, device.Root(), 3);
    EXPECT_EQ(TotalOf(older, Category::AllText).count, 15u);
    EXPECT_EQ(TotalOf(older, Category::AllEmail).count, 40u);

    ASSERT_TRUE(WriteDatabases(mail, MailDatabases(plan, 4)));
    const MailReport newer = ScanMail(mail, device.Root(), 4);
    EXPECT_EQ(TotalOf(newer, Category::AllText).count, 14u);
    EXPECT_EQ(TotalOf(newer, Category::AllEmail).count, 40u);
}

TEST(CeStoreTest, NoVolumeOrAnEmptyOneFindsNothing)
{
    TempDevice device;
    CeStoreVolume missing(MailVolumePath, OPEN_EXISTING);
    EXPECT_FALSE(missing.Mounted());
    EXPECT_EQ(missing.LastErrorCode(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(std::filesystem::exists(device.Root() / L"cemail.vol"));

    CeStoreVolume phone(PhoneVolumePath, OPEN_ALWAYS);
    ASSERT_TRUE(phone.Mounted());
    const PhoneReport nothing = ScanPhone(phone);
    EXPECT_EQ(nothing.calls.count, 0u);
    EXPECT_EQ(nothing.speedDials.bytes, 0u);
    EXPECT_EQ(phone.EmptyDatabaseBytes(), std::optional<std::uint32_t>(vellumate::database::EmptyDatabaseSize));
}
