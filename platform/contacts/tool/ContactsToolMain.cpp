// vmcontactstool: the vellumate tool's reader and editor of a device's
// Contacts database, built for the host so that `vellumate device contacts`
// needs no Wine.
//
//   vmcontactstool show FILE              every contact: its number and name,
//                                         then one "  Property: value" line
//                                         a property, in the interface's order
//   vmcontactstool add FILE NAME=VALUE... a new contact of those properties
//   vmcontactstool clear FILE             no contacts (the notes are kept)
//   vmcontactstool summary FILE           one line about the database
//
// A missing file is an empty database. Every change replaces FILE in one
// step (a new file renamed over it). The tool cannot take the programs'
// contacts mutex (that lives in the Wine session's server): a program's save
// racing a change made here may be lost.
//
// Exit status: 0 done, 2 refused (the reason on standard error), 64 a wrong
// command line.
#include "platform/contacts/ContactBook.h"
#include "platform/hosttools/HostFiles.h"
#include "platform/sim/SimCardFile.h"

#include <optional>
#include <string>
#include <vector>

using namespace vellumate::contacts;
using namespace vellumate::host;

namespace {

constexpr int Done = 0;
constexpr int Refused = 2;
constexpr int Usage = 64;

std::string Utf8(std::wstring_view text)
{
    return vellumate::sim::Utf8FromUtf16(text).value_or("?");
}

// The database of a file; nothing (with the reason said) when it is none.
std::optional<ContactBook> Load(const std::string& path)
{
    FileRead read = ReadSmallFile(path, MaxContactsFileBytes);
    if (read.missing)
        return ContactBook{};
    if (!read.bytes) {
        Print(stderr, "cannot read " + path + ": " + read.error + "\n");
        return std::nullopt;
    }
    ContactsReading reading = ParseContactBook(*read.bytes);
    if (!reading.book) {
        Print(stderr, path + " is damaged: " + (reading.line ? "line " + std::to_string(reading.line) + ": " : "") +
                          Utf8(reading.problem) + "\n");
        return std::nullopt;
    }
    return std::move(reading.book);
}

bool Store(const std::string& path, const ContactBook& book)
{
    std::string error;
    if (ReplaceFile(path, FormatContactBook(book), error))
        return true;
    Print(stderr, "cannot write " + path + ": " + error + "\n");
    return false;
}

std::string Summary(const ContactBook& book)
{
    std::size_t numbers = 0;
    for (const Contact& contact : book.contacts)
        for (const auto& [name, value] : contact.properties)
            if (name.find(L"Number") != std::wstring::npos)
                ++numbers;
    return std::to_string(book.contacts.size()) + " contacts, " + std::to_string(numbers) + " numbers";
}

std::string Describe(const Contact& contact)
{
    std::string out = "contact " + std::to_string(contact.oid) + ": " + Utf8(DisplayName(contact)) + "\n";
    for (std::wstring_view name : ContactPropertyNames()) {
        const std::wstring value = contact.Get(name);
        if (value.empty())
            continue;
        std::string text = Utf8(value);
        for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos;)
            text.replace(at, 1, "\\n");
        out += "  " + Utf8(name) + ": " + text + "\n";
    }
    return out;
}

int Add(const std::string& path, const std::vector<std::string>& settings)
{
    Contact contact;
    for (const std::string& setting : settings) {
        const std::size_t equals = setting.find('=');
        const std::optional<std::wstring> key =
            vellumate::sim::Utf16FromUtf8(setting.substr(0, equals == std::string::npos ? setting.size() : equals));
        const std::optional<std::wstring_view> name = key ? PropertyNamed(*key) : std::nullopt;
        if (equals == std::string::npos || !name) {
            Print(stderr, "not a contact property: '" + setting + "' (give NAME=VALUE, such as FirstName=Ann)\n");
            return Refused;
        }
        const std::optional<std::wstring> value = vellumate::sim::Utf16FromUtf8(setting.substr(equals + 1));
        const std::wstring fault = value ? CheckPropertyValue(*name, *value) : L"the value is not UTF-8";
        if (!fault.empty()) {
            Print(stderr, Utf8(fault) + "\n");
            return Refused;
        }
        contact.Set(*name, *value);
    }
    if (contact.properties.empty()) {
        Print(stderr, "a contact needs at least one property\n");
        return Refused;
    }
    std::optional<ContactBook> book = Load(path);
    if (!book)
        return Refused;
    if (!book->Store(contact)) {
        Print(stderr, "the database is full\n");
        return Refused;
    }
    if (!Store(path, *book))
        return Refused;
    Print(stdout, "added " + Describe(contact));
    return Done;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2) {
        const std::string& command = args[0];
        const std::string& path = args[1];
        if ((command == "show" || command == "summary") && args.size() == 2) {
            const std::optional<ContactBook> book = Load(path);
            if (!book)
                return Refused;
            if (command == "summary") {
                Print(stdout, Summary(*book) + "\n");
                return Done;
            }
            std::string out = Summary(*book) + "\n";
            for (const Contact& contact : book->contacts)
                out += Describe(contact);
            Print(stdout, out);
            return Done;
        }
        if (command == "add" && args.size() >= 3)
            return Add(path, std::vector<std::string>(args.begin() + 2, args.end()));
        if (command == "clear" && args.size() == 2) {
            std::optional<ContactBook> book = Load(path);
            if (!book)
                return Refused;
            book->contacts.clear();
            return Store(path, *book) ? Done : Refused;
        }
    }
    Print(stderr, "usage: vmcontactstool show|summary|clear FILE | add FILE NAME=VALUE...\n");
    return Usage;
}
