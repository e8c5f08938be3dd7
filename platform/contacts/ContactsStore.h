// Where the handset's Contacts database is, reading it as it is now, and
// changing it durably: a change is on the disk when the call returns, and a
// process killed half-way leaves the old database or the new one.
#pragma once

#include "platform/contacts/ContactBook.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace vellumate::contacts {

// Names the database file itself; otherwise it is "contacts.txt" in the
// folder of the device profile (VELLUMATE_PROFILE).
inline constexpr wchar_t ContactsVariable[] = L"VELLUMATE_CONTACTS";
inline constexpr wchar_t ContactsFileName[] = L"contacts.txt";
// Held by every process while it reads, changes and replaces the file.
inline constexpr wchar_t ContactsMutexName[] = L"VellumateContacts";

// The database's Windows path; empty when neither variable is set.
std::wstring ContactsPath();

struct BookSnapshot {
    enum class State {
        Readable,    // `book` holds the database (an empty one when there is no file yet)
        NoDevice,    // no path: the process runs outside a device
        Unreadable,  // the file exists but cannot be read
        Damaged,     // not a contacts database (see problem)
    };
    State state = State::NoDevice;
    std::shared_ptr<const ContactBook> book;
    std::wstring problem;
};

// The file as it is now; a missing file is an empty database.
BookSnapshot ReadContactsFile(const std::wstring& path) noexcept;

// Changes the database: under the contacts mutex, reads the file afresh and
// hands the book to `edit`, which returns S_OK to have the changed book
// written, S_FALSE when there is nothing to write, or an error, returned as it
// is with the file untouched. The new book goes to a file beside the old one,
// is flushed and renamed over it; S_OK only when the rename succeeded. A
// damaged file is never rewritten.
using BookEdit = std::function<HRESULT(ContactBook&)>;
HRESULT ChangeContactsFile(const std::wstring& path, const BookEdit& edit) noexcept;

}  // namespace vellumate::contacts
