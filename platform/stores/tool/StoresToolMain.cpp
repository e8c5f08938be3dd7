// vmstores: the vellumate tool's filler and reader of a device's mail store,
// phone store and voice notes, built for the host so that `vellumate device
// mail|calls|notes` needs no Wine.
//
//   vmstores mail show ROOT [--os-major N]
//   vmstores mail fill ROOT [--messages N] [--texts N] [--seed S] [--os-major N]
//   vmstores mail clear ROOT
//   vmstores calls show ROOT | fill ROOT [--calls N] [--speed-dials N] [--seed S] | clear ROOT
//   vmstores notes show ROOT | fill ROOT [--notes N] [--seed S] | clear ROOT
//   vmstores sample ROOT [--os-major N]   the sample handset's stores, each one
//                                         only where the device has none yet
//
// ROOT is the device's "\". `show` prints what the storage cleaner's scan of
// each category will find (StoreReport.h has the lines); `fill` replaces a
// store's content with a generated one (the same seed, the same store) and
// shows it; `clear` leaves the store's databases empty (mail folders stay,
// with zero unread counts) or deletes the voice notes.
//
// Exit status: 0 done, 2 failed (the reason on standard error), 64 a wrong
// command line.
#include "platform/stores/MailStoreSchema.h"
#include "platform/stores/StoreFiles.h"
#include "platform/stores/StorePlan.h"
#include "platform/stores/StoreRecords.h"
#include "platform/stores/StoreReport.h"
#include "platform/stores/StoreScan.h"
#include "platform/stores/tool/HostStoreVolume.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vellumate::stores;

namespace {

constexpr int Done = 0;
constexpr int Failed = 2;
constexpr int Usage = 64;

void Print(FILE* stream, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

int Fail(const std::string& reason)
{
    Print(stderr, reason + "\n");
    return Failed;
}

int UsageError(const std::string& reason)
{
    Print(stderr, "vmstores: " + reason + "\n");
    return Usage;
}

// The options after ROOT, each "--name N" with N a decimal number.
struct Options {
    std::map<std::string, std::uint32_t> values;
    std::string error;

    std::uint32_t Get(const std::string& name, std::uint32_t fallback) const
    {
        const auto found = values.find(name);
        return found == values.end() ? fallback : found->second;
    }
};

Options ParseOptions(int argc, char** argv, int first, const std::vector<std::string>& allowed)
{
    Options options;
    for (int i = first; i < argc; i += 2) {
        const std::string name = argv[i];
        bool known = false;
        for (const std::string& option : allowed)
            known = known || name == "--" + option;
        if (!known) {
            options.error = "unknown option '" + name + "'";
            return options;
        }
        if (i + 1 >= argc) {
            options.error = name + " needs a number";
            return options;
        }
        const char* text = argv[i + 1];
        char* end = nullptr;
        const unsigned long long value = std::strtoull(text, &end, 10);
        if (*text < '0' || *text > '9' || *end != '\0' || value > 0xFFFFFFFFull) {
            options.error = name + " takes a number from 0 to 4294967295, not '" + text + "'";
            return options;
        }
        options.values[name.substr(2)] = static_cast<std::uint32_t>(value);
    }
    return options;
}

fs::path VolumeFile(const fs::path& root, const wchar_t* name)
{
    return root / name;
}

// A volume the tool will not write: nothing in it is touched.
int Unmountable(const fs::path& file, const std::string& error)
{
    return Fail(file.string() + " cannot be mounted: " + error +
                " (nothing was changed; move the file away to make a new store)");
}

int ShowMail(const fs::path& root, std::uint32_t osMajor)
{
    const fs::path file = VolumeFile(root, MailVolumeName);
    std::string error;
    const auto volume = MountHostVolume(file, false, error);
    MailReport report = EmptyMailReport();
    if (volume) {
        report = ScanMail(*volume, root, osMajor);
        Print(stdout, "mail store: " + file.string() + "\n");
    } else {
        Print(stdout, "mail store: " + file.string() + " cannot be mounted: " + error + "\n");
    }
    Print(stdout, FormatMailReport(report));
    return Done;
}

int ShowPhone(const fs::path& root)
{
    const fs::path file = VolumeFile(root, PhoneVolumeName);
    std::string error;
    const auto volume = MountHostVolume(file, false, error);
    PhoneReport report;
    if (volume) {
        report = ScanPhone(*volume);
        Print(stdout, "phone store: " + file.string() + "\n");
    } else {
        Print(stdout, "phone store: " + file.string() + " cannot be mounted: " + error + "\n");
    }
    Print(stdout, FormatPhoneReport(report));
    return Done;
}

int ShowNotes(const fs::path& root)
{
    Print(stdout, "voice notes: " + HostPath(root, NotesFolder).string() + "\n");
    Print(stdout, FormatNotesReport(ScanNotes(root)));
    return Done;
}

int WriteMail(const fs::path& root, const StorePlan& plan, std::uint32_t osMajor)
{
    std::string error;
    const auto volume = MountHostVolume(VolumeFile(root, MailVolumeName), true, error);
    if (!volume)
        return Unmountable(VolumeFile(root, MailVolumeName), error);
    // The old messages' files go first: a failure half-way leaves no file
    // that a record of the new store would not name.
    if (!ClearMailFiles(root, error) || !WriteDatabases(*volume, MailDatabases(plan, osMajor)) ||
        !WriteMailFiles(root, plan, error))
        return Fail(error.empty() ? volume->LastError() : error);
    HideAsSystemFolder(HostPath(root, MapiFolder));
    return Done;
}

int WritePhone(const fs::path& root, const StorePlan& plan)
{
    std::string error;
    const auto volume = MountHostVolume(VolumeFile(root, PhoneVolumeName), true, error);
    if (!volume)
        return Unmountable(VolumeFile(root, PhoneVolumeName), error);
    if (!WriteDatabases(*volume, PhoneDatabases(plan)))
        return Fail(volume->LastError());
    return Done;
}

int WriteNotesOf(const fs::path& root, const StorePlan& plan)
{
    std::string error;
    std::uint32_t deleted = 0;
    if (!ClearNotes(root, deleted, error) || !WriteNotes(root, plan, error))
        return Fail(error);
    return Done;
}

StoreRequest Nothing()
{
    StoreRequest request;
    request.emails = request.texts = request.calls = request.speedDials = request.notes = 0;
    return request;
}

// A store no handset would hold is refused, not cut down.
std::string TooMany(const StoreRequest& request)
{
    if (std::uint64_t{request.emails} + request.texts > MaxMessages)
        return "a mail store holds at most " + std::to_string(MaxMessages) + " messages";
    if (request.calls > MaxCalls)
        return "a call log holds at most " + std::to_string(MaxCalls) + " calls";
    if (request.speedDials > MaxSpeedDials)
        return "speed dial has keys 2 to 99: at most " + std::to_string(MaxSpeedDials) + " entries";
    if (request.notes > MaxNotes)
        return "at most " + std::to_string(MaxNotes) + " voice notes";
    return {};
}

int Mail(const std::string& action, const fs::path& root, const Options& options)
{
    const std::uint32_t osMajor = options.Get("os-major", 4);
    if (osMajor < 1 || osMajor > 99)
        return UsageError("--os-major takes a system major version from 1 to 99");
    if (action == "show")
        return ShowMail(root, osMajor);
    StoreRequest request = Nothing();
    if (action == "fill") {
        request.seed = options.Get("seed", 1);
        request.emails = options.Get("messages", 60);
        request.texts = options.Get("texts", request.emails / 2);
    }
    if (const std::string problem = TooMany(request); !problem.empty())
        return UsageError(problem);
    const int status = WriteMail(root, MakeStorePlan(request), osMajor);
    return status == Done ? ShowMail(root, osMajor) : status;
}

int Calls(const std::string& action, const fs::path& root, const Options& options)
{
    if (action == "show")
        return ShowPhone(root);
    StoreRequest request = Nothing();
    if (action == "fill") {
        request.seed = options.Get("seed", 1);
        request.calls = options.Get("calls", 20);
        request.speedDials = options.Get("speed-dials", 8);
    }
    if (const std::string problem = TooMany(request); !problem.empty())
        return UsageError(problem);
    const int status = WritePhone(root, MakeStorePlan(request));
    return status == Done ? ShowPhone(root) : status;
}

int Notes(const std::string& action, const fs::path& root, const Options& options)
{
    if (action == "show")
        return ShowNotes(root);
    StoreRequest request = Nothing();
    if (action == "fill") {
        request.seed = options.Get("seed", 1);
        request.notes = options.Get("notes", 4);
    }
    if (const std::string problem = TooMany(request); !problem.empty())
        return UsageError(problem);
    const int status = WriteNotesOf(root, MakeStorePlan(request));
    return status == Done ? ShowNotes(root) : status;
}

// The sample handset's stores where the device has none: a device made
// before the stores existed gets them, and one whose store was cleared keeps
// it empty.
int Sample(const fs::path& root, const Options& options)
{
    const StorePlan plan = MakeStorePlan(StoreRequest{});
    std::error_code ec;
    int status = Done;
    if (!fs::exists(VolumeFile(root, MailVolumeName), ec))
        status = WriteMail(root, plan, options.Get("os-major", 4));
    if (status == Done && !fs::exists(VolumeFile(root, PhoneVolumeName), ec))
        status = WritePhone(root, plan);
    if (status == Done && !fs::exists(HostPath(root, NotesFolder), ec))
        status = WriteNotesOf(root, plan);
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return UsageError("usage: vmstores mail|calls|notes show|fill|clear ROOT [OPTIONS] | sample ROOT");
    const std::string store = argv[1];
    if (store == "sample") {
        const Options options = ParseOptions(argc, argv, 3, {"os-major"});
        return options.error.empty() ? Sample(argv[2], options) : UsageError(options.error);
    }
    if (argc < 4)
        return UsageError("usage: vmstores " + store + " show|fill|clear ROOT [OPTIONS]");
    const std::string action = argv[2];
    const fs::path root = argv[3];
    if (action != "show" && action != "fill" && action != "clear")
        return UsageError("unknown action '" + action + "' (show, fill, clear)");

    std::vector<std::string> allowed;
    if (store == "mail")
        allowed = action == "fill" ? std::vector<std::string>{"messages", "texts", "seed", "os-major"}
                                   : std::vector<std::string>{"os-major"};
    else if (store == "calls")
        allowed =
            action == "fill" ? std::vector<std::string>{"calls", "speed-dials", "seed"} : std::vector<std::string>{};
    else if (store == "notes")
        allowed = action == "fill" ? std::vector<std::string>{"notes", "seed"} : std::vector<std::string>{};
    else
        return UsageError("unknown store '" + store + "' (mail, calls, notes)");
    const Options options = ParseOptions(argc, argv, 4, allowed);
    if (!options.error.empty())
        return UsageError(options.error);

    std::error_code ec;
    if (!fs::is_directory(root, ec))
        return Fail(root.string() + " is not a device root folder");
    if (store == "mail")
        return Mail(action, root, options);
    if (store == "calls")
        return Calls(action, root, options);
    return Notes(action, root, options);
}
