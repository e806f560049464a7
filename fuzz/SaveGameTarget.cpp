// Saved games, first as text only: whatever the file holds, the reader
// either gives a whole saved game or turns it down with a reason.
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "world/SaveGameReader.h"

namespace fuzz {

void FuzzSaveGame(std::string_view input) {
    Guarded([input] { (void)SaveGameReader::Parse("fuzz.dedu", input); });
}

}  // namespace fuzz
