// The phone's figures as a program asks for them: the own number and message
// centre from the text-message service, and the serial and subscriber numbers
// from the line it finds by name, through records it sizes the way the
// platform makes it (ask, learn the needed size, ask again).
#include "platform/phone/Sms.h"
#include "platform/phone/TapiLine.h"

#include "platform/sim/SimCardFile.h"

#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vellumate;

namespace {

constexpr char Profile[] = "[phone]\n"
                           "own_number=+441632960777\n"
                           "smsc=+447958879879\n"
                           "serial=356938035643809\n"
                           "subscriber=234150999999999\n";

void InsertCard(const TempDevice& device, bool radioOn = true)
{
    sim::SimCard card;
    card.radioOn = radioOn;
    device.WriteSim(sim::FormatSimCard(card));
}

std::wstring TextAt(const void* record, DWORD offset, DWORD size)
{
    if (size == 0)
        return L"<none>";
    const auto* text = reinterpret_cast<const wchar_t*>(static_cast<const BYTE*>(record) + offset);
    EXPECT_EQ(text[size / sizeof(wchar_t) - 1], L'\0') << "a text without its terminator";
    return std::wstring(text, size / sizeof(wchar_t) - 1);
}

TEST(TextMessageService, AnswersTheProfilesNumbersWhileTheRadioIsOn)
{
    TempDevice device(Profile);
    InsertCard(device);
    SMS_HANDLE sms = 0;
    HANDLE event = nullptr;
    ASSERT_EQ(SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &sms, &event), S_OK);
    EXPECT_NE(event, nullptr);
    SMS_ADDRESS address{SMSAT_INTERNATIONAL, {}};
    ASSERT_EQ(SmsGetPhoneNumber(&address), S_OK);
    EXPECT_STREQ(address.ptsAddress, L"+441632960777");
    EXPECT_EQ(address.smsatAddressType, SMSAT_INTERNATIONAL);
    ASSERT_EQ(SmsGetSMSC(&address), S_OK);
    EXPECT_STREQ(address.ptsAddress, L"+447958879879");

    // A changed profile is what the next query answers; a missing figure
    // leaves no stale text behind.
    device.WriteProfile("[phone]\nown_number=01632960123\nsmsc=\n");
    ASSERT_EQ(SmsGetPhoneNumber(&address), S_OK);
    EXPECT_STREQ(address.ptsAddress, L"01632960123");
    EXPECT_EQ(address.smsatAddressType, SMSAT_NATIONAL);
    EXPECT_EQ(SmsGetSMSC(&address), E_FAIL);
    EXPECT_STREQ(address.ptsAddress, L"");
    EXPECT_EQ(SmsClose(sms), S_OK);
    EXPECT_EQ(SmsClose(sms), E_INVALIDARG);

    EXPECT_EQ(SmsOpen(L"Microsoft WDP SMS Protocol", SMS_MODE_SEND, &sms, &event), SMS_E_INVALIDPROTOCOL);
    EXPECT_EQ(SmsOpen(SMS_MSGTYPE_TEXT, 0, &sms, &event), E_INVALIDARG);
    EXPECT_EQ(SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, nullptr, &event), E_INVALIDARG);
    InsertCard(device, false);
    EXPECT_EQ(SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &sms, &event), E_FAIL) << "the radio is off";
}

// What a program does to learn its phone's serial and subscriber numbers.
struct LineFigures {
    std::vector<std::wstring> names;
    int cellular = -1;
    std::wstring serial, subscriber;
};

LineFigures AskTheLines()
{
    LineFigures figures;
    HLINEAPP app = 0;
    DWORD lines = 0;
    DWORD version = TAPI_VERSION2_0;
    LINEINITIALIZEEXPARAMS options{};
    options.dwTotalSize = 24;
    options.dwOptions = LINEINITIALIZEEXOPTION_USEEVENT;
    EXPECT_EQ(lineInitializeEx(&app, nullptr, nullptr, L"", &lines, &version, &options), 0);
    EXPECT_NE(options.Handles.hEvent, nullptr);
    for (DWORD device = 0; device < lines; ++device) {
        DWORD negotiated = 0;
        LINEEXTENSIONID extension{};
        if (lineNegotiateAPIVersion(app, device, TAPI_VERSION2_0, TAPI_VERSION2_0, &negotiated, &extension) != 0)
            continue;
        std::vector<BYTE> buffer(292);
        auto* caps = reinterpret_cast<LINEDEVCAPS*>(buffer.data());
        caps->dwTotalSize = 292;
        EXPECT_EQ(lineGetDevCaps(app, device, negotiated, 0, caps), 0);
        EXPECT_GT(caps->dwNeededSize, 292u) << "the texts must not fit the first record, so the re-ask is tried";
        EXPECT_EQ(caps->dwLineNameSize, 0u);
        const DWORD needed = caps->dwNeededSize;
        buffer.assign(needed, 0);
        caps = reinterpret_cast<LINEDEVCAPS*>(buffer.data());
        caps->dwTotalSize = needed;
        EXPECT_EQ(lineGetDevCaps(app, device, negotiated, 0, caps), 0);
        EXPECT_EQ(caps->dwUsedSize, needed);
        figures.names.push_back(TextAt(caps, caps->dwLineNameOffset, caps->dwLineNameSize));
        if (figures.names.back() == L"Cellular Line")
            figures.cellular = static_cast<int>(device);
    }
    if (figures.cellular >= 0) {
        HLINE line = 0;
        EXPECT_EQ(lineOpen(app, figures.cellular, &line, TAPI_VERSION2_0, 0, 0, LINECALLPRIVILEGE_OWNER,
                           LINEMEDIAMODE_INTERACTIVEVOICE | LINEMEDIAMODE_DATAMODEM, nullptr),
                  0);
        DWORD ext = 0;
        EXPECT_EQ(lineNegotiateExtVersion(app, figures.cellular, TAPI_VERSION2_0, EXTENSION_VERSION1_0,
                                          EXTENSION_VERSION1_0, &ext),
                  0);
        std::vector<BYTE> buffer(52);
        auto* info = reinterpret_cast<LINEGENERALINFO*>(buffer.data());
        info->dwTotalSize = 52;
        EXPECT_EQ(lineGetGeneralInfo(line, info), 0);
        const DWORD needed = info->dwNeededSize;
        buffer.assign(needed, 0);
        info = reinterpret_cast<LINEGENERALINFO*>(buffer.data());
        info->dwTotalSize = needed;
        EXPECT_EQ(lineGetGeneralInfo(line, info), 0);
        figures.serial = TextAt(info, info->dwSerialNumberOffset, info->dwSerialNumberSize);
        figures.subscriber = TextAt(info, info->dwSubscriberNumberOffset, info->dwSubscriberNumberSize);
        EXPECT_EQ(lineClose(line), 0);
    }
    EXPECT_EQ(lineShutdown(app), 0);
    return figures;
}

TEST(TelephonyLines, AProgramFindsTheCellularLineByNameAndReadsItsNumbers)
{
    TempDevice device(Profile);
    LineFigures figures = AskTheLines();
    ASSERT_EQ(figures.names.size(), 2u);
    EXPECT_EQ(figures.cellular, 0);
    EXPECT_NE(figures.names[1], L"Cellular Line");
    EXPECT_EQ(figures.names[1].rfind(L"Cellular Line", 0), 0u) << "the other line's name begins the same way";
    EXPECT_EQ(figures.serial, L"356938035643809");
    EXPECT_EQ(figures.subscriber, L"234150999999999");

    // A figure the handset lacks is left out of the record.
    device.WriteProfile("[phone]\nserial=\nsubscriber=310260000000001\n");
    figures = AskTheLines();
    EXPECT_EQ(figures.serial, L"<none>");
    EXPECT_EQ(figures.subscriber, L"310260000000001");
}

TEST(TelephonyLines, RefuseRecordsTooSmallAndCallsOutOfTurn)
{
    TempDevice device(Profile);
    HLINEAPP app = 0;
    DWORD lines = 0;
    DWORD version = TAPI_VERSION2_0;
    LINEINITIALIZEEXPARAMS options{};
    options.dwTotalSize = sizeof options;
    options.dwOptions = LINEINITIALIZEEXOPTION_USEEVENT;
    ASSERT_EQ(lineInitializeEx(&app, nullptr, nullptr, L"", &lines, &version, &options), 0);

    // Smaller than the fixed part: refused, with the size it must have.
    std::vector<BYTE> buffer(sizeof(LINEDEVCAPS) + 512);
    auto* caps = reinterpret_cast<LINEDEVCAPS*>(buffer.data());
    caps->dwTotalSize = 100;
    EXPECT_EQ(lineGetDevCaps(app, 0, TAPI_VERSION2_0, 0, caps), static_cast<LONG>(LINEERR_STRUCTURETOOSMALL));
    EXPECT_GT(caps->dwNeededSize, sizeof(LINEDEVCAPS));
    caps->dwTotalSize = static_cast<DWORD>(buffer.size());
    EXPECT_EQ(lineGetDevCaps(app, 2, TAPI_VERSION2_0, 0, caps), static_cast<LONG>(LINEERR_BADDEVICEID));
    EXPECT_EQ(lineGetDevCaps(app, 0, 0x30000, 0, caps), static_cast<LONG>(LINEERR_INCOMPATIBLEAPIVERSION));

    HLINE data = 0;
    EXPECT_EQ(lineOpen(app, 1, &data, TAPI_VERSION2_0, 0, 0, LINECALLPRIVILEGE_OWNER, LINEMEDIAMODE_INTERACTIVEVOICE,
                       nullptr),
              static_cast<LONG>(LINEERR_INVALMEDIAMODE))
        << "the data line carries no voice";
    ASSERT_EQ(lineOpen(app, 1, &data, TAPI_VERSION2_0, 0, 0, LINECALLPRIVILEGE_OWNER, LINEMEDIAMODE_DATAMODEM, nullptr),
              0);
    LINEGENERALINFO info{};
    info.dwTotalSize = sizeof info;
    EXPECT_EQ(lineGetGeneralInfo(data, &info), static_cast<LONG>(LINEERR_OPERATIONUNAVAIL));
    DWORD ext = 0;
    EXPECT_EQ(lineNegotiateExtVersion(app, 1, TAPI_VERSION2_0, EXTENSION_VERSION1_0, EXTENSION_VERSION1_0, &ext),
              static_cast<LONG>(LINEERR_OPERATIONUNAVAIL));

    HLINE cellular = 0;
    ASSERT_EQ(lineOpen(app, 0, &cellular, TAPI_VERSION2_0, 0, 0, LINECALLPRIVILEGE_OWNER,
                       LINEMEDIAMODE_INTERACTIVEVOICE | LINEMEDIAMODE_DATAMODEM, nullptr),
              0);
    info.dwTotalSize = 40;
    EXPECT_EQ(lineGetGeneralInfo(cellular, &info), static_cast<LONG>(LINEERR_STRUCTURETOOSMALL));
    EXPECT_GT(info.dwNeededSize, sizeof info);

    // Shutting down closes the application's lines with it.
    EXPECT_EQ(lineShutdown(app), 0);
    info.dwTotalSize = sizeof info;
    EXPECT_EQ(lineGetGeneralInfo(cellular, &info), static_cast<LONG>(LINEERR_INVALLINEHANDLE));
    EXPECT_EQ(lineClose(data), static_cast<LONG>(LINEERR_INVALLINEHANDLE));
    EXPECT_EQ(lineShutdown(app), static_cast<LONG>(LINEERR_INVALAPPHANDLE));
    EXPECT_EQ(lineGetDevCaps(app, 0, TAPI_VERSION2_0, 0, caps), static_cast<LONG>(LINEERR_INVALAPPHANDLE));
}

}  // namespace
