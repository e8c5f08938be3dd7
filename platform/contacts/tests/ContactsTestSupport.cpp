#include "platform/contacts/tests/ContactsTestSupport.h"

#include "platform/DeviceFiles.h"
#include "platform/contacts/ContactsStore.h"

#include "framework/testsupport/TempDevice.h"

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <iterator>

namespace contactstest {
namespace {

using Getter = HRESULT (STDMETHODCALLTYPE IContact::*)(BSTR*);
using Putter = HRESULT (STDMETHODCALLTYPE IContact::*)(BSTR);

struct Accessor {
    const wchar_t* name;
    Getter get;
    Putter put;
};

#define VM_ACCESSOR(Name)                                                                                              \
    Accessor                                                                                                           \
    {                                                                                                                  \
        L## #Name, &IContact::get_##Name, &IContact::put_##Name                                                        \
    }

const Accessor Accessors[] = {
    VM_ACCESSOR(FirstName),
    VM_ACCESSOR(MiddleName),
    VM_ACCESSOR(LastName),
    VM_ACCESSOR(FileAs),
    VM_ACCESSOR(MobileTelephoneNumber),
    VM_ACCESSOR(BusinessTelephoneNumber),
    VM_ACCESSOR(Business2TelephoneNumber),
    VM_ACCESSOR(HomeTelephoneNumber),
    VM_ACCESSOR(Home2TelephoneNumber),
    VM_ACCESSOR(CarTelephoneNumber),
    VM_ACCESSOR(RadioTelephoneNumber),
    VM_ACCESSOR(PagerNumber),
    VM_ACCESSOR(BusinessFaxNumber),
    VM_ACCESSOR(HomeFaxNumber),
    VM_ACCESSOR(AssistantTelephoneNumber),
    VM_ACCESSOR(CompanyName),
    VM_ACCESSOR(Body),
};

const Accessor* Find(const wchar_t* property)
{
    for (const Accessor& accessor : Accessors)
        if (std::wcscmp(accessor.name, property) == 0)
            return &accessor;
    return nullptr;
}

}  // namespace

RegisteredServer::RegisteredServer()
{
    m_library = ::LoadLibraryW(L"" VMCONTACTS_DLL_PATH);
    if (!m_library)
        return;
    auto reg = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(::GetProcAddress(m_library, "DllRegisterServer"));
    m_ok = reg && reg() == S_OK;
}

RegisteredServer::~RegisteredServer()
{
    if (!m_library)
        return;
    auto unreg = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(::GetProcAddress(m_library, "DllUnregisterServer"));
    if (unreg)
        unreg();
    ::FreeLibrary(m_library);
}

OpenModel::OpenModel()
{
    auto step = [&](HRESULT result) {
        if (failed == S_OK && FAILED(result))
            failed = result;
        return SUCCEEDED(result);
    };
    step(::CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                            reinterpret_cast<void**>(&app))) &&
        step(app->Logon(0)) && step(app->GetDefaultFolder(olFolderContacts, &folder)) &&
        step(folder->get_Items(&items)) &&
        step(items->QueryInterface(IID_IPOlItems, reinterpret_cast<void**>(&items2)));
}

OpenModel::~OpenModel()
{
    if (items2)
        items2->Release();
    if (items)
        items->Release();
    if (folder)
        folder->Release();
    if (app) {
        app->Logoff();
        app->Release();
    }
}

std::wstring Read(IDispatch* item, const wchar_t* property)
{
    const Accessor* accessor = Find(property);
    IContact* contact = nullptr;
    if (!accessor || !item || FAILED(item->QueryInterface(IID_IContact, reinterpret_cast<void**>(&contact))))
        return L"<error>";
    BSTR text = nullptr;
    const HRESULT result = (contact->*accessor->get)(&text);
    contact->Release();
    if (FAILED(result) || !text)
        return L"<error>";
    std::wstring copy(text, ::SysStringLen(text));
    ::SysFreeString(text);
    return copy;
}

HRESULT Write(IDispatch* item, const wchar_t* property, const wchar_t* value)
{
    const Accessor* accessor = Find(property);
    IContact* contact = nullptr;
    if (!accessor || !item || FAILED(item->QueryInterface(IID_IContact, reinterpret_cast<void**>(&contact))))
        return E_UNEXPECTED;
    BSTR text = ::SysAllocString(value);
    const HRESULT result = (contact->*accessor->put)(text);
    ::SysFreeString(text);
    contact->Release();
    return result;
}

std::wstring ContactsFile(const vellumate::TempDevice& device)
{
    const std::wstring profile = device.ProfilePath();
    return profile.substr(0, profile.find_last_of(L"\\/") + 1) + vellumate::contacts::ContactsFileName;
}

void WriteContacts(const vellumate::TempDevice& device, std::string_view bytes)
{
    vellumate::ReplaceFileDurably(ContactsFile(device), bytes);
}

std::string StoredBytes(const vellumate::TempDevice& device)
{
    std::ifstream in(std::filesystem::path(ContactsFile(device)), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

vellumate::contacts::Contact Person(std::uint32_t oid,
                                    std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values)
{
    vellumate::contacts::Contact contact;
    contact.oid = oid;
    for (const auto& [name, value] : values)
        contact.Set(name, value);
    return contact;
}

}  // namespace contactstest
