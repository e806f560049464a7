// Saved games loaded into the running game: a file that is taken must give a
// game that saves back to the same file, loads again, and plays a turn. Runs
// in a folder holding a copy of the game's data folder.
#include <cstdlib>

#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "core/LinkedMode.h"
#include "core/SetupValues.h"
#include "simulation/GameOptions.h"
#include "simulation/PlayerInputRecorder.h"
#include "world/Gameplaymanager.h"
#include "world/Manifesto.h"
#include "world/SaveGameManager.h"
#include "world/SaveGameWriter.h"

namespace fuzz {

namespace {

constexpr const char* kSavePath = "data/savegames/fuzz.dedu";
constexpr const char* kResavePath = "data/savegames/fuzz-again.dedu";

// Opens no window and writes no autosave.
class QuietListener : public GameplayListener {
public:
    void Autosave() override {}
};

void PrepareGame() {
    static QuietListener listener;
    SetLinkedMode(true);
    SetupValues::Instance().Load();
    for (int i = 0; i < GameOptions::kCount; ++i) GameOptions::Instance().Set(GameOptions::Default(i), i);
    Manifesto::Instance().LoadOptions();
    PlayerInputRecorder::Instance().SetEnabled(false);
    SaveGameManager::Instance().SetLogging(false);
    Gameplaymanager::Instance().SetListener(&listener);
}

}  // namespace

void FuzzSaveGameLoad(std::string_view input) {
    Guarded([input] {
        PrepareGame();
        WriteInputFile(kSavePath, input);
        SaveGameManager& saves = SaveGameManager::Instance();
        if (!saves.LoadFile(kSavePath)) return;
        const std::string saved = SaveGameWriter::Build();
        WriteInputFile(kResavePath, saved);
        if (!saves.LoadFile(kResavePath)) std::abort();
        if (SaveGameWriter::Build() != saved) std::abort();
        Gameplaymanager::Instance().NewTurn();
        (void)SaveGameWriter::Build();
    });
    ClearGameState();
}

}  // namespace fuzz
