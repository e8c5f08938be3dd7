#include "platform/profiletool/ProfileReport.h"

#include <cstdint>

namespace vellumate::profiletool {
namespace {

void Add(std::string& out, const char* name, const std::string& value)
{
    out += name;
    out += '\t';
    out += value;
    out += '\n';
}

template <typename Number>
void Add(std::string& out, const char* name, Number value)
{
    Add(out, name, std::to_string(value));
}

}  // namespace

std::string DescribeProblems(const std::vector<CheckedProblem>& problems)
{
    std::string out;
    for (const CheckedProblem& problem : problems)
        out += (problem.blocksEditing ? "S\t" : "V\t") + std::to_string(problem.line) + "\t" +
               Utf8FromWide(problem.text) + "\n";
    return out;
}

std::string DescribeProfile(const DeviceProfile& profile)
{
    std::string out;
    Add(out, "device.oem", Utf8FromWide(profile.oem));
    Add(out, "device.processor", profile.processorType);
    Add(out, "device.os_major", profile.osMajor);
    Add(out, "device.os_minor", profile.osMinor);
    Add(out, "device.os_build", profile.osBuild);
    Add(out, "device.os_platform", profile.osPlatform);
    Add(out, "display.width", profile.displayWidth);
    Add(out, "display.height", profile.displayHeight);
    Add(out, "display.bits", profile.displayBits);
    Add(out, "memory.total", profile.memoryTotal);
    Add(out, "memory.available", profile.memoryAvailable);
    Add(out, "store.size", profile.storeSize);
    Add(out, "store.free", profile.storeFree);
    Add(out, "power.ac", unsigned{profile.acLine});
    Add(out, "power.main_flag", unsigned{profile.main.flag});
    Add(out, "power.main_percent", unsigned{profile.main.percent});
    Add(out, "power.main_voltage", profile.main.voltage);
    // Kept in the power record's 32 bits; the profile writes it signed.
    Add(out, "power.main_temperature", static_cast<std::int32_t>(profile.main.temperature));
    Add(out, "power.backup_flag", unsigned{profile.backup.flag});
    Add(out, "power.backup_percent", unsigned{profile.backup.percent});
    Add(out, "power.backup_voltage", profile.backup.voltage);
    Add(out, "phone.own_number", Utf8FromWide(profile.phone.ownNumber));
    Add(out, "phone.smsc", Utf8FromWide(profile.phone.smsc));
    Add(out, "phone.serial", Utf8FromWide(profile.phone.serial));
    Add(out, "phone.subscriber", Utf8FromWide(profile.phone.subscriber));
    Add(out, "phone.manufacturer", Utf8FromWide(profile.phone.manufacturer));
    Add(out, "phone.model", Utf8FromWide(profile.phone.model));
    Add(out, "phone.revision", Utf8FromWide(profile.phone.revision));
    for (const CardProfile& card : profile.cards)
        out += DescribeCard(card);
    // "obex NAME STATE FAIL_AFTER" (-1: never), one a nearby device.
    for (const ObexDeviceProfile& device : profile.obexDevices)
        out += "obex\t" + Utf8FromWide(device.name) + (device.present ? "\tpresent\t" : "\tabsent\t") +
               std::to_string(device.failAfter) + "\n";
    return out;
}

std::string DescribeCard(const CardProfile& card)
{
    return "card\t" + Utf8FromWide(card.name) + (card.inserted ? "\tinserted\t" : "\tremoved\t") +
           std::to_string(card.size) + "\t" + std::to_string(card.free) + "\n";
}

}  // namespace vellumate::profiletool
