// The main menu's buttons as a table, and its backdrop.
#include "gui/menu/MainMenuScreen.h"

#include <vector>

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/GdiText.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/FrameCommands.h"
#include "gui/GUI_TextButton.h"
#include "gui/GuiText.h"
#include "world/StringTable.h"

namespace {

struct MenuEntry {
    const char* label;
    const char* tooltip;
    bool onlyWithGame;
    void (*action)();
};

// The build the main menu names, so a player's report says what they ran.
constexpr const char* kBuildName = "Final 1.4a";

const std::vector<MenuEntry>& Entries() {
    static const std::vector<MenuEntry> entries = {
        {"NEW_GAME", "TOOLTIP_NEWGAME", false, [] { SwitchScreen(kScreenMissionSelection); }},
        {"RESUMEGAME", "TOOLTIP_RESUMEGAME", true, [] { SwitchScreen(kScreenMainGame); }},
        {"LOADGAME", "TOOLTIP_LOADGAME", false, [] { SwitchScreen(kScreenLoadGame); }},
        {"SAVEGAME", "TOOLTIP_SAVEGAME", true, [] { SwitchScreen(kScreenSaveGame); }},
        {"OPTIONS", "TOOLTIP_OPTIONS", false, [] { SwitchScreen(kScreenOptions); }},
        {"VISITWEBSITE", "TOOLTIP_VISITWEBSITE", false,
         [] { Application::Instance().OpenProductWebSite(); }},
        {"QUIT_GAME", "TOOLTIP_QUITGAME", false,
         [] { RunAfterFrame([] { Application::Instance().QuitGame(); }); }},
    };
    return entries;
}

}  // namespace

void MainMenuScreen::Build(int width, int height, float scale) {
    const bool started = Application::Instance().IsGameStarted();
    std::vector<const MenuEntry*> shown;
    for (const MenuEntry& entry : Entries())
        if (started || !entry.onlyWithGame) shown.push_back(&entry);
    const float buttonWidth = 176.0f * scale, buttonHeight = 40.0f * scale, gap = 12.0f * scale;
    const float rowWidth = float(shown.size()) * buttonWidth + float(shown.size() - 1) * gap;
    float left = float(width) / 2.0f - rowWidth / 2.0f;
    const float top = float(height) - 120.0f * scale;
    for (const MenuEntry* entry : shown) {
        auto* button = controls_->Add<GUI_TextButton>(GetString(entry->label), entry->action);
        button->SetTooltip(GetString(entry->tooltip));
        button->SetRect(left, top, left + buttonWidth, top + buttonHeight);
        left += buttonWidth + gap;
    }
    auto* updates = controls_->Add<GUI_TextButton>(GetString("CHECKUPDATES"),
                                                   [] { SwitchScreen(kScreenUpdates); });
    updates->SetTooltip(GetString("TOOLTIP_CHECKUPDATES"));
    // The corner spot of the classic layout, grown with the interface so the
    // label fits at every size.
    updates->SetRect(float(width) - 200.0f * scale, float(height) - 68.0f * scale,
                     float(width) - 20.0f * scale, float(height) - 34.0f * scale);
}

void MainMenuScreen::DrawBackground() {
    D3DEngine& engine = D3DEngine::Instance();
    const float scale = Application::Instance().InterfaceScale();
    const int width = int(ScreenWidth()), height = int(ScreenHeight());
    ClearToSlate();
    // A calm band across the upper third, with the game's name on it.
    const int bandTop = int(float(height) * 0.22f), bandBottom = int(float(height) * 0.50f);
    engine.FillRect(Rect{0, bandTop, width, bandBottom}, Skin::Instance().Get(Skin::COL_PAPER));
    engine.FillRect(Rect{0, bandBottom, width, bandBottom + int(6 * scale)},
                    Skin::Instance().Get(Skin::COL_ACCENT));
    // The seven policy-group colours along its top edge.
    for (int i = 0; i < Skin::kGroupCount; ++i)
        engine.FillRect(Rect{i * width / 7, bandTop - int(6 * scale), (i + 1) * width / 7, bandTop},
                        Skin::Instance().GroupColour(i));
    // The name in the title face at display size, centred on the band.
    const std::string title = GetString("APP_TITLE");
    const TextStyle& look = StyleSheet::Instance().Style(StyleSheet::kTitle);
    GdiText& gdi = GdiText::Instance();
    const int size = int(88.0f * scale);
    gdi.BeginGdiText();
    gdi.SelectFont(look.face, size);
    gdi.SetTextColour(look.red, look.green, look.blue);
    gdi.DrawGdiText(float(width) / 2.0f - float(gdi.TextWidth(title)) / 2.0f,
                    float(bandTop + bandBottom) / 2.0f - float(size) * 0.62f, title, 0.0f);
    gdi.EndGdiText();
    DrawStyledText(StyleSheet::kApproval, 16.0f * scale, float(height) - 30.0f * scale, kBuildName,
                   0.0f, GdiText::kLeft, Skin::Instance().Get(Skin::COL_VERSIONTEXT));
}
