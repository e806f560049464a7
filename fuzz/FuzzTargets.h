// The entry points the fuzzers drive, one per parser of outside input. The
// same functions run in the normal build, where a test feeds them every
// input that once broke them. Each takes one input as bytes, starts from a
// clean state of its own, and returns normally for any input: a crash, a
// sanitizer report or a hang is a fault in the game's code.
#pragma once

#include <string_view>
#include <vector>

namespace fuzz {

using Entry = void (*)(std::string_view input);

struct Target {
    const char* name;
    Entry entry;
};

// Every target, by the name of its fuzzer and of its corpus folder.
const std::vector<Target>& Targets();
Entry FindTarget(std::string_view name);

void FuzzFormula(std::string_view input);
void FuzzFieldReader(std::string_view input);
void FuzzIni(std::string_view input);
void FuzzStrings(std::string_view input);
void FuzzVoterMatrix(std::string_view input);
void FuzzSaveGame(std::string_view input);
void FuzzSaveGameLoad(std::string_view input);
void FuzzDds(std::string_view input);
void FuzzBmp(std::string_view input);
void FuzzWidthFile(std::string_view input);
void FuzzFileList(std::string_view input);

}  // namespace fuzz
