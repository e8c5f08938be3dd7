// Untrusted bytes for the contacts database: a file read as a database, and
// its bytes as a restriction. Whatever reads must write back the same.
#include "platform/contacts/ContactBook.h"
#include "platform/contacts/Restriction.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vellumate::contacts;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ContactsReading reading = ParseContactBook(bytes);
    if (reading.book) {
        const ContactsReading again = ParseContactBook(FormatContactBook(*reading.book));
        if (!again.book || !(*again.book == *reading.book))
            std::abort();
    }
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    if (const std::optional<Restriction> restriction = Restriction::Parse(text)) {
        Contact contact;
        contact.Set(L"FirstName", L"Ann");
        contact.Set(L"LastName", L"Lee");
        restriction->Matches(contact);
    }
    return 0;
}
