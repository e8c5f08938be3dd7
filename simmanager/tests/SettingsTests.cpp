// Pellory's settings in the real registry, under a scratch key of the test's own.
#include "simmanager/Settings.h"

#include "simmanager/DisplayRules.h"
#include "simmanager/tests/RecordedMessages.h"

#include "framework/testsupport/StringPrinting.h"
#include "framework/testsupport/TestScratch.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class PellorySettingsTest : public ::testing::Test {
protected:
    String Key() const { return m_scratch / L"Pellory\\1.10"; }
    void SetDword(const wchar_t* name, DWORD value)
    {
        ASSERT_TRUE(SetRawRegistryValue(HKEY_CURRENT_USER, Key(), name, REG_DWORD, &value, sizeof value));
    }
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_TRUE(SetRawRegistryValue(HKEY_CURRENT_USER, Key(), name, type, data, size));
    }

    TestRegistryKey m_scratch;
};

TEST(PelloryKey, IsTheProgramsVersionKey)
{
    EXPECT_EQ(PelloryKeyPath(), L"Software\\Zantric\\Pellory\\1.10");
}

TEST_F(PellorySettingsTest, AMissingKeyIsCreatedWithBothNumbersZero)
{
    ASSERT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, Key()));
    PellorySettings settings = LoadSettings(Key());
    EXPECT_EQ(settings.sortKey, SortKey::Name);
    EXPECT_EQ(settings.displayKey, DisplayKey::Names);
    EXPECT_TRUE(settings.displayRules.empty());

    for (const wchar_t* name : {L"SortKey", L"DisplayKey"}) {
        RawRegistryValue value = GetRawRegistryValue(HKEY_CURRENT_USER, Key(), name);
        ASSERT_TRUE(value.exists) << name;
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD));
        ASSERT_EQ(value.data.size(), 4u);
        EXPECT_EQ(value.data[0] | value.data[1] | value.data[2] | value.data[3], 0);
    }
    EXPECT_FALSE(GetRawRegistryValue(HKEY_CURRENT_USER, Key(), L"DisplayRules").exists);
}

TEST_F(PellorySettingsTest, StoredValuesAreRead)
{
    SetDword(L"SortKey", 2);
    SetDword(L"DisplayKey", 1);
    std::vector<wchar_t> rules(DisplayRulesCharacters, L'\0');
    std::memcpy(rules.data(), L"xxx-xxxx\0xx", 12 * sizeof(wchar_t));
    SetRaw(L"DisplayRules", REG_MULTI_SZ, rules.data(), DisplayRulesBytes);

    PellorySettings settings = LoadSettings(Key());
    EXPECT_EQ(settings.sortKey, SortKey::Index);
    EXPECT_EQ(settings.displayKey, DisplayKey::Numbers);
    ASSERT_EQ(settings.displayRules.size(), static_cast<size_t>(DisplayRulesCharacters));
    RecordedMessages messages;
    DisplayRuleList list;
    list.Parse(settings.displayRules.data(), static_cast<int>(settings.displayRules.size()), messages);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Rule(1).Text(), L"xx");
}

TEST_F(PellorySettingsTest, ValuesOfTheWrongTypeSizeOrRangeKeepTheirDefaults)
{
    SetRaw(L"SortKey", REG_SZ, L"1", 4);
    SetDword(L"DisplayKey", 7);
    std::vector<wchar_t> tooLong(DisplayRulesCharacters + 200, L'x');
    tooLong.back() = L'\0';
    SetRaw(L"DisplayRules", REG_MULTI_SZ, tooLong.data(), static_cast<DWORD>(tooLong.size() * sizeof(wchar_t)));

    PellorySettings settings = LoadSettings(Key());
    EXPECT_EQ(settings.sortKey, SortKey::Name);
    EXPECT_EQ(settings.displayKey, DisplayKey::Names);
    EXPECT_TRUE(settings.displayRules.empty());

    SetDword(L"SortKey", 3);
    const BYTE shortNumber[2] = {1, 0};
    SetRaw(L"DisplayKey", REG_BINARY, shortNumber, 2);
    SetRaw(L"DisplayRules", REG_SZ, L"xxx", 8);
    settings = LoadSettings(Key());
    EXPECT_EQ(settings.sortKey, SortKey::Name);
    EXPECT_EQ(settings.displayKey, DisplayKey::Names);
    EXPECT_TRUE(settings.displayRules.empty());
}

TEST_F(PellorySettingsTest, WrittenRulesFillTheWholeValueAndLeaveOutWhatDoesNotFit)
{
    StringArray texts;
    texts.Add(L"xxx-xxxx");
    texts.Add(String(L'x', 1000));
    texts.Add(String(L'9', 100));  // 1010 of 1024 characters are used: this does not fit
    texts.Add(L"");
    texts.Add(L"(xx)");
    ASSERT_TRUE(WriteDisplayRules(texts, Key()));
    ASSERT_TRUE(WriteSortKey(SortKey::Number, Key()));
    ASSERT_TRUE(WriteDisplayKey(DisplayKey::Numbers, Key()));

    RawRegistryValue value = GetRawRegistryValue(HKEY_CURRENT_USER, Key(), L"DisplayRules");
    ASSERT_TRUE(value.exists);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(value.data.size(), static_cast<size_t>(DisplayRulesBytes));

    PellorySettings settings = LoadSettings(Key());
    EXPECT_EQ(settings.sortKey, SortKey::Number);
    EXPECT_EQ(settings.displayKey, DisplayKey::Numbers);
    RecordedMessages messages;
    DisplayRuleList list;
    list.Parse(settings.displayRules.data(), static_cast<int>(settings.displayRules.size()), messages);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Rule(0).Text(), L"xxx-xxxx");
    EXPECT_EQ(list.Rule(1).Length(), 1000);
    EXPECT_EQ(list.Rule(2).Text(), L"(xx)");
}

}  // namespace
