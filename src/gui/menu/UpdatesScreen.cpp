// Running the updater from the menu.
#include "gui/menu/UpdatesScreen.h"

#include <algorithm>

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "engine/Updater.h"
#include "gui/FrameCommands.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_TextButton.h"
#include "gui/GuiText.h"
#include "world/StringTable.h"

namespace {
// The updater reports every piece it reads; a frame at most this often keeps
// a large file from spending its time on drawing.
constexpr double kFrameInterval = 30.0;
// More files than fit are summed up in one last line.
constexpr size_t kListedFiles = 12;
}  // namespace

UpdatesScreen::UpdatesScreen() : throttle_(kFrameInterval) {}

void UpdatesScreen::Build(int width, int height, float scale) {
    const float centre = float(width) / 2.0f;
    panel_ = Rect{int(centre - 320.0f * scale), int(90.0f * scale), int(centre + 320.0f * scale),
                  int(float(height) - 90.0f * scale)};
    const float buttonWidth = 220.0f * scale, buttonHeight = 40.0f * scale;
    download_ = controls_->Add<GUI_TextButton>(GetString("UPDATE_DOWNLOAD"),
                                               [this] { RunAfterFrame([this] { RunUpdate(); }); });
    download_->SetTooltip(GetString("TOOLTIP_UPDATE_DOWNLOAD"));
    const float top = float(panel_.top) + 130.0f * scale;
    download_->SetRect(centre - buttonWidth / 2.0f, top, centre + buttonWidth / 2.0f,
                       top + buttonHeight);
    auto* back = controls_->Add<GUI_TextButton>(GetString("MAIN_MENU"),
                                                [] { SwitchScreen(kScreenMainMenu); });
    back->SetTooltip(GetString("TOOLTIP_MAINMENU"));
    back->SetRect(float(width) - 200.0f * scale, float(height) - 68.0f * scale,
                  float(width) - 20.0f * scale, float(height) - 34.0f * scale);
}

void UpdatesScreen::MouseClick(int x, int y) {
    if (state_ != State::Running) GuiScreen::MouseClick(x, y);
}

void UpdatesScreen::RunUpdate() {
    if (state_ == State::Running) return;
    state_ = State::Running;
    downloaded_.clear();
    errors_.clear();
    currentFile_.clear();
    fraction_ = 0.0f;
    progressFrames_ = 0;
    throttle_ = ProgressThrottle(kFrameInterval);
    Updater& updater = Updater::Instance();
    bool updated = false;
    // The same server and lists as the command-line update.
    if (!updater.HasServer()) {
        errors_.push_back(GetString("UPDATE_NOSERVER"));
    } else {
        updater.ClearDownloaded();
        updater.Init([this](const std::string& path, float fraction) { Progress(path, fraction); },
                     Updater::kRemoteFileList, Updater::kLocalFileList);
        updated = updater.Run();
        errors_ = updater.Errors();
        // Files fetched before a failure are kept and listed all the same.
        downloaded_ = updater.Downloaded();
    }
    state_ = updated && errors_.empty() ? State::Done : State::Failed;
}

void UpdatesScreen::Progress(const std::string& path, float fraction) {
    const bool newFile = path != currentFile_;
    currentFile_ = path;
    fraction_ = std::clamp(fraction, 0.0f, 1.0f);
    if (!newFile && fraction < 1.0f && !throttle_.Due()) return;
    ++progressFrames_;
    Application::Instance().RunFrame();
}

void UpdatesScreen::DrawBackground() {
    ClearToSlate();
    DrawPaperPanel(panel_);
    const float scale = Application::Instance().InterfaceScale();
    const float left = float(panel_.left) + 40.0f * scale;
    const float width = float(panel_.right - panel_.left) - 80.0f * scale;
    DrawStyledText(StyleSheet::kTitle, float(panel_.left), float(panel_.top) + 18.0f * scale,
                   GetString("CHECKUPDATES"), float(panel_.right - panel_.left), GdiText::kCentre);
    DrawStyledText(StyleSheet::kParagraph, left, float(panel_.top) + 70.0f * scale,
                   GetString("UPDATE_INTRO"), width);
    const float below = float(download_->Bottom()) + 30.0f * scale;
    if (state_ == State::Running)
        DrawBar(left, below, width, scale);
    else if (state_ != State::Idle)
        DrawResults(left, below, width, scale);
}

void UpdatesScreen::DrawBar(float left, float top, float width, float scale) const {
    D3DEngine& engine = D3DEngine::Instance();
    const Rect bar{int(left), int(top), int(left + width), int(top + 20.0f * scale)};
    engine.FillRect(bar, Skin::Instance().Get(Skin::COL_PROGRESSTRACK));
    engine.FillRect(Rect{bar.left, bar.top, bar.left + int(width * fraction_), bar.bottom},
                    Skin::Instance().Get(Skin::COL_ACCENT));
    engine.DrawRectOutline(bar, Skin::Instance().Get(Skin::COL_MUTED));
    DrawStyledText(StyleSheet::kApproval, left, float(bar.bottom) + 10.0f * scale, currentFile_,
                   width, GdiText::kCentre, Skin::Instance().Get(Skin::COL_PROGRESSTEXT));
}

void UpdatesScreen::DrawResults(float left, float top, float width, float scale) const {
    float y = top;
    const float row = float(ScaledStyleSize(StyleSheet::kApproval)) * 1.5f;
    if (state_ == State::Failed) {
        // Red text with a heading that says it in words, never colour alone.
        DrawStyledText(StyleSheet::kHeadline, left, y, GetString("UPDATE_FAILED"), width,
                       GdiText::kLeft, Skin::Instance().Get(Skin::COL_ERRORTEXT));
        y += row * 1.3f;
        for (const std::string& error : errors_) {
            DrawStyledText(StyleSheet::kApproval, left, y, error, width);
            y += row;
        }
        y += row * 0.5f;
    }
    if (downloaded_.empty()) {
        if (state_ == State::Done)
            DrawStyledText(StyleSheet::kHeadline, left, y, GetString("UPDATE_NOTHINGNEW"), width);
        return;
    }
    DrawStyledText(StyleSheet::kHeadline, left, y,
                   GetString("UPDATE_DOWNLOADED") + " " + std::to_string(downloaded_.size()),
                   width);
    y += row * 1.3f;
    for (size_t i = 0; i < downloaded_.size() && i < kListedFiles; ++i) {
        DrawStyledText(StyleSheet::kApproval, left + 16.0f * scale, y, downloaded_[i], width);
        y += row;
    }
    if (downloaded_.size() > kListedFiles)
        DrawStyledText(StyleSheet::kApproval, left + 16.0f * scale, y,
                       "+ " + std::to_string(downloaded_.size() - kListedFiles), width);
}
