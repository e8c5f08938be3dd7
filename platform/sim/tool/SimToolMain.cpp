// vmsim: the vellumate tool's reader and editor of a device's SIM card file,
// built for the host so that `vellumate device sim` needs no Wine.
//
//   vmsim check FILE               "ok", or the problem: "LINE<TAB>TEXT" (exit 2)
//   vmsim show FILE                the card as the programs see it
//   vmsim summary FILE             one line about it
//   vmsim load FILE SOURCE         SOURCE checked, then made the card
//   vmsim seal FILE [SOURCE]       a hand-edited file (or SOURCE) checked and
//                                  sealed with a new end line, into FILE
//   vmsim set FILE [--capacity N] [--name-length N] [--number-length N]
//   vmsim remove FILE | insert FILE | radio FILE on|off
//
// Every change replaces FILE in one step (a new file renamed over it), so a
// program never reads half of it. The tool cannot take the programs' card
// mutex (that lives in the Wine session's server), so a program's write that
// races a change made here may be lost; a person changing the card while a
// program writes it is the only such window.
//
// Exit status: 0 done, 1 no card file, 2 refused (the reason on standard
// error), 64 a wrong command line.
#include "platform/hosttools/HostFiles.h"
#include "platform/sim/SimCardFile.h"
#include "platform/sim/tool/SimCardEdits.h"
#include "platform/sim/tool/SimCardReport.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

using namespace vellumate::host;
using namespace vellumate::sim;

namespace {

constexpr int Done = 0;
constexpr int NoFile = 1;
constexpr int Refused = 2;
constexpr int Usage = 64;

std::string Utf8(const std::wstring& text)
{
    return Utf8FromUtf16(text).value_or("?");
}

struct FileBytes {
    bool missing = false;
    std::optional<std::string> bytes;
};

// The file, up to one byte more than a card may have (so that a larger one
// is refused as such).
FileBytes Read(const std::string& path)
{
    FileRead read = ReadSmallFile(path, MaxCardFileBytes);
    if (!read.bytes && !read.missing)
        Print(stderr, "cannot read " + path + ": " + read.error + "\n");
    return {read.missing, std::move(read.bytes)};
}

bool Replace(const std::string& path, const std::string& bytes)
{
    std::string error;
    if (ReplaceFile(path, bytes, error))
        return true;
    Print(stderr, "cannot write " + path + ": " + error + "\n");
    return false;
}

std::string Problem(const SimProblem& problem)
{
    return (problem.line > 0 ? "line " + std::to_string(problem.line) + ": " : std::string()) + Utf8(problem.text);
}

// The card of a file, or the exit status with the reason said.
struct Loaded {
    std::optional<SimCard> card;
    int status = Done;
};

Loaded Load(const std::string& path)
{
    const FileBytes file = Read(path);
    if (file.missing) {
        Print(stderr, path + ": there is no card file\n");
        return {std::nullopt, NoFile};
    }
    if (!file.bytes)
        return {std::nullopt, Refused};
    SimCardReading reading = ParseSimCard(*file.bytes);
    if (!reading.card) {
        Print(stderr, path + " is damaged: " + Problem(reading.problem) + "\n");
        return {std::nullopt, Refused};
    }
    return {std::move(reading.card), Done};
}

int Check(const std::string& path)
{
    const FileBytes file = Read(path);
    if (file.missing) {
        Print(stdout, "0\tthere is no card file\n");
        return NoFile;
    }
    if (!file.bytes)
        return Refused;
    const SimCardReading reading = ParseSimCard(*file.bytes);
    if (reading.card) {
        Print(stdout, "ok\n");
        return Done;
    }
    Print(stdout, std::to_string(reading.problem.line) + "\t" + Utf8(reading.problem.text) + "\n");
    return Refused;
}

int Show(const std::string& path, bool summary)
{
    const Loaded loaded = Load(path);
    if (loaded.card)
        Print(stdout, summary ? SummarizeCard(*loaded.card) + "\n" : DescribeCard(*loaded.card));
    return loaded.status;
}

// `source` checked as a card (or, sealing, as a card but for its end line)
// and written to `path`.
int LoadFrom(const std::string& path, const std::string& source, bool seal)
{
    const FileBytes file = Read(source);
    if (file.missing)
        Print(stderr, source + ": no such file\n");
    if (!file.bytes)
        return Refused;
    const SimCardReading reading = ParseSimCard(*file.bytes, seal ? SealCheck::Ignore : SealCheck::Require);
    if (!reading.card) {
        Print(stderr, source + (seal ? " is not a card: " : " is damaged: ") + Problem(reading.problem) + "\n");
        return Refused;
    }
    const std::string bytes = seal ? SealSimCardText(*file.bytes, reading.card->EntryCount()) : *file.bytes;
    return Replace(path, bytes) ? Done : Refused;
}

std::optional<std::uint32_t> Count(const char* text)
{
    const std::string_view digits(text);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return static_cast<std::uint32_t>(std::stoul(std::string(digits)));
}

// The options of `action` are argv[first] to argv[argc - 1].
int Edit(const std::string& action, const std::string& path, int argc, char** argv, int first)
{
    Loaded loaded = Load(path);
    if (!loaded.card)
        return loaded.status;
    SimCard& card = *loaded.card;
    std::string said;
    if (action == "set") {
        FigureChange change;
        for (int i = first; i < argc; i += 2) {
            const std::string option = argv[i];
            const std::optional<std::uint32_t> value = i + 1 < argc ? Count(argv[i + 1]) : std::nullopt;
            if (!value) {
                Print(stderr, option + " needs a number\n");
                return Usage;
            }
            if (option == "--capacity")
                change.capacity = value;
            else if (option == "--name-length")
                change.nameLength = value;
            else if (option == "--number-length")
                change.numberLength = value;
            else {
                Print(stderr, "unknown option " + option + " (--capacity, --name-length, --number-length)\n");
                return Usage;
            }
        }
        if (!change.capacity && !change.nameLength && !change.numberLength) {
            Print(stderr, "set what? (--capacity N, --name-length N, --number-length N)\n");
            return Usage;
        }
        if (const std::optional<std::wstring> refused = ChangeFigures(card, change)) {
            Print(stderr, Utf8(*refused) + "\n");
            return Refused;
        }
    } else if (action == "remove" || action == "insert") {
        if (first != argc)
            return Usage;
        card.present = action == "insert";
    } else if (action == "radio") {
        if (first + 1 != argc || (std::strcmp(argv[first], "on") != 0 && std::strcmp(argv[first], "off") != 0))
            return Usage;
        card.radioOn = std::strcmp(argv[first], "on") == 0;
    } else {
        return Usage;
    }
    if (const std::optional<std::wstring> unsound = CheckSimCard(card)) {
        Print(stderr, Utf8(*unsound) + "\n");
        return Refused;
    }
    if (!Replace(path, FormatSimCard(card)))
        return Refused;
    Print(stdout, SummarizeCard(card) + "\n");
    return Done;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        Print(stderr, "usage: vmsim check|show|summary|load|seal|set|remove|insert|radio FILE ...\n");
        return Usage;
    }
    const std::string command = argv[1], path = argv[2];
    if (command == "check" && argc == 3)
        return Check(path);
    if ((command == "show" || command == "summary") && argc == 3)
        return Show(path, command == "summary");
    if (command == "load" && argc == 4)
        return LoadFrom(path, argv[3], false);
    if (command == "seal" && (argc == 3 || argc == 4))
        return LoadFrom(path, argc == 4 ? argv[3] : path, true);
    if (command == "set" || command == "remove" || command == "insert" || command == "radio") {
        const int status = Edit(command, path, argc, argv, 3);
        if (status == Usage)
            Print(stderr, "usage: vmsim set FILE [--capacity N] [--name-length N] [--number-length N] | remove FILE | "
                          "insert FILE | radio FILE on|off\n");
        return status;
    }
    Print(stderr, "unknown or incomplete command: " + command + "\n");
    return Usage;
}
