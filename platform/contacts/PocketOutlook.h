// The handset's contacts object model: the COM interfaces of its Contacts
// database, as a handset program calls them. The server is "vmcontacts.dll"
// in "\Windows", registered in the handset's registry under CLSID_Application;
// CoCreateInstance of that class with IID_IPOutlookApp gives the application
// object, the only object a program creates itself:
//
//   IPOutlookApp* app;  CoCreateInstance(CLSID_Application, nullptr,
//       CLSCTX_INPROC_SERVER, IID_IPOutlookApp, (void**)&app);
//   app->Logon(0);  app->GetDefaultFolder(olFolderContacts, &folder);
//   folder->get_Items(&items);  items->QueryInterface(IID_IPOlItems, ...);
//   items->Item(1, (IDispatch**)&contact);  contact->get_FirstName(&text);
//
// Every interface derives from IDispatch and keeps the method order of the
// platform's documentation, so the vtables are the platform's. Items are
// numbered from 1. Texts come and go as BSTRs: a get_ gives a new one, which
// the caller frees with SysFreeString; an empty property gives an empty BSTR.
//
// Restrictions (Find, Restrict) are texts such as
//   [FirstName] = "Ann" OR [LastName] = "Lee"
// of bracketed property names, the operators < <= > >= = <>, quoted values
// ("" inside a value is one quote) and AND / OR (AND binds first), with
// parentheses. Comparisons ignore case; a contact without the property passes
// no comparison of it. A text that is no restriction, or names no property,
// gives E_INVALIDARG; no match gives S_OK with a null item.
#pragma once

#include <oaidl.h>
#include <objbase.h>
#include <windows.h>

// {05058F23-20BE-11D2-8F18-0000F87A4335}
inline constexpr CLSID CLSID_Application = {
    0x05058F23, 0x20BE, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
// {05058F22-20BE-11D2-8F18-0000F87A4335}
inline constexpr IID IID_IPOutlookApp = {0x05058F22, 0x20BE, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
// {05058F20-20BE-11D2-8F18-0000F87A4335}
inline constexpr IID IID_IFolder = {0x05058F20, 0x20BE, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
// {F06748C0-21A5-11D2-8F18-0000F87A4335}
inline constexpr IID IID_IPOutlookItemCollection = {
    0xF06748C0, 0x21A5, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
// {6E3DBE90-5411-11D3-8F39-0000F87A4335}: the collection with its column list.
inline constexpr IID IID_IPOlItems = {0x6E3DBE90, 0x5411, 0x11D3, {0x8F, 0x39, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
// {7F804E40-2010-11D2-8F18-0000F87A4335}
inline constexpr IID IID_IContact = {0x7F804E40, 0x2010, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};

// The default folders (OlDefaultFolders); this handset keeps contacts only.
enum OlDefaultFolders {
    olFolderCalendar = 9,
    olFolderContacts = 10,
    olFolderTasks = 13,
    olFolderCities = 101,
    olFolderInfrared = 102,
};

// Item types (OlItemType).
enum OlItemType {
    olAppointmentItem = 1,
    olContactItem = 2,
    olTaskItem = 3,
    olCityItem = 102,
};

struct IFolder;
struct IPOutlookItemCollection;

struct IPOutlookApp : public IDispatch {
    // Window handle 0 is allowed: the handset shows no log-on screen.
    virtual HRESULT STDMETHODCALLTYPE Logon(long hWnd) = 0;
    virtual HRESULT STDMETHODCALLTYPE Logoff() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Version(BSTR* pVersion) = 0;
    // Before Logon, and for folders other than olFolderContacts, E_FAIL.
    virtual HRESULT STDMETHODCALLTYPE GetDefaultFolder(int olFolder, IFolder** ppIFolder) = 0;
    // A new, unsaved contact (olContactItem only).
    virtual HRESULT STDMETHODCALLTYPE CreateItem(int olItem, IDispatch** ppPOutlookItem) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetItemFromOid(long oid, IDispatch** ppPOutlookItem) = 0;
};

struct IFolder : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Items(IPOutlookItemCollection** ppolItems) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DefaultItemType(int* polItem) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** polApp) = 0;
    // Beaming items has no receiver on this handset: E_NOTIMPL.
    virtual HRESULT STDMETHODCALLTYPE AddItemToInfraredFolder(int olItem, IDispatch* polItem) = 0;
    virtual HRESULT STDMETHODCALLTYPE SendToInfrared() = 0;
    virtual HRESULT STDMETHODCALLTYPE ReceiveFromInfrared(IPOutlookItemCollection** ppItems) = 0;
};

// The items of a folder as they were when the collection was made, in the
// order of the database; an item added through it joins it when it is saved,
// and its items' saves and deletions show in it.
struct IPOutlookItemCollection : public IDispatch {
    // A new contact, not in the database until it is saved.
    virtual HRESULT STDMETHODCALLTYPE Add(IDispatch** ppolItem) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Count(int* pnCount) = 0;
    virtual HRESULT STDMETHODCALLTYPE Find(BSTR pwszRestriction, IDispatch** ppItem) = 0;
    // The next item after the last one Find or FindNext gave; a null item
    // after the last; E_FAIL without an earlier Find.
    virtual HRESULT STDMETHODCALLTYPE FindNext(IDispatch** ppItem) = 0;
    // 1 to Count; anything else E_INVALIDARG.
    virtual HRESULT STDMETHODCALLTYPE Item(int iIndex, IDispatch** ppolItem) = 0;
    // Deletes the item from the database.
    virtual HRESULT STDMETHODCALLTYPE Remove(int iIndex) = 0;
    virtual HRESULT STDMETHODCALLTYPE Restrict(BSTR pwszRestriction, IPOutlookItemCollection** ppolItems) = 0;
    // Orders the collection by a property ("[LastName]"), descending when told.
    virtual HRESULT STDMETHODCALLTYPE Sort(BSTR pwszProperty, VARIANT_BOOL fDescending) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IncludeRecurrences(VARIANT_BOOL* pfIncludeRecurrences) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IncludeRecurrences(VARIANT_BOOL fIncludeRecurrences) = 0;
    // No enumerator: E_NOTIMPL.
    virtual HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** ppEnumerator) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** polApp) = 0;
};

// The collection's second interface. The column list ("FirstName,LastName")
// names the properties a program means to read; every name must be a contact
// property, else E_INVALIDARG. All properties stay readable either way.
struct IPOlItems : public IPOutlookItemCollection {
    virtual HRESULT STDMETHODCALLTYPE SetColumns(BSTR Columns) = 0;
};

// One contact. Text properties keep at most 4096 characters; a longer value
// is refused with E_INVALIDARG. Changes reach the database at Save.
struct IContact : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Birthday(DATE* pst) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Anniversary(DATE* pst) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BusinessFaxNumber(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CompanyName(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Department(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Email1Address(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MobileTelephoneNumber(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OfficeLocation(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PagerNumber(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BusinessTelephoneNumber(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_JobTitle(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HomeTelephoneNumber(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Email2Address(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Spouse(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Email3Address(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Home2TelephoneNumber(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HomeFaxNumber(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CarTelephoneNumber(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AssistantName(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AssistantTelephoneNumber(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Children(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Categories(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_WebPage(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Business2TelephoneNumber(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RadioTelephoneNumber(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FileAs(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_YomiCompanyName(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_YomiFirstName(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_YomiLastName(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Title(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FirstName(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MiddleName(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_LastName(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Suffix(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HomeAddressStreet(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HomeAddressCity(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HomeAddressState(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HomeAddressPostalCode(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HomeAddressCountry(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OtherAddressStreet(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OtherAddressCity(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OtherAddressState(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OtherAddressPostalCode(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OtherAddressCountry(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BusinessAddressStreet(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BusinessAddressCity(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BusinessAddressState(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BusinessAddressPostalCode(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BusinessAddressCountry(BSTR* pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Body(BSTR* pwsz) = 0;
    // The contact's number in the database; 0 before its first Save.
    virtual HRESULT STDMETHODCALLTYPE get_Oid(long* poid) = 0;

    virtual HRESULT STDMETHODCALLTYPE put_Birthday(DATE st) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Anniversary(DATE st) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BusinessFaxNumber(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_CompanyName(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Department(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Email1Address(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MobileTelephoneNumber(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_OfficeLocation(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PagerNumber(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BusinessTelephoneNumber(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_JobTitle(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HomeTelephoneNumber(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Email2Address(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Spouse(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Email3Address(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Home2TelephoneNumber(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HomeFaxNumber(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_CarTelephoneNumber(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AssistantName(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AssistantTelephoneNumber(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Children(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Categories(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_WebPage(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Business2TelephoneNumber(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_RadioTelephoneNumber(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_FileAs(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_YomiCompanyName(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_YomiFirstName(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_YomiLastName(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Title(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_FirstName(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MiddleName(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_LastName(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Suffix(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HomeAddressStreet(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HomeAddressCity(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HomeAddressState(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HomeAddressPostalCode(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HomeAddressCountry(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_OtherAddressStreet(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_OtherAddressCity(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_OtherAddressState(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_OtherAddressPostalCode(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_OtherAddressCountry(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BusinessAddressStreet(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BusinessAddressCity(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BusinessAddressState(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BusinessAddressPostalCode(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BusinessAddressCountry(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Body(BSTR pwsz) = 0;

    // Writes the contact to the database; durable when it returns S_OK. A new
    // contact gets its Oid and joins the collection it came from.
    virtual HRESULT STDMETHODCALLTYPE Save() = 0;
    virtual HRESULT STDMETHODCALLTYPE Delete() = 0;
    // No contact card on this handset: E_NOTIMPL.
    virtual HRESULT STDMETHODCALLTYPE Display() = 0;
    // A new, unsaved contact with this one's properties.
    virtual HRESULT STDMETHODCALLTYPE Copy(IContact** ppolCopy) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** polApp) = 0;
};
