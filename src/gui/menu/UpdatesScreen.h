// The updates screen: a button that fetches new data files from the update
// server, a bar while they come in, then the list of files fetched or what
// went wrong.
#pragma once

#include <string>
#include <vector>

#include "core/LoadingProgress.h"
#include "gui/GuiScreen.h"

class GUI_TextButton;

class UpdatesScreen : public GuiScreen {
public:
    enum class State { Idle, Running, Done, Failed };

    UpdatesScreen();

    // Runs the update now, drawing frames from its progress reports.
    void RunUpdate();
    // Ignored while the update runs: the frames it draws poll input too.
    void MouseClick(int x, int y) override;

    State GetState() const { return state_; }
    // The local paths fetched by the last run.
    const std::vector<std::string>& Downloaded() const { return downloaded_; }
    // One line each, as the player reads them after a failed run.
    const std::vector<std::string>& Errors() const { return errors_; }
    // Frames drawn from progress reports during the last run.
    int ProgressFrames() const { return progressFrames_; }

protected:
    void Build(int width, int height, float scale) override;
    void DrawBackground() override;

private:
    void Progress(const std::string& path, float fraction);
    void DrawBar(float left, float top, float width, float scale) const;
    void DrawResults(float left, float top, float width, float scale) const;

    Rect panel_;
    GUI_TextButton* download_ = nullptr;
    State state_ = State::Idle;
    std::string currentFile_;
    float fraction_ = 0.0f;
    std::vector<std::string> downloaded_;
    std::vector<std::string> errors_;
    ProgressThrottle throttle_;
    int progressFrames_ = 0;
};
