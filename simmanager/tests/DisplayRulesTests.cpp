// Display rules: laying numbers out, and reading the stored list within its
// limits.
#include "simmanager/DisplayRules.h"
#include "simmanager/resource.h"
#include "simmanager/tests/RecordedMessages.h"

#include "framework/testsupport/StringPrinting.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

namespace {

std::vector<wchar_t> MultiString(std::initializer_list<const wchar_t*> texts)
{
    std::vector<wchar_t> buffer;
    for (const wchar_t* text : texts) {
        buffer.insert(buffer.end(), text, text + std::wcslen(text));
        buffer.push_back(L'\0');
    }
    buffer.push_back(L'\0');
    return buffer;
}

// Characters that end right before a page the process may not read: a
// parser that reads one character too far faults.
class GuardedText {
public:
    explicit GuardedText(const std::vector<wchar_t>& text)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        m_page = info.dwPageSize;
        m_base = static_cast<BYTE*>(VirtualAlloc(nullptr, 3 * m_page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(m_base + 2 * m_page, m_page, PAGE_NOACCESS, &old);
        m_chars = reinterpret_cast<wchar_t*>(m_base + 2 * m_page) - text.size();
        std::wmemcpy(m_chars, text.data(), text.size());
    }
    ~GuardedText() { VirtualFree(m_base, 0, MEM_RELEASE); }
    const wchar_t* Chars() const { return m_chars; }

private:
    DWORD m_page = 0;
    BYTE* m_base = nullptr;
    wchar_t* m_chars = nullptr;
};

TEST(DisplayRule, PlaceholdersTakeDigitsAndLayoutIsCopied)
{
    DisplayRule dashed(L"xxx-xxxx");
    EXPECT_EQ(dashed.PlaceholderCount(), 7);
    String shown;
    ASSERT_TRUE(dashed.Apply(L"5550100", shown));
    EXPECT_EQ(shown, L"555-0100");
    EXPECT_FALSE(dashed.Apply(L"55501000", shown));
    EXPECT_FALSE(dashed.Apply(L"555010", shown));

    DisplayRule fixed(L"1xxx");
    EXPECT_TRUE(fixed.Apply(L"1234", shown));
    EXPECT_EQ(shown, L"1234");
    EXPECT_FALSE(fixed.Apply(L"2234", shown));

    DisplayRule international(L"+XX(XX)XXX*p");
    ASSERT_TRUE(international.Apply(L"+4930123", shown));
    EXPECT_EQ(shown, L"+49(30)123*p");
    EXPECT_FALSE(international.Apply(L"04930123", shown));
}

TEST(DisplayRuleList, TheFirstFittingRuleWinsElseTheNumberStays)
{
    RecordedMessages messages;
    DisplayRuleList rules;
    std::vector<wchar_t> stored = MultiString({L"xxx-xxxx", L"0xx-xxxxxx", L"xxxxxxx"});
    rules.Parse(stored.data(), static_cast<int>(stored.size()), messages);
    ASSERT_EQ(rules.Count(), 3);
    EXPECT_EQ(rules.Apply(L"5550100"), L"555-0100");
    EXPECT_EQ(rules.Apply(L"030123456"), L"030-123456");
    EXPECT_EQ(rules.Apply(L"55501000"), L"55501000");
    EXPECT_EQ(rules.Apply(L""), L"");
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(rules.Texts().GetSize(), 3);
}

TEST(DisplayRuleList, RulesAfterTheThirtySecondAreRefusedOneByOne)
{
    std::vector<wchar_t> stored;
    for (int i = 0; i < 35; ++i) {
        wchar_t text[8];
        swprintf(text, 8, L"%dxx", i % 10);
        stored.insert(stored.end(), text, text + std::wcslen(text) + 1);
    }
    stored.push_back(L'\0');
    RecordedMessages messages;
    DisplayRuleList rules;
    rules.Parse(stored.data(), static_cast<int>(stored.size()), messages);
    EXPECT_EQ(rules.Count(), DisplayRuleList::MaxRules);
    EXPECT_EQ(messages.Ids(), (std::vector<UINT>{IDS_TOO_MANY_RULES, IDS_TOO_MANY_RULES, IDS_TOO_MANY_RULES}));
    EXPECT_EQ(rules.Rule(31).Text(), L"1xx");
}

TEST(DisplayRuleList, ReadsNeitherPastTheBufferNorPastTheScanLimit)
{
    RecordedMessages messages;
    DisplayRuleList rules;

    // No terminator at all: the last text ends with the buffer.
    std::vector<wchar_t> open = {L'x', L'x', L'\0', L'x', L'-', L'x'};
    GuardedText guarded(open);
    rules.Parse(guarded.Chars(), static_cast<int>(open.size()), messages);
    ASSERT_EQ(rules.Count(), 2);
    EXPECT_EQ(rules.Rule(1).Text(), L"x-x");

    // A value longer than the scan: only its first 1024 characters count.
    std::vector<wchar_t> longValue(2000, L'x');
    longValue[9] = L'\0';
    rules.Parse(longValue.data(), static_cast<int>(longValue.size()), messages);
    ASSERT_EQ(rules.Count(), 2);
    EXPECT_EQ(rules.Rule(1).Length(), DisplayRuleList::MaxScan - 10);

    // An empty value, and a null one.
    std::vector<wchar_t> empty = {L'\0', L'\0'};
    rules.Parse(empty.data(), 2, messages);
    EXPECT_EQ(rules.Count(), 0);
    rules.Parse(nullptr, 10, messages);
    EXPECT_EQ(rules.Count(), 0);
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
