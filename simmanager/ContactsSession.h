// The program's road to the Contacts database: the platform's contacts object
// model opened for one command (COM, the application, log-on, the contacts
// folder's items with their column list) and closed again when the session
// goes, however the command ends. A call that fails raises an error report
// (ErrorInfo) with its message and location codes; it unwinds to the
// command's error frame, and the objects already made are let go on the way.
#pragma once

#include "simmanager/ContactFields.h"

#include "framework/String.h"

#include "platform/Handles.h"
#include "platform/contacts/PocketOutlook.h"

#include <windows.h>

#include <optional>

// The reports, with their messages and location codes 1 to 3 (code 4 is 0).
enum class ContactsFailure {
    ComInit,      // 46042: 102, 100, 689
    Application,  // 46060: 102, 100, 696
    Logon,        // 46061: 102, 100, 702
    Folder,       // 46062: 102, 100, 709
    Columns,      // 46063: 102, 300, 755
    Add,          // 46065: 102, 400, 782
    Find,         // 46066: 102, 500, 799
    FindNext,     // 46067: 102, 600, 894
    Item,         // 46064: 102, 10100, 976
    Read,         // 46064: 102, 10100, 977, a property that cannot be read
    Write,        // 46068: 102, 700, 910, a property the database refuses
    Save,         // 46068: 102, 700, 911
};
[[noreturn]] void RaiseContactsError(ContactsFailure failure);

template <typename Interface>
struct ComPointerTraits {
    using Handle = Interface*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle object) noexcept { object->Release(); }
};
template <typename Interface>
using ComPointer = vellumate::UniqueHandle<ComPointerTraits<Interface>>;

// One contact of the database.
class ContactItem {
public:
    explicit ContactItem(ComPointer<IContact> contact) noexcept : m_contact(std::move(contact)) {}

    String FirstName() const;
    String MiddleName() const;
    String LastName() const;
    // The number of kind 1 to 8, as the contact holds it.
    String Number(int kind) const;

    void SetFirstName(const wchar_t* text);
    void SetMiddleName(const wchar_t* text);
    void SetLastName(const wchar_t* text);
    void SetFileAs(const wchar_t* text);
    void SetNumber(int kind, const wchar_t* text);
    // Into the database.
    void Save();

private:
    using Getter = HRESULT (STDMETHODCALLTYPE IContact::*)(BSTR*);
    using Setter = HRESULT (STDMETHODCALLTYPE IContact::*)(BSTR);
    String Read(Getter getter) const;
    void Write(Setter setter, const wchar_t* text);

    ComPointer<IContact> m_contact;
};

class ContactsSession {
public:
    // Opens the object model; raises the report of the first step that fails.
    ContactsSession();
    ContactsSession(const ContactsSession&) = delete;
    ContactsSession& operator=(const ContactsSession&) = delete;

    int Count() const noexcept { return m_count; }
    // Items 1 to Count().
    ContactItem Item(int index);
    // The first contact the restriction takes, then the following ones;
    // nothing when there is none (more).
    std::optional<ContactItem> Find(const wchar_t* restriction);
    std::optional<ContactItem> FindNext();
    // A new contact; in the database once saved.
    ContactItem Add();

private:
    // Balances a successful CoInitializeEx.
    class ComScope {
    public:
        ComScope();
        ~ComScope();
        ComScope(const ComScope&) = delete;
        ComScope& operator=(const ComScope&) = delete;
    };
    // The application object, logged off before it is let go.
    class Application {
    public:
        Application();
        ~Application();
        Application(const Application&) = delete;
        Application& operator=(const Application&) = delete;
        IPOutlookApp* Get() const noexcept { return m_app.Get(); }

    private:
        ComPointer<IPOutlookApp> m_app;
        bool m_loggedOn = false;
    };

    static ContactItem ItemFrom(IDispatch* item, ContactsFailure failure);

    // In the order they are made; they go in the opposite one.
    ComScope m_com;
    Application m_application;
    ComPointer<IPOutlookItemCollection> m_items;
    ComPointer<IPOlItems> m_columns;
    int m_count = 0;
};
