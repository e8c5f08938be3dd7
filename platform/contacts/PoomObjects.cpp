#include "platform/contacts/PoomObjects.h"

#include "platform/contacts/ContactsStore.h"
#include "platform/contacts/Restriction.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vellumate::contacts {

std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

namespace {

// What a date property without a value reads as: 1 January 4501, the
// platform's "no date".
constexpr DATE NoDate = 949998.0;

// An owned interface pointer.
template <typename T>
class ComRef {
public:
    ComRef() noexcept = default;
    explicit ComRef(T* p, bool addRef) noexcept : m_p(p)
    {
        if (m_p && addRef)
            m_p->AddRef();
    }
    ComRef(const ComRef& other) noexcept : ComRef(other.m_p, true) {}
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef()
    {
        if (m_p)
            m_p->Release();
    }
    T* Get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }

private:
    T* m_p = nullptr;
};

template <typename Interface>
class ComObject : public Interface {
public:
    ComObject() noexcept { ++liveObjects; }
    virtual ~ComObject() { --liveObjects; }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDispatch && !Answers(iid))
            return E_NOINTERFACE;
        *out = static_cast<Interface*>(this);
        this->AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    // No type library: programs call the interfaces through their vtables.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info)
            *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

protected:
    virtual bool Answers(REFIID iid) const noexcept = 0;

private:
    std::atomic<ULONG> m_refs{1};
};

std::wstring_view TextOf(BSTR text) noexcept
{
    return text ? std::wstring_view(text, ::SysStringLen(text)) : std::wstring_view{};
}

// A restriction is a null-terminated text: it ends at its first NUL.
std::wstring_view RestrictionOf(BSTR text) noexcept
{
    const std::wstring_view whole = TextOf(text);
    return whole.substr(0, std::min(whole.size(), whole.find(L'\0')));
}

HRESULT GiveText(const std::wstring& text, BSTR* out) noexcept
{
    if (!out)
        return E_POINTER;
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

template <typename Make>
HRESULT Guarded(Make&& make) noexcept
{
    try {
        return make();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

class Application;

HRESULT GiveApplication(IPOutlookApp* app, IPOutlookApp** out) noexcept
{
    if (!out)
        return E_POINTER;
    *out = app;
    app->AddRef();
    return S_OK;
}

// The items one collection shows, shared with the contacts it handed out so
// that their saves and deletions show in it.
struct CollectionState {
    std::mutex lock;
    std::vector<Contact> items;
    std::optional<Restriction> restriction;  // of the last Find
    std::size_t nextAt = 0;                  // where FindNext goes on
    std::vector<std::wstring_view> columns;

    void Saved(const Contact& contact)
    {
        std::lock_guard guard(lock);
        for (Contact& item : items)
            if (item.oid == contact.oid) {
                item = contact;
                return;
            }
        items.push_back(contact);
    }
    void Removed(std::uint32_t oid)
    {
        std::lock_guard guard(lock);
        const auto gone = std::find_if(items.begin(), items.end(), [&](const Contact& c) { return c.oid == oid; });
        if (gone == items.end())
            return;
        const std::size_t at = static_cast<std::size_t>(gone - items.begin());
        items.erase(gone);
        // FindNext goes on with the item that followed the one it gave last.
        if (at < nextAt)
            --nextAt;
    }
};

class Application final : public ComObject<IPOutlookApp> {
public:
    HRESULT STDMETHODCALLTYPE Logon(long) override
    {
        std::lock_guard guard(m_lock);
        m_loggedOn = true;
        m_path = ContactsPath();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Logoff() override
    {
        std::lock_guard guard(m_lock);
        m_loggedOn = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Version(BSTR* version) override { return GiveText(L"3.0.1", version); }
    HRESULT STDMETHODCALLTYPE GetDefaultFolder(int folder, IFolder** out) override;
    HRESULT STDMETHODCALLTYPE CreateItem(int item, IDispatch** out) override;
    HRESULT STDMETHODCALLTYPE GetItemFromOid(long oid, IDispatch** out) override;

    // The database's path while logged on; nothing after Logoff.
    std::optional<std::wstring> Path()
    {
        std::lock_guard guard(m_lock);
        if (!m_loggedOn)
            return std::nullopt;
        return m_path;
    }

protected:
    bool Answers(REFIID iid) const noexcept override { return iid == IID_IPOutlookApp; }

private:
    std::mutex m_lock;
    bool m_loggedOn = false;
    std::wstring m_path;
};

#define VM_WIDEN2(text) L##text
#define VM_WIDEN(text) VM_WIDEN2(text)
#define VM_TEXT_PROPERTY(Name)                                                                                         \
    HRESULT STDMETHODCALLTYPE get_##Name(BSTR* value) override                                                         \
    {                                                                                                                  \
        return GetText(VM_WIDEN(#Name), value);                                                                        \
    }                                                                                                                  \
    HRESULT STDMETHODCALLTYPE put_##Name(BSTR value) override                                                          \
    {                                                                                                                  \
        return PutText(VM_WIDEN(#Name), value);                                                                        \
    }

class ContactItem final : public ComObject<IContact> {
public:
    ContactItem(Application* app, Contact contact, std::shared_ptr<CollectionState> collection) noexcept
        : m_app(app, true), m_contact(std::move(contact)), m_collection(std::move(collection))
    {
    }

    HRESULT STDMETHODCALLTYPE get_Birthday(DATE* value) override { return GetDate(L"Birthday", value); }
    HRESULT STDMETHODCALLTYPE put_Birthday(DATE value) override { return PutDate(L"Birthday", value); }
    HRESULT STDMETHODCALLTYPE get_Anniversary(DATE* value) override { return GetDate(L"Anniversary", value); }
    HRESULT STDMETHODCALLTYPE put_Anniversary(DATE value) override { return PutDate(L"Anniversary", value); }
    VM_TEXT_PROPERTY(BusinessFaxNumber)
    VM_TEXT_PROPERTY(CompanyName)
    VM_TEXT_PROPERTY(Department)
    VM_TEXT_PROPERTY(Email1Address)
    VM_TEXT_PROPERTY(MobileTelephoneNumber)
    VM_TEXT_PROPERTY(OfficeLocation)
    VM_TEXT_PROPERTY(PagerNumber)
    VM_TEXT_PROPERTY(BusinessTelephoneNumber)
    VM_TEXT_PROPERTY(JobTitle)
    VM_TEXT_PROPERTY(HomeTelephoneNumber)
    VM_TEXT_PROPERTY(Email2Address)
    VM_TEXT_PROPERTY(Spouse)
    VM_TEXT_PROPERTY(Email3Address)
    VM_TEXT_PROPERTY(Home2TelephoneNumber)
    VM_TEXT_PROPERTY(HomeFaxNumber)
    VM_TEXT_PROPERTY(CarTelephoneNumber)
    VM_TEXT_PROPERTY(AssistantName)
    VM_TEXT_PROPERTY(AssistantTelephoneNumber)
    VM_TEXT_PROPERTY(Children)
    VM_TEXT_PROPERTY(Categories)
    VM_TEXT_PROPERTY(WebPage)
    VM_TEXT_PROPERTY(Business2TelephoneNumber)
    VM_TEXT_PROPERTY(RadioTelephoneNumber)
    VM_TEXT_PROPERTY(FileAs)
    VM_TEXT_PROPERTY(YomiCompanyName)
    VM_TEXT_PROPERTY(YomiFirstName)
    VM_TEXT_PROPERTY(YomiLastName)
    VM_TEXT_PROPERTY(Title)
    VM_TEXT_PROPERTY(FirstName)
    VM_TEXT_PROPERTY(MiddleName)
    VM_TEXT_PROPERTY(LastName)
    VM_TEXT_PROPERTY(Suffix)
    VM_TEXT_PROPERTY(HomeAddressStreet)
    VM_TEXT_PROPERTY(HomeAddressCity)
    VM_TEXT_PROPERTY(HomeAddressState)
    VM_TEXT_PROPERTY(HomeAddressPostalCode)
    VM_TEXT_PROPERTY(HomeAddressCountry)
    VM_TEXT_PROPERTY(OtherAddressStreet)
    VM_TEXT_PROPERTY(OtherAddressCity)
    VM_TEXT_PROPERTY(OtherAddressState)
    VM_TEXT_PROPERTY(OtherAddressPostalCode)
    VM_TEXT_PROPERTY(OtherAddressCountry)
    VM_TEXT_PROPERTY(BusinessAddressStreet)
    VM_TEXT_PROPERTY(BusinessAddressCity)
    VM_TEXT_PROPERTY(BusinessAddressState)
    VM_TEXT_PROPERTY(BusinessAddressPostalCode)
    VM_TEXT_PROPERTY(BusinessAddressCountry)
    VM_TEXT_PROPERTY(Body)

    HRESULT STDMETHODCALLTYPE get_Oid(long* oid) override
    {
        if (!oid)
            return E_POINTER;
        std::lock_guard guard(m_lock);
        *oid = static_cast<long>(m_contact.oid);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Save() override
    {
        return Guarded([&] {
            const std::optional<std::wstring> path = m_app->Path();
            if (!path)
                return E_FAIL;
            std::lock_guard guard(m_lock);
            Contact stored = m_contact;
            const HRESULT result = ChangeContactsFile(*path, [&](ContactBook& book) {
                stored = m_contact;
                return book.Store(stored) ? S_OK : E_OUTOFMEMORY;
            });
            if (FAILED(result))
                return result;
            m_contact.oid = stored.oid;
            if (m_collection)
                m_collection->Saved(m_contact);
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE Delete() override
    {
        return Guarded([&] {
            const std::optional<std::wstring> path = m_app->Path();
            if (!path)
                return E_FAIL;
            std::lock_guard guard(m_lock);
            if (m_contact.oid == 0)
                return E_FAIL;  // never saved
            const std::uint32_t oid = m_contact.oid;
            const HRESULT result =
                ChangeContactsFile(*path, [&](ContactBook& book) { return book.Remove(oid) ? S_OK : S_FALSE; });
            if (FAILED(result))
                return result;
            m_contact.oid = 0;
            if (m_collection)
                m_collection->Removed(oid);
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE Display() override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE Copy(IContact** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return Guarded([&] {
            std::lock_guard guard(m_lock);
            Contact copy = m_contact;
            copy.oid = 0;
            auto* item = new (std::nothrow) ContactItem(m_app.Get(), std::move(copy), m_collection);
            if (!item)
                return E_OUTOFMEMORY;
            *out = item;
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** out) override { return GiveApplication(m_app.Get(), out); }

protected:
    bool Answers(REFIID iid) const noexcept override { return iid == IID_IContact; }

private:
    HRESULT GetText(const wchar_t* name, BSTR* value) noexcept
    {
        return Guarded([&] {
            std::lock_guard guard(m_lock);
            return GiveText(m_contact.Get(name), value);
        });
    }

    HRESULT PutText(const wchar_t* name, BSTR value) noexcept
    {
        return Guarded([&] {
            const std::wstring_view text = TextOf(value);
            if (!CheckPropertyValue(name, text).empty())
                return E_INVALIDARG;
            std::lock_guard guard(m_lock);
            m_contact.Set(name, text);
            return S_OK;
        });
    }

    HRESULT GetDate(const wchar_t* name, DATE* value) noexcept
    {
        if (!value)
            return E_POINTER;
        return Guarded([&] {
            std::lock_guard guard(m_lock);
            const std::wstring days = m_contact.Get(name);
            *value = days.empty() ? NoDate : static_cast<DATE>(std::stol(days));
            return S_OK;
        });
    }

    HRESULT PutDate(const wchar_t* name, DATE value) noexcept
    {
        return Guarded([&] {
            if (value == NoDate) {
                std::lock_guard guard(m_lock);
                m_contact.Set(name, L"");
                return S_OK;
            }
            if (!std::isfinite(value) || value < 2.0 || value >= 401769.0)
                return E_INVALIDARG;  // before 1900 or after 2999
            std::lock_guard guard(m_lock);
            m_contact.Set(name, std::to_wstring(static_cast<long>(std::floor(value))));
            return S_OK;
        });
    }

    ComRef<Application> m_app;
    std::mutex m_lock;
    Contact m_contact;
    std::shared_ptr<CollectionState> m_collection;  // null for an item made by the application
};

HRESULT GiveContact(Application* app, Contact contact, std::shared_ptr<CollectionState> collection, IDispatch** out)
{
    auto* item = new (std::nothrow) ContactItem(app, std::move(contact), std::move(collection));
    if (!item)
        return E_OUTOFMEMORY;
    *out = item;
    return S_OK;
}

class ItemCollection final : public ComObject<IPOlItems> {
public:
    ItemCollection(Application* app, std::shared_ptr<CollectionState> state) noexcept
        : m_app(app, true), m_state(std::move(state))
    {
    }

    HRESULT STDMETHODCALLTYPE Add(IDispatch** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return Guarded([&] { return GiveContact(m_app.Get(), Contact{}, m_state, out); });
    }

    HRESULT STDMETHODCALLTYPE get_Count(int* count) override
    {
        if (!count)
            return E_POINTER;
        std::lock_guard guard(m_state->lock);
        *count = static_cast<int>(m_state->items.size());
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Find(BSTR text, IDispatch** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return Guarded([&] {
            std::optional<Restriction> restriction = Restriction::Parse(RestrictionOf(text));
            std::lock_guard guard(m_state->lock);
            // A failed find ends the previous search too.
            m_state->restriction = std::move(restriction);
            if (!m_state->restriction)
                return E_INVALIDARG;
            return FindFrom(0, out);
        });
    }

    HRESULT STDMETHODCALLTYPE FindNext(IDispatch** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return Guarded([&] {
            std::lock_guard guard(m_state->lock);
            if (!m_state->restriction)
                return E_FAIL;
            return FindFrom(m_state->nextAt, out);
        });
    }

    HRESULT STDMETHODCALLTYPE Item(int index, IDispatch** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return Guarded([&] {
            std::lock_guard guard(m_state->lock);
            if (index < 1 || static_cast<std::size_t>(index) > m_state->items.size())
                return E_INVALIDARG;
            return GiveContact(m_app.Get(), m_state->items[static_cast<std::size_t>(index) - 1], m_state, out);
        });
    }

    HRESULT STDMETHODCALLTYPE Remove(int index) override
    {
        return Guarded([&] {
            const std::optional<std::wstring> path = m_app->Path();
            if (!path)
                return E_FAIL;
            std::uint32_t oid = 0;
            {
                std::lock_guard guard(m_state->lock);
                if (index < 1 || static_cast<std::size_t>(index) > m_state->items.size())
                    return E_INVALIDARG;
                oid = m_state->items[static_cast<std::size_t>(index) - 1].oid;
            }
            const HRESULT result =
                ChangeContactsFile(*path, [&](ContactBook& book) { return book.Remove(oid) ? S_OK : S_FALSE; });
            if (FAILED(result))
                return result;
            m_state->Removed(oid);
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE Restrict(BSTR text, IPOutlookItemCollection** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return Guarded([&] {
            const std::optional<Restriction> restriction = Restriction::Parse(RestrictionOf(text));
            if (!restriction)
                return E_INVALIDARG;
            auto state = std::make_shared<CollectionState>();
            {
                std::lock_guard guard(m_state->lock);
                for (const Contact& contact : m_state->items)
                    if (restriction->Matches(contact))
                        state->items.push_back(contact);
                state->columns = m_state->columns;
            }
            if (state->items.empty())
                return S_OK;  // no item passes: a null collection
            auto* collection = new (std::nothrow) ItemCollection(m_app.Get(), std::move(state));
            if (!collection)
                return E_OUTOFMEMORY;
            *out = collection;
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE Sort(BSTR property, VARIANT_BOOL descending) override
    {
        return Guarded([&] {
            const std::optional<std::wstring_view> name = ParseSortProperty(TextOf(property));
            if (!name)
                return E_INVALIDARG;
            const std::wstring key(*name);
            std::lock_guard guard(m_state->lock);
            std::stable_sort(m_state->items.begin(), m_state->items.end(), [&](const Contact& a, const Contact& b) {
                const int order = CompareValues(a.Get(key), b.Get(key));
                return descending ? order > 0 : order < 0;
            });
            m_state->restriction.reset();
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_IncludeRecurrences(VARIANT_BOOL* include) override
    {
        if (!include)
            return E_POINTER;
        *include = VARIANT_FALSE;
        return S_OK;
    }
    // Contacts have no recurrences.
    HRESULT STDMETHODCALLTYPE put_IncludeRecurrences(VARIANT_BOOL) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** out) override
    {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** out) override { return GiveApplication(m_app.Get(), out); }

    HRESULT STDMETHODCALLTYPE SetColumns(BSTR text) override
    {
        return Guarded([&] {
            std::optional<std::vector<std::wstring_view>> columns = ParseColumns(TextOf(text));
            if (!columns)
                return E_INVALIDARG;
            std::lock_guard guard(m_state->lock);
            m_state->columns = std::move(*columns);
            return S_OK;
        });
    }

protected:
    bool Answers(REFIID iid) const noexcept override
    {
        return iid == IID_IPOutlookItemCollection || iid == IID_IPOlItems;
    }

private:
    // Under the state's lock.
    HRESULT FindFrom(std::size_t start, IDispatch** out)
    {
        for (std::size_t at = start; at < m_state->items.size(); ++at) {
            if (m_state->restriction->Matches(m_state->items[at])) {
                m_state->nextAt = at + 1;
                return GiveContact(m_app.Get(), m_state->items[at], m_state, out);
            }
        }
        // Past the end: a further FindNext finds nothing either.
        m_state->nextAt = m_state->items.size();
        return S_OK;
    }

    ComRef<Application> m_app;
    std::shared_ptr<CollectionState> m_state;
};

class ContactsFolder final : public ComObject<IFolder> {
public:
    explicit ContactsFolder(Application* app) noexcept : m_app(app, true) {}

    HRESULT STDMETHODCALLTYPE get_Items(IPOutlookItemCollection** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return Guarded([&] {
            const std::optional<std::wstring> path = m_app->Path();
            if (!path)
                return E_FAIL;
            const BookSnapshot snapshot = ReadContactsFile(*path);
            if (snapshot.state != BookSnapshot::State::Readable)
                return E_FAIL;
            auto state = std::make_shared<CollectionState>();
            state->items = snapshot.book->contacts;
            auto* collection = new (std::nothrow) ItemCollection(m_app.Get(), std::move(state));
            if (!collection)
                return E_OUTOFMEMORY;
            *out = collection;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_DefaultItemType(int* type) override
    {
        if (!type)
            return E_POINTER;
        *type = olContactItem;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** out) override { return GiveApplication(m_app.Get(), out); }
    HRESULT STDMETHODCALLTYPE AddItemToInfraredFolder(int, IDispatch*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SendToInfrared() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReceiveFromInfrared(IPOutlookItemCollection** out) override
    {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }

protected:
    bool Answers(REFIID iid) const noexcept override { return iid == IID_IFolder; }

private:
    ComRef<Application> m_app;
};

HRESULT Application::GetDefaultFolder(int folder, IFolder** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (folder != olFolderContacts || !Path())
        return E_FAIL;
    auto* contacts = new (std::nothrow) ContactsFolder(this);
    if (!contacts)
        return E_OUTOFMEMORY;
    *out = contacts;
    return S_OK;
}

HRESULT Application::CreateItem(int item, IDispatch** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (item != olContactItem)
        return E_INVALIDARG;
    return Guarded([&] { return GiveContact(this, Contact{}, nullptr, out); });
}

HRESULT Application::GetItemFromOid(long oid, IDispatch** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return Guarded([&] {
        const std::optional<std::wstring> path = Path();
        if (!path)
            return E_FAIL;
        const BookSnapshot snapshot = ReadContactsFile(*path);
        if (snapshot.state != BookSnapshot::State::Readable)
            return E_FAIL;
        const Contact* contact = oid > 0 ? snapshot.book->Find(static_cast<std::uint32_t>(oid)) : nullptr;
        if (!contact)
            return E_INVALIDARG;
        return GiveContact(this, *contact, nullptr, out);
    });
}

class Factory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IClassFactory)
            return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    // The factory lives as long as the DLL.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        IPOutlookApp* app = NewApplication();
        if (!app)
            return E_OUTOFMEMORY;
        const HRESULT result = app->QueryInterface(iid, out);
        app->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            ++serverLocks;
        else
            --serverLocks;
        return S_OK;
    }
};

Factory factory;

}  // namespace

IPOutlookApp* NewApplication() noexcept
{
    return new (std::nothrow) Application();
}

IClassFactory* ApplicationFactory() noexcept
{
    return &factory;
}

}  // namespace vellumate::contacts
