// The archive engine on the device's files: an archive read from a file with
// the handset's code pages, members written where they belong, and nothing
// left behind by a member that was cancelled, damaged or lost its archive.
#include "filemanager/DeviceFiles.h"
#include "filemanager/archive/Extraction.h"
#include "filemanager/archive/Win32ArchiveFiles.h"
#include "filemanager/archive/testsupport/ZipWriter.h"
#include "framework/testsupport/TempDevice.h"
#include "framework/testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace {

class ArchiveFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_rootVariable.emplace(L"VELLUMATE_ROOT", m_root.Path().c_str());
        ASSERT_TRUE(m_rootVariable->Set());
        std::filesystem::create_directories(m_root / L"My Documents");
    }
    void TearDown() override { m_rootVariable.reset(); }

    // Writes the archive as "\My Documents\NAME" and opens it.
    void Open(const std::string& bytes, const wchar_t* name = L"test.zip")
    {
        m_root.Write(std::wstring(L"My Documents\\") + name, bytes);
        ASSERT_TRUE(OpenArchiveFile(m_archive, std::wstring(L"\\My Documents\\") + name));
    }

    std::string Contents(const std::wstring& below) const
    {
        std::ifstream in(m_root / below, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }

    // Every file and folder below the root, as relative paths.
    std::vector<std::wstring> Tree(const std::wstring& below) const
    {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_root / below))
            names.push_back(std::filesystem::relative(entry.path(), m_root / below).wstring());
        std::sort(names.begin(), names.end());
        return names;
    }

    vellumate::TempFolder m_root;
    Archive m_archive;
    Win32OutputSink m_sink;

private:
    std::optional<vellumate::ScopedVariable> m_rootVariable;
};

std::string Text(std::size_t size)
{
    std::string text;
    for (unsigned i = 0; text.size() < size; ++i)
        text += "line " + std::to_string(i * 7919 % 10007) + "\r\n";
    text.resize(size);
    return text;
}

TEST_F(ArchiveFileTest, ExtractsAFileArchiveIntoTheDeviceFolders)
{
    ZipWriter writer;
    writer.AddFolder("Trip");
    writer.AddFile("Trip/Plan.txt", Text(400000));
    writer.AddFile("\xA4\xA4\xA4\xE5.txt", "big5");  // two Chinese characters in code page 950
    writer.AddFile("caf\xE9.txt", "latin");          // no 950 (a lead byte before "."): the ANSI reading
    ZipEntryOptions secret;
    secret.password = "pw";
    writer.AddFile("Trip/Secret.txt", "hidden", secret);
    Open(writer.Finish());
    ASSERT_EQ(m_archive.members.size(), 5u);
    EXPECT_EQ(m_archive.path, L"\\My Documents\\test.zip");
    EXPECT_EQ(m_archive.members[2].name, L"\u4E2D\u6587.txt");
    EXPECT_EQ(m_archive.members[3].name, L"caf\u00E9.txt");

    m_root.Write(L"Out\\Trip\\Plan.txt", "an older plan");
    m_archive.password = L"pw";
    ASSERT_EQ(ExtractMembers(m_archive, L"\\Out", AllMembers, m_sink), ExtractResult::Success);
    EXPECT_EQ(Contents(L"Out\\Trip\\Plan.txt"), Text(400000));
    EXPECT_EQ(Contents(L"Out\\Trip\\Secret.txt"), "hidden");
    EXPECT_EQ(Contents(L"Out\\\u4E2D\u6587.txt"), "big5");
    EXPECT_EQ(Tree(L"Out").size(), 5u);  // no temporary file left beside them
    EXPECT_TRUE(m_sink.Exists(L"\\Out\\Trip"));
    EXPECT_EQ(TestMembers(m_archive, AllMembers), ExtractResult::Success);

    // The DOS time 2026-12-08 12:00 as local time, back as the same local time.
    const FILETIME written = MemberFileTime(m_archive.members[1]);
    FILETIME local{};
    SYSTEMTIME parts{};
    ASSERT_TRUE(FileTimeToLocalFileTime(&written, &local) && FileTimeToSystemTime(&local, &parts));
    EXPECT_EQ(parts.wYear, 2026);
    EXPECT_EQ(parts.wMonth, 12);
    EXPECT_EQ(parts.wDay, 8);
}

TEST_F(ArchiveFileTest, FailedMembersLeaveNothingUnderTheirNames)
{
    ZipWriter writer;
    writer.AddFile("big.txt", Text(3000000));
    ZipEntryOptions wrongCrc;
    wrongCrc.recordedCrc = 1;
    writer.AddFile("damaged.txt", Text(1000), wrongCrc);
    Open(writer.Finish());

    int rounds = 0;
    m_archive.progress = [&](std::uint32_t) {
        if (++rounds == 3)
            m_archive.cancel = true;
    };
    EXPECT_EQ(ExtractMembers(m_archive, L"\\Out", 0, m_sink), ExtractResult::Cancelled);
    EXPECT_TRUE(Tree(L"Out").empty());
    m_archive.cancel = false;
    m_archive.progress = nullptr;

    m_root.Write(L"Out\\damaged.txt", "kept");
    EXPECT_EQ(ExtractMembers(m_archive, L"\\Out", 1, m_sink), ExtractResult::CorruptData);
    EXPECT_EQ(Tree(L"Out"), std::vector<std::wstring>{L"damaged.txt"});
    EXPECT_EQ(Contents(L"Out\\damaged.txt"), "kept");

    // The archive goes away (a card taken out) during a member.
    rounds = 0;
    m_archive.progress = [&](std::uint32_t) {
        if (++rounds == 2)
            MoveFileW(ToFileSystemPath(L"\\My Documents\\test.zip"), ToFileSystemPath(L"\\My Documents\\gone.zip"));
    };
    EXPECT_EQ(ExtractMembers(m_archive, L"\\Out", 0, m_sink), ExtractResult::Vanished);
    EXPECT_EQ(Tree(L"Out"), std::vector<std::wstring>{L"damaged.txt"});
}

TEST_F(ArchiveFileTest, ArchivesThatCannotBeOpened)
{
    Archive archive;
    EXPECT_FALSE(OpenArchiveFile(archive, L"\\My Documents\\missing.zip"));
    EXPECT_FALSE(archive.file);
    m_root.Write(L"My Documents\\text.zip", "not an archive at all, only some text");
    EXPECT_FALSE(OpenArchiveFile(archive, L"\\My Documents\\text.zip"));
    EXPECT_EQ(ExtractMembers(archive, L"\\Out", AllMembers, m_sink), ExtractResult::Vanished);
}

}  // namespace
