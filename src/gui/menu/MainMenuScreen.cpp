// The main menu's buttons as a table, and its backdrop.
#include "gui/menu/MainMenuScreen.h"

#include <algorithm>
#include <vector>

#include "core/Application.h"
#include "core/SetupValues.h"
#include "engine/D3DEngine.h"
#include "engine/GdiText.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "engine/Updater.h"
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
    // Offered only when this setup value of "data/data.ini" is set.
    const char* setupKey = nullptr;
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
         [] { Application::Instance().OpenProductWebSite(); }, "website"},
        {"QUIT_GAME", "TOOLTIP_QUITGAME", false,
         [] { RunAfterFrame([] { Application::Instance().QuitGame(); }); }},
    };
    return entries;
}

// Where the buttons go, in the order of their labels: one row along the
// bottom where it fits, else as many rows as needed above that place, every
// label inside its button and every button on the screen.
std::vector<Rect> LayOutMenuRows(const std::vector<float>& labelWidths, int width, int height,
                                 float scale) {
    std::vector<Rect> buttons;
    const size_t count = labelWidths.size();
    if (count == 0) return buttons;
    const float gap = 12.0f * scale, buttonHeight = 40.0f * scale;
    const float room = float(width) - 2.0f * 24.0f * scale;
    // The classic width where the row fits; narrower down to what the
    // longest label needs; and where even that is too wide (the seven
    // buttons of a running game), more rows.
    float labels = 0.0f;
    for (float label : labelWidths) labels = std::max(labels, label + 24.0f * scale);
    const auto rowWidth = [&](size_t n, float w) { return float(n) * w + float(n - 1) * gap; };
    float buttonWidth = 176.0f * scale;
    if (rowWidth(count, buttonWidth) > room)
        buttonWidth = std::max(labels, (room - float(count - 1) * gap) / float(count));
    buttonWidth = std::min(buttonWidth, room);
    const size_t perRow =
        std::max<size_t>(1, std::min(count, size_t((room + gap) / (buttonWidth + gap))));
    const size_t rows = (count + perRow - 1) / perRow;
    // As even as the count allows, the upper rows taking any extra button;
    // the lowest row stays where the single row always stood.
    const float lowestTop = float(height) - 120.0f * scale;
    for (size_t row = 0; row < rows; ++row) {
        const size_t inRow = count / rows + (row < count % rows ? 1 : 0);
        const float top = lowestTop - float(rows - 1 - row) * (buttonHeight + gap);
        float left = float(width) / 2.0f - rowWidth(inRow, buttonWidth) / 2.0f;
        for (size_t i = 0; i < inRow; ++i) {
            buttons.push_back(
                Rect{int(left), int(top), int(left + buttonWidth), int(top + buttonHeight)});
            left += buttonWidth + gap;
        }
    }
    return buttons;
}

}  // namespace

void MainMenuScreen::Build(int width, int height, float scale) {
    const bool started = Application::Instance().IsGameStarted();
    std::vector<const MenuEntry*> shown;
    std::vector<float> labelWidths;
    for (const MenuEntry& entry : Entries()) {
        const bool offered =
            !entry.setupKey || !SetupValues::Instance().GetSetupString(entry.setupKey).empty();
        if ((!started && entry.onlyWithGame) || !offered) continue;
        shown.push_back(&entry);
        labelWidths.push_back(
            float(StyledTextWidth(StyleSheet::kHeadline, GetString(entry.label))));
    }
    const std::vector<Rect> places = LayOutMenuRows(labelWidths, width, height, scale);
    for (size_t i = 0; i < shown.size(); ++i) {
        auto* button = controls_->Add<GUI_TextButton>(GetString(shown[i]->label), shown[i]->action);
        button->SetTooltip(GetString(shown[i]->tooltip));
        const Rect& at = places[i];
        button->SetRect(float(at.left), float(at.top), float(at.right), float(at.bottom));
    }
    // A button that could only say that no server is set is no button.
    if (!Updater::Instance().HasServer()) return;
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
