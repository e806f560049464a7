// The table of fuzz entries, shared by the fuzzers and the regression test.
#include "FuzzTargets.h"

namespace fuzz {

const std::vector<Target>& Targets() {
    static const std::vector<Target> targets = {
        {"formula", &FuzzFormula},         {"field_reader", &FuzzFieldReader},
        {"ini", &FuzzIni},                 {"strings", &FuzzStrings},
        {"voter_matrix", &FuzzVoterMatrix}, {"savegame", &FuzzSaveGame},
        {"savegame_load", &FuzzSaveGameLoad}, {"dds", &FuzzDds},
        {"bmp", &FuzzBmp},                 {"width_file", &FuzzWidthFile},
        {"file_list", &FuzzFileList},
    };
    return targets;
}

Entry FindTarget(std::string_view name) {
    for (const Target& target : Targets()) {
        if (name == target.name) return target.entry;
    }
    return nullptr;
}

}  // namespace fuzz
