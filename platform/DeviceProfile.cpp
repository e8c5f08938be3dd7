#include "platform/DeviceProfile.h"

#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>

namespace vellumate {
namespace {

constexpr long long MaxDword = std::numeric_limits<std::uint32_t>::max();
constexpr long long MaxByte = 255;

// A numeric setting of one of the fixed sections: its range and where it goes.
struct NumberSetting {
    std::wstring_view section;
    std::wstring_view key;
    long long minimum;
    long long maximum;
    void (*apply)(DeviceProfile&, long long);
    bool percentage = false;  // 0 to 100, or 255 for unknown
};

constexpr long long UnknownPercent = 255;

constexpr std::array NumberSettings{
    NumberSetting{L"device", L"processor", 0, MaxDword,
                  [](DeviceProfile& p, long long v) { p.processorType = static_cast<std::uint32_t>(v); }},
    NumberSetting{L"device", L"os_major", 0, MaxDword,
                  [](DeviceProfile& p, long long v) { p.osMajor = static_cast<std::uint32_t>(v); }},
    NumberSetting{L"device", L"os_minor", 0, MaxDword,
                  [](DeviceProfile& p, long long v) { p.osMinor = static_cast<std::uint32_t>(v); }},
    NumberSetting{L"device", L"os_build", 0, MaxDword,
                  [](DeviceProfile& p, long long v) { p.osBuild = static_cast<std::uint32_t>(v); }},
    NumberSetting{L"device", L"os_platform", 0, MaxDword,
                  [](DeviceProfile& p, long long v) { p.osPlatform = static_cast<std::uint32_t>(v); }},
    NumberSetting{L"display", L"width", 1, 65535,
                  [](DeviceProfile& p, long long v) { p.displayWidth = static_cast<int>(v); }},
    NumberSetting{L"display", L"height", 1, 65535,
                  [](DeviceProfile& p, long long v) { p.displayHeight = static_cast<int>(v); }},
    NumberSetting{L"display", L"bits", 1, 32,
                  [](DeviceProfile& p, long long v) { p.displayBits = static_cast<int>(v); }},
    NumberSetting{L"memory", L"total", 0, std::numeric_limits<long long>::max(),
                  [](DeviceProfile& p, long long v) { p.memoryTotal = static_cast<std::uint64_t>(v); }},
    NumberSetting{L"memory", L"available", 0, std::numeric_limits<long long>::max(),
                  [](DeviceProfile& p, long long v) { p.memoryAvailable = static_cast<std::uint64_t>(v); }},
    NumberSetting{L"store", L"size", 0, MaxDword,
                  [](DeviceProfile& p, long long v) { p.storeSize = static_cast<std::uint32_t>(v); }},
    NumberSetting{L"store", L"free", 0, MaxDword,
                  [](DeviceProfile& p, long long v) { p.storeFree = static_cast<std::uint32_t>(v); }},
    NumberSetting{L"power", L"ac", 0, MaxByte,
                  [](DeviceProfile& p, long long v) { p.acLine = static_cast<std::uint8_t>(v); }},
    NumberSetting{L"power", L"main_flag", 0, MaxByte,
                  [](DeviceProfile& p, long long v) { p.main.flag = static_cast<std::uint8_t>(v); }},
    NumberSetting{L"power", L"main_percent", 0, UnknownPercent,
                  [](DeviceProfile& p, long long v) { p.main.percent = static_cast<std::uint8_t>(v); }, true},
    NumberSetting{L"power", L"main_voltage", 0, MaxDword,
                  [](DeviceProfile& p, long long v) { p.main.voltage = static_cast<std::uint32_t>(v); }},
    NumberSetting{L"power", L"main_temperature", std::numeric_limits<std::int32_t>::min(),
                  std::numeric_limits<std::int32_t>::max(),
                  [](DeviceProfile& p, long long v) { p.main.temperature = static_cast<std::uint32_t>(v); }},
    NumberSetting{L"power", L"backup_flag", 0, MaxByte,
                  [](DeviceProfile& p, long long v) { p.backup.flag = static_cast<std::uint8_t>(v); }},
    NumberSetting{L"power", L"backup_percent", 0, UnknownPercent,
                  [](DeviceProfile& p, long long v) { p.backup.percent = static_cast<std::uint8_t>(v); }, true},
    NumberSetting{L"power", L"backup_voltage", 0, MaxDword,
                  [](DeviceProfile& p, long long v) { p.backup.voltage = static_cast<std::uint32_t>(v); }},
};

// A text setting of [phone]: where it goes, and whether it is a dial string.
struct PhoneSetting {
    std::wstring_view key;
    std::wstring PhoneProfile::*member;
    bool number;
};

constexpr std::array PhoneSettings{
    PhoneSetting{L"own_number", &PhoneProfile::ownNumber, true},
    PhoneSetting{L"smsc", &PhoneProfile::smsc, true},
    PhoneSetting{L"serial", &PhoneProfile::serial, false},
    PhoneSetting{L"subscriber", &PhoneProfile::subscriber, false},
    PhoneSetting{L"manufacturer", &PhoneProfile::manufacturer, false},
    PhoneSetting{L"model", &PhoneProfile::model, false},
    PhoneSetting{L"revision", &PhoneProfile::revision, false},
};

// Why a phone text cannot be the setting's; empty when it can.
std::wstring PhoneTextFault(const PhoneSetting& setting, std::wstring_view value)
{
    if (setting.number) {
        if (value.size() > MaxPhoneNumberLength)
            return L"is longer than 40 characters";
        for (std::size_t i = 0; i < value.size(); ++i) {
            const wchar_t c = value[i];
            if (!((c >= L'0' && c <= L'9') || c == L'*' || c == L'#' || c == L'p' || c == L'w' ||
                  (c == L'+' && i == 0)))
                return L"must be a dial string (an optional +, then 0-9 * # p w)";
        }
        return {};
    }
    if (value.size() > MaxPhoneTextLength)
        return L"is longer than 64 characters";
    for (wchar_t c : value)
        if (c < 0x20 || c == 0x7F)
            return L"holds a control character";
    return {};
}

// Decimal, optionally negative; nothing else (no blanks inside, no sign alone).
std::optional<long long> ParseInteger(std::wstring_view text) noexcept
{
    bool negative = false;
    if (!text.empty() && text.front() == L'-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 19)
        return std::nullopt;
    unsigned long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    if (value > static_cast<unsigned long long>(std::numeric_limits<long long>::max()))
        return std::nullopt;
    const auto signedValue = static_cast<long long>(value);
    return negative ? -signedValue : signedValue;
}

// A name a folder of the root can have.
bool IsValidCardName(std::wstring_view name) noexcept
{
    if (name.empty() || name == L"." || name == L".." || name.back() == L'.' || name.back() == L' ')
        return false;
    for (wchar_t c : name)
        if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return false;
    return true;
}

std::optional<std::wstring> DecodeText(std::string_view bytes, std::wstring& problem)
{
    if (bytes.size() > MaxProfileBytes) {
        problem = L"the file is too large to be a profile";
        return std::nullopt;
    }
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (bytes.find('\0') != std::string_view::npos) {
        problem = L"the file is not text";
        return std::nullopt;
    }
    if (bytes.empty())
        return std::wstring();
    const int length =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) {
        problem = L"the file is not UTF-8 text";
        return std::nullopt;
    }
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

class Parser {
public:
    explicit Parser(ProfileReading& reading) : m_reading(reading) {}

    void Line(int number, std::wstring_view line)
    {
        m_line = number;
        line = TrimProfileText(line);
        if (line.empty() || line.front() == L';' || line.front() == L'#')
            return;
        if (line.front() == L'[') {
            Section(line);
            return;
        }
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            Problem(L"not a setting (expected name=value): " + std::wstring(line));
            return;
        }
        Setting(TrimProfileText(line.substr(0, equals)), TrimProfileText(line.substr(equals + 1)));
    }

    // Relations between values that are only known once everything is read.
    void Finish()
    {
        DeviceProfile& profile = m_reading.profile;
        if (profile.memoryAvailable > profile.memoryTotal) {
            ProblemAt(LineOf(L"memory", L"available"), L"[memory] available is more than total; taken as total");
            profile.memoryAvailable = profile.memoryTotal;
        }
        if (profile.storeFree > profile.storeSize) {
            ProblemAt(LineOf(L"store", L"free"), L"[store] free is more than size; taken as size");
            profile.storeFree = profile.storeSize;
        }
        for (CardProfile& card : profile.cards) {
            if (card.free > card.size) {
                ProblemAt(LineOf(L"card:" + card.name, L"free"),
                          L"[card:" + card.name + L"] free is more than size; taken as size");
                card.free = card.size;
            }
        }
    }

private:
    enum class SectionKind { None, Fixed, Card, Obex, Unknown };

    void Section(std::wstring_view line)
    {
        const std::size_t close = line.rfind(L']');
        if (close == std::wstring_view::npos || close + 1 != line.size()) {
            Problem(L"a section header must end with ']': " + std::wstring(line));
            m_kind = SectionKind::Unknown;
            return;
        }
        const std::wstring_view name = TrimProfileText(line.substr(1, close - 1));
        if (name.size() >= ProfileCardPrefix.size() &&
            SameName(name.substr(0, ProfileCardPrefix.size()), ProfileCardPrefix)) {
            const std::wstring_view card = TrimProfileText(name.substr(ProfileCardPrefix.size()));
            if (!IsValidCardName(card)) {
                Problem(L"not a valid card folder name: [" + std::wstring(name) + L"]");
                m_kind = SectionKind::Unknown;
                return;
            }
            m_kind = SectionKind::Card;
            m_section = L"card:" + std::wstring(card);
            m_card = CardIndex(card);
            return;
        }
        if (name.size() >= ProfileObexPrefix.size() &&
            SameName(name.substr(0, ProfileObexPrefix.size()), ProfileObexPrefix)) {
            // The name is also its inbox folder's.
            const std::wstring_view device = TrimProfileText(name.substr(ProfileObexPrefix.size()));
            if (!IsValidCardName(device)) {
                Problem(L"not a valid device name: [" + std::wstring(name) + L"]");
                m_kind = SectionKind::Unknown;
                return;
            }
            m_kind = SectionKind::Obex;
            m_section = L"obex:" + std::wstring(device);
            m_card = ObexIndex(device);
            return;
        }
        for (std::wstring_view known : {L"device", L"display", L"memory", L"store", L"power", L"phone"}) {
            if (SameName(name, known)) {
                m_kind = SectionKind::Fixed;
                m_section = known;
                return;
            }
        }
        Problem(L"unknown section [" + std::wstring(name) + L"]");
        m_kind = SectionKind::Unknown;
    }

    std::size_t CardIndex(std::wstring_view name)
    {
        std::vector<CardProfile>& cards = m_reading.profile.cards;
        for (std::size_t i = 0; i < cards.size(); ++i)
            if (SameName(cards[i].name, name))
                return i;
        cards.push_back(CardProfile{std::wstring(name)});
        return cards.size() - 1;
    }

    std::size_t ObexIndex(std::wstring_view name)
    {
        std::vector<ObexDeviceProfile>& devices = m_reading.profile.obexDevices;
        for (std::size_t i = 0; i < devices.size(); ++i)
            if (SameName(devices[i].name, name))
                return i;
        devices.push_back(ObexDeviceProfile{std::wstring(name)});
        return devices.size() - 1;
    }

    void ObexSetting(std::wstring_view key, std::wstring_view value)
    {
        ObexDeviceProfile& device = m_reading.profile.obexDevices[m_card];
        if (SameName(key, L"state")) {
            if (SameName(value, L"present"))
                device.present = true;
            else if (SameName(value, L"absent"))
                device.present = false;
            else
                Problem(L"[" + m_section + L"] state must be present or absent, not " + std::wstring(value));
            return;
        }
        if (!SameName(key, L"fail_after")) {
            Problem(L"unknown setting " + std::wstring(key) + L" in [" + m_section + L"]");
            return;
        }
        if (SameName(value, L"never"))
            device.failAfter = -1;
        else if (const std::optional<long long> number = Number(key, value, 0, std::numeric_limits<long long>::max()))
            device.failAfter = *number;
        Remember(key);
    }

    void Setting(std::wstring_view key, std::wstring_view value)
    {
        switch (m_kind) {
        case SectionKind::None:
            Problem(L"setting outside a section: " + std::wstring(key));
            return;
        case SectionKind::Unknown:
            return;  // the section was reported already
        case SectionKind::Card:
            CardSetting(key, value);
            return;
        case SectionKind::Obex:
            ObexSetting(key, value);
            return;
        case SectionKind::Fixed:
            FixedSetting(key, value);
            return;
        }
    }

    void FixedSetting(std::wstring_view key, std::wstring_view value)
    {
        if (m_section == L"device" && SameName(key, L"oem")) {
            m_reading.profile.oem = value;
            return;
        }
        if (m_section == L"phone") {
            for (const PhoneSetting& setting : PhoneSettings) {
                if (!SameName(key, setting.key))
                    continue;
                const std::wstring fault = PhoneTextFault(setting, value);
                if (fault.empty())
                    m_reading.profile.phone.*setting.member = value;
                else
                    Problem(L"[phone] " + std::wstring(key) + L" " + fault + L": " + std::wstring(value));
                Remember(key);
                return;
            }
        }
        for (const NumberSetting& setting : NumberSettings) {
            if (setting.section == m_section && SameName(key, setting.key)) {
                const std::optional<long long> number = Number(key, value, setting.minimum, setting.maximum);
                if (number && setting.percentage && *number > 100 && *number != UnknownPercent)
                    Problem(L"[" + m_section + L"] " + std::wstring(key) +
                            L" must be 0 to 100, or 255 for unknown, not " + std::wstring(value));
                else if (number)
                    setting.apply(m_reading.profile, *number);
                Remember(key);
                return;
            }
        }
        Problem(L"unknown setting " + std::wstring(key) + L" in [" + m_section + L"]");
    }

    void CardSetting(std::wstring_view key, std::wstring_view value)
    {
        CardProfile& card = m_reading.profile.cards[m_card];
        if (SameName(key, L"state")) {
            if (SameName(value, L"inserted"))
                card.inserted = true;
            else if (SameName(value, L"removed"))
                card.inserted = false;
            else
                Problem(L"[" + m_section + L"] state must be inserted or removed, not " + std::wstring(value));
            return;
        }
        const bool size = SameName(key, L"size");
        if (!size && !SameName(key, L"free")) {
            Problem(L"unknown setting " + std::wstring(key) + L" in [" + m_section + L"]");
            return;
        }
        if (const std::optional<long long> number = Number(key, value, 0, std::numeric_limits<long long>::max()))
            (size ? card.size : card.free) = static_cast<std::uint64_t>(*number);
        Remember(key);
    }

    std::optional<long long> Number(std::wstring_view key, std::wstring_view value, long long minimum,
                                    long long maximum)
    {
        const std::optional<long long> number = ParseInteger(value);
        if (!number) {
            Problem(L"[" + m_section + L"] " + std::wstring(key) + L" is not a number: " + std::wstring(value));
            return std::nullopt;
        }
        if (*number < minimum || *number > maximum) {
            Problem(L"[" + m_section + L"] " + std::wstring(key) + L" must be " + std::to_wstring(minimum) + L" to " +
                    std::to_wstring(maximum) + L", not " + std::wstring(value));
            return std::nullopt;
        }
        return number;
    }

    void Remember(std::wstring_view key) { m_lines[m_section + L"." + std::wstring(key)] = m_line; }

    int LineOf(const std::wstring& section, std::wstring_view key) const
    {
        // Keys are matched without regard to case; the file's spelling may differ.
        for (const auto& [name, line] : m_lines)
            if (SameName(name, section + L"." + std::wstring(key)))
                return line;
        return 0;
    }

    void Problem(std::wstring text) { ProblemAt(m_line, std::move(text)); }
    void ProblemAt(int line, std::wstring text) { m_reading.problems.push_back({line, std::move(text)}); }

    ProfileReading& m_reading;
    int m_line = 0;
    SectionKind m_kind = SectionKind::None;
    std::wstring m_section;
    std::size_t m_card = 0;  // the card's, or the nearby device's, index
    std::map<std::wstring, int> m_lines;
};

}  // namespace

bool SameName(std::wstring_view a, std::wstring_view b) noexcept
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

const CardProfile* DeviceProfile::FindCard(std::wstring_view name) const noexcept
{
    for (const CardProfile& card : cards)
        if (SameName(card.name, name))
            return &card;
    return nullptr;
}

const ObexDeviceProfile* DeviceProfile::FindObexDevice(std::wstring_view name) const noexcept
{
    for (const ObexDeviceProfile& device : obexDevices)
        if (SameName(device.name, name))
            return &device;
    return nullptr;
}

ProfileReading ParseDeviceProfile(std::string_view bytes)
{
    ProfileReading reading;
    std::wstring problem;
    const std::optional<std::wstring> text = DecodeText(bytes, problem);
    if (!text) {
        reading.problems.push_back({0, problem});
        return reading;
    }

    Parser parser(reading);
    std::wstring_view rest = *text;
    for (int number = 1; !rest.empty(); ++number) {
        const std::size_t end = rest.find(L'\n');
        parser.Line(number, rest.substr(0, end));
        if (end == std::wstring_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    parser.Finish();
    return reading;
}

std::wstring_view TrimProfileText(std::wstring_view text) noexcept
{
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace vellumate
