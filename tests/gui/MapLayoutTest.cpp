// Where the map's icons go in every shipped country, at every screen size
// the game offers, for many seeds: never on each other, on a panel, a group
// label or a voter group, nor past the screen's edge; one seed one layout;
// and laying out never moves the game's random numbers. Then on the real
// screen: the pointer and a click both go to the icon drawn on top.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/GameRandom.h"
#include "gui/GUI_FinanceBox.h"
#include "gui/GUI_PolicyDetailsWindow.h"
#include "gui/GUI_PopularityBars.h"
#include "gui/GUI_WindowManager.h"
#include "gui/MainGameScreen.h"
#include "gui/icons/GUI_PolicyIcon.h"
#include "politics/PolicyGroup.h"
#include "simulation/GameOptions.h"
#include "simulation/Neuron.h"
#include "support/GuiDriver.h"

namespace {

struct Spot {
    std::string name;
    MapPoint centre;
    IconFootprint room;
};

std::vector<Spot> GroupIconSpots(MainScreenMap& map) {
    std::vector<Spot> spots;
    for (int g = 0; g < MainScreenMap::kGroupCount; ++g)
        for (const auto& icon : map.GroupGUI(g).Icons().Icons())
            spots.push_back({icon->Subject()->Name(), icon->Centre(), icon->Footprint()});
    return spots;
}

// Every way the spots break the rules, one line each.
std::vector<std::string> LayoutFaults(MainScreenMap& map, const std::vector<Rect>& panels) {
    const MapMetrics m = map.Metrics();
    std::vector<Rect> blocks = panels;
    blocks.push_back(Rect{0, 0, m.width, SimulationBarsBottom(m)});  // the value bars
    for (const auto& strip : map.Strips())
        blocks.push_back(Rect{strip->Left(), strip->Top(), strip->Right(), strip->Bottom()});
    const std::vector<Spot> spots = GroupIconSpots(map);
    std::vector<std::string> faults;
    const auto fault = [&faults](const std::string& name, const std::string& what) {
        faults.push_back(name + " " + what);
    };
    for (size_t i = 0; i < spots.size(); ++i) {
        const Spot& s = spots[i];
        const float halo = s.room.halo, body = s.room.body;
        if (s.centre.x - halo < 0.0f || s.centre.y - halo < 0.0f ||
            s.centre.x + halo > float(m.width) || s.centre.y + halo > float(m.height))
            fault(s.name, "leaves the screen");
        for (const Rect& block : blocks)
            if (DistanceToRect(block, s.centre) < halo) fault(s.name, "covers a panel");
        for (int g = 0; g < MainScreenMap::kGroupCount; ++g)
            if (DistanceToLabel(GroupLabelBox(map.GroupGUI(g).Group()->Angle(), m), s.centre) <
                body)
                fault(s.name, "covers a group label");
        for (size_t j = 0; j < i; ++j) {
            const Spot& o = spots[j];
            if (std::hypot(s.centre.x - o.centre.x, s.centre.y - o.centre.y) < body + o.room.body)
                fault(s.name, "overlaps " + o.name);
        }
    }
    return faults;
}

std::vector<std::string> ShippedCountries() {
    std::vector<std::string> missions;
    for (const auto& entry : std::filesystem::directory_iterator("data/missions")) {
        const std::string stem = entry.path().stem().string();
        if (entry.path().extension() == ".txt" && stem.rfind("mission", 0) == 0)
            missions.push_back(stem);
    }
    std::sort(missions.begin(), missions.end());
    return missions;
}

MainGameScreen* StartCountry(GuiDriver& driver, std::uint32_t seed, const std::string& mission) {
    GameOptions::Instance().Set(0.0f, GameOptions::kRestrictPower);
    driver.StartGame(seed, mission);
    GUI_WindowManager::Instance().DeleteAll();  // the opening dialog
    return dynamic_cast<MainGameScreen*>(driver.App().CurrentScreen());
}

}  // namespace

TEST(MapLayout, EveryCountryAtEverySizeAndSeedKeepsItsIconsClear) {
    GuiDriver driver(1024, 768);
    const std::vector<std::string> countries = ShippedCountries();
    ASSERT_GE(countries.size(), 6u);
    const int sizes[4][2] = {{800, 600}, {1024, 768}, {1280, 720}, {1920, 1080}};
    int faultCount = 0;
    for (const std::string& country : countries) {
        MainGameScreen* screen = StartCountry(driver, 1, country);
        ASSERT_NE(screen, nullptr);
        MainScreenMap& map = screen->Map();
        ASSERT_GT(GroupIconSpots(map).size(), 10u) << country;
        for (const auto& size : sizes) {
            const MapMetrics metrics = MapMetrics::ForScreen(size[0], size[1]);
            const std::vector<Rect> panels = screen->PanelRects(metrics);
            std::vector<Spot> first;
            for (std::uint32_t seed = 0; seed < 20; ++seed) {
                const std::uint32_t gameState = GameRandom::State();
                map.SetSurroundings(panels, seed);
                map.Synchronise(metrics);
                ASSERT_EQ(GameRandom::State(), gameState) << "placing icons drew game numbers";
                for (const std::string& f : LayoutFaults(map, panels)) {
                    if (++faultCount <= 10)
                        ADD_FAILURE() << country << " " << size[0] << "x" << size[1] << " seed "
                                      << seed << ": " << f;
                }
                if (seed == 0) first = GroupIconSpots(map);
            }
            // The first seed again: the same spots.
            map.SetSurroundings(panels, 0);
            map.Synchronise(metrics);
            const std::vector<Spot> again = GroupIconSpots(map);
            ASSERT_EQ(again.size(), first.size());
            for (size_t i = 0; i < first.size(); ++i) {
                EXPECT_FLOAT_EQ(again[i].centre.x, first[i].centre.x) << again[i].name;
                EXPECT_FLOAT_EQ(again[i].centre.y, first[i].centre.y) << again[i].name;
            }
        }
    }
    EXPECT_EQ(faultCount, 0);
}

TEST(MapLayout, OnScreenIconsStayOffThePanelsAndTheTopmostTakesPointerAndClick) {
    GuiDriver driver(1280, 720);
    MainGameScreen* screen = StartCountry(driver, 77, "mission1");
    ASSERT_NE(screen, nullptr);
    driver.MoveTo(2.0f, 2.0f);
    driver.Frames(30);
    MainScreenMap& map = screen->Map();
    const MapMetrics m = map.Metrics();
    ASSERT_EQ(m.width, 1280);
    // The panels as drawn this frame.
    std::vector<Rect> drawn{
        GUI_FinanceBox::BoxRect(1280, 720, m.scale),
        GUI_PopularityBars::BlockRect(GUI_PopularityBars::kApproval, 1280, 720, m.scale),
        GUI_PopularityBars::BlockRect(GUI_PopularityBars::kVotingIntention, 1280, 720, m.scale)};
    for (const GUI_BaseElement* panel :
         {static_cast<const GUI_BaseElement*>(screen->ControlPanel()),
          static_cast<const GUI_BaseElement*>(&screen->Timeline())})
        drawn.push_back(Rect{panel->Left(), panel->Top(), panel->Right(), panel->Bottom()});
    const std::vector<std::string> faults = LayoutFaults(map, drawn);
    EXPECT_TRUE(faults.empty()) << faults.front();

    // The same seed lays the same map out again.
    const std::vector<Spot> before = GroupIconSpots(map);
    screen = StartCountry(driver, 77, "mission1");
    driver.Frames(2);
    const std::vector<Spot> after = GroupIconSpots(screen->Map());
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_NEAR(after[i].centre.x, before[i].centre.x, 0.5f) << after[i].name;

    // Two policies pushed onto each other: the later one is drawn on top,
    // and the pointer and the click both go to it.
    std::vector<GUI_PolicyIcon*> policies;
    for (GUI_IconBase* icon : GUI_IconBase::AllIcons())
        if (auto* policy = dynamic_cast<GUI_PolicyIcon*>(icon)) policies.push_back(policy);
    ASSERT_GE(policies.size(), 2u);
    GUI_PolicyIcon* under = policies.front();
    GUI_PolicyIcon* over = policies.back();
    const MapPoint c = under->Centre();
    over->SetCentre(c.x + 16.0f * m.scale, c.y);
    driver.MoveTo(c.x + 8.0f * m.scale, c.y);
    driver.Frames(6);
    EXPECT_TRUE(over->IsHighlighted());
    EXPECT_FALSE(under->IsHighlighted());
    driver.Click(c.x + 8.0f * m.scale, c.y);
    const auto& windows = GUI_WindowManager::Instance().Windows();
    ASSERT_EQ(windows.size(), 1u);
    auto* details = dynamic_cast<GUI_PolicyDetailsWindow*>(windows.back());
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(details->GetPolicy(), over->GetPolicy());
}
