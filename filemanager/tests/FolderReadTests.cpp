// Reading a folder into the list: the parent row, the filters, the counts,
// the selection by name, names the file system allows, and folders that are
// missing or vanish.
#include "DeviceRootFixture.h"

#include "filemanager/FolderFilter.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::wstring>;

class FolderRead : public DeviceRootFixture {
protected:
    void SetUp() override
    {
        DeviceRootFixture::SetUp();
        MakeFolder(L"\\Docs\\Sub");
        MakeFolder(L"\\Docs\\Notes");
        MakeFile(L"\\Docs\\letter.txt", 5000);
        MakeFile(L"\\Docs\\hidden.txt");
        SetAttributes(L"\\Docs\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
        MakeFile(L"\\Docs\\system.dat");
        SetAttributes(L"\\Docs\\system.dat", FILE_ATTRIBUTE_SYSTEM);
        MakeFile(L"\\Docs\\kept.txt");
        SetAttributes(L"\\Docs\\kept.txt", FILE_ATTRIBUTE_READONLY);
    }

    // The listed names in a stable order (the file system's order is its own).
    static Names SortedNames(const FolderList& list)
    {
        Names names = ListedNames(list);
        std::sort(names.begin(), names.end());
        return names;
    }

    FolderList m_list;
};

TEST_F(FolderRead, AFolderStartsWithTheParentRowAndHidesHiddenAndSystemFiles)
{
    m_list.ReadFolder(L"\\Docs", nullptr);

    ASSERT_GE(m_list.ItemCount(), 1);
    const FolderItem& parent = m_list.Item(0);
    EXPECT_TRUE(parent.IsParentRow());
    EXPECT_EQ(parent.attributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(parent.Size(), 0u);
    EXPECT_EQ(parent.selected, 0);
    EXPECT_TRUE(m_list.HasParentRow());

    EXPECT_EQ(SortedNames(m_list), (Names{L"..", L"Notes", L"Sub", L"kept.txt", L"letter.txt"}));
    EXPECT_EQ(m_list.FolderCount(), 2);
    EXPECT_EQ(m_list.FileCount(), 2);
    EXPECT_EQ(m_list.SelectedCount(), 0);
    EXPECT_FALSE(m_list.IsSorted());
    EXPECT_FALSE(m_list.IsListing());
    EXPECT_EQ(std::wstring(m_list.CurrentPath().Chars()), L"\\Docs");
}

TEST_F(FolderRead, ItemsCarryTheEnumeratedData)
{
    m_list.ReadFolder(L"\\Docs\\", nullptr);  // a trailing separator names the same folder
    EXPECT_EQ(std::wstring(m_list.CurrentPath().Chars()), L"\\Docs");

    for (int i = 0; i < m_list.ItemCount(); ++i) {
        const FolderItem& item = m_list.Item(i);
        EXPECT_EQ(item.iconIndex, -1);
        EXPECT_TRUE(item.typeName.IsEmpty());
        EXPECT_TRUE(item.sizeText.IsEmpty());
        if (item.name == L"letter.txt") {
            EXPECT_EQ(item.sizeLow, 5000u);
            EXPECT_EQ(item.sizeHigh, 0u);
            EXPECT_NE(item.lastWriteTime.dwHighDateTime, 0u);
            EXPECT_EQ(std::wstring(m_list.SizeText(i).Chars()), L"4.88K");
            EXPECT_EQ(std::wstring(m_list.Item(i).sizeText.Chars()), L"4.88K");  // kept in the item
            EXPECT_EQ(std::wstring(m_list.FullPath(i).Chars()), L"\\Docs\\letter.txt");
        }
        if (item.name == L"kept.txt") {
            EXPECT_TRUE(item.attributes & FILE_ATTRIBUTE_READONLY);
        }
        if (item.name == L"Sub") {
            EXPECT_TRUE(m_list.SizeText(i).IsEmpty());
        }
    }
}

TEST_F(FolderRead, PreferencesDecideWhatIsListedButFoldersAreAlwaysCounted)
{
    m_list.SetPreferences(DefaultPreferences & ~(PreferenceHideHidden | PreferenceHideSystem | PreferenceListFolders));
    m_list.ReadFolder(L"\\Docs", nullptr);

    EXPECT_EQ(SortedNames(m_list), (Names{L"..", L"hidden.txt", L"kept.txt", L"letter.txt", L"system.dat"}));
    EXPECT_EQ(m_list.FolderCount(), 2);
    EXPECT_EQ(m_list.FileCount(), 4);  // the files themselves, whatever the hidden folders
}

TEST(FolderFilter, EachAttributeHasItsOwnFilter)
{
    auto entry = [](DWORD attributes) {
        WIN32_FIND_DATAW data{};
        data.dwFileAttributes = attributes;
        return data;
    };
    const DWORD all = DefaultPreferences;
    const DWORD none = all & ~(PreferenceHideHidden | PreferenceHideSystem | PreferenceHideRom);

    EXPECT_TRUE(IsListedEntry(entry(FILE_ATTRIBUTE_NORMAL), all));
    EXPECT_TRUE(IsListedEntry(entry(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE), all));
    EXPECT_FALSE(IsListedEntry(entry(FileAttributeInRom), all));
    EXPECT_TRUE(IsListedEntry(entry(FileAttributeInRom), all & ~PreferenceHideRom));

    // A hidden file in ROM needs both of its filters off.
    const DWORD hiddenRom = FILE_ATTRIBUTE_HIDDEN | FileAttributeInRom;
    EXPECT_FALSE(IsListedEntry(entry(hiddenRom), all & ~PreferenceHideHidden));
    EXPECT_FALSE(IsListedEntry(entry(hiddenRom), all & ~PreferenceHideRom));
    EXPECT_TRUE(IsListedEntry(entry(hiddenRom), none));
    EXPECT_TRUE(IsListedEntry(entry(hiddenRom), none | PreferenceHideSystem));

    // Folders follow the folder preference only, hidden or not.
    EXPECT_TRUE(IsListedEntry(entry(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN), all));
    EXPECT_FALSE(IsListedEntry(entry(FILE_ATTRIBUTE_DIRECTORY), all & ~PreferenceListFolders));

    EXPECT_TRUE(IsDotEntry(L"."));
    EXPECT_TRUE(IsDotEntry(L".."));
    EXPECT_FALSE(IsDotEntry(L"..."));
    EXPECT_FALSE(IsDotEntry(L".profile"));
}

TEST_F(FolderRead, TheNameToSelectMatchesExactly)
{
    m_list.ReadFolder(L"\\Docs", L"Notes");
    EXPECT_EQ(SelectedNames(m_list), (Names{L"Notes"}));
    EXPECT_EQ(m_list.Item(m_list.SingleSelectedIndex()).selected, 1);

    m_list.ReadFolder(L"\\Docs", L"notes");
    EXPECT_EQ(m_list.SelectedCount(), 0);
    m_list.ReadFolder(L"\\Docs", L"");
    EXPECT_EQ(m_list.SelectedCount(), 0);
}

TEST_F(FolderRead, TheRootHasNoParentRow)
{
    MakeFile(L"\\root.txt");
    m_list.ReadFolder(L"", nullptr);

    EXPECT_TRUE(m_list.IsRoot());
    EXPECT_FALSE(m_list.HasParentRow());
    EXPECT_EQ(SortedNames(m_list), (Names{L"Docs", L"root.txt"}));
    EXPECT_EQ(std::wstring(m_list.FullPath(0).Chars()), L"\\" + ListedNames(m_list)[0]);

    m_list.ReadFolder(L"\\", nullptr);  // "\" is the root too
    EXPECT_TRUE(m_list.IsRoot());
    EXPECT_EQ(m_list.ItemCount(), 2);
}

TEST_F(FolderRead, AMissingFolderShowsOnlyTheParentRow)
{
    RecordingObserver observer;
    m_list.SetObserver(&observer);
    m_list.ReadFolder(L"\\Docs", nullptr);
    m_list.ReadFolder(L"\\Nowhere", L"x");

    EXPECT_EQ(ListedNames(m_list), (Names{L".."}));
    EXPECT_EQ(m_list.FolderCount(), 0);
    EXPECT_EQ(m_list.FileCount(), 0);
    EXPECT_FALSE(m_list.IsListing());
    EXPECT_EQ(observer.events.back(), L"finished");
    m_list.SetObserver(nullptr);
}

TEST_F(FolderRead, AFolderThatVanishesIsShownEmptyOnRefresh)
{
    MakeFolder(L"\\Gone");
    MakeFile(L"\\Gone\\a.txt");
    m_list.ReadFolder(L"\\Gone", nullptr);
    m_list.EnsureSorted();
    ASSERT_EQ(m_list.ItemCount(), 2);

    ASSERT_TRUE(DeleteFileW(ToFileSystemPath(L"\\Gone\\a.txt")));
    ASSERT_TRUE(RemoveDirectoryW(ToFileSystemPath(L"\\Gone")));
    m_list.Refresh();

    EXPECT_EQ(ListedNames(m_list), (Names{L".."}));
    EXPECT_EQ(SelectedNames(m_list), (Names{L".."}));
    EXPECT_TRUE(m_list.IsSorted());
}

TEST_F(FolderRead, AReadTellsTheWindowsInOrder)
{
    RecordingObserver observer;
    m_list.SetObserver(&observer);
    m_list.ReadFolder(L"\\Docs", nullptr);
    m_list.SetObserver(nullptr);

    EXPECT_EQ(observer.events, (Names{L"started", L"icons", L"scroll", L"changed", L"finished"}));
}

TEST_F(FolderRead, NamesInAnyScriptAreListedAsTheyAre)
{
    const Names names{L"\u6771\u4EAC\u5730\u56F3.txt", L"\u0645\u0644\u0641.doc", L"\u00C9t\u00E9 na\u0308ive",
                      L"\U0001F600 smile", L"\u0391\u03B8\u03AE\u03BD\u03B1"};
    MakeFolder(L"\\Scripts");
    for (const std::wstring& name : names)
        MakeFile((L"\\Scripts\\" + name).c_str(), 10);

    m_list.ReadFolder(L"\\Scripts", names[3].c_str());
    Names listed = ListedNames(m_list);
    listed.erase(listed.begin());
    std::sort(listed.begin(), listed.end());
    Names expected = names;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(SelectedNames(m_list), (Names{names[3]}));
    m_list.SortItems();
    EXPECT_EQ(SelectedNames(m_list), (Names{names[3]}));
}

TEST_F(FolderRead, TheLongestNamesAreListedAndFoundBeyondMaxPath)
{
    // The deepest folder pushes the item paths past MAX_PATH.
    const std::wstring deep = L"\\" + std::wstring(120, L'd') + L"\\" + std::wstring(120, L'e');
    const std::wstring longest(255, L'n');
    MakeFolder(deep.c_str());
    const String file = JoinPath(deep.c_str(), longest.c_str());
    HANDLE handle = CreateFileW(L"\\\\?\\" + ToFileSystemPath(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    CloseHandle(handle);

    m_list.ReadFolder(deep.c_str(), longest.c_str());
    ASSERT_EQ(ListedNames(m_list), (Names{L"..", longest}));
    EXPECT_EQ(m_list.SingleSelectedIndex(), 1);
    EXPECT_GT(m_list.FullPath(1).Length(), MAX_PATH);
    EXPECT_TRUE(EntryExists(m_list.FullPath(1)));

    // After a delete that did not happen, the row must stay.
    m_list.RemoveDeletedItems(nullptr);
    EXPECT_EQ(ListedNames(m_list), (Names{L"..", longest}));
}

}  // namespace
