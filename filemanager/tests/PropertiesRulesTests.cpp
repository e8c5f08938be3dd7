// What the properties dialogs change and show, without the dialogs: the
// attributes written and the list that follows them, a folder's totals, an
// archive member's summary and compression, and shortcuts with their names.
#include "DeviceRootFixture.h"

#include "filemanager/ArchiveListing.h"
#include "filemanager/ItemProperties.h"
#include "filemanager/MemberProperties.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/ShortcutNames.h"
#include "filemanager/archive/ArchiveMember.h"
#include "framework/testsupport/StringPrinting.h"

#include "platform/shellexec/ShellShortcuts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class PropertiesRules : public DeviceRootFixture {
protected:
    static DWORD AttributesOf(const wchar_t* handsetPath) { return GetFileAttributesW(ToFileSystemPath(handsetPath)); }

    int IndexOf(const wchar_t* name) const
    {
        for (int index = 0; index < m_list.ItemCount(); ++index)
            if (m_list.Item(index).name == name)
                return index;
        return -1;
    }

    FolderList m_list;
};

ArchiveMember Member(const wchar_t* name, std::uint32_t size, std::uint32_t packed)
{
    ArchiveMember member;
    member.name = name;
    member.uncompressedSize = size;
    member.compressedSize = packed;
    if (member.name.back() == L'\\')
        member.externalAttributes = MemberAttributeFolder;
    return member;
}

}  // namespace

TEST_F(PropertiesRules, OnlyTheThreeEditableAttributesAreWritten)
{
    MakeFile(L"\\notes.txt", 5);
    ASSERT_TRUE(SetFileAttributesW(ToFileSystemPath(L"\\notes.txt"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
    const DWORD before = AttributesOf(L"\\notes.txt");

    EXPECT_EQ(WriteEditableAttributes(L"\\notes.txt", before, before | FILE_ATTRIBUTE_DIRECTORY),
              AttributeChange::None);
    // Read-only cleared, archive set; the system bit the user cannot change stays.
    EXPECT_EQ(WriteEditableAttributes(L"\\notes.txt", before, FILE_ATTRIBUTE_ARCHIVE), AttributeChange::Written);
    const DWORD after = AttributesOf(L"\\notes.txt");
    EXPECT_FALSE(after & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(after & FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_TRUE(after & FILE_ATTRIBUTE_SYSTEM);
    // No longer read-only: it can be deleted.
    EXPECT_TRUE(DeleteFileW(ToFileSystemPath(L"\\notes.txt")));
    EXPECT_EQ(WriteEditableAttributes(L"\\notes.txt", after, FILE_ATTRIBUTE_HIDDEN), AttributeChange::Failed);
}

TEST_F(PropertiesRules, AFileMadeHiddenLeavesAListThatHidesHiddenFiles)
{
    MakeFolder(L"\\Work\\Old");
    MakeFile(L"\\Work\\a.txt");
    MakeFile(L"\\Work\\b.txt");
    m_list.SetPreferences(PreferenceListFolders | PreferenceHideHidden);
    m_list.ReadFolder(L"\\Work", L"b.txt");
    m_list.EnsureSorted();
    const int files = m_list.FileCount();

    ASSERT_EQ(WriteEditableAttributes(L"\\Work\\b.txt", AttributesOf(L"\\Work\\b.txt"), FILE_ATTRIBUTE_HIDDEN),
              AttributeChange::Written);
    EXPECT_TRUE(m_list.UpdateSelectedAttributes(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(IndexOf(L"b.txt"), -1);
    EXPECT_EQ(m_list.FileCount(), files - 1);
    // The row before it is selected instead.
    ASSERT_EQ(m_list.SelectedCount(), 1);
    EXPECT_EQ(m_list.SelectedItem()->name, String(L"a.txt"));

    // A read-only file stays, and so does a hidden folder: folders are listed
    // hidden or not.
    EXPECT_FALSE(m_list.UpdateSelectedAttributes(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(m_list.SelectedItem()->attributes & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    m_list.SelectOnly(IndexOf(L"Old"));
    EXPECT_FALSE(m_list.UpdateSelectedAttributes(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_NE(IndexOf(L"Old"), -1);

    // With hidden files shown a hidden file stays listed.
    m_list.SetPreferences(PreferenceListFolders);
    m_list.ReadFolder(L"\\Work", L"a.txt");
    m_list.EnsureSorted();
    EXPECT_FALSE(m_list.UpdateSelectedAttributes(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_NE(IndexOf(L"a.txt"), -1);
}

TEST_F(PropertiesRules, FolderTotalsCountEverythingBelowAndStopWhenAsked)
{
    MakeFolder(L"\\Work\\Old\\Older");
    MakeFile(L"\\Work\\a.txt", 10);
    MakeFile(L"\\Work\\Old\\b.txt", 20);
    MakeFile(L"\\Work\\Old\\Older\\c.txt", 30);
    std::atomic<bool> stop{false};
    FolderTotals last;
    int reports = 0;
    EXPECT_TRUE(TotalFolder(L"\\Work", stop, [&](const FolderTotals& totals) {
        last = totals;
        ++reports;
    }));
    EXPECT_EQ(last.folders, 2);
    EXPECT_EQ(last.files, 3);
    EXPECT_EQ(last.bytes, 60u);
    EXPECT_GE(reports, 5);  // two folders, three files, the end

    // The root holds it all.
    EXPECT_TRUE(TotalFolder(L"", stop, [&](const FolderTotals& totals) { last = totals; }));
    EXPECT_EQ(last.folders, 3);

    stop.store(true);
    EXPECT_FALSE(TotalFolder(L"\\Work", stop, [](const FolderTotals&) {}));

    EXPECT_TRUE(ReportsAfterFile(56));
    EXPECT_FALSE(ReportsAfterFile(58));
    EXPECT_TRUE(ReportsAfterFile(114));
}

TEST(MemberProperties, CompressionText)
{
    EXPECT_EQ(CompressionText(0, 0), String(L"0 %"));
    EXPECT_EQ(CompressionText(100, 100), String(L"0 %"));
    EXPECT_EQ(CompressionText(625, 1000), String(L"37.50 %"));
    EXPECT_EQ(CompressionText(50, 100), String(L"50 %"));
    EXPECT_EQ(CompressionText(1, 3), String(L"66.67 %"));
    // 49.9995 prints as 50.00: the whole number it rounds to.
    EXPECT_EQ(CompressionText(500005, 1000000), String(L"50 %"));
    // Stored with a header, larger than the original.
    EXPECT_EQ(CompressionText(110, 100), String(L"-10 %"));
    EXPECT_EQ(CompressionText(1000001, 1000000), String(L"0 %"));
}

TEST(MemberProperties, AFolderSumsWhatLiesInsideItAtAnyDepth)
{
    const std::vector<ArchiveMember> members = {
        Member(L"Docs\\", 0, 0),
        Member(L"Docs\\a.txt", 100, 40),
        Member(L"Docs\\Sub\\b.txt", 50, 50),
        Member(L"Docs\\Sub\\Deep\\", 0, 0),
        Member(L"top.txt", 7, 7),
    };
    ArchiveListing listing(members, nullptr);
    listing.ShowFolder(L"");
    int docs = -1, top = -1;
    for (int row = 0; row < listing.RowCount(); ++row) {
        if (listing.Row(row).leaf == L"Docs")
            docs = row;
        if (listing.Row(row).leaf == L"top.txt")
            top = row;
    }
    ASSERT_GE(docs, 0);
    const MemberSummary folder = SummarizeRow(listing, members, docs);
    EXPECT_TRUE(folder.isFolder);
    EXPECT_EQ(folder.folders, 2);  // Sub, named by its member only, and Deep
    EXPECT_EQ(folder.files, 2);
    EXPECT_EQ(folder.uncompressed, 150u);
    EXPECT_EQ(folder.compressed, 90u);

    const MemberSummary file = SummarizeRow(listing, members, top);
    EXPECT_FALSE(file.isFolder);
    EXPECT_EQ(file.folder, String());
    EXPECT_EQ(file.uncompressed, 7u);

    listing.ShowFolder(L"Docs");
    ASSERT_GT(listing.RowCount(), 0);
    EXPECT_EQ(SummarizeRow(listing, members, 0).folder, String(L"Docs"));
}

TEST_F(PropertiesRules, ASecondShortcutToTheSameFileIsNumbered)
{
    MakeFolder(L"\\My Documents");
    MakeFolder(L"\\Links");
    MakeFile(L"\\My Documents\\Read me.txt", 3);
    const MadeShortcut first = MakeShortcut(L"\\Links", L"\\My Documents\\Read me.txt");
    const MadeShortcut second = MakeShortcut(L"\\Links", L"\\My Documents\\Read me.txt");
    const MadeShortcut third = MakeShortcut(L"\\Links", L"\\My Documents\\Read me.txt");
    EXPECT_EQ(first.outcome, ShortcutOutcome::Created);
    EXPECT_EQ(first.name, String(L"Read me.lnk"));
    EXPECT_EQ(second.name, String(L"Read me(2).lnk"));
    EXPECT_EQ(third.name, String(L"Read me(3).lnk"));

    std::wstring shortcut = L"\\Links\\Read me(2).lnk";
    wchar_t target[MAX_PATH];
    ASSERT_TRUE(handset::SHGetShortcutTarget(shortcut.data(), target, MAX_PATH));
    EXPECT_STREQ(target, L"\\My Documents\\Read me.txt");

    EXPECT_EQ(ShortcutBaseName(L"archive.tar.gz"), String(L"archive.tar"));
    EXPECT_EQ(ShortcutBaseName(L"README"), String(L"README"));

    // A folder that is not there ends the attempts at once instead of
    // numbering on.
    EXPECT_EQ(MakeShortcut(L"\\Gone", L"\\My Documents\\Read me.txt").outcome, ShortcutOutcome::Failed);
    // A name that would be too long is refused.
    const String longName = String(L'n', 250) + L".txt";
    EXPECT_EQ(MakeShortcut(L"\\Links", JoinPath(L"\\My Documents", longName)).outcome, ShortcutOutcome::NameTooLong);
}
