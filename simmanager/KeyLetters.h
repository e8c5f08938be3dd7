// KeyLetters: the characters each digit key stands for in the keypad search,
// from strings 40224 (key 0) to 40233 (key 9) of the resource module.
#pragma once

#include "framework/String.h"

#include <windows.h>

class KeyLetters {
public:
    static constexpr int KeyTotal = 10;
    static constexpr int MaxLetters = 12;

    // Loads the ten texts; a missing string leaves its key without letters.
    void Load(HINSTANCE module);
    // Sets one key's letters (cut to MaxLetters).
    void Set(int digit, const wchar_t* letters);
    const String& Letters(int digit) const noexcept;

    // True when `ch` is one of the key's letters. Letters compare without
    // regard to case: a user who types "2" for "b" means "B" too, whatever
    // the string lists.
    bool Matches(int digit, wchar_t ch) const noexcept;

private:
    String m_letters[KeyTotal];
    String m_upper[KeyTotal];
};

// The first position p of `text` such that text[p + k] is a letter of
// keys[k] for every typed key, or -1.
int KeypadMatch(const wchar_t* text, const int* keys, int keyCount, const KeyLetters& letters) noexcept;
