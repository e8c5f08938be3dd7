// Small text operations on top of String and StringArray.
#pragma once

#include "framework/String.h"
#include "framework/StringArray.h"

// Sets field to the n-th (from 0) field of text, fields being separated by
// separator; the last field runs to the end. With fewer than n separators (or
// a null text) field is made empty and the result is false.
bool ExtractField(String& field, const wchar_t* text, int n, wchar_t separator);

// Appends to tokens every piece of text between characters of separators;
// runs of separators count as one and empty pieces are dropped. With trim,
// whitespace around each piece is removed first (a piece left empty is
// dropped as well).
void SplitTokens(const wchar_t* text, const wchar_t* separators, StringArray& tokens, bool trim);

// Appends the elements of tokens to text with separator between them.
void JoinTokens(String& text, const StringArray& tokens, const wchar_t* separator);

// text without any character of separators.
String StripChars(const wchar_t* text, const wchar_t* separators);

// text cut to at most maximum characters, with "..." standing for the part
// left out: the start is kept (keepStart) or the end.
String Abbreviate(const wchar_t* text, int maximum, bool keepStart);
