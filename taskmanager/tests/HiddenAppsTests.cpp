// The hidden-applications file: how its lines become entries, and how the
// entries hide applications.
#include "taskmanager/HiddenApps.h"

#include "framework/testsupport/StringPrinting.h"
#include "framework/testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<std::string> Entries(std::string_view bytes)
{
    return SplitHiddenLines(bytes).entries;
}

}  // namespace

TEST(HiddenFileLines, TrimsBlanksTabsAndWindowsLineEndings)
{
    EXPECT_EQ(Entries(" \t\\Windows\\a.exe \t\r\n\\b.exe\r\n"),
              (std::vector<std::string>{"\\Windows\\a.exe", "\\b.exe"}));
    // A tab inside an entry is kept as written.
    EXPECT_EQ(Entries("\\My\tApp.exe\n"), (std::vector<std::string>{"\\My\tApp.exe"}));
}

TEST(HiddenFileLines, LastLineNeedsNoLineFeedAndBlankLinesAreNoEntries)
{
    EXPECT_EQ(Entries("\\a.exe\n\n  \r\n\t\n\\b.exe"), (std::vector<std::string>{"\\a.exe", "\\b.exe"}));
    EXPECT_TRUE(Entries("").empty());
    EXPECT_TRUE(Entries("\r\n\r\n").empty());
}

TEST(HiddenFileLines, LongLinesAreSkippedNotCut)
{
    const std::string longest(MaxHiddenEntryLength, 'x');
    const std::string tooLong(MaxHiddenEntryLength + 1, 'y');
    // Cut to 259 characters the long line would become a shorter path that
    // could name another program; it is left out whole, its neighbours kept.
    const HiddenFileLines lines =
        SplitHiddenLines("\\a.exe\n" + tooLong + "\n" + longest + "\r\n" + std::string(600, 'z'));
    EXPECT_EQ(lines.entries, (std::vector<std::string>{"\\a.exe", longest}));
    EXPECT_EQ(lines.tooLong, 2);
    // Blanks around a line do not count towards its length.
    EXPECT_EQ(Entries("   " + longest + "\t\t\r\n").size(), 1u);
}

TEST(HiddenFileLines, BinaryBytesMakeNoEntries)
{
    const std::string binary("\x7f"
                             "ELF\x01\x00\x02\n\\ok.exe\n\x00\x00\x00\n\x1b[0m\n",
                             24);
    const HiddenFileLines lines = SplitHiddenLines(binary);
    EXPECT_EQ(lines.entries, (std::vector<std::string>{"\\ok.exe"}));
    EXPECT_EQ(lines.notText, 3);
}

TEST(HiddenList, MatchesWholeEntriesWithoutRegardToCase)
{
    const HiddenList list =
        HiddenList::FromBytes("  \\Program Files\\Vellumate\\OBREL.EXE\t\r\n\\Windows\\Start Menu\\Calendar.lnk");
    EXPECT_TRUE(list.Contains(L"\\program files\\vellumate\\obrel.exe"));
    EXPECT_TRUE(list.Contains(L"\\Windows\\Start Menu\\Calendar.lnk"));
    EXPECT_FALSE(list.Contains(L"\\Program Files\\Vellumate\\obrel.exe2"));
    EXPECT_FALSE(list.Contains(L"\\Program Files\\Vellumate"));
    EXPECT_FALSE(list.Contains(L""));
    // The last line comes first.
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Entries()[0], String(L"\\Windows\\Start Menu\\Calendar.lnk"));
}

TEST(HiddenList, EightBitTextIsReadInTheSystemCodePage)
{
    char path[] = "\\Program Files\\Caf\xe9.exe";
    wchar_t wide[64]{};
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, 64);
    EXPECT_TRUE(HiddenList::FromBytes(path).Contains(wide));
}

TEST(HiddenList, FileBesideTheProgramMissingEmptyOrBinaryIsAnEmptyList)
{
    vellumate::TempFolder folder;
    const std::wstring path = folder.Path() + L"\\" + HiddenAppsFileName;
    EXPECT_EQ(HiddenList::FromFile(path).Count(), 0);  // missing

    folder.Write(HiddenAppsFileName, "");
    EXPECT_EQ(HiddenList::FromFile(path).Count(), 0);  // empty

    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise.push_back(static_cast<char>(i * 37));
    folder.Write(HiddenAppsFileName, noise);
    const HiddenList binary = HiddenList::FromFile(path);
    for (const String& entry : binary.Entries())
        EXPECT_LE(entry.Length(), MaxHiddenEntryLength);

    folder.Write(HiddenAppsFileName, "\\Windows\\vmholdout.exe\r\n\\Program Files\\Vellumate\\obrel.exe");
    const HiddenList list = HiddenList::FromFile(path);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_TRUE(list.Contains(L"\\windows\\VMHOLDOUT.exe"));
}

TEST(HiddenList, PathBesideTheModuleEndsWithTheFileName)
{
    const std::wstring path = HiddenAppsPathBeside(nullptr);
    wchar_t module[MAX_PATH]{};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring folder(module);
    folder.resize(folder.find_last_of(L'\\') + 1);
    EXPECT_EQ(path, folder + L"InvisApp.txt");
}
