// The archive browser's model over real archives written by the test
// writer: the first folder, the rows of a folder, sorting, going up and
// which members a choice stands for; and the free-space and bar rules.
#include "filemanager/ArchiveExtraction.h"
#include "filemanager/ArchiveListing.h"
#include "filemanager/ExtractionSpace.h"
#include "filemanager/FolderSort.h"
#include "filemanager/archive/Win32ArchiveFiles.h"
#include "filemanager/archive/testsupport/ZipWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::wstring>;

std::unique_ptr<Archive> ArchiveOf(const ZipWriter& writer)
{
    auto archive = std::make_unique<Archive>();
    Win32NameConverter names;
    EXPECT_TRUE(OpenArchive(*archive, std::make_unique<MemoryByteSource>(writer.Finish()), names));
    return archive;
}

// Each member's time is its DOS date, so that the order by date is the
// order of the dates given.
std::uint64_t DateOf(const ArchiveMember& member)
{
    return member.date;
}

Names Rows(const ArchiveListing& listing)
{
    Names rows;
    for (int i = 0; i < listing.RowCount(); ++i)
        rows.push_back((listing.Row(i).isFolder ? L"[" : L"") + std::wstring(listing.Row(i).leaf.Chars()) +
                       (listing.Row(i).isFolder ? L"]" : L""));
    return rows;
}

ZipEntryOptions Dated(std::uint16_t day)
{
    ZipEntryOptions options;
    options.date = static_cast<std::uint16_t>(((2025 - 1980) << 9) | (1 << 5) | day);
    return options;
}

}  // namespace

TEST(ArchiveListingTest, TheFirstFolderIsTheRootOrTheOneFolderAllMembersShare)
{
    // A member at the root: the root, with the folder that only its
    // members name shown as a folder all the same.
    ZipWriter rooted;
    rooted.AddFile("Reports/Summary.txt", "s");
    rooted.AddFile("Budget.csv", "b");
    auto archive = ArchiveOf(rooted);
    ArchiveListing atRoot(archive->members, DateOf);
    EXPECT_EQ(atRoot.TopFolder(), String(L""));
    atRoot.ShowFolder(atRoot.TopFolder());
    EXPECT_EQ(Rows(atRoot), (Names{L"[Reports]", L"Budget.csv"}));

    // Everything in one folder: that folder, named by the last member that
    // lies directly in it; Back at it closes.
    ZipWriter shared;
    shared.AddFile("Docs/Deep/x.txt", "x");
    shared.AddFile("docs/a.txt", "a");
    archive = ArchiveOf(shared);
    ArchiveListing inFolder(archive->members, DateOf);
    EXPECT_EQ(inFolder.TopFolder(), String(L"docs"));
    inFolder.ShowFolder(inFolder.TopFolder());
    EXPECT_EQ(Rows(inFolder), (Names{L"[Deep]", L"a.txt"}));
    String up;
    EXPECT_FALSE(inFolder.UpFolder(up));
    inFolder.ShowFolder(L"Docs\\Deep");
    EXPECT_EQ(Rows(inFolder), (Names{L"x.txt"}));
    ASSERT_TRUE(inFolder.UpFolder(up));
    EXPECT_EQ(up, String(L"Docs"));

    // Members in two top folders and none at the root: only the root
    // reaches both.
    ZipWriter twoTops;
    twoTops.AddFile("a/1.txt", "1");
    twoTops.AddFile("b/2.txt", "2");
    archive = ArchiveOf(twoTops);
    ArchiveListing both(archive->members, DateOf);
    EXPECT_EQ(both.TopFolder(), String(L""));
    both.ShowFolder(L"");
    EXPECT_EQ(Rows(both), (Names{L"[a]", L"[b]"}));
    both.ShowFolder(L"A");
    ASSERT_TRUE(both.UpFolder(up));
    EXPECT_EQ(up, String(L""));
}

TEST(ArchiveListingTest, FoldersComeFirstInEveryOrderAndEachKeySortsBothWays)
{
    ZipWriter writer;
    writer.AddFolder("Zeta");
    writer.AddFile("alpha.txt", std::string(300, 'a'), Dated(3));
    writer.AddFile("Beta.txt", std::string(10, 'b'), Dated(1));
    writer.AddFolder("Alpha");
    writer.AddFile("gamma.txt", std::string(70000, 'g'), Dated(2));
    writer.AddFile("Zeta/inside.txt", "i");
    auto archive = ArchiveOf(writer);
    ArchiveListing listing(archive->members, DateOf);
    listing.ShowFolder(L"");
    EXPECT_EQ(Rows(listing), (Names{L"[Alpha]", L"[Zeta]", L"alpha.txt", L"Beta.txt", L"gamma.txt"}));

    listing.SetSortState(WithDescending(0, true));
    EXPECT_EQ(Rows(listing), (Names{L"[Zeta]", L"[Alpha]", L"gamma.txt", L"Beta.txt", L"alpha.txt"}));

    listing.SetSortState(WithSortKey(0, SortKey::Size));
    const Names bySize = Rows(listing);
    EXPECT_EQ(Names(bySize.begin() + 2, bySize.end()), (Names{L"Beta.txt", L"alpha.txt", L"gamma.txt"}));

    listing.SetSortState(WithDescending(WithSortKey(0, SortKey::Date), true));
    const Names byDate = Rows(listing);
    EXPECT_EQ(byDate[0].front(), L'[');
    EXPECT_EQ(byDate[1].front(), L'[');
    EXPECT_EQ(Names(byDate.begin() + 2, byDate.end()), (Names{L"alpha.txt", L"gamma.txt", L"Beta.txt"}));

    // The sort holds when another folder is shown.
    listing.ShowFolder(L"zeta");
    EXPECT_EQ(Rows(listing), (Names{L"inside.txt"}));
}

TEST(ArchiveListingTest, AChosenFolderStandsForEverythingInsideItAndCheckCommandsFollowTheRows)
{
    ZipWriter writer;
    writer.AddFile("top.txt", "t");           // 0
    writer.AddFolder("Music");                // 1
    writer.AddFile("Music/a.mp3", "a");       // 2
    writer.AddFile("Musical.txt", "m");       // 3: shares the folder's name as a prefix only
    writer.AddFile("music/Live/b.mp3", "b");  // 4: another case, one folder deeper
    auto archive = ArchiveOf(writer);
    ArchiveListing listing(archive->members, DateOf);
    listing.ShowFolder(L"");
    ASSERT_EQ(Rows(listing), (Names{L"[Music]", L"Musical.txt", L"top.txt"}));
    const int folder[] = {0};
    EXPECT_EQ(listing.MembersOf(folder), (std::vector<int>{1, 2, 4}));
    const int files[] = {2, 1};
    EXPECT_EQ(listing.MembersOf(files), (std::vector<int>{0, 3}));

    std::vector<bool> checks{false, true, false};
    listing.ApplyCheckCommand(CheckCommand::Invert, checks);
    EXPECT_EQ(checks, (std::vector<bool>{true, false, true}));
    listing.ApplyCheckCommand(CheckCommand::Files, checks);
    EXPECT_EQ(checks, (std::vector<bool>{false, true, true}));
    listing.ApplyCheckCommand(CheckCommand::Folders, checks);
    EXPECT_EQ(checks, (std::vector<bool>{true, false, false}));
}

TEST(ExtractionSpaceTest, TheVolumeRuleAndTheStoreRuleAtTheirEdges)
{
    constexpr std::uint64_t GiB = 0x40000000;
    // A volume with 1 GiB free has room for anything; one byte less counts
    // the need and the margin of 500,000 bytes.
    EXPECT_TRUE(HasRoomFor(SpaceFigure::Volume, GiB, 3 * GiB));
    EXPECT_FALSE(HasRoomFor(SpaceFigure::Volume, GiB - 1, GiB - 500000));
    EXPECT_TRUE(HasRoomFor(SpaceFigure::Volume, GiB - 1, GiB - 500002));
    // The store knows no 1 GiB rule.
    EXPECT_FALSE(HasRoomFor(SpaceFigure::ObjectStore, GiB, GiB));
    EXPECT_TRUE(HasRoomFor(SpaceFigure::ObjectStore, 1500001, 1000000));
    EXPECT_FALSE(HasRoomFor(SpaceFigure::ObjectStore, 1500000, 1000000));
    // A need beyond what is free never wraps round into room.
    EXPECT_FALSE(HasRoomFor(SpaceFigure::ObjectStore, 100, 0xFFFFFFFFFFull));

    EXPECT_EQ(SpaceFigureFor(L"\\Storage Card\\New", L"Storage Card", L"My Documents"), SpaceFigure::Volume);
    EXPECT_EQ(SpaceFigureFor(L"\\my documents", L"Storage Card", L"My Documents"), SpaceFigure::Volume);
    EXPECT_EQ(SpaceFigureFor(L"\\Windows\\x", L"Storage Card", L"My Documents"), SpaceFigure::ObjectStore);
    EXPECT_EQ(SpaceFigureFor(L"", L"", L"My Documents"), SpaceFigure::ObjectStore);
    EXPECT_EQ(SpaceFigureFor(L"\\Storage Card2", L"Storage Card", L"My Documents"), SpaceFigure::ObjectStore);
}

TEST(ArchiveProgressTest, TheBarDividesLargeFiguresAndNeverPassesItsEnd)
{
    EXPECT_EQ(ProgressPercent(512, 1024), 50);
    EXPECT_EQ(ProgressPercent(1025, 2050), 50);
    // Four gibibytes of eight: the product would not fit 32 bits undivided.
    EXPECT_EQ(ProgressPercent(4ull << 30, 8ull << 30), 50);
    // Only when both are large: a small done against a large total stays exact.
    EXPECT_EQ(ProgressPercent(1000, 2000000), 0);
    EXPECT_EQ(ProgressPercent(3000, 2000), 100);
    EXPECT_EQ(ProgressPercent(0, 0), 100);
}
