// What the contacts server's tests share: the server registered in the test
// prefix's registry for the test's life, the object model opened the way a
// handset program opens it, and texts read out of it.
#pragma once

#include "platform/contacts/ContactBook.h"
#include "platform/contacts/PocketOutlook.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace vellumate {
class TempDevice;
}

namespace contactstest {

// Loads the built vmcontacts.dll and has it register itself; unregisters and
// unloads at the end.
class RegisteredServer {
public:
    RegisteredServer();
    ~RegisteredServer();
    RegisteredServer(const RegisteredServer&) = delete;
    RegisteredServer& operator=(const RegisteredServer&) = delete;
    bool Ok() const noexcept { return m_ok; }

private:
    HMODULE m_library = nullptr;
    bool m_ok = false;
};

// The application, its contacts folder and the folder's items, as steps 2 to
// 5 of a program open them; each pointer released at the end.
struct OpenModel {
    IPOutlookApp* app = nullptr;
    IFolder* folder = nullptr;
    IPOutlookItemCollection* items = nullptr;
    IPOlItems* items2 = nullptr;
    HRESULT failed = S_OK;  // the first failing call's result

    OpenModel();
    ~OpenModel();
    OpenModel(const OpenModel&) = delete;
    OpenModel& operator=(const OpenModel&) = delete;
};

// A property of a contact item through the contact interface's accessor of
// that name; "<error>" when the call fails.
std::wstring Read(IDispatch* item, const wchar_t* property);
HRESULT Write(IDispatch* item, const wchar_t* property, const wchar_t* value);

// The device's database file (beside its profile), and replacing it whole.
std::wstring ContactsFile(const vellumate::TempDevice& device);
void WriteContacts(const vellumate::TempDevice& device, std::string_view bytes);
std::string StoredBytes(const vellumate::TempDevice& device);

// A contact for a test database.
vellumate::contacts::Contact Person(std::uint32_t oid,
                                    std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values);

}  // namespace contactstest
