// The contacts server as a handset program meets it: created through the
// registry by CoCreateInstance, read item by item, searched with the
// restriction texts a program builds, added to and saved, and read again by a
// later session; and refusing what is not a restriction without harm.
#include "platform/contacts/tests/ContactsTestSupport.h"

#include "platform/contacts/ContactsStore.h"

#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using namespace contactstest;
using namespace vellumate::contacts;

namespace {

class ContactsServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Ok()) << "cannot register " << VMCONTACTS_DLL_PATH;
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        ContactBook book;
        book.notes.push_back(L"# a test database");
        book.contacts = {
            Person(3, {{L"FirstName", L"Ann"},
                       {L"LastName", L"Lee"},
                       {L"MobileTelephoneNumber", L"(0161) 555-0101"},
                       {L"HomeTelephoneNumber", L"0161 555 0102"}}),
            Person(5, {{L"FirstName", L"Bob"}, {L"LastName", L"Lee"}, {L"CarTelephoneNumber", L"+44 7700 900123"}}),
            Person(6, {{L"FileAs", L"Plumber"}, {L"BusinessTelephoneNumber", L"0800 555 0199"}}),
            Person(9, {{L"FirstName", L"Ann"}, {L"LastName", L"Smith"}}),
        };
        book.nextOid = 10;
        WriteContacts(device, FormatContactBook(book));
    }
    void TearDown() override { ::CoUninitialize(); }

    ContactBook Stored()
    {
        ContactsReading reading = ParseContactBook(StoredBytes(device));
        EXPECT_TRUE(reading.book) << std::string(reading.problem.begin(), reading.problem.end());
        return reading.book.value_or(ContactBook{});
    }

    vellumate::TempDevice device;
    RegisteredServer server;
};

// A BSTR for the length of one call.
class Text {
public:
    explicit Text(const wchar_t* text) : m_text(::SysAllocString(text)) {}
    Text(const wchar_t* text, UINT length) : m_text(::SysAllocStringLen(text, length)) {}
    ~Text() { ::SysFreeString(m_text); }
    operator BSTR() const noexcept { return m_text; }

private:
    BSTR m_text;
};

struct Item {
    IDispatch* p = nullptr;
    ~Item()
    {
        if (p)
            p->Release();
    }
    IDispatch** operator&() { return &p; }
};

TEST_F(ContactsServer, ReadsFindsAndSavesAsAProgramDoes)
{
    {
        OpenModel model;
        ASSERT_EQ(model.failed, S_OK);
        // The program's column list: every name of the property mask's entries.
        EXPECT_EQ(model.items2->SetColumns(Text(L"Birthday,BusinessFaxNumber,HomeFaxNumber,PagerNumber,"
                                                L"MobileTelephoneNumber,BusinessTelephoneNumber,"
                                                L"Business2TelephoneNumber,HomeTelephoneNumber,Home2TelephoneNumber,"
                                                L"CarTelephoneNumber,RadioTelephoneNumber,FirstName,MiddleName,"
                                                L"LastName,AssistantName,AssistantTelephoneNumber")),
                  S_OK);
        int count = 0;
        ASSERT_EQ(model.items2->get_Count(&count), S_OK);
        ASSERT_EQ(count, 4);

        // Items in the database's order, numbered from 1, texts as stored.
        Item first, third, beyond;
        ASSERT_EQ(model.items2->Item(1, &first), S_OK);
        EXPECT_EQ(Read(first.p, L"FirstName"), L"Ann");
        EXPECT_EQ(Read(first.p, L"MiddleName"), L"");
        EXPECT_EQ(Read(first.p, L"MobileTelephoneNumber"), L"(0161) 555-0101");
        EXPECT_EQ(Read(first.p, L"HomeTelephoneNumber"), L"0161 555 0102");
        ASSERT_EQ(model.items2->Item(3, &third), S_OK);
        EXPECT_EQ(Read(third.p, L"FirstName"), L"");
        EXPECT_EQ(Read(third.p, L"BusinessTelephoneNumber"), L"0800 555 0199");
        EXPECT_EQ(model.items2->Item(5, &beyond), E_INVALIDARG);
        EXPECT_EQ(beyond.p, nullptr);
        EXPECT_EQ(model.items2->Item(0, &beyond), E_INVALIDARG);

        // The restriction a copy to Contacts builds: first name or last name.
        Item found, next, after, end;
        ASSERT_EQ(model.items2->Find(Text(L"[FirstName] = \"Ann\" OR [LastName] = \"Lee\""), &found), S_OK);
        EXPECT_EQ(Read(found.p, L"LastName"), L"Lee");
        EXPECT_EQ(Read(found.p, L"FirstName"), L"Ann");
        ASSERT_EQ(model.items2->FindNext(&next), S_OK);
        EXPECT_EQ(Read(next.p, L"FirstName"), L"Bob");
        ASSERT_EQ(model.items2->FindNext(&after), S_OK);
        EXPECT_EQ(Read(after.p, L"LastName"), L"Smith");
        EXPECT_EQ(model.items2->FindNext(&end), S_OK);
        EXPECT_EQ(end.p, nullptr);

        // The other operators, and an item's number written into it.
        Item none, below, notLee;
        EXPECT_EQ(model.items2->Find(Text(L"[FirstName] = \"Carl\" OR [LastName] = \"Nobody\""), &none), S_OK);
        EXPECT_EQ(none.p, nullptr);
        ASSERT_EQ(model.items2->Find(Text(L"[LastName] < \"M\" AND [FirstName] >= \"b\""), &below), S_OK);
        EXPECT_EQ(Read(below.p, L"FirstName"), L"Bob");
        ASSERT_EQ(model.items2->Find(Text(L"[LastName] <> \"Lee\""), &notLee), S_OK);
        EXPECT_EQ(Read(notLee.p, L"LastName"), L"Smith") << "a contact without the property passes no comparison";

        // A number written into a found contact is saved at once.
        ASSERT_EQ(Write(after.p, L"PagerNumber", L"07700 900456"), S_OK);
        IContact* contact = nullptr;
        ASSERT_EQ(after.p->QueryInterface(IID_IContact, reinterpret_cast<void**>(&contact)), S_OK);
        EXPECT_EQ(contact->Save(), S_OK);
        contact->Release();
        EXPECT_EQ(Stored().Find(9)->Get(L"PagerNumber"), L"07700 900456");

        // A new contact, as a copy to Contacts makes one.
        Item added;
        ASSERT_EQ(model.items2->Add(&added), S_OK);
        EXPECT_EQ(Write(added.p, L"FileAs", L"Dee Khan"), S_OK);
        EXPECT_EQ(Write(added.p, L"FileAs", L"Khan, Dee"), S_OK);
        EXPECT_EQ(Write(added.p, L"FirstName", L"Dee"), S_OK);
        EXPECT_EQ(Write(added.p, L"MiddleName", L""), S_OK);
        EXPECT_EQ(Write(added.p, L"LastName", L"Khan"), S_OK);
        EXPECT_EQ(Write(added.p, L"RadioTelephoneNumber", L"+441632960555"), S_OK);
        ASSERT_EQ(added.p->QueryInterface(IID_IContact, reinterpret_cast<void**>(&contact)), S_OK);
        EXPECT_EQ(contact->Save(), S_OK);
        long oid = 0;
        EXPECT_EQ(contact->get_Oid(&oid), S_OK);
        EXPECT_EQ(oid, 10);
        contact->Release();
        // It joins the collection: the next find of the same command sees it.
        Item again;
        ASSERT_EQ(model.items2->Find(Text(L"[FirstName] = \"Dee\" OR [LastName] = \"Khan\""), &again), S_OK);
        EXPECT_EQ(Read(again.p, L"RadioTelephoneNumber"), L"+441632960555");
        ASSERT_EQ(model.items2->get_Count(&count), S_OK);
        EXPECT_EQ(count, 5);
    }

    // A later session reads what the first one saved.
    OpenModel reopened;
    ASSERT_EQ(reopened.failed, S_OK);
    int count = 0;
    ASSERT_EQ(reopened.items->get_Count(&count), S_OK);
    ASSERT_EQ(count, 5);
    Item last;
    ASSERT_EQ(reopened.items->Item(5, &last), S_OK);
    EXPECT_EQ(Read(last.p, L"FileAs"), L"Khan, Dee");
    EXPECT_EQ(Read(last.p, L"LastName"), L"Khan");
    EXPECT_EQ(Read(last.p, L"RadioTelephoneNumber"), L"+441632960555");
    const ContactBook stored = Stored();
    EXPECT_EQ(stored.notes.front(), L"# a test database");
    EXPECT_EQ(stored.nextOid, 11u);
}

TEST_F(ContactsServer, FailsCleanlyOnWhatItCannotDo)
{
    OpenModel model;
    ASSERT_EQ(model.failed, S_OK);
    const wchar_t embedded[] = L"[FirstName] = \"A\0\" OR [LastName] = \"Lee\"";
    const std::wstring deep = std::wstring(200, L'(') + L"[FirstName] = \"Ann\"" + std::wstring(200, L')');
    std::wstring many;
    for (int i = 0; i < 400; ++i)
        many += (i ? L" OR " : L"") + std::wstring(L"[FirstName] = \"x\"");
    for (const std::wstring& bad : {std::wstring(), std::wstring(L"[FirstName]"), std::wstring(L"[Nickname] = \"Ann\""),
                                    std::wstring(L"[FirstName] = \"Ann"), std::wstring(L"[FirstName] = \"Ann\" OR"),
                                    std::wstring(L"[FirstName] == \"Ann\""), std::wstring(L"FirstName = \"Ann\""),
                                    std::wstring(L"([FirstName] = \"Ann\""), std::wstring(L"[FirstName = \"Ann\""),
                                    deep, many, std::wstring(embedded, sizeof embedded / sizeof embedded[0] - 1)}) {
        SCOPED_TRACE(std::string(bad.begin(), bad.begin() + std::min<std::size_t>(bad.size(), 60)));
        Item found;
        EXPECT_EQ(model.items->Find(Text(bad.c_str(), static_cast<UINT>(bad.size())), &found), E_INVALIDARG);
        EXPECT_EQ(found.p, nullptr);
    }
    Item item;
    // Find-next needs a find; a null restriction is no restriction.
    EXPECT_EQ(model.items->FindNext(&item), E_FAIL);
    EXPECT_EQ(model.items->Find(nullptr, &item), E_INVALIDARG);
    EXPECT_EQ(model.items->Find(Text(L"[LastName] = \"Lee\""), nullptr), E_POINTER);
    EXPECT_EQ(model.items2->SetColumns(Text(L"FirstName,Nickname")), E_INVALIDARG);
    // The collection still answers after all that.
    ASSERT_EQ(model.items->Find(Text(L"[LastName] = \"Lee\""), &item), S_OK);
    EXPECT_EQ(Read(item.p, L"FirstName"), L"Ann");
    EXPECT_EQ(Write(item.p, L"FirstName", L"An\x01n"), E_INVALIDARG);
    EXPECT_EQ(Write(item.p, L"FirstName", std::wstring(5000, L'a').c_str()), E_INVALIDARG);
    EXPECT_EQ(Read(item.p, L"FirstName"), L"Ann");

    // Only the contacts folder, and only while logged on.
    IFolder* other = nullptr;
    EXPECT_EQ(model.app->GetDefaultFolder(olFolderCalendar, &other), E_FAIL);
    EXPECT_EQ(other, nullptr);
    IPOutlookApp* fresh = nullptr;
    ASSERT_EQ(::CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                                 reinterpret_cast<void**>(&fresh)),
              S_OK);
    EXPECT_EQ(fresh->GetDefaultFolder(olFolderContacts, &other), E_FAIL);

    // A damaged database is refused, never read in part nor rewritten.
    std::string damaged = StoredBytes(device);
    damaged.replace(damaged.find("Bob"), 3, "Rob");
    WriteContacts(device, damaged);
    ASSERT_EQ(fresh->Logon(0), S_OK);
    ASSERT_EQ(fresh->GetDefaultFolder(olFolderContacts, &other), S_OK);
    IPOutlookItemCollection* items = nullptr;
    EXPECT_EQ(other->get_Items(&items), E_FAIL);
    EXPECT_EQ(items, nullptr);
    IContact* contact = nullptr;
    ASSERT_EQ(item.p->QueryInterface(IID_IContact, reinterpret_cast<void**>(&contact)), S_OK);
    EXPECT_EQ(contact->Save(), E_FAIL);
    contact->Release();
    other->Release();
    fresh->Release();
    EXPECT_EQ(StoredBytes(device), damaged);
}

}  // namespace
