#include "platform/shell/StartMenu.h"

#include "framework/testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vellumate;

namespace {

std::vector<std::wstring> Names(const std::vector<StartMenuEntry>& entries)
{
    std::vector<std::wstring> names;
    for (const StartMenuEntry& entry : entries)
        names.push_back(entry.name);
    return names;
}

TEST(StartMenu, ListsTheShortcutsSortedWithoutRegardToCase)
{
    TempFolder folder;
    folder.Write(L"Tarnwell.lnk", "39#\"\\Program Files\\Vellumate\\tarnwell.exe\"");
    folder.Write(L"corvane.LNK", "38#\"\\Program Files\\Vellumate\\corvane.exe\"");
    folder.Write(L"Pellory.lnk", "38#\"\\Program Files\\Vellumate\\pellory.exe\"");
    folder.Write(L"Broken.lnk", "garbage");
    folder.Write(L"readme.txt", "not a program");
    folder.Write(L".lnk", "9#tobex.exe");                  // no name before the extension
    folder.Write(L"Games\\Solitaire.lnk", "9#tobex.exe");  // sub-folders are not listed
    std::filesystem::create_directory(folder.Path() + L"\\Folder.lnk");

    const std::vector<StartMenuEntry> entries = ListStartMenu(folder.Path());
    ASSERT_EQ(Names(entries), (std::vector<std::wstring>{L"Broken", L"corvane", L"Pellory", L"Tarnwell"}));

    EXPECT_EQ(entries[0].content.error, ShortcutError::Damaged);
    EXPECT_FALSE(entries[0].content.shortcut);
    ASSERT_TRUE(entries[1].content.shortcut);
    EXPECT_EQ(entries[1].content.shortcut->target, L"\\Program Files\\Vellumate\\corvane.exe");
    EXPECT_EQ(entries[3].shortcutPath, folder.Path() + L"\\Tarnwell.lnk");
}

TEST(StartMenu, AMissingFolderListsNothing)
{
    TempFolder folder;
    EXPECT_TRUE(ListStartMenu(folder.Path() + L"\\Windows\\Start Menu\\Programs").empty());
}

TEST(StartMenu, DriveOfTakesOnlyADriveLetter)
{
    EXPECT_EQ(DriveOf(L"D:\\"), L"D:");
    EXPECT_EQ(DriveOf(L"d:\\My Documents"), L"d:");
    EXPECT_EQ(DriveOf(L"\\\\server\\share\\x"), L"");
    EXPECT_EQ(DriveOf(L"\\My Documents"), L"");
    EXPECT_EQ(DriveOf(L"1:\\"), L"");
    EXPECT_EQ(DriveOf(L"D"), L"");
}

}  // namespace
