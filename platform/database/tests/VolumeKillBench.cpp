// The kill scenario at length: a thousand kills of a writer, each followed by
// a remount that must hold every acknowledged change.
#include "platform/database/tests/KillScenario.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using namespace vellumate::database::testing;

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 1000;
    const auto folder = std::filesystem::temp_directory_path() / ("vellumate-killbench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto start = std::chrono::steady_clock::now();
    const KillReport report =
        RunKillScenario((folder / "cemail.vol").string(), rounds, static_cast<unsigned>(::time(nullptr)));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::filesystem::remove_all(folder);
    std::printf("kills %d, changes acknowledged %d, in flight and kept %d, torn tails %d, %.1f s\n", report.rounds,
                report.acknowledged, report.inFlightKept, report.tornTails, seconds);
    if (!report.failure.empty()) {
        std::printf("FAILED: %s\n", report.failure.c_str());
        return 1;
    }
    return 0;
}
