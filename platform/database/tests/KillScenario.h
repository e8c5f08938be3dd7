// A writer killed at random moments: a child process changes a volume file at
// random (databases, new records, updates, deletions, rewrites of the file),
// telling the parent on a pipe what it is about to do and when each change
// returned. The parent kills it with SIGKILL, remounts, and checks that every
// acknowledged change is there and nothing else changed (the one change in
// flight may or may not be). Native only (fork).
#pragma once

#include <string>

namespace vellumate::database::testing {

struct KillReport {
    int rounds = 0;
    int acknowledged = 0;  // changes the children reported done
    int inFlightKept = 0;  // rounds whose change in flight reached the file
    int tornTails = 0;     // rounds that left a torn entry at the end
    std::string failure;   // empty when every round checked out
};

// Runs `rounds` kill rounds on the volume file `path` (created afresh).
KillReport RunKillScenario(const std::string& path, int rounds, unsigned seed);

}  // namespace vellumate::database::testing
