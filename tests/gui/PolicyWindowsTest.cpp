// The policy windows on a seeded first country, driven through scripted
// input: introducing from the picker, the slider reaching the policy and the
// player's record, cancelling, the political capital under restricted
// powers, and golden pictures of the three windows.
#include <gtest/gtest.h>

#include <string>

#include "aids/InterfacePermissions.h"
#include "core/GameRandom.h"
#include "engine/Diagnostics.h"
#include "gui/GUI_IntroducePolicyWindow.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_NewPolicyWindow.h"
#include "gui/GUI_PolicyCategoryButton.h"
#include "gui/GUI_PolicyDetailsWindow.h"
#include "gui/GUI_PolicyList.h"
#include "gui/GUI_RestrictPowersWindow.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiInput.h"
#include "gui/GuiScreen.h"
#include "gui/PolicyWindows.h"
#include "politics/Policy.h"
#include "politics/PoliticalCapital.h"
#include "simulation/GameOptions.h"
#include "simulation/SliderInput.h"
#include "support/GuiDriver.h"
#include "support/ImageCompare.h"
#include "world/Gameplaymanager.h"
#include "world/StringTable.h"

namespace {

constexpr std::uint32_t kSeed = 20240601;

// A seeded first country with nothing open and the given political capital.
bool StartGame(GuiDriver& driver, bool restricted, int capital) {
    GameOptions::Instance().Set(restricted ? 1.0f : 0.0f, GameOptions::kRestrictPower);
    driver.StartGame(kSeed);
    driver.MoveTo(2.0f, float(ScreenHeight()) - 2.0f);
    driver.Frames(30);
    GUI_WindowManager::Instance().DeleteAll();
    PoliticalCapital::Instance().Set(capital, capital);
    ResetDiagnosticsCounters();  // what earlier tests reported is theirs
    return Gameplaymanager::Instance().TurnNumber() == 1;
}

void ClickOn(GuiDriver& driver, const GUI_BaseElement* element) {
    ASSERT_NE(element, nullptr);
    driver.Click(float(element->Left() + element->Right()) / 2.0f,
                 float(element->Top() + element->Bottom()) / 2.0f);
}

Policy& Named(const char* name) {
    Policy* policy = Policy::FindPolicy(name);
    EXPECT_NE(policy, nullptr) << name;
    return *policy;
}

GUI_RestrictPowersWindow* Dialog() {
    return dynamic_cast<GUI_RestrictPowersWindow*>(GUI_ModalHolder::Instance().ModalWindow());
}

std::string Script(const GuiDriver& driver) {
    return driver.Folder().Read("data/script.mil");
}

// Presses on the knob, drags it to `value` along the track and lets go.
void DragSlider(GuiDriver& driver, GUISlider& slider, float value) {
    driver.Frames(1);  // the knob stands where the policy is now
    const Rect knob = slider.Knob();
    driver.MoveTo(float(knob.left + knob.right) / 2.0f, float(knob.top + knob.bottom) / 2.0f);
    driver.PressLeft();
    const Rect& track = slider.Track();
    driver.MoveTo(float(track.left) + value * float(track.right - track.left),
                  float(track.top + 3));
    driver.ReleaseLeft();
}

// Scrolls the list until the policy's row shows, then clicks it.
void PickFromList(GuiDriver& driver, GUI_PolicyList& list, const Policy& policy) {
    int index = -1;
    for (size_t i = 0; i < list.Policies().size(); ++i)
        if (list.Policies()[i] == &policy) index = int(i);
    ASSERT_GE(index, 0);
    while (index >= list.FirstRow() + GUI_PolicyList::kVisibleRows) {
        const Rect track = list.ScrollTrack(), thumb = list.ScrollThumb();
        driver.Click(float(track.left + 2), float(thumb.bottom + track.bottom) / 2.0f);
    }
    const Rect row = list.RowRect(index);
    driver.Click(float(row.left + 20), float(row.top + row.bottom) / 2.0f);
}

// Ends the turn as the next-turn command does, clicks past the loading
// screen and closes what the turn opened, keeping a policy's details.
void PlayTurn(GuiDriver& driver) {
    CloseTurnPolicyWindows();
    Gameplaymanager::Instance().NewTurn();
    driver.Click(2.0f, float(ScreenHeight()) - 2.0f);
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    for (GUI_Window* window : std::vector<GUI_Window*>(windows.Windows()))
        if (!dynamic_cast<GUI_PolicyDetailsWindow*>(window)) windows.Close(window);
    windows.DeletePending();
    driver.Frames(1);
}

platform::Image Crop(const platform::Image& frame, const Rect& rect) {
    platform::Image part(rect.right - rect.left, rect.bottom - rect.top);
    for (int y = 0; y < part.height; ++y)
        for (int x = 0; x < part.width; ++x) part.At(x, y) = frame.At(rect.left + x, rect.top + y);
    return part;
}

std::string Golden(const std::string& name) {
    return std::string(POLITY_SOURCE_DIR) + "/tests/gui/golden/" + name + ".png";
}

// Puts back what the tests change of the program-wide settings.
class PolicyWindowsFixture : public ::testing::Test {
protected:
    void TearDown() override {
        GameOptions::Instance().Set(GameOptions::Default(GameOptions::kRestrictPower),
                                    GameOptions::kRestrictPower);
        InterfacePermissions::Instance().RestoreAll();
    }
};

}  // namespace

class PolicyWindows : public PolicyWindowsFixture {};
class PolicyDetails : public PolicyWindowsFixture {};

TEST_F(PolicyWindows, PickerIntroducesAPolicyThatPhasesInFromTheNextTurn) {
    GuiDriver driver(1024, 768);
    ASSERT_TRUE(StartGame(driver, true, 2));
    OpenNewPolicyPicker();
    GUI_NewPolicyWindow* picker = FindNewPolicyPicker();
    ASSERT_NE(picker, nullptr);
    OpenNewPolicyPicker();  // a second request opens no second picker
    EXPECT_EQ(GUI_WindowManager::Instance().Windows().size(), 1u);

    // The law-and-order list holds the group's policies, new ones first,
    // and the last new one lies below the fold.
    ClickOn(driver, picker->CategoryButton(5));
    EXPECT_EQ(picker->SelectedGroup(), 5);
    GUI_PolicyList& list = picker->List();
    ASSERT_TRUE(list.HasScrollBar());
    const auto& listed = list.Policies();
    EXPECT_FALSE(listed.front()->IsInForce());
    EXPECT_TRUE(listed.back()->IsInForce());
    Policy* chosen = nullptr;
    for (Policy* policy : listed)
        if (!policy->IsInForce()) chosen = policy;
    ASSERT_NE(chosen, nullptr);

    // A walk-through that holds the player back lets a click only sound.
    InterfacePermissions::Instance().SetEnabled(InterfacePermissions::kFurther5, false);
    PickFromList(driver, list, *chosen);
    EXPECT_EQ(FindIntroducePolicy(), nullptr);
    InterfacePermissions::Instance().RestoreAll();
    PickFromList(driver, list, *chosen);
    GUI_IntroducePolicyWindow* introduce = FindIntroducePolicy();
    ASSERT_NE(introduce, nullptr);
    EXPECT_EQ(introduce->GetPolicy(), chosen);
    EXPECT_GE(introduce->Height(), 180);
    ClickOn(driver, introduce->ImplementButton());

    EXPECT_TRUE(chosen->IsInForce());
    EXPECT_FLOAT_EQ(chosen->Implementation(), 0.0f);
    EXPECT_EQ(PoliticalCapital::Instance().Left(), 1);
    EXPECT_NE(Script(driver).find("NEWPOLICY," + chosen->Name() + "\n"), std::string::npos);
    EXPECT_EQ(FindIntroducePolicy(), nullptr);
    EXPECT_EQ(list.Policies().back(), chosen);  // now listed among those in force

    // The turn closes the picker and phases the policy in.
    CloseTurnPolicyWindows();
    EXPECT_EQ(FindNewPolicyPicker(), nullptr);
    PlayTurn(driver);
    EXPECT_GT(chosen->Implementation(), 0.0f);
    EXPECT_EQ(FailedAssertionCount(), 0);
}

TEST_F(PolicyWindows, UsedUpCapitalBlocksThePickerAndTheIntroduction) {
    GuiDriver driver(1024, 768);
    ASSERT_TRUE(StartGame(driver, true, 0));
    OpenNewPolicyPicker();
    EXPECT_EQ(FindNewPolicyPicker(), nullptr);
    GUI_RestrictPowersWindow* blocked = Dialog();
    ASSERT_NE(blocked, nullptr);
    EXPECT_FALSE(blocked->IsConfirmation());
    EXPECT_EQ(blocked->Title(), GetString("GUI_RESTRICT_POWERS_BLOCKED"));
    // The dialog is as tall as its words and its button, no taller: the
    // button sits under the text, and the paper ends under the button.
    driver.Screenshot("restrictpowers_blocked_1024x768");
    EXPECT_LT(blocked->Height(), 200);
    EXPECT_LE(blocked->Bottom() - blocked->OkButton()->Bottom(), 21);
    ClickOn(driver, blocked->OkButton());
    EXPECT_FALSE(GUI_ModalHolder::Instance().HasModalWindow());
    EXPECT_TRUE(GUI_WindowManager::Instance().Windows().empty());

    // The last point goes on one policy; the next introduction is blocked.
    PoliticalCapital::Instance().Set(2, 1);
    OpenNewPolicyPicker();
    ASSERT_NE(FindNewPolicyPicker(), nullptr);
    const std::vector<Policy*> fresh = GUI_NewPolicyWindow::GroupPolicies(1);
    ASSERT_GE(fresh.size(), 2u);
    ASSERT_FALSE(fresh[1]->IsInForce());
    OpenIntroducePolicy(*fresh[0]);
    FindIntroducePolicy()->Implement();
    OpenIntroducePolicy(*fresh[1]);
    FindIntroducePolicy()->Implement();
    driver.Frames(1);
    EXPECT_TRUE(fresh[0]->IsInForce());
    EXPECT_FALSE(fresh[1]->IsInForce());
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_FALSE(Dialog()->IsConfirmation());

    // Without restricted powers nothing is blocked.
    GUI_WindowManager::Instance().DeleteAll();
    GameOptions::Instance().Set(0.0f, GameOptions::kRestrictPower);
    OpenNewPolicyPicker();
    EXPECT_NE(FindNewPolicyPicker(), nullptr);
    EXPECT_FALSE(GUI_ModalHolder::Instance().HasModalWindow());
}

TEST_F(PolicyDetails, ADroppedSliderReachesThePolicyAndThePlayersRecord) {
    GuiDriver driver(1024, 768);
    ASSERT_TRUE(StartGame(driver, false, 2));
    Policy& police = Named("PoliceForce");
    OpenPolicyDetails(police);
    GUI_PolicyDetailsWindow* window = FindPolicyDetails();
    ASSERT_NE(window, nullptr);
    GUISlider& slider = window->Slider();
    // Placed as the design fixes it: 300 wide, centred, 70 above the bottom.
    EXPECT_EQ(slider.Track().right - slider.Track().left, 300);
    EXPECT_EQ(slider.Track().left, (window->Left() + window->Right()) / 2 - 150);
    EXPECT_EQ(slider.Track().top, window->Bottom() - 70 + 8);

    DragSlider(driver, slider, 0.75f);
    const float expected = slider.Snap(0.75f);
    EXPECT_FLOAT_EQ(police.Slider(), expected);
    EXPECT_FLOAT_EQ(police.Input()->Value(), expected);
    EXPECT_NE(Script(driver).find("ADJSLIDER,PoliceForce,0.750000\n"), std::string::npos);
    // The cost line previews the new setting.
    EXPECT_TRUE(window->ShowsCostLine());
    EXPECT_FALSE(window->ShowsIncomeLine());

    // Without restricted powers the cross closes at once, change kept.
    ClickOn(driver, window->CloseButton());
    EXPECT_EQ(FindPolicyDetails(), nullptr);
    EXPECT_FALSE(GUI_ModalHolder::Instance().HasModalWindow());
    EXPECT_FLOAT_EQ(police.Slider(), expected);

    // A new game takes an open window with the old game's policies.
    OpenPolicyDetails(police);
    Gameplaymanager::Instance().StartGame("mission1");
    EXPECT_EQ(FindPolicyDetails(), nullptr);
}

TEST_F(PolicyDetails, RestrictedPowersAskForCapitalOrUndoTheChange) {
    GuiDriver driver(1024, 768);
    ASSERT_TRUE(StartGame(driver, true, 2));
    Policy& police = Named("PoliceForce");
    OpenPolicyDetails(police);
    GUI_PolicyDetailsWindow* window = FindPolicyDetails();
    ASSERT_NE(window, nullptr);
    // Unchanged, it closes without a question.
    ClickOn(driver, window->CloseButton());
    EXPECT_EQ(FindPolicyDetails(), nullptr);
    EXPECT_EQ(PoliticalCapital::Instance().Left(), 2);

    OpenPolicyDetails(police);
    window = FindPolicyDetails();
    DragSlider(driver, window->Slider(), 1.0f);
    driver.Key(1);  // Escape takes the close path too
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_TRUE(Dialog()->IsConfirmation());
    // While the question waits the slider takes no drag.
    DragSlider(driver, window->Slider(), 0.0f);
    EXPECT_FLOAT_EQ(police.Slider(), 1.0f);
    ClickOn(driver, Dialog()->CancelButton());
    EXPECT_EQ(FindPolicyDetails(), window);
    EXPECT_EQ(PoliticalCapital::Instance().Left(), 2);
    ClickOn(driver, window->CloseButton());
    ClickOn(driver, Dialog()->OkButton());
    EXPECT_EQ(FindPolicyDetails(), nullptr);
    EXPECT_EQ(PoliticalCapital::Instance().Left(), 1);
    EXPECT_FLOAT_EQ(police.Slider(), 1.0f);

    // With nothing left the slider goes back and the blocked notice opens.
    PoliticalCapital::Instance().Set(2, 0);
    OpenPolicyDetails(police);
    window = FindPolicyDetails();
    DragSlider(driver, window->Slider(), 0.0f);
    EXPECT_FLOAT_EQ(police.Slider(), 0.0f);
    ClickOn(driver, window->CloseButton());
    EXPECT_FLOAT_EQ(police.Slider(), 1.0f);
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_FALSE(Dialog()->IsConfirmation());
    ClickOn(driver, Dialog()->OkButton());
    ClickOn(driver, window->CloseButton());
    EXPECT_EQ(FindPolicyDetails(), nullptr);

    // The window stays open over a turn. A change still open is undone the
    // same way when there is no capital to pay for it, recorded before the
    // turn; with capital it is paid for and stands.
    OpenPolicyDetails(police);
    window = FindPolicyDetails();
    DragSlider(driver, window->Slider(), 0.0f);
    PlayTurn(driver);
    ASSERT_EQ(FindPolicyDetails(), window);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 2);
    EXPECT_FLOAT_EQ(police.Slider(), 1.0f);
    EXPECT_NE(Script(driver).find("ADJSLIDER,PoliceForce,1.000000\nNEXTTURN"), std::string::npos);
    const int refilled = PoliticalCapital::Instance().Left();
    ASSERT_GT(refilled, 0);
    DragSlider(driver, window->Slider(), 0.0f);
    CloseTurnPolicyWindows();
    EXPECT_EQ(PoliticalCapital::Instance().Left(), refilled - 1);
    EXPECT_FLOAT_EQ(police.Slider(), 0.0f);
    EXPECT_FALSE(window->HasChange());
}

TEST_F(PolicyDetails, HeldArrowKeysSweepTheSliderInAboutASecondAtAnyFrameRate) {
    GuiDriver driver(1024, 768);
    ASSERT_TRUE(StartGame(driver, false, 2));
    Policy& police = Named("PoliceForce");  // five steps
    OpenPolicyDetails(police);
    GUI_PolicyDetailsWindow* window = FindPolicyDetails();
    ASSERT_NE(window, nullptr);
    GUISlider& slider = window->Slider();
    for (const double frame : {16.7, 33.0}) {
        SCOPED_TRACE(frame);
        driver.PaceFrames(frame);
        driver.HoldKey(GuiInput::kLeftArrow);
        driver.Frames(int(1500.0 / frame));
        driver.ReleaseKey(GuiInput::kLeftArrow);
        ASSERT_FLOAT_EQ(slider.Value(), 0.0f);

        // Right across: every step in turn, the far end after about 1.2 s.
        driver.HoldKey(GuiInput::kRightArrow);
        double held = frame;
        std::vector<float> steps{slider.Value()};
        while (slider.Value() < 1.0f && held < 3000.0) {
            driver.Frames(1);
            held += frame;
            if (slider.Value() != steps.back()) steps.push_back(slider.Value());
        }
        driver.ReleaseKey(GuiInput::kRightArrow);
        EXPECT_EQ(steps, (std::vector<float>{0.0f, 0.25f, 0.5f, 0.75f, 1.0f}));
        EXPECT_GE(held, 950.0);
        EXPECT_LE(held, 1250.0);
        // Each step reached the policy as it was taken.
        EXPECT_FLOAT_EQ(police.Slider(), 1.0f);
        EXPECT_NE(Script(driver).find("ADJSLIDER,PoliceForce,0.250000\n"), std::string::npos);
    }
    driver.PaceFrames(0.0);
}

TEST_F(PolicyDetails, CancelIsOfferedOnlyWhereAllowedAndTakesEffectOnClosing) {
    GuiDriver driver(1024, 768);
    ASSERT_TRUE(StartGame(driver, false, 2));
    // A mandatory tax: no cancel, no cost line, an income line, fully in
    // force so no bar; its change takes its implementation time in months.
    Policy& income = Named("IncomeTax");
    OpenPolicyDetails(income);
    GUI_PolicyDetailsWindow* window = FindPolicyDetails();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->CancelButton(), nullptr);
    EXPECT_FALSE(window->ShowsCostLine());
    EXPECT_TRUE(window->ShowsIncomeLine());
    EXPECT_FALSE(window->ShowsImplementationBar());
    EXPECT_EQ(window->PolicyChangeText(),
              FormatString("POLICY_CHANGE",
                           "MONTHS=" + std::to_string(income.ImplementationTime() * 3) + ","));
    // Opening another policy replaces the window.
    Policy& police = Named("PoliceForce");
    OpenPolicyDetails(police);
    driver.Frames(1);
    window = FindPolicyDetails();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetPolicy(), &police);
    EXPECT_EQ(GUI_WindowManager::Instance().Windows().size(), 1u);
    ASSERT_NE(window->CancelButton(), nullptr);
    EXPECT_EQ(window->CancelButton()->Tooltip()->Text(), GetString("TOOLTIP_CANCELPOLICY"));
    ClickOn(driver, window->CancelButton());
    EXPECT_FALSE(police.IsInForce());
    EXPECT_EQ(FindPolicyDetails(), nullptr);
    EXPECT_NE(Script(driver).find("CANCELPOLICY,PoliceForce\n"), std::string::npos);

    // Under restricted powers a cancel costs a point once confirmed; a
    // freshly introduced policy shows its implementation bar.
    GameOptions::Instance().Set(1.0f, GameOptions::kRestrictPower);
    police.Introduce();
    PoliticalCapital::Instance().Set(2, 2);
    OpenPolicyDetails(police);
    window = FindPolicyDetails();
    EXPECT_TRUE(window->ShowsImplementationBar());
    ClickOn(driver, window->CancelButton());
    EXPECT_TRUE(police.IsInForce());
    ClickOn(driver, Dialog()->OkButton());
    EXPECT_FALSE(police.IsInForce());
    EXPECT_EQ(PoliticalCapital::Instance().Left(), 1);

    // A policy scrapped elsewhere takes its window with it.
    Policy& sales = Named("SalesTax");
    OpenPolicyDetails(sales);
    sales.Cancel();
    driver.Frames(2);
    EXPECT_EQ(FindPolicyDetails(), nullptr);
    EXPECT_EQ(FailedAssertionCount(), 0);
}

TEST_F(PolicyWindows, MatchTheirGoldenPicturesAndFitEveryScreen) {
    {
        GuiDriver driver(1024, 768);
        ASSERT_TRUE(StartGame(driver, true, 2));
        OpenPolicyDetails(Named("PoliceForce"));
        GUI_PolicyDetailsWindow* details = FindPolicyDetails();
        platform::Image frame = driver.Screenshot("policy_details_1024x768");
        EXPECT_TRUE(MatchesGolden(Crop(frame, details->GetRect()), Golden("policy_details")));
        ClickOn(driver, details->Tabs().Buttons()[1].get());
        driver.MoveTo(2.0f, 766.0f);
        driver.Screenshot("policy_effects_1024x768");
        GUI_WindowManager::Instance().DeleteAll();

        OpenNewPolicyPicker();
        GUI_NewPolicyWindow* picker = FindNewPolicyPicker();
        picker->SelectGroup(4);
        // The wheel over the list scrolls it down to those in force, a row a
        // notch and no further than the end.
        const GUI_PolicyList& list = picker->List();
        driver.MoveTo(float(list.Left() + 10), float(list.Top() + 10));
        driver.Wheel(-1);
        EXPECT_EQ(list.FirstRow(), 1);
        driver.Wheel(-50);
        EXPECT_EQ(list.FirstRow(), list.MaxFirstRow());
        driver.MoveTo(2.0f, 766.0f);
        frame = driver.Screenshot("policy_picker_1024x768");
        EXPECT_TRUE(MatchesGolden(Crop(frame, picker->GetRect()), Golden("policy_picker")));
        OpenIntroducePolicy(*GUI_NewPolicyWindow::GroupPolicies(4).front());
        frame = driver.Screenshot("policy_introduce_1024x768");
        EXPECT_TRUE(MatchesGolden(Crop(frame, FindIntroducePolicy()->GetRect()),
                                  Golden("policy_introduce")));
    }
    for (const auto& [width, height] : {std::pair{800, 600}, std::pair{1920, 1080}}) {
        GuiDriver driver(width, height);
        ASSERT_TRUE(StartGame(driver, true, 2));
        OpenNewPolicyPicker();
        OpenIntroducePolicy(*GUI_NewPolicyWindow::GroupPolicies(0).front());
        OpenPolicyDetails(Named("IncomeTax"));
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        driver.Screenshot("policy_windows_" + size);
        for (const GUI_Window* window : GUI_WindowManager::Instance().Windows()) {
            EXPECT_GE(window->Left(), 0) << size;
            EXPECT_GE(window->Top(), 0) << size;
            EXPECT_LE(window->Right(), width) << size;
            EXPECT_LE(window->Bottom(), height) << size;
        }
        EXPECT_EQ(GUI_WindowManager::Instance().Windows().size(), 3u);
    }
}
