// The update server's list of files: whatever the server sends must never
// name a place outside the data folder.
#include <cstdlib>

#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "engine/Updater.h"

namespace fuzz {

void FuzzFileList(std::string_view input) {
    Guarded([input] {
        std::vector<std::string> refused;
        for (const UpdateResource& entry : ParseFileList(input, &refused)) {
            if (!IsSafeLocalPath(entry.local)) std::abort();
            if (entry.local.find('\0') != std::string::npos) std::abort();
        }
    });
}

}  // namespace fuzz
