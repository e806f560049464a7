// The mission selection screen.
#include "gui/menu/MissionSelectionScreen.h"

#include <algorithm>

#include "core/Application.h"
#include "engine/DebugLog.h"
#include "engine/StyleSheet.h"
#include "gui/FrameCommands.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiText.h"
#include "gui/TutorialManager.h"
#include "gui/menu/GUI_MissionButton.h"
#include "gui/menu/MenuDrawing.h"
#include "world/Gameplaymanager.h"
#include "world/StringTable.h"

namespace {
constexpr float kListLeft = 40.0f, kListWidth = 300.0f, kListTop = 96.0f;
constexpr float kButtonHeight = 32.0f, kButtonPitch = 36.0f;
constexpr float kPanelLeft = 380.0f, kPanelRightMargin = 40.0f, kPanelInset = 24.0f;
constexpr float kRunWidth = 260.0f, kRunHeight = 40.0f;
constexpr float kLinePitch = 26.0f;
}  // namespace

void StartMissionGame(const std::string& missionName) {
    RunAfterFrame([missionName] {
        Application::Instance().SetGameStarted(true);
        Gameplaymanager::Instance().StartGame(missionName);
    });
}

void MissionSelectionScreen::Build(int width, int height, float scale) {
    // The list is read afresh each time, so new or edited missions show up.
    missions_ = ListMissions();
    Log("mission selection shown");
    buttons_.clear();
    chosen_ = -1;
    for (size_t i = 0; i < missions_.size(); ++i) {
        const MissionEntry& mission = missions_[i];
        auto* button = controls_->Add<GUI_MissionButton>(mission.displayName, mission.flagTexture,
                                                         IsTextureAvailable(mission.flagTexture),
                                                         [this, i] { Choose(int(i)); });
        button->SetTooltip(GetString("TOOLTIP_MISSION"));
        const float top = (kListTop + float(i) * kButtonPitch) * scale;
        button->SetRect(kListLeft * scale, top, (kListLeft + kListWidth) * scale,
                        top + kButtonHeight * scale);
        buttons_.push_back(button);
    }
    // The tutorial's label is the same in every language of the classic game.
    auto* tutorial =
        controls_->Add<GUI_TextButton>("Tutorial", [] { TutorialManager::Instance().Start(); });
    tutorial->SetTooltip(GetString("TOOLTIP_TUTORIAL"));
    const float tutorialTop = (kListTop + float(missions_.size()) * kButtonPitch + 12.0f) * scale;
    tutorial->SetRect(kListLeft * scale, tutorialTop, (kListLeft + kListWidth) * scale,
                      tutorialTop + 36.0f * scale);

    const Rect back = MenuBackButtonRect(height, scale);
    auto* menu = controls_->Add<GUI_TextButton>(GetString("MAIN_MENU"),
                                                [] { SwitchScreen(kScreenMainMenu); });
    menu->SetTooltip(GetString("TOOLTIP_MAINMENU"));
    menu->SetRect(float(back.left), float(back.top), float(back.right), float(back.bottom));

    panel_ = Rect{int(kPanelLeft * scale), int(kListTop * scale),
                  width - int(kPanelRightMargin * scale), back.top - int(16 * scale)};
    run_ = std::make_unique<GUI_TextButton>(GetString("MENU_RUN_THIS_COUNTRY"), [this] {
        if (chosen_ >= 0) StartMissionGame(missions_[size_t(chosen_)].missionName);
    });
    const float runRight = float(panel_.right) - kPanelInset * scale;
    const float runBottom = float(panel_.bottom) - kPanelInset * scale;
    run_->SetRect(runRight - kRunWidth * scale, runBottom - kRunHeight * scale, runRight,
                  runBottom);
}

void MissionSelectionScreen::Choose(int index) {
    if (index < 0 || index >= int(missions_.size())) return;
    chosen_ = index;
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetChosen(int(i) == index);
    pictureAvailable_ = IsTextureAvailable(missions_[size_t(index)].pictureTexture);
    Log("briefing shown: " + missions_[size_t(index)].missionName);
}

void MissionSelectionScreen::MouseClick(int x, int y) {
    if (GUI_WindowManager::Instance().OnClick(float(x), float(y))) return;
    if (RunButton() && run_->OnClick(float(x), float(y))) return;
    controls_->OnClick(float(x), float(y));
}

void MissionSelectionScreen::Key(int keyCode) {
    if (keyCode == kEscapeScanCode) SwitchScreen(kScreenMainMenu);
}

void MissionSelectionScreen::DrawBackground() {
    ClearToSlate();
    const float scale = Application::Instance().InterfaceScale();
    DrawMenuHeading(GetString("NEW_GAME"), scale);
    DrawPaperPanel(panel_);
    if (chosen_ >= 0) {
        DrawBriefing(scale);
        return;
    }
    // Until a country is chosen the panel says what to do.
    DrawStyledText(StyleSheet::kParagraph, float(panel_.left) + kPanelInset * scale,
                   float(panel_.top) + kPanelInset * scale, GetString("MENU_CHOOSE_COUNTRY"),
                   float(panel_.right - panel_.left) - 2.0f * kPanelInset * scale, GdiText::kLeft,
                   menu_colour::kMutedText);
}

void MissionSelectionScreen::DrawBriefing(float scale) {
    const MissionEntry& mission = missions_[size_t(chosen_)];
    const float inset = kPanelInset * scale;
    const float innerWidth = float(panel_.right - panel_.left) - 2.0f * inset;
    // The picture takes what the text and the button leave, in its 16 : 9 shape.
    const float textBlock = (44.0f + 4.0f * kLinePitch + 16.0f + kRunHeight + 16.0f) * scale;
    const float room = float(panel_.bottom - panel_.top) - 2.0f * inset - textBlock;
    const float pictureHeight = std::max(0.0f, std::min(innerWidth * 9.0f / 16.0f, room));
    const float pictureWidth = pictureHeight * 16.0f / 9.0f;
    const float pictureLeft = float(panel_.left) + inset + (innerWidth - pictureWidth) / 2.0f;
    const float pictureTop = float(panel_.top) + inset;
    if (pictureHeight > 0.0f)
        DrawFramedPicture(mission.pictureTexture, pictureAvailable_,
                          Rect{int(pictureLeft), int(pictureTop), int(pictureLeft + pictureWidth),
                               int(pictureTop + pictureHeight)});
    const float left = float(panel_.left) + inset;
    float y = pictureTop + pictureHeight + 12.0f * scale;
    DrawStyledText(StyleSheet::kTitle, left, y, mission.displayName, 0.0f);
    y += 44.0f * scale;
    const std::pair<const char*, const std::string*> lines[] = {
        {"MENU_POPULATION", &mission.population},
        {"MENU_UNEMPLOYMENT", &mission.unemployment},
        {"MENU_TERMLENGTH", &mission.termLength},
        {"MENU_DEBT", &mission.debt}};
    // Labels in a column of their own, so the values line up.
    const float valueLeft = left + 190.0f * scale;
    for (const auto& [key, value] : lines) {
        DrawStyledText(StyleSheet::kParagraph, left, y, GetString(key), 0.0f, GdiText::kLeft,
                       menu_colour::kMutedText);
        DrawStyledText(StyleSheet::kHeadline, valueLeft, y, *value, 0.0f);
        y += kLinePitch * scale;
    }
    run_->Update();
    run_->Draw();
}
