// Saves cut short, as a crash or a flat battery cuts them: whatever moment
// the saving process dies at, the database that is left is whole and holds
// every contact whose Save had returned, and at most the one on its way.
#include "platform/contacts/tests/ContactsTestSupport.h"

#include "framework/testsupport/ChildProcess.h"
#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

using namespace contactstest;
using namespace vellumate::contacts;

namespace {

ContactsReading ReadStored(const vellumate::TempDevice& device)
{
    return ParseContactBook(StoredBytes(device));
}

TEST(ContactsSavesCutShort, LeaveAWholeDatabaseWithEveryAcknowledgedSave)
{
    RegisteredServer server;
    ASSERT_TRUE(server.Ok());
    vellumate::TempDevice device;
    // A database of some size, so that each save takes a while to write.
    ContactBook book;
    for (std::uint32_t i = 1; i <= 1500; ++i)
        book.contacts.push_back(Person(i, {{L"FirstName", L"Sample"},
                                           {L"LastName", (L"Person " + std::to_wstring(i)).c_str()},
                                           {L"HomeTelephoneNumber", L"(0161) 496 0000"},
                                           {L"Body", L"Met at the conference; call after six."}}));
    book.nextOid = 1501;
    WriteContacts(device, FormatContactBook(book));

    std::set<std::wstring> acknowledged;
    std::size_t inFlightKept = 0;
    for (int round = 1; round <= 4; ++round) {
        SCOPED_TRACE(round);
        {
            vellumate::ChildProcess saver(
                vellumate::CommandBesideThisProgram(L"contacts_save_helper.exe", std::to_wstring(round)));
            ASSERT_TRUE(saver.Started());
            // Killed after a few saves, at a moment that moves from round to round.
            const int saves = 2 + round;
            for (int n = 0; n < saves; ++n) {
                const std::optional<std::string> line = saver.NextLine(30000);
                ASSERT_TRUE(line) << "the saver stopped saving";
                ASSERT_EQ(line->rfind("saved ", 0), 0u) << *line;
                acknowledged.insert(std::wstring(line->begin() + 6, line->end()));
            }
            ::Sleep(static_cast<DWORD>(round * 7));
            saver.Kill();
            saver.WaitForExit();
            // Saves acknowledged between the last line read and the kill.
            while (std::optional<std::string> line = saver.NextLine(200))
                if (line->rfind("saved ", 0) == 0)
                    acknowledged.insert(std::wstring(line->begin() + 6, line->end()));
        }
        const ContactsReading reading = ReadStored(device);
        ASSERT_TRUE(reading.book) << "the database is not whole after a kill";
        std::set<std::wstring> stored;
        for (const Contact& contact : reading.book->contacts)
            if (contact.Get(L"FirstName") == L"Saved") {
                const std::wstring last = contact.Get(L"LastName");
                const std::size_t blank = last.find(L'-');
                stored.insert(last.substr(0, blank) + L" " + last.substr(blank + 1));
            }
        for (const std::wstring& saved : acknowledged)
            EXPECT_TRUE(stored.count(saved)) << "an acknowledged save is gone";
        EXPECT_LE(stored.size(), acknowledged.size() + round) << "contacts nobody saved";
        inFlightKept += stored.size() - std::min(stored.size(), acknowledged.size());
        EXPECT_EQ(reading.book->contacts.size(), 1500 + stored.size());
    }
    RecordProperty("in_flight_kept", static_cast<int>(inFlightKept));
}

}  // namespace
