// vmprofile: the vellumate tool's reader and editor of a device's profile,
// built for the host so that `vellumate device` needs no Wine.
//
//   vmprofile check FILE                   the problems, one a line (ProfileReport.h)
//   vmprofile show FILE                    the values the programs see
//   vmprofile card FILE NAME               the card of that folder name (a new
//                                          card's defaults when there is none)
//   vmprofile set FILE SECTION KEY VALUE...  change settings, all or none
//   vmprofile try FILE SECTION KEY VALUE...  whether set would change them
//
// Exit status: 0 done, 1 no such card, 2 refused (the reasons on standard
// error, one a line), 64 a wrong command line.
#include "platform/hosttools/HostFiles.h"
#include "platform/profiletool/ProfileEditor.h"
#include "platform/profiletool/ProfileReport.h"

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace vellumate;
using namespace vellumate::host;
using namespace vellumate::profiletool;

namespace {

constexpr int Done = 0;
constexpr int NoSuchCard = 1;
constexpr int Refused = 2;
constexpr int Usage = 64;

// The file's bytes, at most one more than a profile may have so that the
// platform names a larger file as such; nothing with `problem` said otherwise.
std::optional<std::string> ReadProfile(const std::string& path, std::string& problem)
{
    FileRead read = ReadSmallFile(path, MaxProfileBytes);
    if (!read.bytes)
        problem = read.missing ? "the profile is missing" : "cannot read the profile: " + read.error;
    return std::move(read.bytes);
}

// Replaces the file in one step, so that a program never reads half of it.
bool WriteProfile(const std::string& path, const std::string& bytes, std::string& problem)
{
    std::string error;
    if (ReplaceFile(path, bytes, error))
        return true;
    problem = "cannot write the profile: " + error;
    return false;
}

int Check(const std::string& path)
{
    std::string problem;
    const std::optional<std::string> bytes = ReadProfile(path, problem);
    Print(stdout, bytes ? DescribeProblems(CheckProfile(*bytes)) : "S\t0\t" + problem + "\n");
    return Done;
}

ProfileReading Read(const std::string& path)
{
    std::string problem;
    const std::optional<std::string> bytes = ReadProfile(path, problem);
    return bytes ? ParseDeviceProfile(*bytes) : ProfileReading{};
}

int Card(const std::string& path, const std::string& name)
{
    const std::wstring wide = WideFromUtf8(name);
    if (!IsCardName(wide)) {
        Print(stderr, "'" + name + "' cannot be the folder name of a card\n");
        return Refused;
    }
    const ProfileReading reading = Read(path);
    if (const CardProfile* card = reading.profile.FindCard(wide)) {
        Print(stdout, DescribeCard(*card));
        return Done;
    }
    Print(stdout, DescribeCard(CardProfile{wide}));
    return NoSuchCard;
}

int Set(const std::string& path, const std::vector<std::string>& words, bool apply)
{
    std::vector<ProfileEdit> edits;
    for (std::size_t i = 0; i + 2 < words.size(); i += 3)
        edits.push_back({WideFromUtf8(words[i]), WideFromUtf8(words[i + 1]), WideFromUtf8(words[i + 2])});
    std::string problem;
    const std::optional<std::string> bytes = ReadProfile(path, problem);
    if (!bytes) {
        Print(stderr, problem + "\n");
        return Refused;
    }
    const EditOutcome outcome = EditProfile(*bytes, edits);
    for (const std::wstring& refusal : outcome.refusals)
        Print(stderr, Utf8FromWide(refusal) + "\n");
    if (!outcome.refusals.empty())
        return Refused;
    if (apply && outcome.bytes != *bytes && !WriteProfile(path, outcome.bytes, problem)) {
        Print(stderr, problem + "\n");
        return Refused;
    }
    return Done;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string command = args.empty() ? "" : args[0];
    if (command == "check" && args.size() == 2)
        return Check(args[1]);
    if (command == "show" && args.size() == 2) {
        Print(stdout, DescribeProfile(Read(args[1]).profile));
        return Done;
    }
    if (command == "card" && args.size() == 3)
        return Card(args[1], args[2]);
    if ((command == "set" || command == "try") && args.size() >= 5 && (args.size() - 2) % 3 == 0)
        return Set(args[1], std::vector<std::string>(args.begin() + 2, args.end()), command == "set");
    Print(stderr, "usage: vmprofile check|show FILE | card FILE NAME | set|try FILE SECTION KEY VALUE...\n");
    return Usage;
}
