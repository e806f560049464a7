// Jobs in forked worker processes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>

#include "platform/WorkerProcesses.h"

TEST(WorkerProcesses, EveryJobReportsOnceAndAWorkerThatDiesIsNamed) {
    std::map<int, platform::WorkerJobResult> results;
    int reports = 0;
    platform::RunInWorkerProcesses(
        5, 2,
        [](int job) {
            if (job == 3) _exit(7);
            return std::string(100000,
                               static_cast<char>('a' + job));  // more than a pipe holds at once
        },
        [&](const platform::WorkerJobResult& result) {
            results[result.job] = result;
            ++reports;
        });
    EXPECT_EQ(reports, 5);
    for (int job : {0, 1, 2, 4}) {
        EXPECT_TRUE(results[job].finished) << results[job].failure;
        EXPECT_EQ(results[job].output, std::string(100000, static_cast<char>('a' + job)));
    }
    EXPECT_FALSE(results[3].finished);
    EXPECT_EQ(results[3].failure, "exit code 7");
}
