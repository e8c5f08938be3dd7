#include "taskmanager/ClosingPasses.h"

int RunClosingPasses(std::vector<ClosingTask>& tasks, ClosingWorld& world, const std::atomic<bool>& stop)
{
    int pass = 0;
    while (!tasks.empty() && !stop) {
        for (auto task = tasks.begin(); task != tasks.end();) {
            if (!world.StillOpen(*task)) {
                task = tasks.erase(task);
            } else if (pass == QuestionPass) {
                world.OfferTermination(*task, stop);
                task = tasks.erase(task);
            } else {
                ++task;
            }
            if (stop)
                return pass + 1;
        }
        ++pass;
        if (!tasks.empty())
            world.Pause(ClosingPassInterval);
    }
    return pass;
}
