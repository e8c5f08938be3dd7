// A restriction of the contacts object model: which contacts a Find or a
// Restrict takes, written as a program writes it:
//
//   [FirstName] = "Ann" OR [LastName] = "Lee"
//   ([CompanyName] <> "") AND [LastName] >= "M"
//
// A comparison is a bracketed property name, one of < <= > >= = <>, and a
// value: quoted ("" inside stands for one quote) or a bare word. AND binds
// before OR; NOT negates what follows; parentheses group. Values compare as
// texts, ignoring the case of A to Z; a contact without the property passes no
// comparison of it (not even <>).
//
// Parsing is bounded (length, nesting, comparisons) and never throws; a text
// that is no restriction gives nothing. Portable C++ without Win32.
#pragma once

#include "platform/contacts/ContactBook.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumate::contacts {

inline constexpr std::size_t MaxRestrictionLength = 8192;
inline constexpr int MaxRestrictionDepth = 32;
inline constexpr std::size_t MaxComparisons = 256;

class Restriction {
public:
    struct Node;

    static std::optional<Restriction> Parse(std::wstring_view text) noexcept;

    bool Matches(const Contact& contact) const noexcept;

    Restriction(Restriction&&) noexcept;
    Restriction& operator=(Restriction&&) noexcept;
    ~Restriction();

private:
    explicit Restriction(std::unique_ptr<Node> root) noexcept;
    std::unique_ptr<Node> m_root;
};

// Compares two texts as restrictions and sorting do: <0, 0 or >0.
int CompareValues(std::wstring_view a, std::wstring_view b) noexcept;

// A column list ("FirstName,LastName"): the property names it holds, or
// nothing when one of them is no contact property. Blanks around names are
// allowed; an empty list is an empty vector.
std::optional<std::vector<std::wstring_view>> ParseColumns(std::wstring_view text);

// A sort key ("[LastName]" or "LastName"): the property, or nothing.
std::optional<std::wstring_view> ParseSortProperty(std::wstring_view text) noexcept;

}  // namespace vellumate::contacts
