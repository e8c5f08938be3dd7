// The characters numbers and display templates may hold, and the entry
// editor's checks.
#pragma once

#include "framework/String.h"

#include <windows.h>

// "0"-"9", "+", "#", "*", "p", "w".
bool IsNumberCharacter(wchar_t ch) noexcept;
// "0"-"9", "x", "X", "(", ")", "-", "#", "*", "+", "p", "w".
bool IsTemplateCharacter(wchar_t ch) noexcept;

// Only the number characters of `text` (a contact's number made fit for the SIM).
String KeepNumberCharacters(const wchar_t* text);

// True when a "+" stands anywhere but first.
bool HasMisplacedPlus(const wchar_t* number) noexcept;

// The entry editor's OK: 0 when the entry may be written, else the message:
// 40234 name too long, 40235 number too long, 40236 "+" not first, 40213
// both empty (checked in that order).
UINT CheckEntry(const wchar_t* name, const wchar_t* number, int nameLimit, int numberLimit) noexcept;
