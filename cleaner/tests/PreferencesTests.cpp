// The intro's one preference in the registry: only the value's presence counts.
#include "cleaner/Preferences.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

constexpr wchar_t TestKey[] = L"Software\\Vellumate Tests\\Corvane\\Preferences";

TEST(IntroPreference, TheIntroShowsUntilItIsConfirmedWithTheBoxTicked)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vellumate Tests\\Corvane");
    EXPECT_EQ(PreferencesKeyPath(), L"Software\\Zantric\\Corvane\\1.20\\Preferences");

    EXPECT_TRUE(IntroWanted(TestKey));  // the key is made now
    EXPECT_TRUE(IntroWanted(TestKey));  // it has no "Values" yet
    ASSERT_TRUE(RememberIntroSeen(TestKey));
    EXPECT_FALSE(IntroWanted(TestKey));

    // Whatever the value holds, its presence is what counts.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TestKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    DWORD type = 0;
    BYTE data[8] = {};
    DWORD size = sizeof data;
    EXPECT_EQ(RegQueryValueExW(key, L"Values", nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 4u);
    RegSetValueExW(key, L"Values", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 4);
    RegCloseKey(key);
    EXPECT_FALSE(IntroWanted(TestKey));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vellumate Tests\\Corvane");
}

}  // namespace
