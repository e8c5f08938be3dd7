#include "platform/contacts/ContactBook.h"

#include "platform/sim/SimCardFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace vellumate::contacts {
namespace {

using sim::Crc32;
using sim::Utf16FromUtf8;
using sim::Utf8FromUtf16;

// In the order of the contact interface's accessors.
constexpr std::array<std::wstring_view, 50> PropertyNames{
    L"Birthday",
    L"Anniversary",
    L"BusinessFaxNumber",
    L"CompanyName",
    L"Department",
    L"Email1Address",
    L"MobileTelephoneNumber",
    L"OfficeLocation",
    L"PagerNumber",
    L"BusinessTelephoneNumber",
    L"JobTitle",
    L"HomeTelephoneNumber",
    L"Email2Address",
    L"Spouse",
    L"Email3Address",
    L"Home2TelephoneNumber",
    L"HomeFaxNumber",
    L"CarTelephoneNumber",
    L"AssistantName",
    L"AssistantTelephoneNumber",
    L"Children",
    L"Categories",
    L"WebPage",
    L"Business2TelephoneNumber",
    L"RadioTelephoneNumber",
    L"FileAs",
    L"YomiCompanyName",
    L"YomiFirstName",
    L"YomiLastName",
    L"Title",
    L"FirstName",
    L"MiddleName",
    L"LastName",
    L"Suffix",
    L"HomeAddressStreet",
    L"HomeAddressCity",
    L"HomeAddressState",
    L"HomeAddressPostalCode",
    L"HomeAddressCountry",
    L"OtherAddressStreet",
    L"OtherAddressCity",
    L"OtherAddressState",
    L"OtherAddressPostalCode",
    L"OtherAddressCountry",
    L"BusinessAddressStreet",
    L"BusinessAddressCity",
    L"BusinessAddressState",
    L"BusinessAddressPostalCode",
    L"BusinessAddressCountry",
    L"Body",
};

wchar_t FoldCase(wchar_t c) noexcept
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameText(std::wstring_view a, std::wstring_view b) noexcept
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

std::string Escape(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::optional<std::uint32_t> Number(std::string_view text, std::uint32_t maximum)
{
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > maximum)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::wstring Widen(std::string_view ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}

    ContactsReading Read()
    {
        ContactsReading reading;
        if (m_bytes.size() > MaxContactsFileBytes)
            return Fail(0, L"the file is larger than a contacts database can be");
        // The end line seals everything before it.
        std::string_view content = m_bytes;
        while (!content.empty() && (content.back() == '\n' || content.back() == '\r'))
            content.remove_suffix(1);
        const std::size_t lastBreak = content.find_last_of('\n');
        const std::string_view endLine = lastBreak == std::string_view::npos ? content : content.substr(lastBreak + 1);
        const std::string_view sealed =
            lastBreak == std::string_view::npos ? std::string_view{} : content.substr(0, lastBreak + 1);
        std::optional<std::uint32_t> count;
        std::optional<std::uint32_t> crc;
        if (endLine.starts_with("end ")) {
            const std::string_view figures = endLine.substr(4);
            const std::size_t blank = figures.find(' ');
            if (blank != std::string_view::npos) {
                count = Number(figures.substr(0, blank), static_cast<std::uint32_t>(MaxContacts));
                std::string_view hex = figures.substr(blank + 1);
                if (!hex.empty() && hex.back() == '\r')
                    hex.remove_suffix(1);
                std::uint32_t value = 0;
                const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
                if (error == std::errc{} && end == hex.data() + hex.size() && hex.size() == 8)
                    crc = value;
            }
        }
        if (!count || !crc)
            return Fail(0, L"the file has no end line: it is cut short or is no contacts database");
        if (*crc != Crc32(sealed))
            return Fail(0, L"the file's checksum does not match: it was damaged or edited");

        ContactBook book;
        bool inContacts = false;
        bool sawNextOid = false;
        std::size_t at = 0;
        int line = 0;
        while (at < sealed.size()) {
            std::size_t end = sealed.find('\n', at);
            std::string_view text = sealed.substr(at, end - at);
            at = end + 1;
            ++line;
            if (!text.empty() && text.back() == '\r')
                text.remove_suffix(1);
            if (text.empty())
                continue;
            if (text[0] == '#' || text[0] == ';') {
                if (!inContacts && !sawNextOid) {
                    const std::optional<std::wstring> note = Utf16FromUtf8(text);
                    if (!note)
                        return Fail(line, L"the line is not valid UTF-8");
                    book.notes.push_back(*note);
                }
                continue;
            }
            if (text[0] == '[') {
                if (!text.starts_with("[contact ") || text.back() != ']')
                    return Fail(line, L"a section must be [contact NUMBER]");
                const std::optional<std::uint32_t> oid = Number(text.substr(9, text.size() - 10), MaxOid);
                if (!oid || *oid == 0)
                    return Fail(line, L"a contact's number must be 1 to 2147483647");
                if (book.Find(*oid))
                    return Fail(line, L"a second contact " + std::to_wstring(*oid));
                if (book.contacts.size() == MaxContacts)
                    return Fail(line, L"more contacts than a database holds");
                book.contacts.push_back(Contact{*oid, {}});
                inContacts = true;
                continue;
            }
            const std::size_t equals = text.find('=');
            if (equals == std::string_view::npos)
                return Fail(line, L"a line must be name=value");
            const std::string_view key = text.substr(0, equals);
            const std::string_view value = text.substr(equals + 1);
            if (!inContacts) {
                if (key != "next_oid" || sawNextOid)
                    return Fail(line, L"only next_oid comes before the first contact");
                const std::optional<std::uint32_t> next = Number(value, MaxOid);
                if (!next || *next == 0)
                    return Fail(line, L"next_oid must be 1 to 2147483647");
                book.nextOid = *next;
                sawNextOid = true;
                continue;
            }
            const std::optional<std::wstring_view> name = PropertyNamed(Widen(key));
            if (!name || *name != Widen(key))
                return Fail(line, L"no contact property is called " + Utf16FromUtf8(key).value_or(L"?"));
            const std::optional<std::string> raw = Unescape(value);
            if (!raw)
                return Fail(line, L"a backslash must be followed by \\, n, r or t");
            const std::optional<std::wstring> wide = Utf16FromUtf8(*raw);
            if (!wide)
                return Fail(line, L"the line is not valid UTF-8");
            Contact& contact = book.contacts.back();
            if (contact.properties.count(std::wstring(*name)))
                return Fail(line, L"a second value of " + std::wstring(*name));
            if (wide->empty())
                continue;
            const std::wstring fault = CheckPropertyValue(*name, *wide);
            if (!fault.empty())
                return Fail(line, fault);
            contact.properties.emplace(*name, *wide);
        }
        if (book.contacts.size() != *count)
            return Fail(0, L"the end line counts " + std::to_wstring(*count) + L" contacts, the file has " +
                               std::to_wstring(book.contacts.size()));
        for (const Contact& contact : book.contacts)
            if (contact.oid >= book.nextOid)
                return Fail(0, L"next_oid is not above every contact's number");
        reading.book = std::move(book);
        return reading;
    }

private:
    static ContactsReading Fail(int line, std::wstring problem)
    {
        ContactsReading reading;
        reading.line = line;
        reading.problem = std::move(problem);
        return reading;
    }

    std::string_view m_bytes;
};

}  // namespace

std::span<const std::wstring_view> ContactPropertyNames() noexcept
{
    return PropertyNames;
}

std::optional<std::wstring_view> PropertyNamed(std::wstring_view name) noexcept
{
    for (std::wstring_view known : PropertyNames)
        if (SameText(known, name))
            return known;
    return std::nullopt;
}

bool IsDateProperty(std::wstring_view name) noexcept
{
    return name == L"Birthday" || name == L"Anniversary";
}

std::wstring CheckPropertyValue(std::wstring_view name, std::wstring_view value)
{
    if (value.size() > MaxPropertyLength)
        return std::wstring(name) + L" is longer than " + std::to_wstring(MaxPropertyLength) + L" characters";
    for (wchar_t c : value) {
        if ((c < 0x20 && c != L'\n' && c != L'\r' && c != L'\t') || c == 0x7F)
            return std::wstring(name) + L" holds a control character";
    }
    if (!Utf8FromUtf16(value))
        return std::wstring(name) + L" is not valid UTF-16";
    if (IsDateProperty(name)) {
        // Whole days, 1 January 1900 to 31 December 2999.
        if (value.size() > 6 ||
            !std::all_of(value.begin(), value.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
            return std::wstring(name) + L" must be a number of days";
        const long days = std::stol(std::wstring(value));
        if (days < 2 || days > 401768)
            return std::wstring(name) + L" must lie between 1900 and 2999";
    }
    return {};
}

std::wstring Contact::Get(std::wstring_view name) const
{
    const auto found = properties.find(std::wstring(name));
    return found == properties.end() ? std::wstring() : found->second;
}

void Contact::Set(std::wstring_view name, std::wstring_view value)
{
    if (value.empty())
        properties.erase(std::wstring(name));
    else
        properties[std::wstring(name)] = std::wstring(value);
}

Contact* ContactBook::Find(std::uint32_t oid) noexcept
{
    for (Contact& contact : contacts)
        if (contact.oid == oid)
            return &contact;
    return nullptr;
}

const Contact* ContactBook::Find(std::uint32_t oid) const noexcept
{
    return const_cast<ContactBook*>(this)->Find(oid);
}

bool ContactBook::Store(Contact& contact)
{
    if (contact.oid != 0) {
        if (Contact* stored = Find(contact.oid)) {
            stored->properties = contact.properties;
            return true;
        }
    }
    if (contacts.size() >= MaxContacts)
        return false;
    if (contact.oid == 0) {
        if (nextOid > MaxOid)
            return false;
        contact.oid = nextOid++;
    } else if (contact.oid >= nextOid) {
        nextOid = contact.oid + 1;
    }
    contacts.push_back(contact);
    return true;
}

bool ContactBook::Remove(std::uint32_t oid)
{
    const auto found = std::find_if(contacts.begin(), contacts.end(), [&](const Contact& c) { return c.oid == oid; });
    if (found == contacts.end())
        return false;
    contacts.erase(found);
    return true;
}

ContactsReading ParseContactBook(std::string_view bytes) noexcept
{
    try {
        return Reader(bytes).Read();
    } catch (...) {
        ContactsReading reading;
        reading.problem = L"the file cannot be read (out of memory)";
        return reading;
    }
}

std::string FormatContactBook(const ContactBook& book)
{
    std::string out;
    for (const std::wstring& note : book.notes)
        out += Utf8FromUtf16(note).value_or("#") + "\n";
    out += "next_oid=" + std::to_string(book.nextOid) + "\n";
    for (const Contact& contact : book.contacts) {
        out += "\n[contact " + std::to_string(contact.oid) + "]\n";
        // In the list's order, so a person finds the names first.
        for (std::wstring_view name : PropertyNames) {
            const auto found = contact.properties.find(std::wstring(name));
            if (found == contact.properties.end())
                continue;
            out += Utf8FromUtf16(name).value_or("") + "=" + Escape(Utf8FromUtf16(found->second).value_or("")) + "\n";
        }
    }
    const std::uint32_t crc = Crc32(out);
    char seal[40];
    std::snprintf(seal, sizeof seal, "end %zu %08x\n", book.contacts.size(), crc);
    return out + seal;
}

std::wstring DisplayName(const Contact& contact)
{
    std::wstring name;
    for (const wchar_t* part : {L"FirstName", L"MiddleName", L"LastName"}) {
        const std::wstring text = contact.Get(part);
        if (text.empty())
            continue;
        if (!name.empty())
            name += L' ';
        name += text;
    }
    if (name.empty())
        name = contact.Get(L"FileAs");
    return name.empty() ? L"(no name)" : name;
}

}  // namespace vellumate::contacts
