// A writer killed a hundred times at random moments; `./vellumate bench` runs
// the same scenario a thousand times (volume_kill_bench).
#include "platform/database/tests/KillScenario.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace vellumate::database::testing;

TEST(VolumeKill, EveryAcknowledgedChangeSurvivesKills)
{
    const auto folder = std::filesystem::temp_directory_path() / ("vellumate-kill-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const KillReport report = RunKillScenario((folder / "cemail.vol").string(), 100, 20240611);
    std::filesystem::remove_all(folder);
    EXPECT_EQ(report.failure, "");
    EXPECT_EQ(report.rounds, 100);
    EXPECT_GT(report.acknowledged, 100);
}
