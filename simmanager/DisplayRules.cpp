#include "simmanager/DisplayRules.h"

#include "simmanager/resource.h"

#include <algorithm>
#include <cwchar>

namespace {

bool IsLayoutCharacter(wchar_t ch) noexcept
{
    return ch != L'\0' && std::wcschr(L"()-#*pw", ch);
}

}  // namespace

DisplayRule::DisplayRule(const wchar_t* text) : m_text(text ? text : L"")
{
    for (int i = 0; i < m_text.Length(); ++i) {
        if (!IsLayoutCharacter(m_text[i]))
            ++m_placeholders;
    }
}

bool DisplayRule::Apply(const wchar_t* number, String& shown) const
{
    if (!number || static_cast<int>(std::wcslen(number)) != m_placeholders)
        return false;
    String out;
    int position = 0;
    for (int i = 0; i < m_text.Length(); ++i) {
        wchar_t ch = m_text[i];
        if (IsLayoutCharacter(ch)) {
            out.Append(ch);
        } else if (ch == L'x' || ch == L'X' || ch == number[position]) {
            out.Append(number[position++]);
        } else {
            return false;
        }
    }
    shown = out;
    return true;
}

void DisplayRuleList::Parse(const wchar_t* multiString, int characters, SimMessages& messages)
{
    m_rules.clear();
    if (!multiString)
        return;
    const int limit = std::clamp(characters, 0, MaxScan);
    int position = 0;
    while (position < limit && multiString[position] != L'\0') {
        int start = position;
        while (position < limit && multiString[position] != L'\0')
            ++position;
        if (Count() < MaxRules)
            m_rules.emplace_back(String(multiString + start, position - start));
        else
            messages.Error(IDS_TOO_MANY_RULES);
        ++position;  // the terminator
    }
}

StringArray DisplayRuleList::Texts() const
{
    StringArray texts;
    for (const DisplayRule& rule : m_rules)
        texts.Add(rule.Text());
    return texts;
}

String DisplayRuleList::Apply(const wchar_t* number) const
{
    String shown;
    for (const DisplayRule& rule : m_rules) {
        if (rule.Apply(number, shown))
            return shown;
    }
    return String(number ? number : L"");
}
