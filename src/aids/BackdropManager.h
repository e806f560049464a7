// The quotations shown on the loading screen while a game starts or a turn
// runs: read once from "data/backdrops.csv", one shown at a time, moving on
// at every game start and every turn after the first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class BackdropManager {
public:
    static constexpr const char* kBackdropsPath = "data/backdrops.csv";

    struct Backdrop {
        std::string text;
        std::string attribution;  // "-" and the source, as the screen shows it
    };

    static BackdropManager& Instance();

    // Reads the file; the current backdrop becomes a random one (through the
    // game's seedable random numbers). A file that cannot be read is reported
    // and leaves no backdrops; everything else still works.
    void Load(std::string_view path = kBackdropsPath);

    // Moves to the following backdrop, back to the first after the last,
    // and adds the loading step that goes with it.
    void Next();

    // Nothing while there are no backdrops.
    const Backdrop* Current() const;
    size_t CurrentIndex() const { return current_; }
    const std::vector<Backdrop>& Backdrops() const { return backdrops_; }

private:
    BackdropManager();

    std::vector<Backdrop> backdrops_;
    size_t current_ = 0;
};
