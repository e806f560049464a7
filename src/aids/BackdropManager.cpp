// Reading and stepping through the loading screen's quotations.
#include "aids/BackdropManager.h"

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/GameRandom.h"
#include "core/TextFile.h"
#include "world/Gameplaymanager.h"

namespace {

// Shorter lines, even ones beginning with "#", are comments.
constexpr size_t kShortestRecord = 9;

}  // namespace

BackdropManager& BackdropManager::Instance() {
    static BackdropManager manager;
    return manager;
}

BackdropManager::BackdropManager() {
    Load();
}

void BackdropManager::Load(std::string_view path) {
    backdrops_.clear();
    current_ = 0;
    const auto file = TextFile::Open(path);
    if (!file) {
        ReportDataProblem(DataSeverity::Error, {std::string(path), 0, "", ""},
                          "cannot open the backdrops file", "Backdropmanager", __LINE__);
        return;
    }
    FieldReader fields;
    for (const std::string& line : file->Lines()) {
        if (line.size() < kShortestRecord || line[0] != '#') continue;
        fields.SetText(line);
        fields.NextField();
        Backdrop backdrop;
        backdrop.text = fields.NextField();
        backdrop.attribution = "-" + fields.NextField();
        backdrops_.push_back(std::move(backdrop));
    }
    if (backdrops_.empty()) return;
    // The draw leaves the game's sequence where it was, so a seeded game
    // replays the same whether or not a loading screen was shown before it.
    const std::uint32_t state = GameRandom::State();
    current_ = size_t(Rand()) % backdrops_.size();
    GameRandom::SetState(state);
}

void BackdropManager::Next() {
    if (!backdrops_.empty()) current_ = (current_ + 1) % backdrops_.size();
    Gameplaymanager::Instance().ProgressStep("Analayzing decisions", 0.1f);
}

const BackdropManager::Backdrop* BackdropManager::Current() const {
    return backdrops_.empty() ? nullptr : &backdrops_[current_];
}
