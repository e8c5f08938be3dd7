#include "simmanager/ContactsSession.h"

#include "simmanager/resource.h"

#include "framework/Errors.h"

#include <oleauto.h>

namespace {

struct FailureReport {
    UINT message;
    DWORD code1;
    DWORD code2;
    DWORD code3;
};

FailureReport ReportOf(ContactsFailure failure) noexcept
{
    switch (failure) {
    case ContactsFailure::ComInit:
        return {IDS_CONTACTS_COM_FAILED, 102, 100, 689};
    case ContactsFailure::Application:
        return {IDS_CONTACTS_APP_FAILED, 102, 100, 696};
    case ContactsFailure::Logon:
        return {IDS_CONTACTS_LOGON_FAILED, 102, 100, 702};
    case ContactsFailure::Folder:
        return {IDS_CONTACTS_FOLDER_FAILED, 102, 100, 709};
    case ContactsFailure::Columns:
        return {IDS_CONTACTS_COLUMNS_FAILED, 102, 300, 755};
    case ContactsFailure::Add:
        return {IDS_CONTACTS_ADD_FAILED, 102, 400, 782};
    case ContactsFailure::Find:
        return {IDS_CONTACTS_FIND_FAILED, 102, 500, 799};
    case ContactsFailure::FindNext:
        return {IDS_CONTACTS_FIND_NEXT_FAILED, 102, 600, 894};
    case ContactsFailure::Item:
        return {IDS_CONTACTS_ITEM_FAILED, 102, 10100, 976};
    case ContactsFailure::Read:
        return {IDS_CONTACTS_ITEM_FAILED, 102, 10100, 977};
    case ContactsFailure::Write:
        return {IDS_CONTACTS_SAVE_FAILED, 102, 700, 910};
    case ContactsFailure::Save:
        return {IDS_CONTACTS_SAVE_FAILED, 102, 700, 911};
    }
    return {IDS_GENERIC_ERROR, 0, 0, 0};
}

// A text for the object model, freed when it goes.
struct BstrTraits {
    using Handle = BSTR;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle text) noexcept { SysFreeString(text); }
};
using OwnedBstr = vellumate::UniqueHandle<BstrTraits>;

OwnedBstr MakeBstr(const wchar_t* text)
{
    return OwnedBstr(SysAllocString(text ? text : L""));
}

// The contact interface's accessors of each kind's number.
struct NumberProperty {
    HRESULT (STDMETHODCALLTYPE IContact::*get)(BSTR*);
    HRESULT (STDMETHODCALLTYPE IContact::*put)(BSTR);
};
constexpr NumberProperty NumberProperties[NumberKindCount] = {
    {&IContact::get_BusinessFaxNumber, &IContact::put_BusinessFaxNumber},
    {&IContact::get_MobileTelephoneNumber, &IContact::put_MobileTelephoneNumber},
    {&IContact::get_BusinessTelephoneNumber, &IContact::put_BusinessTelephoneNumber},
    {&IContact::get_Business2TelephoneNumber, &IContact::put_Business2TelephoneNumber},
    {&IContact::get_HomeTelephoneNumber, &IContact::put_HomeTelephoneNumber},
    {&IContact::get_Home2TelephoneNumber, &IContact::put_Home2TelephoneNumber},
    {&IContact::get_CarTelephoneNumber, &IContact::put_CarTelephoneNumber},
    {&IContact::get_RadioTelephoneNumber, &IContact::put_RadioTelephoneNumber},
};

const NumberProperty* PropertyOfKind(int kind) noexcept
{
    return kind >= 1 && kind <= NumberKindCount ? &NumberProperties[kind - 1] : nullptr;
}

}  // namespace

void RaiseContactsError(ContactsFailure failure)
{
    const FailureReport report = ReportOf(failure);
    ThrowError(new ErrorInfo(report.message, report.code1, report.code2, report.code3, 0));
}

// ---- one contact -----------------------------------------------------------------------

String ContactItem::Read(Getter getter) const
{
    BSTR raw = nullptr;
    if (FAILED((m_contact.Get()->*getter)(&raw)))
        RaiseContactsError(ContactsFailure::Read);
    const OwnedBstr text(raw);
    return raw ? String(raw, static_cast<int>(SysStringLen(raw))) : String();
}

void ContactItem::Write(Setter setter, const wchar_t* text)
{
    const OwnedBstr value = MakeBstr(text);
    if (!value || FAILED((m_contact.Get()->*setter)(value.Get())))
        RaiseContactsError(ContactsFailure::Write);
}

String ContactItem::FirstName() const
{
    return Read(&IContact::get_FirstName);
}

String ContactItem::MiddleName() const
{
    return Read(&IContact::get_MiddleName);
}

String ContactItem::LastName() const
{
    return Read(&IContact::get_LastName);
}

String ContactItem::Number(int kind) const
{
    const NumberProperty* property = PropertyOfKind(kind);
    return property ? Read(property->get) : String();
}

void ContactItem::SetFirstName(const wchar_t* text)
{
    Write(&IContact::put_FirstName, text);
}

void ContactItem::SetMiddleName(const wchar_t* text)
{
    Write(&IContact::put_MiddleName, text);
}

void ContactItem::SetLastName(const wchar_t* text)
{
    Write(&IContact::put_LastName, text);
}

void ContactItem::SetFileAs(const wchar_t* text)
{
    Write(&IContact::put_FileAs, text);
}

void ContactItem::SetNumber(int kind, const wchar_t* text)
{
    if (const NumberProperty* property = PropertyOfKind(kind))
        Write(property->put, text);
}

void ContactItem::Save()
{
    if (FAILED(m_contact.Get()->Save()))
        RaiseContactsError(ContactsFailure::Save);
}

// ---- the session ---------------------------------------------------------------------------

ContactsSession::ComScope::ComScope()
{
    if (FAILED(CoInitializeEx(nullptr, 0)))
        RaiseContactsError(ContactsFailure::ComInit);
}

ContactsSession::ComScope::~ComScope()
{
    CoUninitialize();
}

ContactsSession::Application::Application()
{
    IPOutlookApp* app = nullptr;
    if (FAILED(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                                reinterpret_cast<void**>(&app))) ||
        !app)
        RaiseContactsError(ContactsFailure::Application);
    m_app.Reset(app);
    if (FAILED(m_app.Get()->Logon(0)))
        RaiseContactsError(ContactsFailure::Logon);
    m_loggedOn = true;
}

ContactsSession::Application::~Application()
{
    if (m_loggedOn)
        m_app.Get()->Logoff();
}

ContactsSession::ContactsSession()
{
    IFolder* rawFolder = nullptr;
    if (FAILED(m_application.Get()->GetDefaultFolder(ContactsFolder, &rawFolder)) || !rawFolder)
        RaiseContactsError(ContactsFailure::Folder);
    const ComPointer<IFolder> folder(rawFolder);
    IPOutlookItemCollection* items = nullptr;
    if (FAILED(folder.Get()->get_Items(&items)) || !items)
        RaiseContactsError(ContactsFailure::Folder);
    m_items.Reset(items);

    IPOlItems* columns = nullptr;
    if (FAILED(m_items.Get()->QueryInterface(IID_IPOlItems, reinterpret_cast<void**>(&columns))) || !columns)
        RaiseContactsError(ContactsFailure::Columns);
    m_columns.Reset(columns);
    const OwnedBstr list = MakeBstr(ContactColumnList(ContactsFolder, ContactCopyMask));
    int count = 0;
    if (!list || FAILED(m_columns.Get()->SetColumns(list.Get())) || FAILED(m_columns.Get()->get_Count(&count)))
        RaiseContactsError(ContactsFailure::Columns);
    m_count = count > 0 ? count : 0;
}

ContactItem ContactsSession::ItemFrom(IDispatch* item, ContactsFailure failure)
{
    const ComPointer<IDispatch> dispatch(item);
    IContact* contact = nullptr;
    if (FAILED(dispatch.Get()->QueryInterface(IID_IContact, reinterpret_cast<void**>(&contact))) || !contact)
        RaiseContactsError(failure);
    return ContactItem(ComPointer<IContact>(contact));
}

ContactItem ContactsSession::Item(int index)
{
    IDispatch* item = nullptr;
    if (FAILED(m_items.Get()->Item(index, &item)) || !item)
        RaiseContactsError(ContactsFailure::Item);
    return ItemFrom(item, ContactsFailure::Item);
}

std::optional<ContactItem> ContactsSession::Find(const wchar_t* restriction)
{
    const OwnedBstr text = MakeBstr(restriction);
    IDispatch* item = nullptr;
    if (!text || FAILED(m_items.Get()->Find(text.Get(), &item)))
        RaiseContactsError(ContactsFailure::Find);
    if (!item)
        return std::nullopt;
    return ItemFrom(item, ContactsFailure::Find);
}

std::optional<ContactItem> ContactsSession::FindNext()
{
    IDispatch* item = nullptr;
    if (FAILED(m_items.Get()->FindNext(&item)))
        RaiseContactsError(ContactsFailure::FindNext);
    if (!item)
        return std::nullopt;
    return ItemFrom(item, ContactsFailure::FindNext);
}

ContactItem ContactsSession::Add()
{
    IDispatch* item = nullptr;
    if (FAILED(m_items.Get()->Add(&item)) || !item)
        RaiseContactsError(ContactsFailure::Add);
    return ItemFrom(item, ContactsFailure::Add);
}
