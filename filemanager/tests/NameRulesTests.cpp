// The rules behind the name and choice dialogs: which names are taken, what a
// new folder is offered, what rename does with a name, which quick folders
// are offered, and how the check list becomes the selection.
#include "DeviceRootFixture.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderHistory.h"
#include "filemanager/NewNames.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/QuickFolderList.h"
#include "filemanager/SelectionChoice.h"

#include <set>

namespace {

std::wstring Text(const String& text)
{
    return text.Chars();
}

class NameRules : public DeviceRootFixture {
protected:
    // The folder read and sorted by name.
    void Read(const wchar_t* path)
    {
        m_list.ReadFolder(path, nullptr);
        m_list.SortItems();
    }

    FolderList m_list;
};

TEST_F(NameRules, NewFolderTakesTheFirstFreeNumberWhateverTheLetterCase)
{
    MakeFolder(L"\\Docs\\New Folder");
    MakeFolder(L"\\Docs\\new folder2");
    MakeFile(L"\\Docs\\NEW FOLDER3");
    MakeFolder(L"\\Docs\\New Folder5");
    Read(L"\\Docs");
    const std::vector<String> listed = ::ListedNames(m_list);
    const auto taken = [&](const String& name) { return NameTaken(listed, L"\\Elsewhere", name); };
    EXPECT_EQ(Text(ProposeFolderName(L"New Folder", taken)), L"New Folder4");
    EXPECT_EQ(Text(ProposeFolderName(L"Photos", taken)), L"Photos");
    // ".." is no name a folder can take away.
    for (const String& name : listed)
        EXPECT_NE(Text(name), L"..");
    EXPECT_TRUE(FolderHasEntry(L"\\Docs", L"NEW FOLDER"));
    EXPECT_FALSE(FolderHasEntry(L"\\Docs", L"New Folder4"));
}

TEST_F(NameRules, RenameRefusesBadAndTakenNamesButNeverACaseChange)
{
    const std::set<std::wstring> others{L"b.txt", L"notes"};
    const auto taken = [&](const String& name) {
        for (const std::wstring& other : others)
            if (name.CompareNoCase(other.c_str()) == 0)
                return true;
        return false;
    };
    EXPECT_EQ(JudgeRename(L"a.txt", L"a.txt", taken), RenameVerdict::Unchanged);
    EXPECT_EQ(JudgeRename(L"a.txt", L"A.TXT", taken), RenameVerdict::Move);
    EXPECT_EQ(JudgeRename(L"a.txt", L"B.txt", taken), RenameVerdict::Taken);
    EXPECT_EQ(JudgeRename(L"a.txt", L"Notes", taken), RenameVerdict::Taken);
    EXPECT_EQ(JudgeRename(L"a.txt", L"c.txt", taken), RenameVerdict::Move);
    // The item itself with another case, even when the check would call it taken.
    EXPECT_EQ(JudgeRename(L"b.txt", L"B.TXT", taken), RenameVerdict::Move);
    for (const wchar_t* bad : {L"", L"   ", L".hidden", L"a?b", L"a\\b", L"x|y"})
        EXPECT_EQ(JudgeRename(L"a.txt", bad, taken), RenameVerdict::BadName) << bad;
    EXPECT_EQ(JudgeRename(L"a.txt", String(L'n', MaxNewNameLength), taken), RenameVerdict::Move);
    EXPECT_EQ(JudgeRename(L"a.txt", String(L'n', MaxNewNameLength + 1), taken), RenameVerdict::BadName);
}

TEST_F(NameRules, HiddenExtensionsAreLeftOutOfTheFieldAndPutBack)
{
    const EditableName file = MakeEditableName(L"report.final.txt", false, PreferenceHideExtensions);
    EXPECT_EQ(Text(file.shown), L"report.final");
    EXPECT_EQ(Text(file.hiddenExtension), L".txt");
    EXPECT_EQ(Text(MakeEditableName(L"report.txt", false, 0).shown), L"report.txt");
    EXPECT_EQ(Text(MakeEditableName(L"photos.2024", true, PreferenceHideExtensions).shown), L"photos.2024");
    const EditableName dotFile = MakeEditableName(L".profile", false, PreferenceHideExtensions);
    EXPECT_EQ(Text(dotFile.shown), L".profile");
    EXPECT_TRUE(dotFile.hiddenExtension.IsEmpty());
}

TEST_F(NameRules, MovingToANewNameKeepsTheItemWhenItFails)
{
    MakeFolder(L"\\Docs");
    MakeFile(L"\\Docs\\a.txt", 3);
    MakeFile(L"\\Docs\\b.txt", 5);
    // A change of case alone.
    ASSERT_TRUE(MoveToNewName(L"\\Docs", L"a.txt", L"A.TXT"));
    WIN32_FIND_DATAW entry;
    ASSERT_TRUE(FindEntry(L"\\Docs\\a.txt", entry));
    EXPECT_STREQ(entry.cFileName, L"A.TXT");
    // Onto another file: refused, both stay.
    DWORD error = 0;
    EXPECT_FALSE(MoveToNewName(L"\\Docs", L"A.TXT", L"b.txt", &error));
    EXPECT_NE(error, 0u);
    ASSERT_TRUE(FindEntry(L"\\Docs\\A.TXT", entry));
    EXPECT_EQ(entry.nFileSizeLow, 3u);
    ASSERT_TRUE(FindEntry(L"\\Docs\\b.txt", entry));
    EXPECT_EQ(entry.nFileSizeLow, 5u);
    Read(L"\\Docs");
    EXPECT_EQ(ListedNames(m_list), (std::vector<std::wstring>{L"..", L"A.TXT", L"b.txt"}));
}

TEST_F(NameRules, QuickFoldersOfferWhatExistsAndNumberOnlyTheRecentShown)
{
    MakeFolder(L"\\My Documents\\Notes");
    MakeFolder(L"\\Windows\\Temporary Internet Files");
    MakeFolder(L"\\Card\\My Documents");
    MakeFolder(L"\\Card\\MAPI\\ATTACHMENTS");
    MakeFolder(L"\\Work");
    MakeFile(L"\\Windows\\AppMgr");  // a file is no folder to jump to
    RecentFolders recent;
    for (const wchar_t* path : {L"\\Work", L"\\Gone", L"\\My Documents\\Notes"})
        recent.Add(path);
    StringArray cards;
    cards.Add(L"Card");
    cards.Add(L"Missing Card");
    const std::vector<QuickFolder> folders = CollectQuickFolders(recent, cards, IsExistingFolder);

    std::vector<std::wstring> rows, parents;
    for (const QuickFolder& folder : folders) {
        rows.push_back(Text(QuickFolderRowText(folder)));
        parents.push_back(Text(QuickFolderParentText(folder)));
    }
    EXPECT_EQ(rows, (std::vector<std::wstring>{L"1. Work", L"2. Notes", L"My Documents", L"Windows",
                                               L"Temporary Internet Files", L"ATTACHMENTS", L"My Documents"}));
    EXPECT_EQ(parents, (std::vector<std::wstring>{L"\\", L"\\My Documents\\", L"\\", L"\\", L"\\Windows\\",
                                                  L"\\Card\\MAPI\\", L"\\Card\\"}));
    EXPECT_EQ(Text(folders[4].path), L"\\Windows\\Temporary Internet Files");
}

TEST_F(NameRules, TheCheckListBecomesTheSelection)
{
    MakeFolder(L"\\Docs\\Alpha");
    MakeFolder(L"\\Docs\\Beta");
    MakeFile(L"\\Docs\\c.txt");
    MakeFile(L"\\Docs\\d.txt");
    Read(L"\\Docs");  // .., Alpha, Beta, c.txt, d.txt
    m_list.Select(0, true);
    m_list.Select(4, true);
    m_list.Select(3, true);

    SelectionChoice choice(m_list);
    ASSERT_EQ(choice.RowCount(), 4);
    EXPECT_EQ(choice.Name(0), L"Alpha");
    EXPECT_FALSE(choice.IsChecked(0));
    EXPECT_TRUE(choice.IsChecked(2) && choice.IsChecked(3));

    choice.Apply(CheckCommand::Folders);
    EXPECT_TRUE(choice.IsChecked(0) && choice.IsChecked(1) && !choice.IsChecked(2) && !choice.IsChecked(3));
    choice.Apply(CheckCommand::Invert);
    EXPECT_TRUE(!choice.IsChecked(0) && !choice.IsChecked(1) && choice.IsChecked(2) && choice.IsChecked(3));
    choice.SetChecked(1, true);
    choice.SetChecked(3, false);
    // d.txt and ".." go, c.txt stays first, Beta joins behind it.
    ASSERT_TRUE(choice.ApplyTo(m_list));
    ASSERT_EQ(m_list.SelectedCount(), 2);
    EXPECT_EQ(m_list.SelectedIndex(0), 3);
    EXPECT_EQ(m_list.SelectedIndex(1), 2);
    EXPECT_FALSE(choice.ApplyTo(m_list));

    choice.Apply(CheckCommand::Files);
    choice.ApplyTo(m_list);
    EXPECT_EQ(m_list.SelectedCount(), 2);
    choice.Apply(CheckCommand::None);
    choice.ApplyTo(m_list);
    EXPECT_EQ(m_list.SelectedCount(), 0);
    choice.Apply(CheckCommand::All);
    choice.ApplyTo(m_list);
    EXPECT_EQ(m_list.SelectedCount(), 4);

    // The folder changes while the dialog is open (a card event reads it
    // again): the rows keep their items, which are found again by name.
    choice.Apply(CheckCommand::None);
    choice.SetChecked(3, true);
    ASSERT_TRUE(DeleteFileW(ToLongFileSystemPath(L"\\Docs\\c.txt")));
    Read(L"\\Docs");  // .., Alpha, Beta, d.txt
    choice.ApplyTo(m_list);
    ASSERT_EQ(m_list.SelectedCount(), 1);
    EXPECT_EQ(m_list.Item(m_list.SelectedIndex(0)).name, L"d.txt");
}

}  // namespace
