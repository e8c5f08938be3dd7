// The store generator and the cleaner's scan on the host, over the volume's
// portable core: large stores in a moment, and the plan's own promises.
#include "platform/stores/MailStoreSchema.h"
#include "platform/stores/StoreFiles.h"
#include "platform/stores/StorePlan.h"
#include "platform/stores/StorePrediction.h"
#include "platform/stores/StoreRecords.h"
#include "platform/stores/StoreReport.h"
#include "platform/stores/StoreScan.h"
#include "platform/stores/tool/HostStoreVolume.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;
using namespace vellumate::stores;

namespace {

class ScratchRoot {
public:
    ScratchRoot()
    {
        std::string pattern = (fs::temp_directory_path() / "stores-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~ScratchRoot()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path& Path() const noexcept { return m_path; }

private:
    fs::path m_path;
};

std::uint32_t Little(const std::string& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

TEST(StoreReportTest, SizesReadAsTheCleanerShowsThem)
{
    EXPECT_EQ(SizeText(0), "0 B");
    EXPECT_EQ(SizeText(1023), "1023 B");
    EXPECT_EQ(SizeText(1024), "1.00 KB");
    EXPECT_EQ(SizeText(1536), "1.50 KB");
    EXPECT_EQ(SizeText(1048575), "1024.00 KB");
    EXPECT_EQ(SizeText(1048576), "1.00 MB");
    EXPECT_EQ(SizeText(1u << 30), "1.00 GB");
    EXPECT_EQ(SizeText((1ull << 32) + (1ull << 30)), "5.00 GB");
}

TEST(StorePlanTest, ASeedAlwaysMakesTheSameRealisticStore)
{
    const StorePlan plan = MakeStorePlan(StoreRequest{});
    const StorePlan again = MakeStorePlan(StoreRequest{});
    EXPECT_EQ(PredictMail(plan, 4), PredictMail(again, 4));
    EXPECT_EQ(PredictPhone(plan), PredictPhone(again));
    EXPECT_EQ(BodyFileBytes(plan.messages[3]), BodyFileBytes(again.messages[3]));
    StoreRequest other;
    other.seed = 2;
    EXPECT_NE(PredictMail(MakeStorePlan(other), 4), PredictMail(plan, 4));

    // Every folder has mail; the Inbox some unread; drafts are never flagged.
    std::set<std::uint32_t> folders, ids, attachmentIds;
    std::uint32_t unreadInbox = 0, emails = 0, withAttachments = 0;
    for (const PlannedMessage& message : plan.messages) {
        folders.insert(message.folderId);
        EXPECT_TRUE(ids.insert(message.id).second) << "message id used twice";
        EXPECT_EQ(message.hasFlags, message.folderId != DraftsId);
        if (message.text) {
            EXPECT_TRUE(message.attachments.empty());
            EXPECT_EQ(message.bodySize, 0u);
            continue;
        }
        ++emails;
        unreadInbox += message.folderId == InboxId && message.IsUnread();
        withAttachments += !message.attachments.empty();
        EXPECT_EQ(BodyFileBytes(message).size(), message.bodySize);
        for (const PlannedAttachment& attachment : message.attachments) {
            EXPECT_TRUE(attachmentIds.insert(attachment.id).second) << "attachment id used twice";
            EXPECT_EQ(AttachmentFileBytes(message, attachment).size(), attachment.size);
        }
    }
    EXPECT_EQ(emails, 60u);
    EXPECT_EQ(plan.messages.size(), 90u);
    EXPECT_EQ(folders.size(), MailFolders.size());
    EXPECT_GT(unreadInbox, 0u);
    EXPECT_GT(withAttachments, 0u);
    EXPECT_LT(withAttachments, emails);
    EXPECT_EQ(plan.calls.size(), 20u);
    EXPECT_EQ(plan.speedDials.size(), 8u);
    EXPECT_EQ(plan.speedDials.front().key, 2u);
    for (std::size_t i = 1; i < plan.calls.size(); ++i)
        EXPECT_LT(plan.calls[i].time, plan.calls[i - 1].time) << "the call log runs newest first";

    // More speed dials than keys: the keys run out at 99.
    StoreRequest many;
    many.speedDials = 500;
    const StorePlan cut = MakeStorePlan(many);
    EXPECT_EQ(cut.speedDials.size(), MaxSpeedDials);
    EXPECT_EQ(cut.speedDials.back().key, 99u);
}

TEST(StorePlanTest, VoiceNotesAreSmallValidWaveFiles)
{
    const StorePlan plan = MakeStorePlan(StoreRequest{});
    ASSERT_EQ(plan.notes.size(), 4u);
    for (const PlannedNote& note : plan.notes) {
        const std::string bytes = NoteFileBytes(note);
        ASSERT_EQ(bytes.size(), WaveHeaderBytes + note.dataBytes);
        EXPECT_EQ(bytes.substr(0, 4), "RIFF");
        EXPECT_EQ(Little(bytes, 4, 4), bytes.size() - 8);
        EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(Little(bytes, 20, 2), 1u);  // PCM
        EXPECT_EQ(Little(bytes, 22, 2), 1u);  // mono
        EXPECT_EQ(Little(bytes, 24, 4), NoteSampleRate);
        EXPECT_EQ(Little(bytes, 28, 4), Little(bytes, 24, 4) * Little(bytes, 32, 2));
        EXPECT_EQ(bytes.substr(36, 4), "data");
        EXPECT_EQ(Little(bytes, 40, 4), note.dataBytes);
        EXPECT_EQ(note.dataBytes % NoteSampleRate, 0u);
    }
}

TEST(HostStoreTest, ALargeStoreWrittenOnTheHostScansAsPredicted)
{
    ScratchRoot root;
    StoreRequest request;
    request.seed = 11;
    request.emails = 3000;
    request.texts = 1000;
    request.calls = 400;
    request.speedDials = 20;
    request.notes = 2;
    const StorePlan plan = MakeStorePlan(request);
    std::string error;
    {
        auto mail = MountHostVolume(root.Path() / MailVolumeName, true, error);
        ASSERT_TRUE(mail) << error;
        ASSERT_TRUE(WriteDatabases(*mail, MailDatabases(plan, 4))) << mail->LastError();
        ASSERT_TRUE(WriteMailFiles(root.Path(), plan, error)) << error;
        auto phone = MountHostVolume(root.Path() / PhoneVolumeName, true, error);
        ASSERT_TRUE(phone) << error;
        ASSERT_TRUE(WriteDatabases(*phone, PhoneDatabases(plan))) << phone->LastError();
        ASSERT_TRUE(WriteNotes(root.Path(), plan, error)) << error;
    }
    auto mail = MountHostVolume(root.Path() / MailVolumeName, false, error);
    ASSERT_TRUE(mail) << error;
    EXPECT_EQ(ScanMail(*mail, root.Path(), 4), PredictMail(plan, 4));
    auto phone = MountHostVolume(root.Path() / PhoneVolumeName, false, error);
    ASSERT_TRUE(phone) << error;
    EXPECT_EQ(ScanPhone(*phone), PredictPhone(plan));
    EXPECT_EQ(ScanNotes(root.Path()), PredictNotes(plan));

    // Emptied the way the tool clears a store: the folders stay, nothing in them.
    const StorePlan nothing = MakeStorePlan(StoreRequest{1, 0, 0, 0, 0, 0});
    ASSERT_TRUE(ClearMailFiles(root.Path(), error)) << error;
    ASSERT_TRUE(WriteDatabases(*mail, MailDatabases(nothing, 4))) << mail->LastError();
    const MailReport cleared = ScanMail(*mail, root.Path(), 4);
    EXPECT_EQ(cleared, PredictMail(nothing, 4));
    EXPECT_EQ(cleared.folders.size(), MailFolders.size());
    EXPECT_TRUE(fs::is_empty(root.Path() / "MAPI" / "ATTACHMENTS"));
}

TEST(HostStoreTest, AMissingOrForeignVolumeIsNotMountedNorTouched)
{
    ScratchRoot root;
    std::string error;
    EXPECT_FALSE(MountHostVolume(root.Path() / MailVolumeName, false, error));
    EXPECT_FALSE(fs::exists(root.Path() / MailVolumeName));

    const fs::path foreign = root.Path() / PhoneVolumeName;
    std::string notes;
    ASSERT_TRUE(WriteWholeFile(foreign, "these are somebody's notes, not a volume", notes));
    EXPECT_FALSE(MountHostVolume(foreign, true, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(fs::file_size(foreign), 40u);
}
