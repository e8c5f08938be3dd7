// The edit fields of Pellory's dialogs: fields that take only the characters
// of a number or of a display rule, and texts the menus put in at the caret.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// Whether a field takes a character.
using CharacterRule = bool (*)(wchar_t character) noexcept;

// From now on `field` takes only characters the rule allows (typed or pasted;
// control keys such as backspace pass). False when the field is missing.
bool RestrictCharacters(HWND field, CharacterRule allowed) noexcept;

// Puts `text` in at the caret (over a selection) and the caret after it.
void InsertAtCaret(HWND field, const wchar_t* text);

// At most `limit` characters of a dialog control's text.
std::wstring FieldText(HWND dialog, int control, std::size_t limit);

// Whether a dialog control holds any text.
bool FieldHasText(HWND dialog, int control) noexcept;
