// The rules around copying and deleting that need no engine: where a copy
// may go, how duplicates are named, and deleting a path with everything in
// it.
#include "DeviceRootFixture.h"

#include "filemanager/DeleteTree.h"
#include "filemanager/DestinationChecks.h"
#include "filemanager/DuplicateNames.h"

#include "platform/Handles.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Problem = DestinationProblem;

class DestinationChecksTest : public DeviceRootFixture {
protected:
    void SetUp() override
    {
        DeviceRootFixture::SetUp();
        MakeFolder(L"\\Work\\Old\\Older");
        MakeFolder(L"\\Workshop");
    }
};

TEST_F(DestinationChecksTest, ListPaneRefusesTheFolderItselfItsInsideAndAMoveHome)
{
    const std::vector<String> work{L"Work"};
    EXPECT_EQ(CheckListDestination(L"", work, L"\\Gone", false), Problem::Missing);
    EXPECT_EQ(CheckListDestination(L"", work, L"\\work", false), Problem::SameAsSource);
    EXPECT_EQ(CheckListDestination(L"", work, L"\\WORK\\old\\Older", true), Problem::InsideSource);
    // A name that merely starts like the folder is another folder.
    EXPECT_EQ(CheckListDestination(L"", work, L"\\Workshop", true), Problem::None);
    // Files only: the folders' checks have nothing to find; a copy home is a
    // duplicate, a move home is refused.
    EXPECT_EQ(CheckListDestination(L"\\Work", {}, L"\\Work", false), Problem::None);
    EXPECT_EQ(CheckListDestination(L"\\Work", {}, L"\\work", true), Problem::AlreadyThere);
    EXPECT_EQ(CheckListDestination(L"\\Work", {L"Old"}, L"", true), Problem::None);
    EXPECT_NE(MessageOf(Problem::InsideSource), MessageOf(Problem::SameAsSource));
    EXPECT_EQ(MessageOf(Problem::None), 0u);
}

TEST_F(DestinationChecksTest, TreePaneChecksItsCurrentFolder)
{
    EXPECT_EQ(CheckTreeDestination(L"\\Work\\Old", L"\\Work\\Old", false), Problem::SameAsSource);
    EXPECT_EQ(CheckTreeDestination(L"\\Work\\Old", L"\\Work\\Old\\Older", false), Problem::InsideSource);
    EXPECT_EQ(CheckTreeDestination(L"\\Work\\Old", L"\\work", true), Problem::AlreadyThere);
    EXPECT_EQ(CheckTreeDestination(L"\\Work\\Old", L"\\Work", false), Problem::None);
    EXPECT_EQ(CheckTreeDestination(L"\\Work", L"", true), Problem::AlreadyThere);
    EXPECT_EQ(CheckTreeDestination(L"\\Work\\Old", L"", true), Problem::None);
    EXPECT_EQ(CheckTreeDestination(L"\\Work\\Old", L"\\Nowhere", false), Problem::Missing);
}

TEST(DuplicateNames, FirstPrefixThenNumbersFromTwo)
{
    std::set<std::wstring> taken;
    auto isTaken = [&](const String& name) { return taken.count(name.Chars()) > 0; };
    EXPECT_EQ(DuplicateName(L"a.txt", L"Copy of ", L"Copy (%d) of ", isTaken), L"Copy of a.txt");
    taken.insert(L"Copy of a.txt");
    EXPECT_EQ(DuplicateName(L"a.txt", L"Copy of ", L"Copy (%d) of ", isTaken), L"Copy (2) of a.txt");
    taken.insert(L"Copy (2) of a.txt");
    taken.insert(L"Copy (3) of a.txt");
    EXPECT_EQ(DuplicateName(L"a.txt", L"Copy of ", L"Copy (%d) of ", isTaken), L"Copy (4) of a.txt");
    // A name with a per cent sign is never taken for a format.
    EXPECT_EQ(DuplicateName(L"100%s.txt", L"Copy of ", L"Copy (%d) of ", isTaken), L"Copy of 100%s.txt");
}

class DeleteEntryTest : public DeviceRootFixture {};

TEST_F(DeleteEntryTest, DeletesReadOnlyFilesAndWholeFolders)
{
    MakeFile(L"\\locked.txt", 3);
    SetAttributes(L"\\locked.txt", FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(DeleteEntry(L"\\locked.txt"));
    EXPECT_FALSE(EntryExists(L"\\locked.txt"));

    MakeFolder(L"\\Box\\Inner");
    MakeFile(L"\\Box\\a.txt");
    MakeFile(L"\\Box\\Inner\\b.txt");
    SetAttributes(L"\\Box\\Inner\\b.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(DeleteEntry(L"\\Box"));
    EXPECT_FALSE(EntryExists(L"\\Box"));
}

TEST_F(DeleteEntryTest, TheFirstFailureEndsItAndKeepsTheReadOnlyAttribute)
{
    MakeFolder(L"\\Box");
    MakeFile(L"\\Box\\held.txt");
    SetAttributes(L"\\Box\\held.txt", FILE_ATTRIBUTE_READONLY);
    const String real = ToLongFileSystemPath(L"\\Box\\held.txt");
    {
        vellumate::FileHandle held(
            CreateFileW(real, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        const std::optional<DeleteFailure> failure = DeleteEntry(L"\\Box");
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->path, L"\\Box\\held.txt");
        EXPECT_FALSE(failure->isFolder);
    }
    EXPECT_TRUE(EntryExists(L"\\Box"));
    EXPECT_TRUE(GetFileAttributesW(real) & FILE_ATTRIBUTE_READONLY);

    const std::optional<DeleteFailure> gone = DeleteEntry(L"\\Nothing");
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->path, L"\\Nothing");
    // The root is never deleted.
    EXPECT_TRUE(DeleteEntry(L"\\"));
    EXPECT_TRUE(EntryExists(L"\\Box"));
}

}  // namespace
