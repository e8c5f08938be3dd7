// The closer's passes over a world the test controls.
#include "taskmanager/ClosingPasses.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class ScriptedWorld final : public ClosingWorld {
public:
    // The pass at which each window closes by itself; absent: never.
    std::map<std::uintptr_t, int> closesAt;
    std::vector<std::uintptr_t> offered;
    std::vector<int> offeredAtPass;
    int pass = 0;
    std::atomic<bool>* stopAtOffer = nullptr;

    bool StillOpen(const ClosingTask& task) override
    {
        auto found = closesAt.find(task.window);
        return found == closesAt.end() || pass < found->second;
    }
    void OfferTermination(const ClosingTask& task, const std::atomic<bool>&) override
    {
        offered.push_back(task.window);
        offeredAtPass.push_back(pass);
        if (stopAtOffer)
            *stopAtOffer = true;
    }
    void Pause(unsigned milliseconds) override
    {
        EXPECT_EQ(milliseconds, ClosingPassInterval);
        ++pass;
    }
};

std::vector<ClosingTask> Tasks(std::initializer_list<std::uintptr_t> windows)
{
    std::vector<ClosingTask> tasks;
    for (std::uintptr_t window : windows)
        tasks.push_back({window, 1, L"Title", L"Class"});
    return tasks;
}

}  // namespace

TEST(ClosingPasses, ApplicationsThatCloseAreNotAskedAbout)
{
    ScriptedWorld world;
    world.closesAt = {{1, 0}, {2, 3}};
    std::vector<ClosingTask> tasks = Tasks({1, 2});
    std::atomic<bool> stop{false};
    EXPECT_EQ(RunClosingPasses(tasks, world, stop), 4);
    EXPECT_TRUE(tasks.empty());
    EXPECT_TRUE(world.offered.empty());
}

TEST(ClosingPasses, OneThatStaysIsOfferedOnceAtTheQuestionPass)
{
    ScriptedWorld world;
    world.closesAt = {{1, 2}};
    std::vector<ClosingTask> tasks = Tasks({1, 2, 3});
    std::atomic<bool> stop{false};
    RunClosingPasses(tasks, world, stop);
    EXPECT_TRUE(tasks.empty());
    EXPECT_EQ(world.offered, (std::vector<std::uintptr_t>{2, 3}));
    EXPECT_EQ(world.offeredAtPass, (std::vector<int>{QuestionPass, QuestionPass}));
}

TEST(ClosingPasses, AStopEndsThePassesAfterTheCurrentTask)
{
    ScriptedWorld world;
    std::atomic<bool> stop{false};
    world.stopAtOffer = &stop;
    std::vector<ClosingTask> tasks = Tasks({1, 2, 3});
    RunClosingPasses(tasks, world, stop);
    EXPECT_EQ(world.offered, (std::vector<std::uintptr_t>{1}));
    EXPECT_EQ(tasks.size(), 2u);

    std::vector<ClosingTask> untouched = Tasks({4});
    EXPECT_EQ(RunClosingPasses(untouched, world, stop), 0);  // stopped before it began
    EXPECT_EQ(untouched.size(), 1u);
}
