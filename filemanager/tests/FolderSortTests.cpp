// The orders of the list: folders first, ".." always in front, the keys in
// both directions, equal keys by name, and the second pass over the folders.
#include "DeviceRootFixture.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::wstring>;

constexpr ULONGLONG Day = 24ull * 60 * 60 * 10000000;
constexpr ULONGLONG Year2020 = 132223104000000000ull;  // 2020-01-01 00:00 UTC

class FolderSort : public DeviceRootFixture {
protected:
    void SetUp() override
    {
        DeviceRootFixture::SetUp();
        MakeFolder(L"\\F\\beta");
        MakeFolder(L"\\F\\Alpha");
        MakeFile(L"\\F\\b.txt", 300);
        MakeFile(L"\\F\\Zed.txt", 100);
        MakeFile(L"\\F\\apple.txt", 200);
        MakeFile(L"\\F\\c.log", 100);
        SetWriteTime(L"\\F\\b.txt", Year2020 + 2 * Day);
        SetWriteTime(L"\\F\\Zed.txt", Year2020 + 3 * Day);
        SetWriteTime(L"\\F\\apple.txt", Year2020 + 1 * Day);
        SetWriteTime(L"\\F\\c.log", Year2020 + 3 * Day);
        m_list.ReadFolder(L"\\F", nullptr);
    }

    Names SortedBy(SortKey key, bool descending)
    {
        m_list.SetSortState(WithDescending(WithSortKey(0, key), descending));
        m_list.SortItems();
        return ListedNames(m_list);
    }

    FolderList m_list;
};

TEST_F(FolderSort, ByNameUsesTheLocaleOrderWithFoldersFirst)
{
    // The locale sorts letters whatever their case (an ordinal order would
    // put "Zed" before "apple").
    EXPECT_EQ(SortedBy(SortKey::Name, false),
              (Names{L"..", L"Alpha", L"beta", L"apple.txt", L"b.txt", L"c.log", L"Zed.txt"}));
    EXPECT_EQ(SortedBy(SortKey::Name, true),
              (Names{L"..", L"beta", L"Alpha", L"Zed.txt", L"c.log", L"b.txt", L"apple.txt"}));
}

TEST_F(FolderSort, BySizeEqualSizesFallBackToTheName)
{
    EXPECT_EQ(SortedBy(SortKey::Size, false),
              (Names{L"..", L"Alpha", L"beta", L"c.log", L"Zed.txt", L"apple.txt", L"b.txt"}));
    EXPECT_EQ(SortedBy(SortKey::Size, true),
              (Names{L"..", L"beta", L"Alpha", L"b.txt", L"apple.txt", L"Zed.txt", L"c.log"}));
}

TEST_F(FolderSort, ByDateComparesTheWriteTimes)
{
    SetWriteTime(L"\\F\\beta", Year2020);
    SetWriteTime(L"\\F\\Alpha", Year2020 + 9 * Day);
    m_list.ReadFolder(L"\\F", nullptr);

    EXPECT_EQ(SortedBy(SortKey::Date, false),
              (Names{L"..", L"beta", L"Alpha", L"apple.txt", L"b.txt", L"c.log", L"Zed.txt"}));
    EXPECT_EQ(SortedBy(SortKey::Date, true),
              (Names{L"..", L"Alpha", L"beta", L"Zed.txt", L"c.log", L"b.txt", L"apple.txt"}));
}

TEST_F(FolderSort, ByTypeAsksOncePerExtensionAndNeverForFolders)
{
    const std::map<std::wstring, std::wstring> types{
        {L"\\F\\apple.txt", L"text"}, {L"\\F\\Zed.txt", L"Text"}, {L"\\F\\b.txt", L"TEXT"}, {L"\\F\\c.log", L"Log"}};
    std::vector<std::wstring> asked;
    m_list.SetTypeNameProvider([&](const String& path) {
        asked.emplace_back(path.Chars());
        auto type = types.find(path.Chars());
        return type != types.end() ? String(type->second.c_str()) : String();
    });

    EXPECT_EQ(SortedBy(SortKey::Type, false),
              (Names{L"..", L"Alpha", L"beta", L"c.log", L"apple.txt", L"b.txt", L"Zed.txt"}));
    EXPECT_EQ(asked.size(), 2u);  // one ".txt", one ".log"
    for (int i = 1; i < m_list.ItemCount(); ++i)
        EXPECT_EQ(m_list.Item(i).typeName.IsEmpty(), m_list.Item(i).IsFolder());

    EXPECT_EQ(SortedBy(SortKey::Type, true),
              (Names{L"..", L"beta", L"Alpha", L"Zed.txt", L"b.txt", L"apple.txt", L"c.log"}));

    // Read again: the items are new, the types of their extensions known.
    m_list.ReadFolder(L"\\F", nullptr);
    EXPECT_EQ(SortedBy(SortKey::Type, false)[3], L"c.log");
    EXPECT_EQ(asked.size(), 2u);
    // A refresh forgets them, so that changed associations show.
    m_list.Refresh();
    EXPECT_EQ(SortedBy(SortKey::Type, false)[3], L"c.log");
    EXPECT_EQ(asked.size(), 4u);
}

TEST_F(FolderSort, TypesCompareWithoutCaseAndFoldersByNameAfterwards)
{
    m_list.SetTypeNameProvider([](const String&) { return String(L"unused"); });
    // Types that differ only in case tie (the names decide); folder types
    // that would order the folders the other way round, in both directions:
    // the second pass puts them back in name order.
    const std::map<std::wstring, std::wstring> types{{L"Alpha", L"Zone"},     {L"beta", L"Area"},
                                                     {L"apple.txt", L"text"}, {L"Zed.txt", L"Text"},
                                                     {L"b.txt", L"TEXT"},     {L"c.log", L"Log"}};
    for (int i = 1; i < m_list.ItemCount(); ++i)
        m_list.Item(i).typeName = types.at(m_list.Item(i).name.Chars()).c_str();

    EXPECT_EQ(SortedBy(SortKey::Type, false),
              (Names{L"..", L"Alpha", L"beta", L"c.log", L"apple.txt", L"b.txt", L"Zed.txt"}));
    EXPECT_EQ(SortedBy(SortKey::Type, true),
              (Names{L"..", L"beta", L"Alpha", L"Zed.txt", L"b.txt", L"apple.txt", L"c.log"}));
}

TEST_F(FolderSort, FoldersDifferingOnlyInCaseAreOrderedCaseInsensitivelyBySize)
{
    MakeFolder(L"\\G\\b");
    MakeFolder(L"\\G\\A");
    m_list.ReadFolder(L"\\G", nullptr);
    EXPECT_EQ(SortedBy(SortKey::Size, false), (Names{L"..", L"A", L"b"}));
    EXPECT_EQ(SortedBy(SortKey::Size, true), (Names{L"..", L"b", L"A"}));
}

TEST_F(FolderSort, TheRootIsSortedAsAWhole)
{
    MakeFile(L"\\zz.txt");
    MakeFile(L"\\aa.txt");
    m_list.ReadFolder(L"", nullptr);
    EXPECT_EQ(SortedBy(SortKey::Name, false), (Names{L"F", L"aa.txt", L"zz.txt"}));
    EXPECT_EQ(SortedBy(SortKey::Name, true), (Names{L"F", L"zz.txt", L"aa.txt"}));
}

TEST_F(FolderSort, TheSelectionFollowsTheItemsInRowOrder)
{
    m_list.SortItems();
    const Names rows = ListedNames(m_list);
    auto indexOf = [&](const wchar_t* name) {
        return static_cast<int>(std::find(rows.begin(), rows.end(), name) - rows.begin());
    };
    m_list.Select(indexOf(L"c.log"), true);
    m_list.Select(indexOf(L"Alpha"), true);

    m_list.SetSortDescending(true);  // a sort command sorts at once
    EXPECT_EQ(SelectedNames(m_list), (Names{L"Alpha", L"c.log"}));
    for (int n = 0; n < m_list.SelectedCount(); ++n)
        EXPECT_EQ(m_list.Item(m_list.SelectedIndex(n)).selected, 1);
    EXPECT_TRUE(IsDescending(m_list.SortState()));

    m_list.SetSortKey(SortKey::Size);
    EXPECT_EQ(SortKeyOf(m_list.SortState()), SortKey::Size);
    EXPECT_EQ(ListedNames(m_list).back(), L"c.log");
}

TEST_F(FolderSort, EnsureSortedSortsOnceAndSelectsTheFirstItem)
{
    RecordingObserver observer;
    m_list.SetObserver(&observer);
    m_list.EnsureSorted();
    EXPECT_TRUE(m_list.IsSorted());
    EXPECT_EQ(ListedNames(m_list)[1], L"Alpha");
    EXPECT_EQ(SelectedNames(m_list), (Names{L".."}));
    EXPECT_FALSE(observer.Starting(L"changed").empty());

    // Already sorted: a changed sort state waits for a sort command.
    m_list.SetSortState(SortDescendingBit);
    m_list.ClearSelection();
    m_list.EnsureSorted();
    EXPECT_EQ(ListedNames(m_list)[1], L"Alpha");
    EXPECT_EQ(m_list.SelectedCount(), 0);
    m_list.SetObserver(nullptr);
}

TEST_F(FolderSort, ShellTypeNamesComeFromTheRealFile)
{
    m_list.SetSortKey(SortKey::Type);
    for (int i = 1; i < m_list.ItemCount(); ++i) {
        if (!m_list.Item(i).IsFolder()) {
            EXPECT_FALSE(m_list.Item(i).typeName.IsEmpty()) << i;
        }
    }
}

}  // namespace

namespace {

// The list sorts by locale sort keys instead of calling the locale comparison
// for every pair: both must give one order.
TEST(LocaleSortKey, KeysOrderNamesAsTheLocaleComparisonDoes)
{
    const std::vector<std::wstring> names{L"a",
                                          L"A",
                                          L"b",
                                          L"B",
                                          L"ab",
                                          L"a-b",
                                          L"a b",
                                          L"a_b",
                                          L"co-op",
                                          L"coop",
                                          L"co op",
                                          L"Zed.txt",
                                          L"apple.txt",
                                          L"file10",
                                          L"file9",
                                          L"file 9",
                                          L"\u00E9t\u00E9",
                                          L"ete",
                                          L"\u00C9t\u00E9",
                                          L"e\u0301te",
                                          L"\u6771\u4EAC",
                                          L"\u4EAC\u6771",
                                          L"\u0645\u0644\u0641",
                                          L"\U0001F600",
                                          L"\u0391\u03B8",
                                          L"'quote",
                                          L"~tilde",
                                          L"",
                                          L".hidden",
                                          L"..",
                                          L"Stra\u00DFe",
                                          L"Strasse",
                                          L"\u0130stanbul",
                                          L"istanbul"};
    for (const std::wstring& a : names) {
        for (const std::wstring& b : names) {
            const std::string keyA = LocaleSortKey(a.c_str());
            const std::string keyB = LocaleSortKey(b.c_str());
            ASSERT_FALSE(keyA.empty());
            const int byKeys = (keyA > keyB) - (keyA < keyB);
            const int byComparison = CompareNames(a.c_str(), b.c_str());
            EXPECT_EQ(byKeys, (byComparison > 0) - (byComparison < 0))
                << "'" << std::string(a.begin(), a.end()) << "' vs '" << std::string(b.begin(), b.end()) << "'";
        }
    }
}

// Keys of plain names are composed from a table: they must be the platform's
// own, byte for byte, or a list mixing both kinds would sort wrongly.
TEST(LocaleSortKey, ComposedKeysAreThePlatformsKeys)
{
    std::vector<std::wstring> names{L"a",          L"A",         L"Zed.txt",  L"New Folder2",
                                    L"file 9",     L"FILE10",    L"a_b~c",    L"(1) x, y!",
                                    L"a-b",        L"'quote",    L"co-op",    L"\u00E9t\u00E9",
                                    L"MiXeD CaSe", L"trailing ", L"x.tar.gz", L"aB",
                                    L"Ab",         L"ch",        L"aa",       L"ll"};
    for (unsigned i = 0; i < 300; ++i) {
        const unsigned mixed = i * 2654435761u;
        wchar_t name[64];
        swprintf(name, 64, L"%ls%.5u report %u.%ls", (mixed & 1) ? L"Item " : L"item ", mixed % 99991u, i,
                 (mixed & 2) ? L"TXT" : L"doc");
        names.emplace_back(name);
    }
    for (wchar_t ch = 0x20; ch < 0x80; ++ch)
        names.push_back(std::wstring{L'x', ch, L'Y'});
    for (const std::wstring& name : names)
        EXPECT_EQ(LocaleSortKey(name.c_str()), PlatformSortKey(name.c_str())) << std::string(name.begin(), name.end());
}

}  // namespace
