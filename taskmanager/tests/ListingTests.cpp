// Which windows get a row, who they are, and what the strip and keys say.
#include "taskmanager/KnownApps.h"
#include "taskmanager/ListingRules.h"
#include "taskmanager/MemoryText.h"
#include "taskmanager/TaskCommands.h"
#include "taskmanager/resource.h"

#include "framework/testsupport/StringPrinting.h"

#include <gtest/gtest.h>

namespace {

WindowFacts Application(const wchar_t* title = L"File Manager", const wchar_t* className = L"File Manager")
{
    WindowFacts facts;
    facts.visible = true;
    facts.title = title;
    facts.className = className;
    return facts;
}

}  // namespace

TEST(ListingRules, TheHomeShellAndSystemComponentsAreNeverListed)
{
    // The home shell's title strip ("tray") and home screen ("MSStart").
    EXPECT_FALSE(IsApplicationWindow(Application(L"Home", L"tray")));
    EXPECT_FALSE(IsApplicationWindow(Application(L"Home", L"MSStart")));
    EXPECT_FALSE(IsApplicationWindow(Application(L"Sync", L"activesync")));
    EXPECT_FALSE(IsApplicationWindow(Application(L"cursorwindow", L"Cursor")));
    // Only whole names count.
    EXPECT_TRUE(IsApplicationWindow(Application(L"Tray Tool", L"Trays")));
    EXPECT_TRUE(IsApplicationWindow(Application(L"CursorWindow2", L"X")));
}

TEST(ListingRules, SelectionAfterRefreshStaysOrMovesToTheNewLastRow)
{
    EXPECT_EQ(RowToSelect(5, 2), 2);
    EXPECT_EQ(RowToSelect(3, 3), 2);  // the last row was closed
    EXPECT_EQ(RowToSelect(1, 7), 0);
    EXPECT_EQ(RowToSelect(0, 0), -1);
}

TEST(KnownApplications, KnownClassesAreIdentifiedByTheirShortcut)
{
    const String folder = L"\\Windows\\Start Menu";
    const String exe = L"\\Windows\\shell32.exe";
    EXPECT_EQ(IdentityPath(L"Calendar", exe, folder), String(L"\\Windows\\Start Menu\\Calendar.lnk"));
    EXPECT_EQ(IdentityPath(L"MSClog", exe, folder), String(L"\\Windows\\Start Menu\\Call History.lnk"));
    EXPECT_EQ(IdentityPath(L"MSSolitaire", exe, folder), String(L"\\Windows\\Start Menu\\Games\\Solitaire.lnk"));
    EXPECT_EQ(IdentityPath(L"Notes.MainWnd", exe, folder), String(L"\\Windows\\Start Menu\\Voice Notes.lnk"));
    // The class is compared with case; any other class is its executable.
    EXPECT_EQ(IdentityPath(L"calendar", exe, folder), exe);
    EXPECT_EQ(IdentityPath(L"Obrel", L"\\Program Files\\Vellumate\\obrel.exe", folder),
              String(L"\\Program Files\\Vellumate\\obrel.exe"));
    EXPECT_EQ(FindKnownApplication(nullptr), nullptr);
}

TEST(MemoryStrip, KilobytesWithThousandsSeparated)
{
    EXPECT_EQ(FreeMemoryText(1023999), String(L"999 KB"));
    EXPECT_EQ(FreeMemoryText(1024000), String(L"1,000 KB"));
    EXPECT_EQ(FreeMemoryText(20971520), String(L"20,480 KB"));
    EXPECT_EQ(FreeMemoryText(0), String(L"0 KB"));
    EXPECT_EQ(FreeMemoryText(1025 * 1024), String(L"1,025 KB"));
    // Beyond a million kilobytes every group of three is separated.
    EXPECT_EQ(FreeMemoryText(2147483648ull), String(L"2,097,152 KB"));
    EXPECT_EQ(FreeMemoryText(1000000ull * 1024 + 5 * 1024), String(L"1,000,005 KB"));
}

TEST(TaskCommands, RowCommandsNeedRowsAndKeysPostTheirCommands)
{
    EXPECT_EQ(RowCommandEnabled({0}), false);
    EXPECT_EQ(RowCommandEnabled({3}), true);
    EXPECT_EQ(CommandOfListKey(VK_RETURN, 0), static_cast<unsigned>(ID_SWITCH_TO));
    EXPECT_EQ(CommandOfListKey('2', 2), static_cast<unsigned>(ID_CLOSE_ALL));
    EXPECT_EQ(CommandOfListKey('2', 0), 0u);
    EXPECT_EQ(CommandOfListKey('7', 1), static_cast<unsigned>(ID_CLOSE_TASK));
    EXPECT_EQ(CommandOfListKey('7', 0), 0u);
    EXPECT_EQ(CommandOfListKey(VK_F8, 0), static_cast<unsigned>(ID_REFRESH));
    EXPECT_EQ(CommandOfListKey('5', 4), 0u);
}
