// Asks the handset's services as a program would, for the test of the tool's
// contacts and phone commands (contacts_commands.sh). One fact a line:
//
//   phone_probe sms                  own NUMBER, then smsc NUMBER
//   phone_probe line                 serial NUMBER, then subscriber NUMBER
//   phone_probe contacts             FIRST|LAST|MOBILE|HOME, one a contact
//   phone_probe add FIRST LAST HOME  ok, once the new contact is saved
//
// The contacts server is registered for the probe's run. A failing call
// prints "error 0xCODE" and ends with status 1.
#include "platform/contacts/tests/ContactsTestSupport.h"
#include "platform/phone/Sms.h"
#include "platform/phone/TapiLine.h"

#include "framework/testsupport/ConsoleLine.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace contactstest;

namespace {

int Failed(long result)
{
    wchar_t text[32];
    std::swprintf(text, 32, L"error 0x%08lX", static_cast<unsigned long>(result));
    vellumate::WriteConsoleLine(text);
    return 1;
}

std::wstring TextAt(const void* record, DWORD offset, DWORD size)
{
    if (size < sizeof(wchar_t))
        return L"(none)";
    return std::wstring(reinterpret_cast<const wchar_t*>(static_cast<const BYTE*>(record) + offset),
                        size / sizeof(wchar_t) - 1);
}

int Sms()
{
    SMS_HANDLE sms = 0;
    HANDLE event = nullptr;
    if (const HRESULT result = SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &sms, &event); result != S_OK)
        return Failed(result);
    SMS_ADDRESS address{SMSAT_INTERNATIONAL, {}};
    SmsGetPhoneNumber(&address);
    vellumate::WriteConsoleLine(std::wstring(L"own ") + address.ptsAddress);
    SmsGetSMSC(&address);
    vellumate::WriteConsoleLine(std::wstring(L"smsc ") + address.ptsAddress);
    SmsClose(sms);
    return 0;
}

int Line()
{
    HLINEAPP app = 0;
    DWORD lines = 0, version = TAPI_VERSION2_0;
    LINEINITIALIZEEXPARAMS options{};
    options.dwTotalSize = sizeof options;
    options.dwOptions = LINEINITIALIZEEXOPTION_USEEVENT;
    if (const LONG result = lineInitializeEx(&app, nullptr, nullptr, L"", &lines, &version, &options))
        return Failed(result);
    HLINE line = 0;
    LONG result = lineOpen(app, 0, &line, TAPI_VERSION2_0, 0, 0, LINECALLPRIVILEGE_OWNER,
                           LINEMEDIAMODE_INTERACTIVEVOICE, nullptr);
    LINEGENERALINFO probe{};
    probe.dwTotalSize = sizeof probe;
    if (result == 0)
        result = lineGetGeneralInfo(line, &probe);
    std::vector<BYTE> buffer(probe.dwNeededSize);
    auto* info = reinterpret_cast<LINEGENERALINFO*>(buffer.data());
    if (result == 0) {
        info->dwTotalSize = probe.dwNeededSize;
        result = lineGetGeneralInfo(line, info);
    }
    if (result == 0) {
        vellumate::WriteConsoleLine(L"serial " + TextAt(info, info->dwSerialNumberOffset, info->dwSerialNumberSize));
        vellumate::WriteConsoleLine(L"subscriber " +
                                    TextAt(info, info->dwSubscriberNumberOffset, info->dwSubscriberNumberSize));
    }
    lineClose(line);
    lineShutdown(app);
    return result ? Failed(result) : 0;
}

int Contacts(int argc, wchar_t** argv)
{
    RegisteredServer server;
    if (FAILED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)) || !server.Ok())
        return Failed(E_FAIL);
    int status = 0;
    {
        OpenModel model;
        if (model.failed != S_OK)
            return Failed(model.failed);
        if (argc == 5) {
            IDispatch* item = nullptr;
            IContact* contact = nullptr;
            HRESULT result = model.items->Add(&item);
            if (SUCCEEDED(result))
                result = item->QueryInterface(IID_IContact, reinterpret_cast<void**>(&contact));
            if (SUCCEEDED(result)) {
                Write(item, L"FirstName", argv[2]);
                Write(item, L"LastName", argv[3]);
                Write(item, L"HomeTelephoneNumber", argv[4]);
                result = contact->Save();
                contact->Release();
            }
            if (item)
                item->Release();
            status = FAILED(result) ? Failed(result) : (vellumate::WriteConsoleLine(L"ok"), 0);
        } else {
            int count = 0;
            model.items->get_Count(&count);
            for (int i = 1; i <= count; ++i) {
                IDispatch* item = nullptr;
                if (FAILED(model.items->Item(i, &item)))
                    return Failed(E_FAIL);
                vellumate::WriteConsoleLine(Read(item, L"FirstName") + L"|" + Read(item, L"LastName") + L"|" +
                                            Read(item, L"MobileTelephoneNumber") + L"|" +
                                            Read(item, L"HomeTelephoneNumber"));
                item->Release();
            }
        }
    }
    ::CoUninitialize();
    return status;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"sms" && argc == 2)
        return Sms();
    if (command == L"line" && argc == 2)
        return Line();
    if ((command == L"contacts" && argc == 2) || (command == L"add" && argc == 5))
        return Contacts(argc, argv);
    vellumate::WriteConsoleLine(L"usage: phone_probe sms | line | contacts | add FIRST LAST HOME");
    return 64;
}
