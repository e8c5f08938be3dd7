// Which member names may be written below a destination.
#include "filemanager/archive/ArchiveMember.h"

#include <gtest/gtest.h>

namespace {

TEST(MemberNames, OnlyNamesThatStayBelowTheDestinationAreSafe)
{
    for (const wchar_t* name : {L"a.txt", L"dir\\sub\\file.bin", L"folder\\", L"..data", L"a..b\\c", L"CONSOLE.txt",
                                L"com10", L"LPT0.x", L"nul-free", L"\u4E2D\u6587.txt", L".hidden"})
        EXPECT_TRUE(IsSafeMemberName(name)) << name;
    for (const wchar_t* name : {L"",
                                L"\\",
                                L"\\abs",
                                L"..",
                                L"..\\x",
                                L"a\\..\\..\\x",
                                L"a\\.\\b",
                                L"a\\\\b",
                                L"C:x",
                                L"c:\\x",
                                L"x:y",
                                L"CON",
                                L"con.txt",
                                L"dir\\Aux.h",
                                L"PRN.",
                                L"nul .txt",
                                L"COM1",
                                L"lpt9.log",
                                L"a\x01"
                                L"b",
                                L"a\tb",
                                L"name.",
                                L"name ",
                                L"...",
                                L"a*b",
                                L"a?b",
                                L"a|b",
                                L"a\"b",
                                L"a<b",
                                L"a>b"})
        EXPECT_FALSE(IsSafeMemberName(name)) << name;
}

}  // namespace
