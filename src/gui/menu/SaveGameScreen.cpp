// The save game screen.
#include "gui/menu/SaveGameScreen.h"

#include <algorithm>

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_TextButton.h"
#include "gui/GuiText.h"
#include "gui/menu/MenuDrawing.h"
#include "gui/menu/MenuListings.h"
#include "platform/FileSystem.h"
#include "world/SaveGameManager.h"
#include "world/StringTable.h"

void SaveGameScreen::Activate() {
    name_ = SaveGameManager::NextFreeSaveName();
    replaceConfirmed_.clear();
    notice_.clear();
    GuiScreen::Activate();
}

void SaveGameScreen::Build(int width, int height, float scale) {
    const int centreX = width / 2, centreY = height / 2;
    panel_ = Rect{centreX - int(300 * scale), centreY - int(120 * scale),
                  centreX + int(300 * scale), centreY + int(180 * scale)};
    // The name itself sits where the classic screen put it: 140 pixels left of
    // the centre and 5 below it.
    field_ = Rect{centreX - int(150 * scale), centreY - int(4 * scale), centreX + int(210 * scale),
                  centreY + int(30 * scale)};
    const float buttonWidth = 176.0f * scale, buttonHeight = 40.0f * scale;
    const float bottom = float(panel_.bottom) - 20.0f * scale;
    auto* menu = controls_->Add<GUI_TextButton>(GetString("MAIN_MENU"),
                                                [] { SwitchScreen(kScreenMainMenu); });
    menu->SetTooltip(GetString("TOOLTIP_MAINMENU"));
    const float left = float(panel_.left) + 24.0f * scale;
    menu->SetRect(left, bottom - buttonHeight, left + buttonWidth, bottom);
    auto* save = controls_->Add<GUI_TextButton>(GetString("SAVE_GAME"), [this] {
        if (SaveUnderName()) SwitchScreen(kScreenMainMenu);
    });
    const float right = float(panel_.right) - 24.0f * scale;
    save->SetRect(right - buttonWidth, bottom - buttonHeight, right, bottom);
}

void SaveGameScreen::Key(int keyCode) {
    if (keyCode == kEscapeScanCode) {
        SwitchScreen(kScreenMainMenu);
        return;
    }
    const std::string edited = EditSaveName(name_, keyCode);
    // A new name makes the last refusal or question stale.
    if (edited != name_) {
        notice_.clear();
        replaceConfirmed_.clear();
    }
    name_ = edited;
}

void SaveGameScreen::ShowNotice(const std::string& text, bool isError) {
    notice_ = text;
    noticeIsError_ = isError;
}

bool SaveGameScreen::SaveUnderName() {
    // The classic screen put whatever was typed into the path, so an empty
    // name saved ".dedu"; a name is checked before it becomes a path.
    if (!IsUsableSaveName(name_)) {
        ShowNotice(GetString("SAVE_BAD_NAME_TEXT"), true);
        return false;
    }
    const std::string path = SaveGameManager::PathForName(name_);
    // Replacing another save loses it, so the player is asked first.
    if (platform::FileExists(path) && replaceConfirmed_ != name_) {
        replaceConfirmed_ = name_;
        ShowNotice(GetString("SAVE_REPLACE_TEXT"), false);
        return false;
    }
    bool saved = false;
    const std::string problem =
        CaptureSaveProblem([this] { return SaveGameManager::Instance().SaveNamed(name_); }, &saved);
    if (saved) {
        notice_.clear();
        return true;
    }
    ShowNotice(GetString("SAVE_FAILED_TEXT") + " " + (problem.empty() ? path : problem), true);
    return false;
}

void SaveGameScreen::DrawBackground() {
    ClearToSlate();
    const float scale = Application::Instance().InterfaceScale();
    DrawMenuHeading(GetString("SAVEGAME"), scale);
    DrawPaperPanel(panel_);
    const float left = float(panel_.left) + 24.0f * scale;
    const float inner = float(panel_.right - panel_.left) - 48.0f * scale;
    DrawStyledText(StyleSheet::kHeadline, left, float(panel_.top) + 24.0f * scale,
                   GetString("SAVE_NAME_PROMPT"), inner);
    DrawStyledText(StyleSheet::kApproval, left, float(panel_.top) + 54.0f * scale,
                   GetString("SAVE_NAME_HINT"), inner, GdiText::kLeft, menu_colour::kMutedText);
    D3DEngine& engine = D3DEngine::Instance();
    engine.FillRect(field_, Skin::Instance().Get(Skin::COL_TEXTFIELD));
    engine.DrawRectOutline(field_, menu_colour::kInk);
    const float textLeft = float(field_.left) + 10.0f * scale;
    const float textTop = float(field_.top + field_.bottom) / 2.0f -
                          float(ScaledStyleSize(StyleSheet::kParagraph)) * 0.6f;
    DrawStyledText(StyleSheet::kParagraph, textLeft, textTop, name_);
    // A caret after the last character shows where typing goes.
    const int caret = int(textLeft) + StyledTextWidth(StyleSheet::kParagraph, name_) + 2;
    engine.FillRect(Rect{caret, field_.top + int(6 * scale), caret + std::max(1, int(2 * scale)),
                         field_.bottom - int(6 * scale)},
                    menu_colour::kBlue);
    const std::string count =
        std::to_string(name_.size()) + " / " + std::to_string(kLongestSaveName);
    DrawStyledText(StyleSheet::kApproval, float(field_.right) + 8.0f * scale, textTop, count, 0.0f,
                   GdiText::kLeft, menu_colour::kMutedText);
    if (notice_.empty()) return;
    // A refusal in the warning colour with a bar beside it, a question in ink.
    const float noticeTop = float(field_.bottom) + 14.0f * scale;
    const std::uint32_t colour =
        noticeIsError_ ? Skin::Instance().Get(Skin::COL_ERRORTEXT) : menu_colour::kInk;
    engine.FillRect(Rect{int(left), int(noticeTop), int(left) + std::max(2, int(4 * scale)),
                         int(noticeTop) + int(44 * scale)},
                    noticeIsError_ ? Skin::Instance().Get(Skin::COL_BAD) : menu_colour::kBlue);
    DrawStyledText(StyleSheet::kApproval, left + 14.0f * scale, noticeTop, notice_,
                   inner - 14.0f * scale, GdiText::kLeft, colour);
}
