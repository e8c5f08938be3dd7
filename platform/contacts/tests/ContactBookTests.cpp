// The Contacts database file both ways and the restriction texts a program
// sends, natively: what is written reads back the same, a file cut short or
// changed is refused whole, and restrictions match as the object model's do.
#include "platform/contacts/ContactBook.h"
#include "platform/contacts/Restriction.h"

#include <gtest/gtest.h>

#include <string>

using namespace vellumate::contacts;

namespace {

Contact Person(std::uint32_t oid, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values)
{
    Contact contact;
    contact.oid = oid;
    for (const auto& [name, value] : values)
        contact.Set(name, value);
    return contact;
}

TEST(ContactBookFile, ReadsBackWhatItWroteAndRefusesAnythingCutOrChanged)
{
    ContactBook book;
    book.notes = {L"# the handset's contacts"};
    book.contacts = {
        Person(1, {{L"FirstName", L"Ann"}, {L"LastName", L"Lee"}, {L"MobileTelephoneNumber", L"(0161) 555-0101"}}),
        Person(4, {{L"FileAs", L"Ünal, Çelik"}, {L"Body", L"line one\nline two\\ with\ttab"}, {L"Birthday", L"29221"}}),
        Person(7, {}),
    };
    book.nextOid = 8;
    const std::string text = FormatContactBook(book);
    ContactsReading reading = ParseContactBook(text);
    ASSERT_TRUE(reading.book);
    EXPECT_EQ(*reading.book, book);

    // Every cut of the file is refused, not read in part.
    for (std::size_t length = 0; length < text.size(); length += 7)
        EXPECT_FALSE(ParseContactBook(text.substr(0, length)).book) << length;
    // A changed byte breaks the seal.
    std::string changed = text;
    changed[changed.find("Lee")] = 'T';
    EXPECT_FALSE(ParseContactBook(changed).book);

    // What a new contact gets: the next number, which then moves on.
    Contact added = Person(0, {{L"LastName", L"Khan"}});
    ASSERT_TRUE(book.Store(added));
    EXPECT_EQ(added.oid, 8u);
    EXPECT_EQ(book.nextOid, 9u);
    EXPECT_TRUE(book.Remove(1));
    EXPECT_FALSE(book.Remove(1));
    EXPECT_EQ(ParseContactBook(FormatContactBook(book)).book, book);

    // Values a contact cannot hold.
    EXPECT_FALSE(CheckPropertyValue(L"FirstName", std::wstring(5000, L'a')).empty());
    EXPECT_FALSE(CheckPropertyValue(L"FirstName", L"a\x01").empty());
    EXPECT_FALSE(CheckPropertyValue(L"Birthday", L"1/1/2000").empty());
    EXPECT_TRUE(CheckPropertyValue(L"Body", L"two\nlines").empty());
}

TEST(ContactRestrictions, MatchAsTheObjectModelsFindDoes)
{
    const Contact ann = Person(1, {{L"FirstName", L"Ann"}, {L"LastName", L"Lee"}});
    const Contact bob = Person(2, {{L"FirstName", L"Bob"}, {L"LastName", L"Lee"}});
    const Contact plumber = Person(3, {{L"FileAs", L"Plumber"}});
    struct Case {
        const wchar_t* text;
        bool ann, bob, plumber;
    };
    for (const Case& c : {
             Case{L"[FirstName] = \"Ann\" OR [LastName] = \"Lee\"", true, true, false},
             Case{L"[FirstName] = \"ann\"", true, false, false},
             Case{L"[FirstName] <> \"Ann\"", false, true, false},  // no first name passes no comparison
             Case{L"[FirstName] < \"B\"", true, false, false},
             Case{L"[FirstName] <= \"Bob\" AND [LastName] >= \"Lee\"", true, true, false},
             Case{L"[FirstName] > \"Ann\"", false, true, false},
             Case{L"[FileAs] = \"Plumber\" OR [FirstName] = \"Bob\" AND [LastName] = \"Smith\"", false, false, true},
             Case{L"([FileAs] = \"Plumber\" OR [FirstName] = \"Bob\") AND [LastName] = \"Lee\"", false, true, false},
             Case{L"NOT [FirstName] = \"Ann\"", false, true, true},
             Case{L"[LastName]=Lee", true, true, false},
             Case{L"[FirstName] = \"A\"\"nn\"", false, false, false},
         }) {
        SCOPED_TRACE(std::string(c.text, c.text + std::wcslen(c.text)));
        const std::optional<Restriction> restriction = Restriction::Parse(c.text);
        ASSERT_TRUE(restriction);
        EXPECT_EQ(restriction->Matches(ann), c.ann);
        EXPECT_EQ(restriction->Matches(bob), c.bob);
        EXPECT_EQ(restriction->Matches(plumber), c.plumber);
    }
    for (const wchar_t* bad : {L"", L"[FirstName]", L"[Nickname] = \"x\"", L"[FirstName] = \"x", L"[FirstName] ! \"x\"",
                               L"[FirstName] = \"x\" AND", L"(([FirstName] = \"x\")", L"[FirstName] = \"x\")"})
        EXPECT_FALSE(Restriction::Parse(bad)) << std::string(bad, bad + std::wcslen(bad));
    EXPECT_FALSE(Restriction::Parse(std::wstring(100, L'(') + L"[FirstName] = \"x\"" + std::wstring(100, L')')));

    EXPECT_EQ(ParseColumns(L"FirstName, LastName,MobileTelephoneNumber")->size(), 3u);
    EXPECT_FALSE(ParseColumns(L"FirstName,,LastName"));
    EXPECT_EQ(ParseSortProperty(L"[lastname]"), L"LastName");
}

}  // namespace
