#include "platform/shell/Shortcut.h"

#include "framework/testsupport/TempFolder.h"

#include <gtest/gtest.h>

using namespace vellumate;

namespace {

void ExpectShortcut(std::wstring_view text, std::wstring_view target, std::wstring_view arguments)
{
    SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
    const std::optional<Shortcut> shortcut = ParseShortcut(text);
    ASSERT_TRUE(shortcut);
    EXPECT_EQ(shortcut->target, target);
    EXPECT_EQ(shortcut->arguments, arguments);
}

TEST(ShortcutParse, ReadsQuotedAndBareTargetsWithTheirArguments)
{
    ExpectShortcut(LR"(39#"\Program Files\Vellumate\tarnwell.exe")", L"\\Program Files\\Vellumate\\tarnwell.exe", L"");
    ExpectShortcut(LR"(25#"\Windows\tmail.exe" -new)", L"\\Windows\\tmail.exe", L"-new");
    ExpectShortcut(LR"(28#\Windows\tmail.exe -to "a b")", L"\\Windows\\tmail.exe", L"-to \"a b\"");
    ExpectShortcut(L"9#tobex.exe", L"tobex.exe", L"");
}

TEST(ShortcutParse, TheCountDecidesWhereTheCommandEnds)
{
    // What follows the counted characters (the line break, a stray second
    // line) is not part of the command.
    ExpectShortcut(L"20#\"\\Windows\\tobex.exe\"\r\n", L"\\Windows\\tobex.exe", L"");
    ExpectShortcut(L"20#\"\\Windows\\tobex.exe\" -old\nmore", L"\\Windows\\tobex.exe", L"");
    // Non-ASCII names count as one character each.
    ExpectShortcut(L"13#\"\\Caf\u00E9\\\u4E2D.exe\"", L"\\Caf\u00E9\\\u4E2D.exe", L"");
}

TEST(ShortcutParse, RejectsDamagedShortcuts)
{
    for (const wchar_t* damaged : {
             L"",                                       // empty file
             L"#\"\\Windows\\a.exe\"",                  // no count
             L"0#",                                     // nothing to run
             L"15\"\\Windows\\a.exe\"",                 // no '#'
             L"40#\"\\Windows\\a.exe\"",                // cut short
             L"15#\"\\Windows\\a.exe",                  // quotation never closed
             L"2#\"\"",                                 // empty quoted target
             L"3#   ",                                  // only spaces
             L"10#\"\\a\nb.exe\"",                      // count runs past the line
             L"99999999999999999999#\\Windows\\a.exe",  // count overflows
             L" 14#\\Windows\\a.exe",                   // junk before the count
         }) {
        EXPECT_FALSE(ParseShortcut(damaged)) << testing::PrintToString(std::wstring(damaged));
    }
}

TEST(ShortcutFormat, WritesWhatParseReadsBack)
{
    for (const Shortcut& shortcut : {
             Shortcut{L"\\Program Files\\Vellumate\\pellory.exe", L""},
             Shortcut{L"\\Windows\\tmail.exe", L"-attach \"\\My Documents\\a b.txt\""},
             Shortcut{L"\\Dossiers\\r\u00E9sum\u00E9 \u4E2D.exe", L"x"},
         }) {
        const std::wstring text = FormatShortcut(shortcut);
        const std::optional<Shortcut> back = ParseShortcut(text);
        ASSERT_TRUE(back) << testing::PrintToString(text);
        EXPECT_EQ(back->target, shortcut.target);
        EXPECT_EQ(back->arguments, shortcut.arguments);
    }
    EXPECT_EQ(FormatShortcut({L"\\Windows\\tobex.exe", L""}), L"20#\"\\Windows\\tobex.exe\"");
}

TEST(ShortcutFile, DecodesTheEncodingsHandsetsWrite)
{
    TempFolder folder;
    const std::wstring expected = L"\\Dossier \u00E9t\u00E9\\app.exe";

    const std::wstring utf8 = folder.Write(L"utf8.lnk", "22#\"\\Dossier \xC3\xA9t\xC3\xA9\\app.exe\"\r\n");
    const std::wstring bom = folder.Write(L"bom.lnk", "\xEF\xBB\xBF"
                                                      "22#\"\\Dossier \xC3\xA9t\xC3\xA9\\app.exe\"");
    // UTF-16 little endian with its byte-order mark.
    std::string wide = "\xFF\xFE";
    for (const wchar_t unit : L"22#\"" + expected + L"\"") {
        wide += static_cast<char>(unit & 0xFF);
        wide += static_cast<char>(unit >> 8);
    }
    const std::wstring utf16 = folder.Write(L"utf16.lnk", wide);

    for (const std::wstring& path : {utf8, bom, utf16}) {
        const ShortcutReadResult result = ReadShortcutFile(path);
        ASSERT_EQ(result.error, ShortcutError::None) << testing::PrintToString(path);
        ASSERT_TRUE(result.shortcut);
        EXPECT_EQ(result.shortcut->target, expected);
    }
}

TEST(ShortcutFile, FallsBackToTheAnsiCodePageForOtherBytes)
{
    // "é" as one byte is not UTF-8; handsets of old wrote shortcuts that way.
    const std::wstring text = DecodeShortcutBytes("12#\"\\caf\xE9.exe\"");
    wchar_t expected = 0;
    ::MultiByteToWideChar(CP_ACP, 0, "\xE9", 1, &expected, 1);
    EXPECT_EQ(text, std::wstring(L"12#\"\\caf") + expected + L".exe\"");
}

TEST(ShortcutFile, ReportsMissingAndDamagedFilesApart)
{
    TempFolder folder;
    EXPECT_EQ(ReadShortcutFile(folder.Path() + L"\\missing.lnk").error, ShortcutError::Unreadable);
    EXPECT_EQ(ReadShortcutFile(folder.Write(L"junk.lnk", "this is no shortcut")).error, ShortcutError::Damaged);
    EXPECT_EQ(ReadShortcutFile(folder.Write(L"empty.lnk", "")).error, ShortcutError::Damaged);

    // A huge file is refused before it is read, even with a valid start.
    std::string huge = "20#\"\\Windows\\tobex.exe\"";
    huge.resize(MaxShortcutFileBytes + 1, ' ');
    const ShortcutReadResult tooBig = ReadShortcutFile(folder.Write(L"huge.lnk", huge));
    EXPECT_EQ(tooBig.error, ShortcutError::Damaged);
    EXPECT_FALSE(tooBig.shortcut);
}

}  // namespace
