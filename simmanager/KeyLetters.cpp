#include "simmanager/KeyLetters.h"

#include "simmanager/resource.h"

#include <cwchar>
#include <iterator>

namespace {

wchar_t UpperCase(wchar_t ch) noexcept
{
    // CharUpperW takes a single character in the low word of its argument.
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(UINT_PTR{ch}))));
}

}  // namespace

void KeyLetters::Load(HINSTANCE module)
{
    for (int digit = 0; digit < KeyTotal; ++digit) {
        wchar_t buffer[64] = {};
        int length = LoadStringW(module, IDS_KEY_LETTERS_0 + digit, buffer, static_cast<int>(std::size(buffer)));
        Set(digit, length > 0 ? buffer : L"");
    }
}

void KeyLetters::Set(int digit, const wchar_t* letters)
{
    if (digit < 0 || digit >= KeyTotal)
        return;
    m_letters[digit] = String(letters ? letters : L"", static_cast<int>(wcsnlen(letters ? letters : L"", MaxLetters)));
    m_upper[digit] = m_letters[digit];
    m_upper[digit].MakeUpper();
}

const String& KeyLetters::Letters(int digit) const noexcept
{
    static const String none;
    return digit >= 0 && digit < KeyTotal ? m_letters[digit] : none;
}

bool KeyLetters::Matches(int digit, wchar_t ch) const noexcept
{
    if (digit < 0 || digit >= KeyTotal || ch == L'\0')
        return false;
    return m_letters[digit].Find(ch) >= 0 || m_upper[digit].Find(UpperCase(ch)) >= 0;
}

int KeypadMatch(const wchar_t* text, const int* keys, int keyCount, const KeyLetters& letters) noexcept
{
    if (!text)
        return -1;
    if (keyCount <= 0)
        return 0;
    int length = static_cast<int>(std::wcslen(text));
    for (int position = 0; position + keyCount <= length; ++position) {
        int key = 0;
        while (key < keyCount && letters.Matches(keys[key], text[position + key]))
            ++key;
        if (key == keyCount)
            return position;
    }
    return -1;
}
