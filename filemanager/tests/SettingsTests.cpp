#include "filemanager/Settings.h"
#include "framework/testsupport/StringPrinting.h"
#include "framework/testsupport/TestScratch.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

// Tarnwell's key below a scratch key of the test's own:
// Software\VellumateTests\<unique>\Tarnwell\1.30.
class TarnwellSettings : public ::testing::Test {
protected:
    ProgramKey Key() const { return ProgramKey(m_company, L"Tarnwell", 1, 30); }

    void PutRaw(const wchar_t* subkey, const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        String keyPath = Key().Path() + L"\\" + subkey;
        ASSERT_TRUE(SetRawRegistryValue(HKEY_CURRENT_USER, keyPath, name, type, data, size));
    }

    RawRegistryValue GetRaw(const wchar_t* subkey, const wchar_t* name) const
    {
        String keyPath = Key().Path() + L"\\" + subkey;
        return GetRawRegistryValue(HKEY_CURRENT_USER, keyPath, name);
    }

    TestRegistryKey m_scratch;
    String m_company = m_scratch.Path().Mid(static_cast<int>(std::wcslen(L"Software\\")));
};

TEST_F(TarnwellSettings, AFirstStartHasTheDefaults)
{
    AppSettings settings = LoadAppSettings(Key());
    EXPECT_EQ(settings.sortState, 0u);
    EXPECT_EQ(settings.preferences, 0x3FDu);
    EXPECT_TRUE(settings.openedFolder.IsEmpty());
}

TEST_F(TarnwellSettings, SavedSettingsAreLoadedAgain)
{
    AppSettings saved;
    saved.sortState = 0x5;
    saved.preferences = 0x3FD | PreferenceRememberFolder;
    ASSERT_TRUE(SaveAppSettings(Key(), saved, L"\\Storage Card\\Fotos \u00FCber \u6771\u4EAC"));

    EXPECT_EQ(GetRaw(L"UI Info", L"Values").type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(GetRaw(L"Preferences", L"Values").data.size(), 4u);
    EXPECT_EQ(GetRaw(L"Strings", L"Opened Folder").type, static_cast<DWORD>(REG_SZ));

    AppSettings loaded = LoadAppSettings(Key());
    EXPECT_EQ(loaded.sortState, 0x5u);
    EXPECT_EQ(loaded.preferences, 0x3FDu | PreferenceRememberFolder);
    EXPECT_EQ(loaded.openedFolder, String(L"\\Storage Card\\Fotos \u00FCber \u6771\u4EAC"));
}

TEST_F(TarnwellSettings, TheFolderIsForgottenUnlessThePreferenceSaysSo)
{
    AppSettings settings;
    settings.preferences = 0x3FD & ~PreferenceRememberFolder;
    PutRaw(L"Strings", L"Opened Folder", REG_SZ, L"\\Old", 10);
    ASSERT_TRUE(SaveAppSettings(Key(), settings, L"\\My Documents"));
    RawRegistryValue folder = GetRaw(L"Strings", L"Opened Folder");
    ASSERT_TRUE(folder.exists);
    EXPECT_EQ(folder.data.size(), sizeof(wchar_t));
    EXPECT_TRUE(LoadAppSettings(Key()).openedFolder.IsEmpty());

    settings.preferences |= PreferenceRememberFolder;
    ASSERT_TRUE(SaveAppSettings(Key(), settings, nullptr));
    EXPECT_TRUE(LoadAppSettings(Key()).openedFolder.IsEmpty());
}

TEST_F(TarnwellSettings, ValuesOfAnotherSizeOrTypeGiveTheDefaults)
{
    const BYTE bytes[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    PutRaw(L"UI Info", L"Values", REG_BINARY, bytes, 3);
    PutRaw(L"Preferences", L"Values", REG_BINARY, bytes, 3);
    AppSettings settings = LoadAppSettings(Key());
    EXPECT_EQ(settings.sortState, 0u);
    EXPECT_EQ(settings.preferences, 0x3FDu);

    PutRaw(L"UI Info", L"Values", REG_BINARY, bytes, 8);
    PutRaw(L"Preferences", L"Values", REG_DWORD, bytes, 4);
    PutRaw(L"Strings", L"Opened Folder", REG_EXPAND_SZ, L"\\x", 6);
    settings = LoadAppSettings(Key());
    EXPECT_EQ(settings.sortState, 0u);
    EXPECT_EQ(settings.preferences, 0x3FDu);
    EXPECT_TRUE(settings.openedFolder.IsEmpty());

    // A stored word of 0 is a valid word, not a missing one.
    const DWORD zero = 0;
    PutRaw(L"Preferences", L"Values", REG_BINARY, &zero, 4);
    EXPECT_EQ(LoadAppSettings(Key()).preferences, 0u);
}

TEST_F(TarnwellSettings, AFolderLongerThan260CharactersIsNotTaken)
{
    String exactly = L"\\" + String(L'f', 259);
    AppSettings settings;
    settings.preferences = DefaultPreferences;
    ASSERT_TRUE(SaveAppSettings(Key(), settings, exactly));
    EXPECT_EQ(LoadAppSettings(Key()).openedFolder, exactly);

    ASSERT_TRUE(SaveAppSettings(Key(), settings, exactly + L"g"));
    EXPECT_TRUE(LoadAppSettings(Key()).openedFolder.IsEmpty());
}

TEST_F(TarnwellSettings, ANewVersionStartsAfresh)
{
    AppSettings settings;
    settings.sortState = 3;
    settings.preferences = 0x1;
    ASSERT_TRUE(SaveAppSettings(ProgramKey(m_company, L"Tarnwell", 1, 20), settings, L"\\x"));
    AppSettings loaded = LoadAppSettings(Key());
    EXPECT_EQ(loaded.sortState, 0u);
    EXPECT_EQ(loaded.preferences, 0x3FDu);
}

TEST(TarnwellSettingsKey, WithoutAKeyNothingIsReadOrWritten)
{
    AppSettings settings;
    settings.sortState = 6;
    settings.preferences = 0x7;
    EXPECT_FALSE(SaveAppSettings(ProgramKey(), settings, L"\\x"));
    AppSettings loaded = LoadAppSettings(ProgramKey());
    EXPECT_EQ(loaded.sortState, 0u);
    EXPECT_EQ(loaded.preferences, 0x3FDu);
}

// The program's real key, shared with every other test that runs Tarnwell:
// held under a lock, and removed afterwards.
TEST(TarnwellSettingsKey, LivesUnderTheMakersKey)
{
    ProgramKey key = TarnwellProgramKey();
    ASSERT_EQ(key.Path(), String(L"Software\\Zantric\\Tarnwell\\1.30"));

    CrossProcessLock lock(L"VellumateTests.Software.Zantric.Tarnwell");
    ASSERT_TRUE(lock.Held());

    AppSettings settings;
    settings.sortState = 2;
    settings.preferences = 0x3FD;
    bool saved = SaveAppSettings(key, settings, L"\\My Documents");
    RawRegistryValue folder =
        GetRawRegistryValue(HKEY_CURRENT_USER, L"Software\\Zantric\\Tarnwell\\1.30\\Strings", L"Opened Folder");
    AppSettings loaded = LoadAppSettings(key);
    // Parents go only when nothing else lives in them.
    DeleteKey(key.Path());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Zantric\\Tarnwell");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Zantric");

    EXPECT_TRUE(saved);
    EXPECT_EQ(folder.data.size(), (std::wcslen(L"\\My Documents") + 1) * sizeof(wchar_t));
    EXPECT_EQ(loaded.sortState, 2u);
    EXPECT_EQ(loaded.openedFolder, String(L"\\My Documents"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, key.Path()));
}

}  // namespace
