// The member list: the end record found behind comments and stubs, the
// central directory read field by field, and archives that lie about where
// their directory is or how many entries it holds.
#include "filemanager/archive/tests/ArchiveTestSupport.h"
#include "filemanager/archive/testsupport/ZipWriter.h"
#include "filemanager/archive/ZipFormat.h"

#include <gtest/gtest.h>

namespace {

std::string TwoMembers(const std::string& comment = {}, const std::string& stub = {}, ZipLayout* layout = nullptr)
{
    ZipWriter writer;
    writer.AddFolder("docs");
    writer.AddFile("docs/a.txt", "alpha alpha alpha");
    writer.SetComment(comment);
    writer.SetStub(stub);
    return writer.Finish(layout);
}

void Patch32(std::string& bytes, std::uint64_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

void Patch16(std::string& bytes, std::uint64_t at, std::uint16_t value)
{
    bytes[at] = static_cast<char>(value);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

TEST(ArchiveReader, FindsTheEndRecordBehindCommentsOfEveryLength)
{
    // Lengths around the 32 KiB chunks' seams (a signature cut by a seam is
    // found through the overlap) and the longest comment the format allows,
    // with a stub that puts the record at the very start of the search.
    for (const std::size_t length : {0u, 1u, 32744u, 32745u, 32746u, 32747u, 32748u, 32749u, 65534u, 65535u}) {
        for (const std::string stub : {std::string(), std::string(100, 'S')}) {
            SCOPED_TRACE(length);
            Archive archive;
            ASSERT_TRUE(OpenBytes(archive, TwoMembers(std::string(length, 'c'), stub)));
            ASSERT_EQ(archive.members.size(), 2u);
            EXPECT_EQ(archive.offsetAdjustment, stub.size());
            EXPECT_EQ(archive.members[1].name, L"docs\\a.txt");
        }
    }
}

TEST(ArchiveReader, SmallFilesAndFilesWithoutEndRecordHaveNoMembers)
{
    const std::string empty = ZipWriter().Finish();
    ASSERT_EQ(empty.size(), 22u);
    Archive archive;
    EXPECT_TRUE(OpenBytes(archive, empty));
    EXPECT_TRUE(archive.members.empty());
    EXPECT_TRUE(archive.file);

    for (std::size_t size = 0; size <= 21; ++size) {
        EXPECT_FALSE(OpenBytes(archive, empty.substr(0, size))) << size;
        EXPECT_FALSE(archive.file);
    }
    // Everything but the last bytes of a real archive: its end record is cut.
    const std::string whole = TwoMembers();
    EXPECT_FALSE(OpenBytes(archive, whole.substr(0, whole.size() - 5)));
    EXPECT_FALSE(OpenBytes(archive, std::string(100000, 'x')));
    EXPECT_TRUE(archive.members.empty());
}

TEST(ArchiveReader, ReadsEveryFieldOfTheEntries)
{
    ZipWriter writer;
    ZipEntryOptions options;
    options.deflate = false;
    options.password = "pw";
    options.dataDescriptor = true;
    options.time = (23 << 11) | (59 << 5) | 29;
    options.date = ((1999 - 1980) << 9) | (7 << 5) | 31;
    writer.AddFile("first", "one");
    writer.AddFile("dir/second.bin", "two two", options);
    ZipLayout layout;
    const std::string bytes = writer.Finish(&layout);

    Archive archive;
    ASSERT_TRUE(OpenBytes(archive, bytes));
    ASSERT_EQ(archive.members.size(), 2u);
    const ArchiveMember& m = archive.members[1];
    EXPECT_EQ(m.name, L"dir\\second.bin");
    EXPECT_EQ(m.versionMadeBy, 20);
    EXPECT_EQ(m.versionNeeded, 20);
    EXPECT_EQ(m.flags, MemberFlagEncrypted | MemberFlagDataDescriptor);
    EXPECT_EQ(m.method, 0);
    EXPECT_EQ(m.time, options.time);
    EXPECT_EQ(m.date, options.date);
    EXPECT_EQ(m.crc, Crc32Of("two two"));
    EXPECT_EQ(m.compressedSize, 7u + 12u);
    EXPECT_EQ(m.uncompressedSize, 7u);
    EXPECT_EQ(m.nameLength, 14);
    EXPECT_EQ(m.localHeaderOffset, layout.localHeaders[1]);
    EXPECT_TRUE(IsEncrypted(m));
    EXPECT_FALSE(IsFolder(m));
    EXPECT_EQ(FolderPart(m), L"dir");
    EXPECT_EQ(LeafName(m), L"second.bin");
    EXPECT_EQ(MemberFileTime(m, UtcSeconds), 125779391980000000u);                   // 1999-07-31 23:59:58
    EXPECT_EQ(MemberFileTime(archive.members[0], UtcSeconds), 134412048000000000u);  // 2026-12-08 12:00
}

TEST(ArchiveReader, FolderEntriesAndNamesOutsideTheCodePage)
{
    ZipWriter writer;
    writer.AddFolder("top/inner");
    writer.AddFile("top/inner/caf\xE9.txt", "x");
    writer.AddFile("plain", "y");
    Archive archive;
    ASSERT_TRUE(OpenBytes(archive, writer.Finish()));
    ASSERT_EQ(archive.members.size(), 3u);
    const ArchiveMember& folder = archive.members[0];
    EXPECT_EQ(folder.name, L"top\\inner\\");
    EXPECT_TRUE(IsFolder(folder));
    EXPECT_EQ(FolderPart(folder), L"top");
    EXPECT_EQ(LeafName(folder), L"inner");
    // Not code page 950 here: the ANSI fallback keeps the byte.
    EXPECT_EQ(archive.members[1].name, L"top\\inner\\caf\u00E9.txt");
    EXPECT_EQ(FolderPart(archive.members[2]), L"");
    EXPECT_EQ(LeafName(archive.members[2]), L"plain");
}

TEST(ArchiveReader, DirectoriesThatLieGiveWhatTheFileReallyHolds)
{
    ZipLayout layout;
    const std::string good = TwoMembers({}, {}, &layout);
    const std::uint64_t end = layout.endRecord;
    Archive archive;

    std::string bytes = good;  // a directory beyond the end of the file
    Patch32(bytes, end + 16, 0x7FFFFFF0);
    EXPECT_TRUE(OpenBytes(archive, bytes));
    EXPECT_TRUE(archive.members.empty());

    bytes = good;  // a directory larger than what lies before the end record
    Patch32(bytes, end + 12, 0xFFFFFFFF);
    EXPECT_TRUE(OpenBytes(archive, bytes));
    EXPECT_TRUE(archive.members.empty());

    bytes = good;  // no directory at all
    Patch32(bytes, end + 12, 0);
    EXPECT_TRUE(OpenBytes(archive, bytes));
    EXPECT_TRUE(archive.members.empty());

    bytes = good;  // more entries claimed than there are
    Patch16(bytes, end + 10, 0xFFFF);
    EXPECT_TRUE(OpenBytes(archive, bytes));
    EXPECT_EQ(archive.members.size(), 2u);

    bytes = good;  // fewer claimed: only those are read
    Patch16(bytes, end + 10, 1);
    EXPECT_TRUE(OpenBytes(archive, bytes));
    EXPECT_EQ(archive.members.size(), 1u);

    bytes = good;  // a name running past the directory's end
    Patch16(bytes, layout.centralDirectory + 46 + 5 + 28, 0xFFFF);
    EXPECT_TRUE(OpenBytes(archive, bytes));
    EXPECT_EQ(archive.members.size(), 1u);
}

TEST(ArchiveReader, AMultiDiskArchiveIsReadWithoutAdjustment)
{
    ZipLayout layout;
    std::string bytes = TwoMembers({}, std::string(10, 'S'), &layout);
    Patch16(bytes, layout.endRecord + 4, 1);
    Archive archive;
    ASSERT_TRUE(OpenBytes(archive, bytes));
    EXPECT_EQ(archive.errorState, ArchiveErrorMultiDisk);
    EXPECT_EQ(archive.offsetAdjustment, 0u);
    // The directory is looked for 10 bytes early, where no entry starts.
    EXPECT_TRUE(archive.members.empty());

    bytes = TwoMembers({}, {}, &layout);
    Patch16(bytes, layout.endRecord + 4, 3);
    ASSERT_TRUE(OpenBytes(archive, bytes));
    EXPECT_EQ(archive.errorState, ArchiveErrorMultiDisk);
    EXPECT_EQ(archive.members.size(), 2u);
}

}  // namespace
