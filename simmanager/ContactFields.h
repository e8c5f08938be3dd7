// What the program knows of contacts without talking to them: the names of
// their properties by bit of a property mask, the column lists and the
// restriction texts made from them, the eight kinds of phone number a SIM
// entry can carry in its name, and how such a name is made from a contact's
// names and read back into them.
#pragma once

#include "framework/String.h"

#include <windows.h>

// The folder whose properties the table names.
inline constexpr int ContactsFolder = 10;
// The properties both copy commands read: birthday, fax, mobile, work, home,
// car, radio, first, middle and last name, assistant.
inline constexpr DWORD ContactCopyMask = 0x2E001F3;
inline constexpr DWORD FirstNameBit = 21;
inline constexpr DWORD LastNameBit = 23;

// The table entry of `bit` (0 to 31) for `folder`: one name or several
// separated by ","; empty for another folder or bit.
const wchar_t* ContactPropertyEntry(int folder, int bit) noexcept;

// The names of every bit of `mask`, in bit order, joined with ",".
String ContactColumnList(int folder, DWORD mask);

// Comparison operators of a restriction clause.
enum class RestrictionOperator : int {
    Less = 3,
    LessEqual = 4,
    Greater = 5,
    GreaterEqual = 6,
    Equal = 7,
    NotEqual = 8,
};
// How a clause joins the clauses before it.
enum class RestrictionJoiner : int { None = 0, And = 1, Or = 2 };

// Appends "[Property] op "value"" (after the joiner) to `restriction`. The
// property is the entry of the mask's highest bit; in an entry of several
// names, the mask's lower bits count which one (from 0). A quote inside the
// value is doubled, so that a name with one stays one value. False (and
// nothing appended) when the mask names no property.
bool AppendRestrictionClause(String& restriction, int folder, DWORD mask, RestrictionOperator op, const wchar_t* value,
                             RestrictionJoiner joiner);

// Kinds of phone number, 1 to 8; kind k's label is string 40252 + k.
inline constexpr int NumberKindCount = 8;
inline constexpr int DefaultNumberKind = 2;
UINT NumberKindLabelId(int kind) noexcept;

// The labels of the eight kinds, as the resources have them.
class NumberKindLabels {
public:
    // Loads strings 40253 to 40260 from the resource module.
    static NumberKindLabels Load();
    // Labels given by the caller (kinds 1 to 8 in order).
    explicit NumberKindLabels(const String (&labels)[NumberKindCount]);

    const String& Of(int kind) const noexcept;

private:
    NumberKindLabels() = default;
    String m_labels[NumberKindCount];
};

// Names longer than this are not split into contact names.
inline constexpr int MaxSplitNameLength = 47;
// A contact's name parts are cut to this many characters for a SIM name.
inline constexpr int MaxSimNamePart = 48;

// The SIM name for a contact's number: first name, a blank, last name, "/"
// and the label, the names shortened alternately (first name first, neither
// below 3 characters) until it fits `maxNameLength`. A name that still does
// not fit is returned longer: the slot cuts it.
String ComposeSimName(const wchar_t* firstName, const wchar_t* lastName, const wchar_t* label, int maxNameLength);

// A SIM name read back: the contact names and the kind of its number.
struct SplitSimName {
    String firstName;
    String lastName;
    int kind = DefaultNumberKind;
    bool tooLong = false;  // longer than MaxSplitNameLength: no names, kind 2
};
// The label is found as "/" + label, the kinds tried from 8 down to 1 (the
// first kind found wins; the name ends at its "/"). Blanks around go; the
// first name runs to the next blank, the last name is what follows the
// blanks after it, when that is at least two characters.
SplitSimName SplitSimEntryName(const wchar_t* name, const NumberKindLabels& labels);
