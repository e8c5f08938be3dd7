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

// The new number for adding `prefix` to `number`: a leading "+" stays in
// front, and with `dropZero` a "0" after it goes.
String NumberWithPrefix(const wchar_t* number, const wchar_t* prefix, bool dropZero);
// The new number for removing `prefix`, false when the number does not start
// with it. A "+" of the number that the prefix lacks is kept in front; with
// `addZero` a "0" takes the prefix's place.
bool NumberWithoutPrefix(const wchar_t* number, const wchar_t* prefix, bool addZero, String& result);
