// Saves new contacts through the object model one after another until it is
// killed, saying "saved ROUND N" after each Save returned S_OK (the contact is
// "Saved" "ROUND-N"). For the test of saves cut short.
#include "platform/contacts/tests/ContactsTestSupport.h"

#include "framework/testsupport/ConsoleLine.h"

#include <string>

int wmain(int argc, wchar_t** argv)
{
    const std::wstring round = argc > 1 ? argv[1] : L"0";
    if (FAILED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
        return 2;
    int result = 0;
    {
        contactstest::OpenModel model;
        if (model.failed != S_OK) {
            vellumate::WriteConsoleLine(L"cannot open the object model");
            result = 3;
        }
        for (int n = 1; result == 0; ++n) {
            IDispatch* item = nullptr;
            IContact* contact = nullptr;
            const std::wstring last = round + L"-" + std::to_wstring(n);
            if (FAILED(model.items->Add(&item)) ||
                FAILED(item->QueryInterface(IID_IContact, reinterpret_cast<void**>(&contact))) ||
                contactstest::Write(item, L"FirstName", L"Saved") != S_OK ||
                contactstest::Write(item, L"LastName", last.c_str()) != S_OK ||
                contactstest::Write(item, L"MobileTelephoneNumber", L"+441632960100") != S_OK ||
                contact->Save() != S_OK) {
                vellumate::WriteConsoleLine(L"save failed");
                result = 4;
            } else {
                vellumate::WriteConsoleLine(L"saved " + round + L" " + std::to_wstring(n));
            }
            if (contact)
                contact->Release();
            if (item)
                item->Release();
        }
    }
    ::CoUninitialize();
    return result;
}
