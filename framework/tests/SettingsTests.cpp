#include "framework/RegistryKey.h"
#include "framework/Settings.h"
#include "framework/testsupport/TestScratch.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(ValuePaths, SplitAtTheLastSeparator)
{
    const struct {
        const wchar_t* path;
        const wchar_t* key;
        const wchar_t* name;
    } cases[] = {
        {L"Software\\Zantric\\UI Info\\Values", L"Software\\Zantric\\UI Info", L"Values"},
        {L"Strings\\Opened:Folder", L"Strings\\Opened", L"Folder"},
        {L"a/b:c\\d", L"a/b:c", L"d"},
        {L"abcfile\\DefaultIcon\\", L"abcfile\\DefaultIcon", L""},
        {L"Values", L"", L"Values"},
        {nullptr, L"", L""},
    };
    for (const auto& c : cases) {
        String key(L"old");
        String name(L"old");
        SplitValuePath(c.path, key, name);
        EXPECT_EQ(key, String(c.key));
        EXPECT_EQ(name, String(c.name));
    }
}

// Values below HKCU\Software\VellumateTests\<unique>.
class Registry : public ::testing::Test {
protected:
    String Path(const wchar_t* relative) const { return m_key / relative; }

    void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_TRUE(SetRawRegistryValue(HKEY_CURRENT_USER, m_key.Path(), name, type, data, size));
    }

    RawRegistryValue GetRaw(const wchar_t* relativeKey, const wchar_t* name) const
    {
        return GetRawRegistryValue(HKEY_CURRENT_USER, Path(relativeKey), name);
    }

    TestRegistryKey m_key;
};

TEST_F(Registry, NumbersAndBinariesRoundTripInKeysCreatedOnTheWay)
{
    ASSERT_TRUE(WriteDword(Path(L"Deep\\Er\\Count"), 0xDEADBEEF));
    const BYTE data[6] = {0, 1, 0xFF, 0x80, 0x7F, 0};
    ASSERT_TRUE(WriteBinary(Path(L"Deep\\Blob"), data, sizeof data));
    EXPECT_EQ(GetRaw(L"Deep\\Er", L"Count").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(GetRaw(L"Deep", L"Blob").type, static_cast<DWORD>(REG_BINARY));

    DWORD number = 0;
    EXPECT_TRUE(ReadDword(Path(L"Deep\\Er\\Count"), number));
    EXPECT_EQ(number, 0xDEADBEEFu);
    BYTE back[6] = {};
    EXPECT_TRUE(ReadBinary(Path(L"Deep\\Blob"), back, sizeof back));
    EXPECT_EQ(std::memcmp(back, data, sizeof data), 0);
}

TEST_F(Registry, AValueOfAnotherTypeOrSizeIsMissingAndLeavesTheBufferAlone)
{
    const BYTE bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    PutRaw(L"Binary4", REG_BINARY, bytes, 4);
    PutRaw(L"Binary3", REG_BINARY, bytes, 3);
    PutRaw(L"Binary5", REG_BINARY, bytes, 5);
    PutRaw(L"Dword2", REG_DWORD, bytes, 2);
    PutRaw(L"Dword8", REG_DWORD, bytes, 8);
    PutRaw(L"Dword4", REG_DWORD, bytes, 4);

    for (const wchar_t* name : {L"Binary4", L"Binary3", L"Binary5", L"Dword2", L"Dword8", L"Absent", L"No\\Key"}) {
        DWORD number = 0x5A5A5A5A;
        EXPECT_FALSE(ReadDword(Path(name), number)) << std::wstring(name);
        EXPECT_EQ(number, 0x5A5A5A5Au);
    }
    for (const wchar_t* name : {L"Binary3", L"Binary5", L"Dword4", L"Absent"}) {
        DWORD word = 0x5A5A5A5A;
        EXPECT_FALSE(ReadBinary(Path(name), &word, 4)) << std::wstring(name);
        EXPECT_EQ(word, 0x5A5A5A5Au);
    }
}

TEST_F(Registry, TextRoundTripWithItsTerminator)
{
    const wchar_t* text = L"\\Storage Card\\Fotos \u00FCber \u6771\u4EAC";
    ASSERT_TRUE(WriteText(Path(L"Strings\\Opened Folder"), text));
    RawRegistryValue raw = GetRaw(L"Strings", L"Opened Folder");
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw.data.size(), (std::wcslen(text) + 1) * sizeof(wchar_t));
    String back;
    EXPECT_TRUE(ReadText(Path(L"Strings\\Opened Folder"), back, 260, L"default"));
    EXPECT_EQ(back, String(text));

    // A path ending in a separator names the key's default value.
    ASSERT_TRUE(WriteText(Path(L"abcfile\\DefaultIcon\\"), L"x.exe,0"));
    EXPECT_TRUE(GetRaw(L"abcfile\\DefaultIcon", nullptr).exists);
}

TEST_F(Registry, TextOfAnotherTypeTooLongOrMissingGivesTheDefault)
{
    PutRaw(L"Expand", REG_EXPAND_SZ, L"%TEMP%", 14);
    PutRaw(L"Binary", REG_BINARY, L"abc", 8);
    ASSERT_TRUE(WriteText(Path(L"Exactly"), AlphabetText(260)));
    ASSERT_TRUE(WriteText(Path(L"Longer"), AlphabetText(261)));

    String text;
    for (const wchar_t* name : {L"Expand", L"Binary", L"Longer", L"Absent", L"No\\Key"}) {
        text = L"previous";
        EXPECT_FALSE(ReadText(Path(name), text, 260, L"fallback")) << std::wstring(name);
        EXPECT_EQ(text, String(L"fallback"));
    }
    EXPECT_TRUE(ReadText(Path(L"Exactly"), text, 260, nullptr));
    EXPECT_EQ(text, AlphabetText(260));
    // Maximum 0 takes any length.
    EXPECT_TRUE(ReadText(Path(L"Longer"), text, 0, nullptr));
    EXPECT_EQ(text, AlphabetText(261));
}

TEST_F(Registry, MalformedTextIsReadUpToItsEnd)
{
    PutRaw(L"Unterminated", REG_SZ, L"abcdef", 6 * sizeof(wchar_t));
    PutRaw(L"Odd", REG_SZ, L"abcdef", 5);
    PutRaw(L"Embedded", REG_SZ, L"ab\0cd", 6 * sizeof(wchar_t));
    String text;
    EXPECT_TRUE(ReadText(Path(L"Unterminated"), text, 6, L""));
    EXPECT_EQ(text, String(L"abcdef"));
    EXPECT_TRUE(ReadText(Path(L"Odd"), text, 0, L""));
    EXPECT_EQ(text, String(L"ab"));
    EXPECT_TRUE(ReadText(Path(L"Embedded"), text, 0, L""));
    EXPECT_EQ(text, String(L"ab"));
}

TEST_F(Registry, TheGivenRootIsUsed)
{
    RegistryKey root;
    ASSERT_TRUE(root.Open(HKEY_CURRENT_USER, m_key.Path(), KEY_ALL_ACCESS));
    ASSERT_TRUE(WriteDword(L"Sub\\Number", 42, root.Get()));
    DWORD number = 0;
    EXPECT_TRUE(ReadDword(Path(L"Sub\\Number"), number));
    EXPECT_EQ(number, 42u);
    EXPECT_FALSE(ReadDword(L"Sub\\Number", number));
}

TEST_F(Registry, ListSubkeysAppendsEveryName)
{
    const wchar_t* names[] = {L"Beta", L"alpha", L"\u00DCbersicht \u6771\u4EAC"};
    for (const wchar_t* name : names)
        ASSERT_TRUE(WriteDword(Path(L"List\\") + name + L"\\V", 1));
    StringArray listed;
    listed.Add(String(L"kept"));
    ASSERT_TRUE(ListSubkeys(Path(L"List"), listed));
    ASSERT_EQ(listed.GetSize(), 4);
    EXPECT_EQ(listed[0], String(L"kept"));
    for (const wchar_t* name : names)
        EXPECT_TRUE(listed[1] == name || listed[2] == name || listed[3] == name) << std::wstring(name);
    EXPECT_FALSE(ListSubkeys(Path(L"Absent"), listed));
}

TEST_F(Registry, DeleteKeyRemovesTheWholeTreeButNeverTheRoot)
{
    ASSERT_TRUE(WriteDword(Path(L"Tree\\A\\B\\V"), 1));
    ASSERT_TRUE(WriteDword(Path(L"Sibling\\V"), 1));
    EXPECT_TRUE(DeleteKey(Path(L"Tree")));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, Path(L"Tree")));
    EXPECT_FALSE(DeleteKey(Path(L"Tree")));

    RegistryKey root;
    ASSERT_TRUE(root.Open(HKEY_CURRENT_USER, m_key.Path(), KEY_ALL_ACCESS));
    EXPECT_FALSE(DeleteKey(L"", root.Get()));
    EXPECT_FALSE(DeleteKey(nullptr, root.Get()));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, Path(L"Sibling")));
}

TEST_F(Registry, ProgramKeysCarryTheVersion)
{
    EXPECT_EQ(ProgramKey(CompanyName, L"Pellory", 1, 5).Path(), String(L"Software\\Zantric\\Pellory\\1.05"));
    EXPECT_EQ(ProgramKey(CompanyName, L"Corvane", 1, 20).ValuePath(L"Preferences", L"Values"),
              String(L"Software\\Zantric\\Corvane\\1.20\\Preferences\\Values"));

    // Software\VellumateTests\<unique>\Tarnwell\<version>
    String company = m_key.Path().Mid(static_cast<int>(std::wcslen(L"Software\\")));
    ProgramKey current(company, L"Tarnwell", 1, 30);
    ASSERT_TRUE(current.WriteText(L"Strings", L"Opened Folder", L"\\My Documents"));
    EXPECT_EQ(GetRaw(L"Tarnwell\\1.30\\Strings", L"Opened Folder").type, static_cast<DWORD>(REG_SZ));
    String text;
    EXPECT_TRUE(current.ReadText(L"Strings", L"Opened Folder", text, 260, L""));
    EXPECT_EQ(text, String(L"\\My Documents"));
    EXPECT_FALSE(ProgramKey(company, L"Tarnwell", 1, 31).ReadText(L"Strings", L"Opened Folder", text, 260, L""));
}

TEST(EmptyProgramKey, ReadsGiveDefaultsAndWritesDoNothing)
{
    ProgramKey empty(CompanyName, L"", 1, 0);
    ASSERT_TRUE(empty.IsEmpty());
    EXPECT_FALSE(empty.WriteDword(L"UI Info", L"Values", 1));
    EXPECT_FALSE(empty.WriteBinary(L"UI Info", L"Values", "abcd", 4));
    EXPECT_FALSE(empty.WriteText(L"Strings", L"Opened Folder", L"\\x"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, L"UI Info"));

    DWORD word = 77;
    EXPECT_FALSE(empty.ReadBinary(L"UI Info", L"Values", &word, 4));
    EXPECT_EQ(word, 77u);
    String text(L"previous");
    EXPECT_FALSE(empty.ReadText(L"Strings", L"Opened Folder", text, 260, L"default"));
    EXPECT_EQ(text, String(L"default"));
}

}  // namespace
