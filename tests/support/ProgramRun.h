// Runs a command line as a player's shell would, keeping what the program
// prints on standard output and standard error apart.
#pragma once

#include <string>

struct ProgramRun {
    int exitCode = -1;  // -1 when it did not end normally
    std::string out;
    std::string err;
    // Both streams, standard output first.
    std::string All() const { return out + err; }
};

// `commandLine` goes to /bin/sh as written: quote paths yourself and put
// variables in front ("HOME=/tmp/h polity --headless").
ProgramRun RunProgram(const std::string& commandLine);
