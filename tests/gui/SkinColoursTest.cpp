// A player's own skin restyles the real screens: the menus, the main screen
// and its windows draw the skin's colours, not colours of their own.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/Skin.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiScreen.h"
#include "gui/InfoWindows.h"
#include "gui/menu/GUI_MissionButton.h"
#include "gui/menu/MissionSelectionScreen.h"
#include "platform/FileSystem.h"
#include "platform/GameFolders.h"
#include "support/GuiDriver.h"
#include "support/ImageCompare.h"
#include "world/StringTable.h"

namespace {

// Colours no shipped screen uses, so each one found came from the skin.
struct Restyled {
    const char* key;
    std::uint32_t rgb;
};
constexpr Restyled kSlate{"COL_SLATE", 0x5B1775};
constexpr Restyled kPaper{"COL_PAPER", 0x11A3C9};
constexpr Restyled kAccent{"COL_ACCENT", 0xDE2163};
constexpr Restyled kMissionButton{"COL_MISSIONBUTTON", 0x3C7A14};
constexpr Restyled kGroups[7] = {
    {"COL_GROUP1", 0xC90B0D}, {"COL_GROUP2", 0x0CCA0E}, {"COL_GROUP3", 0x0F10CB},
    {"COL_GROUP4", 0xCCCD11}, {"COL_GROUP5", 0x12CECF}, {"COL_GROUP6", 0xD013D1},
    {"COL_GROUP7", 0x6E7882}};

std::string SkinLine(const Restyled& colour) {
    return std::string(colour.key) + "=" + std::to_string(colour.rgb >> 16 & 0xFF) + "," +
           std::to_string(colour.rgb >> 8 & 0xFF) + "," + std::to_string(colour.rgb & 0xFF) +
           ",255\n";
}

int Count(const platform::Image& frame, std::uint32_t rgb) {
    int count = 0;
    for (std::uint32_t pixel : frame.pixels) count += (pixel & 0xFFFFFF) == rgb;
    return count;
}

// The game folders and the skin are program-wide: put both back for the
// tests that follow.
class PlayerFolderScope {
public:
    explicit PlayerFolderScope(const std::string& user) {
        platform::SetGameFolders({"", user, true});
    }
    ~PlayerFolderScope() {
        platform::SetGameFolders({});
        Skin::Instance().Load(std::string(POLITY_SOURCE_DIR) + "/data/skins.ini");
    }
    PlayerFolderScope(const PlayerFolderScope&) = delete;
    PlayerFolderScope& operator=(const PlayerFolderScope&) = delete;
};

}  // namespace

TEST(SkinColours, APlayersSkinRestylesTheMenusTheMainScreenAndItsWindows) {
    TempDirectory home;
    // The shipped skin with the restyled keys written after it; the first
    // of a key wins, so they replace the shipped lines.
    std::string skin = "[default]\n";
    for (const Restyled& colour : {kSlate, kPaper, kAccent, kMissionButton})
        skin += SkinLine(colour);
    for (const Restyled& colour : kGroups) skin += SkinLine(colour);
    const std::string shipped =
        platform::ReadFile(std::string(POLITY_SOURCE_DIR) + "/data/skins.ini").value_or("");
    skin += shipped.substr(shipped.find("[default]") + 9);
    home.Write("player/data/skins.ini", skin);
    PlayerFolderScope scope(home.Path() + "/player");

    GuiDriver driver(1024, 768);
    const platform::Image menu = driver.Screenshot("skin_menu");
    EXPECT_TRUE(PixelNear(menu, 4, 760, kSlate.rgb, 0));
    EXPECT_TRUE(PixelNear(menu, 4, 260, kPaper.rgb, 0));
    EXPECT_GT(Count(menu, kAccent.rgb), 1024);  // the rule under the band
    for (const Restyled& group : kGroups) EXPECT_GT(Count(menu, group.rgb), 100) << group.key;

    const GUI_BaseElement* newGame = TextButton(driver.App(), "NEW_GAME");
    ASSERT_NE(newGame, nullptr);
    ClickCentre(driver, *newGame);
    auto* missions = dynamic_cast<MissionSelectionScreen*>(driver.App().CurrentScreen());
    ASSERT_NE(missions, nullptr);
    const platform::Image list = driver.Screenshot("skin_missions");
    EXPECT_GT(Count(list, kMissionButton.rgb), 1000);
    for (const Restyled& group : kGroups) EXPECT_GT(Count(list, group.rgb), 50) << group.key;
    RunFirstCountry(driver, *missions);
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);

    // The opening dialog on paper over the main screen's slate and strips.
    driver.MoveTo(2.0f, 766.0f);
    driver.Frames(10);
    const platform::Image game = driver.Screenshot("skin_main");
    EXPECT_GT(Count(game, kSlate.rgb), 1024 * 768 / 10);
    EXPECT_GT(Count(game, kPaper.rgb), 20000);
    ConfirmStartDialog();

    // The finance window: paper, its accent edge and the groups' slices.
    OpenFinances();
    driver.Frames(1);
    const platform::Image finance = driver.Screenshot("skin_finance");
    const Rect window = GUI_WindowManager::Instance().Windows().back()->GetRect();
    EXPECT_TRUE(PixelNear(finance, window.left + 2, (window.top + window.bottom) / 2,
                          kAccent.rgb, 0));
    EXPECT_GT(Count(finance, kPaper.rgb), (window.right - window.left) * 100);
    int groupsInChart = 0;
    for (const Restyled& group : kGroups) groupsInChart += Count(finance, group.rgb) > 200;
    EXPECT_GE(groupsInChart, 3);
}
