// The simulated hardware of a handset: what its device profile says about the
// object store, memory, batteries, display, storage cards and the texts and
// numbers the system reports about itself.
//
// The profile is a small UTF-8 text file (profile.ini in the device folder):
//
//   ; comment                      # comment
//   [device]    oem, processor, os_major, os_minor, os_build, os_platform
//   [display]   width, height, bits
//   [memory]    total, available                  bytes of program memory
//   [store]     size, free                        bytes of the object store
//   [power]     ac, main_flag, main_percent, main_voltage, main_temperature,
//               backup_flag, backup_percent, backup_voltage
//   [card:NAME] state (inserted | removed), size, free
//   [obex:NAME] state (present | absent)              a nearby device that takes beamed files
//               fail_after (bytes, or never)          what a connection takes before it breaks
//   [phone]     own_number, smsc                   the text-message service's numbers
//               serial, subscriber                 the cellular line's serial (IMEI) and
//                                                  subscriber (IMSI) numbers
//               manufacturer, model, revision      what the cellular line says it is
//
// A phone text may be empty (the service then has no such figure). Numbers
// are dial strings ("+" first, then 0-9 * # p w), at most 40 characters; the
// other phone texts printable, at most 64.
//
// Numbers are decimal. Voltages are in millivolts, temperatures in tenths of
// a degree Celsius (they may be negative). Battery flags and percentages are
// the power status record's own values (see HandsetHardware.h).
//
// Parsing never fails: anything missing, malformed or out of range keeps the
// documented default for that one value (a plausible handset, below) and is
// reported as a problem with its line number, so that the tool can say what
// is wrong while programs go on with sensible figures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellumate {

// A card's section is named "card:" and the card's name.
inline constexpr std::wstring_view ProfileCardPrefix = L"card:";
// A nearby OBEX device's section is named "obex:" and the device's name.
inline constexpr std::wstring_view ProfileObexPrefix = L"obex:";
// A profile line's text without the blanks, tabs and carriage returns around it.
std::wstring_view TrimProfileText(std::wstring_view text) noexcept;

struct BatteryProfile {
    std::uint8_t flag = 1;  // high
    std::uint8_t percent = 100;
    std::uint32_t voltage = 0;      // millivolts
    std::uint32_t temperature = 0;  // tenths of a degree Celsius, two's complement when below zero
};

struct CardProfile {
    std::wstring name;  // the card's folder in the device root
    bool inserted = true;
    std::uint64_t size = 128ull << 20;
    std::uint64_t free = 96ull << 20;
};

// A nearby device that the OBEX service finds while it is present; what is
// beamed to it lands in its inbox folder (see platform/obex/ObexStore.h).
struct ObexDeviceProfile {
    std::wstring name;
    bool present = true;
    // Bytes one connection delivers before the link breaks; -1 for never.
    std::int64_t failAfter = -1;
};

struct PhoneProfile {
    std::wstring ownNumber = L"+441632960999";
    std::wstring smsc = L"+447958879879";
    std::wstring serial = L"356938035643809";      // IMEI
    std::wstring subscriber = L"234150999999999";  // IMSI
    std::wstring manufacturer = L"Vellumate";
    std::wstring model = L"VM-176";
    std::wstring revision = L"1.10.1088";
};

inline constexpr std::size_t MaxPhoneNumberLength = 40;
inline constexpr std::size_t MaxPhoneTextLength = 64;

struct DeviceProfile {
    std::wstring oem = L"Vellumate Handset";
    std::uint32_t processorType = 2577;  // a StrongARM-class ARM core
    std::uint32_t osMajor = 4;
    std::uint32_t osMinor = 21;
    std::uint32_t osBuild = 1088;
    std::uint32_t osPlatform = 3;  // the handset system's platform id

    int displayWidth = 176;
    int displayHeight = 220;
    int displayBits = 16;

    std::uint64_t memoryTotal = 32ull << 20;
    std::uint64_t memoryAvailable = 16ull << 20;

    std::uint32_t storeSize = 48u << 20;
    std::uint32_t storeFree = 24u << 20;

    std::uint8_t acLine = 0;  // off line
    BatteryProfile main{1, 100, 4100, 250};
    BatteryProfile backup{1, 100, 3000, 0};

    std::vector<CardProfile> cards;              // in the order of the file
    std::vector<ObexDeviceProfile> obexDevices;  // in the order of the file

    PhoneProfile phone;

    // The card of that folder name (without regard to case), or nullptr.
    const CardProfile* FindCard(std::wstring_view name) const noexcept;
    // The nearby device of that name (without regard to case), or nullptr.
    const ObexDeviceProfile* FindObexDevice(std::wstring_view name) const noexcept;
};

struct ProfileProblem {
    int line = 0;  // 1-based; 0 for the file as a whole
    std::wstring text;
};

struct ProfileReading {
    DeviceProfile profile;
    std::vector<ProfileProblem> problems;
};

// Longest profile read; a bigger file is not a profile.
inline constexpr std::size_t MaxProfileBytes = 64 * 1024;

// Reads a profile from the file's bytes (UTF-8, with or without a byte-order
// mark). Invalid text as a whole (NUL bytes, invalid UTF-8, too large) gives
// the defaults and one problem on line 0.
ProfileReading ParseDeviceProfile(std::string_view bytes);

// Case-insensitive comparison of names the way the handset's file system
// compares them.
bool SameName(std::wstring_view a, std::wstring_view b) noexcept;

}  // namespace vellumate
