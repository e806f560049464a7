// Tests of the calendar, money formatting and tax-timing cynicism.
#include <gtest/gtest.h>

#include "core/LinkedMode.h"
#include "engine/Diagnostics.h"
#include "simulation/GameOptions.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"
#include "simulation/SliderInput.h"
#include "support/TempDirectory.h"
#include "world/Calendar.h"
#include "world/Cynicism.h"
#include "world/FinanceObject.h"
#include "world/MoneyFormat.h"
#include "world/StringTable.h"
#include "support/FreshNetwork.h"

TEST(Calendar, NextMonthWrapsIntoNextYear) {
    Calendar& calendar = Calendar::Instance();
    calendar.SetDate(11, 1990);
    calendar.NextMonth();
    EXPECT_EQ(calendar.GetMonth(), 0);
    EXPECT_EQ(calendar.GetYear(), 1991);

    // A bad date is reported but kept, and rejoins the calendar next step.
    ResetDiagnosticsCounters();
    calendar.SetDate(12, 2001);
    EXPECT_EQ(FailedAssertionCount(), 1);
    EXPECT_NE(LastAssertionReport().find("filename:Calendar,"), std::string::npos);
    EXPECT_EQ(calendar.MonthName(), "");
    calendar.NextMonth();
    EXPECT_EQ(calendar.GetMonth(), 0);
    EXPECT_EQ(calendar.GetYear(), 2002);
    calendar.SetDate(0, -1);
    EXPECT_EQ(FailedAssertionCount(), 2);
    ResetDiagnosticsCounters();
}

TEST(Calendar, MonthNamesComeFromStringTable) {
    TempDirectory dir;
    dir.Write("data/strings.ini", "[strings]\nCALENDAR_0=January\n");
    StringTable::Instance().Unload();
    Calendar& calendar = Calendar::Instance();
    calendar.ReloadMonthNames();
    calendar.SetDate(0, 1990);
    EXPECT_EQ(calendar.MonthName(), "January");
    calendar.SetDate(11, 1990);
    EXPECT_EQ(calendar.MonthName(), "CALENDAR_11");
    StringTable::Instance().Unload();
}

TEST(FormatMoney, SwitchesToBillionsFromAThousandMillion) {
    Mission& mission = Mission::Instance();
    const float wealth = mission.Wealth();
    const std::string currency = mission.Currency();
    mission.SetWealth(1.0f);
    mission.SetCurrency("$");
    EXPECT_EQ(FormatMoney(1000.0f), "$ 1.00 Billion");
    EXPECT_EQ(FormatMoney(999.999f), "$ 1.00 Billion");
    EXPECT_EQ(FormatMoney(999.99f), "$ 999.99 Million");
    EXPECT_EQ(FormatMoney(-2500.0f), "$ -2.50 Billion");
    EXPECT_EQ(FormatMoney(1500.0f), "$ 1.50 Billion");
    EXPECT_EQ(FormatMoney(2500000.0f), "$ 2,500.00 Billion");
    // Never a second comma (the last digits are float noise at this size).
    const std::string huge = FormatMoney(1.0e9f);
    EXPECT_EQ(huge.rfind("$ 1000,000.", 0), 0u) << huge;

    mission.SetWealth(wealth);
    mission.SetCurrency(currency);
}

TEST(FormatMoney, ShowsTheWealthFactorOnlyOnce) {
    // A cost is scaled by the country's wealth where it is made; the display
    // must show that amount as it is, not scaled a second time.
    Mission& mission = Mission::Instance();
    GameOptions& options = GameOptions::Instance();
    const float wealth = mission.Wealth();
    const std::string currency = mission.Currency();
    const float difficulty = options.Get(GameOptions::kDifficulty);
    options.Set(0.5f, GameOptions::kDifficulty);
    mission.SetCurrency("$");
    FinanceObject schools;
    schools.SetCosts(300.0f, 300.0f);
    mission.SetWealth(2.0f);
    EXPECT_EQ(FormatMoney(schools.GetCost(0.5f)), "$ 600.00 Million");
    mission.SetWealth(0.5f);
    EXPECT_EQ(FormatMoney(schools.GetCost(0.5f)), "$ 150.00 Million");
    EXPECT_EQ(FormatMoney(1500.0f), "$ 1.50 Billion");
    options.Set(difficulty, GameOptions::kDifficulty);
    mission.SetWealth(wealth);
    mission.SetCurrency(currency);
}

namespace {

// Cynicism watches the tax sliders in the program-wide network and reads two
// game options; each test starts from an empty network and puts the options
// back.
class TaxCynicism : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        Cynicism::Instance().ResetCynicism();
    }
    void TearDown() override {
        FreshNetworkTest::TearDown();
        Cynicism::Instance().ResetCynicism();
    }

    // A tax whose slider stood at `before` at the last history shift.
    static Neuron* AddTax(const char* name, float before, float now) {
        Neuron* policy = Network::Create<Neuron>();
        policy->SetName(name);
        Neuron* slider = Network::Create<SliderInput>();
        Network::CreateEffect(slider, policy, "0+(1.0*x)", 1.0f, before);
        slider->SetHistoryEntry(1, before);
        slider->SetValue(now);
        return slider;
    }
    // Four-year terms.
    static float Update(int monthsToElection, int turn) {
        Cynicism::Instance().UpdateCynicism(monthsToElection, 48, turn);
        return Cynicism::Instance().GetCynicism();
    }
    static constexpr float kStep = 0.18f * 0.5f;
};

}  // namespace

TEST_F(TaxCynicism, WithoutTaxChangeOnlyDecays) {
    // Even when voters forgive no change at all.
    GameOptions::Instance().Set(1.0f, GameOptions::kCynicism);
    Cynicism::Instance().SetCynicism(1.0f);
    EXPECT_FLOAT_EQ(Update(3, 10), 0.98f);  // no tax policies at all
    AddTax("IncomeTax", 0.4f, 0.4f);
    EXPECT_FLOAT_EQ(Update(3, 10), 0.98f * 0.98f);
}

TEST_F(TaxCynicism, CutsBeforeAndRaisesAfterElectionBeyondThreshold) {
    Neuron* income = AddTax("IncomeTax", 0.5f, 0.4f);
    EXPECT_FLOAT_EQ(Update(3, 10), 0.0f);  // 0.1 is within option 0.5's 0.125
    GameOptions::Instance().Set(1.0f, GameOptions::kCynicism);
    EXPECT_FLOAT_EQ(Update(9, 10), 0.0f);
    EXPECT_FLOAT_EQ(Update(8, 10), kStep * 0.98f);

    // Eight months after the election, from turn 6 on.
    Cynicism::Instance().ResetCynicism();
    income->SetValue(0.6f);
    EXPECT_FLOAT_EQ(Update(40, 5), 0.0f);
    EXPECT_FLOAT_EQ(Update(39, 6), 0.0f);
    EXPECT_FLOAT_EQ(Update(40, 6), kStep * 0.98f);

    // A raise and a cut in one turn, in a one-year term, count twice.
    Cynicism::Instance().ResetCynicism();
    AddTax("SalesTax", 0.5f, 0.4f);
    Cynicism::Instance().UpdateCynicism(5, 12, 8);
    EXPECT_FLOAT_EQ(Cynicism::Instance().GetCynicism(), 2.0f * kStep * 0.98f);
}
