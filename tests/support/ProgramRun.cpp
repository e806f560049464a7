// The shell run with standard error in a file beside the pipe.
#include "support/ProgramRun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

ProgramRun RunProgram(const std::string& commandLine) {
    ProgramRun run;
    static int counter = 0;
    const std::string errorFile =
        (std::filesystem::temp_directory_path() /
         ("polity-stderr-" + std::to_string(::getpid()) + "-" + std::to_string(++counter)))
            .string();
    FILE* pipe = popen((commandLine + " 2>'" + errorFile + "'").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errorFile, std::ios::binary);
    run.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::filesystem::remove(errorFile);
    return run;
}
