// Widget behaviour without a window: clicks, windows and their order, the
// modal holder, tooltips, tabs, sliders, check boxes and graphs.
#include <gtest/gtest.h>

#include "engine/Diagnostics.h"
#include "gui/GUISlider.h"
#include "gui/GUI_CheckBox.h"
#include "gui/GUI_CloseButton.h"
#include "gui/GUI_FloatingLayer.h"
#include "gui/GUI_Graph.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_SliderControl.h"
#include "gui/GUI_TabButton.h"
#include "gui/GUI_TabContainer.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GUI_WindowTab.h"
#include "gui/GuiInput.h"
#include "politics/SliderConfiguration.h"
#include "support/OffscreenEngine.h"

namespace {

// Every test starts with no windows, no modal dialog and the pointer at rest.
class Widgets : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        GUI_WindowManager::Instance().DeleteAll();
        GUI_ModalHolder::Instance().SetModalWindow(nullptr);
        GuiInput::Instance().Reset();
    }
    static void PointAt(float x, float y, bool down = false) {
        GuiInput& input = GuiInput::Instance();
        input.mouseX = x, input.mouseY = y, input.leftDown = down;
    }
    OffscreenEngine engine_{1024, 768, D3DEngine::Display::Null};
};

// A window that notes when it is drawn and clicked.
class NotingWindow : public GUI_Window {
public:
    NotingWindow(std::vector<std::string>* log, std::string name, bool closable = false)
        : log_(log), name_(std::move(name)), closable_(closable) {
        SetRect(100, 100, 300, 300);
    }
    void Draw() override { log_->push_back("draw " + name_); }
    bool OnClick(float x, float y) override {
        const bool taken = GUI_Window::OnClick(x, y);
        if (taken) log_->push_back("click " + name_);
        return taken;
    }
    bool IsClosable() const override { return closable_; }
    bool CloseRequested() override { return !keepOpen; }
    bool keepOpen = false;

private:
    std::vector<std::string>* log_;
    std::string name_;
    bool closable_;
};

class RecordingOwner : public GUISliderOwner {
public:
    void SliderMoved(float candidate) override { moved.push_back(candidate); }
    void SliderReleased(float value) override { released.push_back(value); }
    float SliderTarget() const override { return 0.5f; }
    float SliderCurrent() const override { return 0.5f; }
    std::vector<float> moved, released;
};

}  // namespace

TEST_F(Widgets, ButtonClicksMissTheFarEdgesAndDisabledButtons) {
    int runs = 0;
    GUI_Button button([&] { ++runs; });
    button.SetRect(10, 20, 110, 60);
    const int clicksBefore = GUI_ModalHolder::Instance().ClicksPlayed();
    EXPECT_TRUE(button.OnClick(10, 20));  // top-left corner is inside
    EXPECT_TRUE(button.OnClick(109.9f, 59.9f));
    EXPECT_FALSE(button.OnClick(110, 40));  // right edge
    EXPECT_FALSE(button.OnClick(50, 60));   // bottom edge
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(GUI_ModalHolder::Instance().ClicksPlayed(), clicksBefore + 2);
    button.SetEnabled(false);
    EXPECT_FALSE(button.OnClick(50, 40));
    EXPECT_EQ(runs, 2);
    // A non-positive size is refused and reported; the rectangle stays whole.
    const int failures = FailedAssertionCount();
    button.SetSize(0, 10);
    EXPECT_EQ(FailedAssertionCount(), failures + 1);
    EXPECT_EQ(button.Width(), 100);
    button.SetSize(40, 30);
    EXPECT_EQ(button.Right(), 50);
    EXPECT_EQ(button.Bottom(), 50);
}

TEST_F(Widgets, WindowsSwallowClicksAndStackInRegistrationOrder) {
    std::vector<std::string> log;
    GUI_WindowManager& manager = GUI_WindowManager::Instance();
    auto* lower = manager.Open(std::make_unique<NotingWindow>(&log, "lower"));
    auto* upper = manager.Open(std::make_unique<NotingWindow>(&log, "upper"));
    int pressed = 0;
    lower->Add<GUI_Button>([&] { ++pressed; })->SetRect(100, 100, 150, 150);

    // Both cover (120, 120): the window registered last takes it, even where
    // none of its own buttons is hit, and the one below never hears of it.
    EXPECT_TRUE(manager.OnClick(120, 120));
    EXPECT_EQ(log, (std::vector<std::string>{"click upper"}));
    EXPECT_EQ(pressed, 0);
    log.clear();
    manager.DrawAll();
    EXPECT_EQ(log, (std::vector<std::string>{"draw lower", "draw upper"}));

    // Hidden, the upper window lets the click through to the button below.
    upper->SetVisible(false);
    log.clear();
    EXPECT_TRUE(manager.OnClick(120, 120));
    EXPECT_EQ(pressed, 1);
    EXPECT_FALSE(manager.OnClick(500, 500));
}

TEST_F(Widgets, ClosingWindowsFromTheirButtonsAndFromTheTop) {
    std::vector<std::string> log;
    GUI_WindowManager& manager = GUI_WindowManager::Instance();
    auto* dialog = manager.Open(std::make_unique<NotingWindow>(&log, "dialog", true));
    dialog->Add<GUI_CloseButton>()->SetRect(270, 100, 300, 130);
    auto* fixed = manager.Open(std::make_unique<NotingWindow>(&log, "fixed"));
    fixed->SetRect(400, 400, 500, 500);

    // The close cross deletes its own window once the click is over.
    EXPECT_TRUE(manager.OnClick(280, 110));
    EXPECT_FALSE(manager.IsOpen(dialog));
    EXPECT_TRUE(manager.IsOpen(fixed));
    EXPECT_FALSE(manager.AnyClosable());

    // CloseTopmost passes over windows that cannot be closed, and leaves a
    // closable one that refuses (the manifesto choice) where it is.
    auto* stubborn = manager.Open(std::make_unique<NotingWindow>(&log, "stubborn", true));
    stubborn->keepOpen = true;
    manager.Open(std::make_unique<NotingWindow>(&log, "top"));
    manager.CloseTopmost();
    EXPECT_TRUE(manager.IsOpen(stubborn));
    stubborn->keepOpen = false;
    manager.CloseTopmost();
    EXPECT_FALSE(manager.IsOpen(stubborn));
    EXPECT_EQ(manager.Windows().size(), 2u);
    manager.DeleteAll();
    EXPECT_TRUE(manager.Windows().empty());
}

TEST_F(Widgets, ModalWindowTakesEveryClickUntilItCloses) {
    std::vector<std::string> log;
    GUI_WindowManager& manager = GUI_WindowManager::Instance();
    manager.Open(std::make_unique<NotingWindow>(&log, "below"));
    auto* modal = manager.Open(std::make_unique<NotingWindow>(&log, "modal", true));
    modal->SetRect(600, 600, 700, 700);
    GUI_ModalHolder& holder = GUI_ModalHolder::Instance();
    holder.SetModalWindow(modal);

    // Even a click on another window goes to the modal one (which ignores
    // clicks outside itself).
    EXPECT_TRUE(holder.RouteClick(120, 120));
    EXPECT_TRUE(holder.RouteClick(650, 650));
    EXPECT_EQ(log, (std::vector<std::string>{"click modal"}));

    // Deleting the window releases the holder, so play is not stuck.
    manager.Close(modal);
    manager.DeletePending();
    EXPECT_FALSE(holder.HasModalWindow());
    EXPECT_FALSE(holder.RouteClick(120, 120));
}

TEST_F(Widgets, TooltipsOpenAwayFromTheScreenEdgesAndFadeAfterThePointerLeaves) {
    // Room to the right and below: beside the pointer.
    TooltipPosition at = PlaceTooltipAtMouse(100, 100, 200, 40, 1024, 768);
    EXPECT_EQ(at.x, 130);
    EXPECT_EQ(at.y, 100);
    // Near the bottom-right corner: to the left of and above the pointer.
    at = PlaceTooltipAtMouse(1000, 750, 200, 40, 1024, 768);
    EXPECT_EQ(at.x, 800);
    EXPECT_EQ(at.y, 710);
    // Bigger than the room on the left: pinned to the edge, never negative.
    at = PlaceTooltipAtMouse(100, 20, 1000, 40, 1024, 50);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);

    GUI_Button button;
    button.SetRect(200, 200, 260, 240);
    button.SetTooltip("Ends the turn", 20);
    GUI_Tooltip* tip = button.Tooltip();
    ASSERT_NE(tip, nullptr);
    EXPECT_GT(tip->Width(), 6);
    EXPECT_LE(tip->Width(), GUI_Tooltip::kMaxWidth);

    GuiInput& input = GuiInput::Instance();
    PointAt(220, 220);
    input.stillFrames = 20;  // not yet longer than the delay
    button.Update();
    button.Draw();
    GUI_FloatingLayer::Instance().DrawAll();
    EXPECT_FALSE(tip->IsShowing());
    EXPECT_EQ(button.GetState(), GUI_Button::kHighlighted);

    input.stillFrames = 21;
    button.Update();
    button.Draw();
    GUI_FloatingLayer::Instance().DrawAll();
    EXPECT_TRUE(tip->IsShowing());
    EXPECT_EQ(tip->Left(), 250);

    // The pointer leaves: half faded in the next frame, gone in the one after.
    PointAt(10, 10);
    for (float expected : {0.5f, 0.0f}) {
        button.Update();
        button.Draw();
        GUI_FloatingLayer::Instance().DrawAll();
        EXPECT_FLOAT_EQ(tip->DisplayedAlpha(), expected);
    }
    EXPECT_EQ(button.GetState(), GUI_Button::kNormal);
}

TEST_F(Widgets, TabButtonsShowOneTabAndClicksReachOnlyIt) {
    GUI_TabContainer tabs;
    tabs.SetRect(100, 140, 500, 400);
    GUI_WindowTab* first = tabs.AddTab(std::make_unique<GUI_WindowTab>());
    GUI_WindowTab* second = tabs.AddTab(std::make_unique<GUI_WindowTab>());
    EXPECT_EQ(second->Index(), 1);
    EXPECT_EQ(second->Right(), 500);
    tabs.Add<GUI_TabButton>("First", first)->SetRect(100, 100, 200, 140);
    tabs.Add<GUI_TabButton>("Second", second)->SetRect(200, 100, 300, 140);
    int firstPresses = 0, secondPresses = 0;
    first->Add<GUI_Button>([&] { ++firstPresses; })->SetRect(120, 160, 180, 200);
    second->Add<GUI_Button>([&] { ++secondPresses; })->SetRect(120, 160, 180, 200);
    tabs.SelectIndex(0);

    EXPECT_TRUE(tabs.OnClick(150, 180));
    EXPECT_EQ(firstPresses, 1);
    EXPECT_TRUE(tabs.OnClick(250, 120));  // the second tab's button
    EXPECT_TRUE(second->IsShown());
    EXPECT_FALSE(first->IsShown());
    EXPECT_TRUE(tabs.OnClick(150, 180));
    EXPECT_EQ(secondPresses, 1);
    EXPECT_EQ(firstPresses, 1);

    // The tab buttons sit outside the pages but still belong to the container.
    EXPECT_TRUE(tabs.Contains(250, 120));
    EXPECT_FALSE(tabs.Contains(350, 120));
    PointAt(0, 0);
    tabs.Buttons()[1]->Update();
    EXPECT_EQ(tabs.Buttons()[1]->GetState(), GUI_Button::kSelected);

    const int failures = FailedAssertionCount();
    tabs.Select(nullptr);
    EXPECT_EQ(FailedAssertionCount(), failures + 1);
    EXPECT_TRUE(second->IsShown());
}

TEST_F(Widgets, PolicySliderDragsSnapsAndSweepsWithArrowKeys) {
    const SliderConfiguration fiveSteps("five", 5, {});
    RecordingOwner owner;
    GUISlider slider(&fiveSteps, &owner);
    slider.SetPosition(100, 50, 200);
    slider.SetValue(0.5f);
    EXPECT_EQ(slider.Knob().left, 193);
    EXPECT_EQ(slider.Track().top, 58);

    GuiInput& input = GuiInput::Instance();
    input.nowMilliseconds = 1000;
    PointAt(200, 60, true);  // on the knob
    slider.Update();
    EXPECT_TRUE(slider.IsDragging());
    PointAt(176, 60, true);  // 0.38 snaps to the 0.5 step: no change
    slider.Update();
    EXPECT_TRUE(owner.moved.empty());
    PointAt(160, 60, true);  // 0.3 snaps to 0.25
    slider.Update();
    EXPECT_FLOAT_EQ(slider.Value(), 0.25f);
    ASSERT_EQ(owner.moved.size(), 1u);
    EXPECT_FLOAT_EQ(owner.moved[0], 0.3f);
    PointAt(-50, 60, true);  // past the left end: clamped to 0
    slider.Update();
    EXPECT_FLOAT_EQ(slider.Value(), 0.0f);
    PointAt(-50, 60, false);
    slider.Update();
    EXPECT_FALSE(slider.IsDragging());
    EXPECT_EQ(owner.released, (std::vector<float>{0.0f}));

    // Held right arrow: 0.01 per 12 ms, so 600 ms carry it half the way.
    input.keys[GuiInput::kRightArrow] = true;
    input.nowMilliseconds += 600;
    slider.Update();
    EXPECT_FLOAT_EQ(slider.Value(), 0.5f);
    input.nowMilliseconds += 1200;
    slider.Update();
    EXPECT_FLOAT_EQ(slider.Value(), 1.0f);

    // One step: a single tick and no division by zero.
    const SliderConfiguration oneStep("one", 1, {});
    GUISlider single(&oneStep, nullptr);
    single.SetPosition(0, 0, 100);
    EXPECT_EQ(single.TickCentres(), (std::vector<float>{2.0f}));
    EXPECT_EQ(slider.TickCentres().back(), 298.0f);
}

TEST_F(Widgets, SliderControlFollowsAClickOnItsTrackAndCheckBoxesToggleOnTheirBox) {
    EXPECT_FLOAT_EQ(SliderValueAt(150, 100, 300), 0.25f);
    EXPECT_FLOAT_EQ(SliderValueAt(20, 100, 300), 0.0f);
    EXPECT_FLOAT_EQ(SliderValueAt(900, 100, 300), 1.0f);

    float volume = 0.0f;
    int changes = 0;
    GUI_SliderControl control(&volume, "Music Volume", [&](float) { ++changes; });
    control.SetRect(100, 100, 300, 122);
    PointAt(250, 111, true);
    control.Update();
    EXPECT_FLOAT_EQ(volume, 0.75f);
    PointAt(350, 111, true);  // dragged past the end
    control.Update();
    EXPECT_FLOAT_EQ(volume, 1.0f);
    PointAt(350, 111, false);
    control.Update();
    PointAt(150, 111, false);
    control.Update();
    EXPECT_FLOAT_EQ(volume, 1.0f);  // no longer dragging
    EXPECT_EQ(changes, 2);

    int toggles = 0;
    GUI_CheckBox box("Show flags", [&] { ++toggles; });
    box.SetRect(100, 100, 356, 132);
    EXPECT_FALSE(box.OnClick(200, 110));  // the label is not a target
    EXPECT_TRUE(box.OnClick(110, 110));
    EXPECT_TRUE(box.IsChecked());
    EXPECT_TRUE(box.OnClick(110, 110));
    EXPECT_FALSE(box.IsChecked());
    EXPECT_EQ(toggles, 2);
}

TEST_F(Widgets, GraphGridOvershootsByOneLineAndCurveIsClamped) {
    const Rect rect{10, 105, 60, 200};  // 95 high, 50 wide
    const std::vector<int> rows = GUI_Graph::HorizontalGridLines(rect);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows.front(), 200);
    EXPECT_EQ(rows[9], 110);
    EXPECT_EQ(rows.back(), 100);  // 5 pixels above the top edge
    const std::vector<int> columns = GUI_Graph::VerticalGridLines(rect);
    EXPECT_EQ(columns, (std::vector<int>{10, 20, 30, 40, 50, 60}));

    std::array<float, GUI_Graph::kPoints> history{};
    history[0] = 1.3f;
    history[21] = -0.2f;
    history[1] = 0.5f;
    const auto points = GUI_Graph::CurvePoints(rect, history);
    EXPECT_FLOAT_EQ(points[0], 60.0f);   // newest at the right edge
    EXPECT_FLOAT_EQ(points[1], 105.0f);  // 1.3 drawn at the top
    EXPECT_FLOAT_EQ(points[3], 152.5f);
    EXPECT_FLOAT_EQ(points[42], 10.0f);
    EXPECT_FLOAT_EQ(points[43], 200.0f);

    GUI_Graph graph;
    const int failures = FailedAssertionCount();
    graph.SetNeuron(nullptr);
    EXPECT_EQ(FailedAssertionCount(), failures + 1);
}
