// Runs numbered jobs in forked worker processes, a few at a time, and hands
// each job's text result back to the parent as it arrives. Every job runs in
// a fresh copy of the parent as it was before the first fork, so jobs that
// use the program's global state never see each other's, and the results do
// not depend on how many run at once.
#pragma once

#include <functional>
#include <string>

namespace platform {

struct WorkerJobResult {
    int job = 0;
    bool finished = false;  // false: the worker died or failed to start
    std::string output;     // what the job returned (partial when it died)
    std::string failure;    // how it ended when not finished
};

// Runs jobs 0 .. count-1 with at most `workers` processes at a time. `work`
// runs in the child, whose process then ends without running destructors or
// exit handlers. `onResult` runs in the parent once per job, in the order the
// jobs finish.
void RunInWorkerProcesses(int count, int workers, const std::function<std::string(int job)>& work,
                          const std::function<void(const WorkerJobResult&)>& onResult);

}  // namespace platform
