// Pellory's copy commands with the real contacts server on a test device:
// the contacts list dialog driven with its keys and commands, the SIM card
// file and the Contacts database read back afterwards.
#include "simmanager/MainWindow.h"
#include "simmanager/resource.h"

#include "framework/testsupport/MainWindowFixture.h"
#include "framework/testsupport/MessagePump.h"
#include "framework/testsupport/ModalDriver.h"
#include "framework/testsupport/StringPrinting.h"
#include "framework/testsupport/TempDevice.h"

#include "platform/ScreenText.h"
#include "platform/contacts/ContactBook.h"
#include "platform/contacts/tests/ContactsTestSupport.h"
#include "platform/sim/SimCardFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>

using namespace vellumate;
using namespace vellumate::contacts;
using contactstest::Person;

namespace {

constexpr wchar_t TestKey[] = L"Software\\Vellumate Tests\\Pellory contacts";

sim::SimCard Card(std::uint32_t positions)
{
    sim::SimCard card;
    card.minIndex = 1;
    card.maxIndex = positions;
    card.maxNameLength = 16;
    card.maxNumberLength = 20;
    auto& general = *card.Phonebook(sim::GeneralStorage);
    general.entries[1] = {L"01614960101", 2u, L"Ann Lee/m"};  // Ann Lee's mobile already
    general.entries[2] = {L"07700900555", 2u, L"Cara Lee/m"};
    general.entries[3] = {L"0800123", 2u, L"Ann Lee/c"};
    return card;
}

ContactBook Book()
{
    ContactBook book;
    book.contacts = {
        Person(1, {{L"FirstName", L"Ann"},
                   {L"LastName", L"Lee"},
                   {L"MobileTelephoneNumber", L"(0161) 496-0101"},
                   {L"HomeTelephoneNumber", L"0161 496 0102"}}),
        Person(2, {{L"FirstName", L"Bob"}, {L"LastName", L"Lee"}, {L"CarTelephoneNumber", L"+44 7700 900123"}}),
        Person(3, {{L"FirstName", L"Dee"}, {L"LastName", L"Nonumber"}}),
        Person(4, {{L"BusinessTelephoneNumber", L"0800 555 0199"}}),
    };
    book.nextOid = 5;
    return book;
}

// The texts of a message box of `thread` other than `except`; nothing when
// none comes within the time.
std::optional<std::wstring> BoxText(DWORD thread, HWND except)
{
    for (int waited = 0; waited < 5000; waited += 20) {
        for (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); box;
             box = FindWindowExW(nullptr, box, L"#32770", nullptr)) {
            if (box == except || !IsWindowVisible(box) || GetWindowThreadProcessId(box, nullptr) != thread)
                continue;
            wchar_t text[600] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 600);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return std::wstring(text);
        }
        Sleep(20);
    }
    return std::nullopt;
}

// What the list dialog's pane shows.
std::wstring ListText(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        UpdateWindow(child);
        if (std::optional<std::wstring> text = ReadScreenText(child))
            return *text;
    }
    return L"(no list)";
}

class PelloryContactsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.Ok());
        RegDeleteTreeW(HKEY_CURRENT_USER, TestKey);
        ASSERT_TRUE(BindProgramResources(MainWindow::Startup(m_object)));
        m_device.WriteSim(sim::FormatSimCard(Card(6)));
        contactstest::WriteContacts(m_device, FormatContactBook(Book()));
    }
    void TearDown() override
    {
        m_window.Destroy();
        m_object.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, TestKey);
        SimCaps::Instance().Reset();
    }

    void Start()
    {
        auto main = std::make_unique<MainWindow>(TestKey);
        ASSERT_TRUE(main->Prepare());
        ASSERT_TRUE(m_window.Create(MainWindow::Startup(m_object), std::move(main)));
        m_window.Show();
        PumpFor(30);
    }
    HWND Hwnd() { return m_window.Handle(); }
    EntryView& View() { return *m_window.Object().Sim().CurrentView(); }
    void Command(UINT command) { SendMessageW(Hwnd(), WM_COMMAND, command, 0); }
    void FocusName(const wchar_t* name)
    {
        for (int row = 0; row < View().RowCount(); ++row)
            if (View().SlotAt(row)->Name() == name)
                View().FocusRow(row, 8);
    }
    std::map<std::uint32_t, sim::SimEntry> Entries()
    {
        sim::SimCardReading reading = sim::ParseSimCard(CardBytes());
        EXPECT_TRUE(reading.card);
        return reading.card ? reading.card->Phonebook(sim::GeneralStorage)->entries
                            : std::map<std::uint32_t, sim::SimEntry>{};
    }
    std::string CardBytes()
    {
        std::ifstream file(std::filesystem::path(m_device.SimPath()), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    ContactBook Stored()
    {
        ContactsReading reading = ParseContactBook(contactstest::StoredBytes(m_device));
        EXPECT_TRUE(reading.book);
        return reading.book.value_or(ContactBook{});
    }

    TempDevice m_device;
    contactstest::RegisteredServer m_server;
    std::unique_ptr<MainWindow> m_object;
    ProgramWindow<MainWindow> m_window;
};

TEST_F(PelloryContactsTest, MarkedContactNumbersBecomeSimEntriesWithComposedNames)
{
    Start();
    std::wstring shown;
    std::optional<std::wstring> refusal;
    ModalDriver list([&](HWND dialog) {
        shown = ListText(dialog);
        SendMessageW(dialog, WM_COMMAND, ID_MARK_EVERY_ROW, 0);
        // Three numbers for two free positions: refused whole, the list stays.
        PostMessageW(dialog, WM_COMMAND, ID_DIALOG_OK, 0);
        refusal = BoxText(GetWindowThreadProcessId(dialog, nullptr), dialog);
        Sleep(100);
        EXPECT_TRUE(IsWindow(dialog));
        // Only Ann Lee's: the action key on her name line marks both her numbers.
        SendMessageW(dialog, WM_COMMAND, ID_CLEAR_EVERY_MARK, 0);
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        SendMessageW(dialog, WM_COMMAND, ID_DIALOG_OK, 0);
    });
    sim::SimCard fuller = Card(6);
    fuller.Phonebook(sim::GeneralStorage)->entries[4] = {L"1", 2u, L"Full"};
    m_device.WriteSim(sim::FormatSimCard(fuller));
    Start();
    Command(ID_COPY_FROM_CONTACTS);
    ASSERT_TRUE(list.Wait());

    EXPECT_NE(shown.find(L"> Ann  Lee  1/2\n  01614960101  m\n  01614960102  h\n  Bob  Lee  2/2\n  +447700900123  c"),
              std::wstring::npos)
        << shown;
    EXPECT_EQ(shown.find(L"Dee"), std::wstring::npos);  // names without numbers, numbers without names: not shown
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find(L"only 2 positions"), std::wstring::npos) << *refusal;

    const auto entries = Entries();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries.at(5).name, L"Ann Lee/m");
    EXPECT_EQ(entries.at(5).number, L"01614960101");
    EXPECT_EQ(entries.at(6).name, L"Ann Lee/h");
    EXPECT_EQ(entries.at(6).number, L"01614960102");
    EXPECT_EQ(View().RowCount(), 6);
}

TEST_F(PelloryContactsTest, NumbersTheCardRefusesAreToldOnceAndTheOthersStored)
{
    sim::SimCard card = Card(6);
    card.Phonebook(sim::GeneralStorage)->faulty = {4, 5};
    m_device.WriteSim(sim::FormatSimCard(card));
    Start();
    std::optional<std::wstring> told;
    ModalDriver list([&](HWND dialog) {
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);  // Ann Lee's two numbers
        PostMessageW(dialog, WM_COMMAND, ID_DIALOG_OK, 0);
        told = BoxText(GetWindowThreadProcessId(dialog, nullptr), dialog);
    });
    Command(ID_COPY_FROM_CONTACTS);
    ASSERT_TRUE(list.Wait());
    String message;
    message.LoadResourceText(IDS_SOME_DUPLICATES_FAILED);
    EXPECT_EQ(told, std::wstring(message.Chars()));
    const auto entries = Entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries.at(6).name, L"Ann Lee/m");
}

TEST_F(PelloryContactsTest, SimEntriesGoIntoTheirPersonsFreeFieldOrANewContactOnce)
{
    Start();
    Command(ID_MARK_ALL);
    Command(ID_COPY_TO_CONTACTS);
    PumpFor(30);
    ContactBook book = Stored();
    ASSERT_EQ(book.contacts.size(), 5u);
    // Ann's mobile was there; her car number joins her.
    EXPECT_EQ(book.contacts[0].Get(L"MobileTelephoneNumber"), L"(0161) 496-0101");
    EXPECT_EQ(book.contacts[0].Get(L"CarTelephoneNumber"), L"0800123");
    // Cara Lee is nobody's: not Bob Lee's free mobile, a contact of her own.
    EXPECT_EQ(book.contacts[1].Get(L"MobileTelephoneNumber"), L"");
    const Contact& cara = book.contacts[4];
    EXPECT_EQ(cara.Get(L"FirstName"), L"Cara");
    EXPECT_EQ(cara.Get(L"LastName"), L"Lee");
    EXPECT_EQ(cara.Get(L"FileAs"), L"Lee, Cara");
    EXPECT_EQ(cara.Get(L"MobileTelephoneNumber"), L"07700900555");

    // Again: everything is there already.
    const std::string before = contactstest::StoredBytes(m_device);
    Command(ID_COPY_TO_CONTACTS);
    EXPECT_EQ(contactstest::StoredBytes(m_device), before);
}

TEST_F(PelloryContactsTest, ADamagedDatabaseIsReportedWithItsCodesAndChangesNothing)
{
    Start();
    contactstest::WriteContacts(m_device, "next_oid=2\n[contact 1]\nFirstName=Ann\n");  // no end line
    const std::string before = CardBytes();
    ModalDriver report(IDOK);
    Command(ID_COPY_FROM_CONTACTS);
    ASSERT_TRUE(report.Wait());
    String message;
    message.LoadResourceText(IDS_CONTACTS_FOLDER_FAILED);
    EXPECT_EQ(report.Dialog().text, message + L"\n102:100:709:0");
    EXPECT_EQ(report.Dialog().icon, static_cast<UINT>(MB_ICONHAND));

    FocusName(L"Cara Lee/m");
    ModalDriver again(IDOK);
    Command(ID_COPY_TO_CONTACTS);
    ASSERT_TRUE(again.Wait());
    EXPECT_EQ(again.Dialog().text, message + L"\n102:100:709:0");
    EXPECT_EQ(CardBytes(), before);
    EXPECT_EQ(contactstest::StoredBytes(m_device), "next_oid=2\n[contact 1]\nFirstName=Ann\n");
}

}  // namespace
