// The national accounts and the turn's news.
#include <gtest/gtest.h>

#include "engine/DebugLog.h"
#include "politics/ElectionManager.h"
#include "politics/Policy.h"
#include "politics/PolicyManager.h"
#include "politics/Polls.h"
#include "politics/SliderConfiguration.h"
#include "simulation/GameOptions.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"
#include "simulation/Simulation.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"
#include "world/Calendar.h"
#include "world/Finances.h"
#include "world/NewsList.h"
#include "world/StringTable.h"

namespace {

class Accounts : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        dir_.Write("data/strings.ini",
                   "[strings]\nNEWS_INCOME_UP=Income up by <INCOMECHANGE>\nNEWS_INCOME_DOWN=Income down\n"
                   "NEWS_EXPENSES_UP=Spending up\nNEWS_EXPENSES_DOWN=Spending down\n"
                   "NEWS_SIMVALUE_UP=<NAME> rose <CHANGEPERCENT>% (<CAUSE>)\n"
                   "NEWS_SIMVALUE_UP_DUEPOL=<NAME> rose <CHANGEPERCENT>% because of <CAUSE>\n"
                   "NEWS_REPORT_TEMPLATE=<INTRO> <STATEMENT1> <STATEMENT2> <STATEMENT3> <STATEMENT4>\n"
                   "[report_intro]\n0=Gloom.\n1=Cheer.\n[REPORT_SUMMARY_AVERAGEAPPROVAL]\n0=Middling.\n"
                   "[REPORT_SUMMARY_SURPLUS]\n0=In the black.\n[report_election_time]\n0=Early days.\n1=Soon.\n"
                   "[report_global_economy]\n0=Slump.\n1=Boom.\n");
        StringTable::Instance().Unload();
        Mission::Instance().SetCurrency("$");
        Finances::Instance().ResetAccounts();
        NewsList::Instance().ClearNews();
    }
    void TearDown() override {
        FreshNetworkTest::TearDown();
        StringTable::Instance().Unload();
        SliderConfiguration::Clear();
    }
    TempDirectory dir_;
};

}  // namespace

TEST_F(Accounts, MoneyPaysDebtFirstAndSpendingTakesReservesFirst) {
    Finances& f = Finances::Instance();
    f.Restore(0, 0, 0, 0, 30);
    f.ReceiveMoney(50);
    EXPECT_EQ(f.Debt(), 0.0f);
    EXPECT_EQ(f.Reserves(), 20.0f);
    f.SpendMoney(50);
    EXPECT_EQ(f.Reserves(), 0.0f);
    EXPECT_EQ(f.Debt(), 30.0f);
    f.Restore(0, 0, 0, 0, 0);
    f.ReceiveMoney(5);
    EXPECT_EQ(f.Reserves(), 5.0f);
    EXPECT_EQ(f.GetGraphFraction(1.0f), 0.0f);  // an empty graph has no scale yet
}

TEST_F(Accounts, TurnBooksPoliciesInterestDebtValueNewsAndHistory) {
    dir_.Write("sliders.csv", "#,amount,3,Low,Mid,High\n");
    dir_.Write("policies.csv",
               "#,Schools,State Schools,amount,Teaching,TRUE,PUBLIC SERVICES,100,300,,1,0,0,,#Effects\n"
               "#,Tax,Income Tax,amount,Taxing,FALSE,TAX,0,0,,1,200,600,,#Effects\n");
    SliderConfiguration::LoadAll("sliders.csv", "none/*.txt");
    PolicyManager::Instance().LoadPolicies("policies.csv", "none/*.txt");
    OpenLog();
    DebugLog::Instance().EnableChannel("finance");
    Finances& f = Finances::Instance();
    f.Restore(0, 0, 0, 0, 1200);
    f.UpdateTurn(1);  // nothing in force: no income, so any debt weighs fully
    EXPECT_TRUE(NewsList::Instance().Items().empty()) << "the first quarter has none to rise from";
    EXPECT_EQ(Network::DebtNeuron()->Value(), 1.0f);
    EXPECT_FLOAT_EQ(f.Interest(), 0.5f * 0.2f / 12.0f * 1200.0f);
    EXPECT_NE(f.DebtHistory()[5], f.DebtHistory()[6]);  // a plausible, varied past...
    EXPECT_EQ(f.DebtHistory()[0], f.Debt());                // ...up to the exact present

    Policy::FindPolicy("Schools")->Introduce();
    Policy::FindPolicy("Tax")->Introduce();
    Network::SetSettleMode(true);
    Network::RecalculateAll();
    NewsList::Instance().ClearNews();
    f.UpdateTurn(2);
    EXPECT_FLOAT_EQ(f.Income(), 400.0f);  // the middle of 200..600 at difficulty 0.5
    EXPECT_FLOAT_EQ(f.Expenses(), 200.0f + f.Interest());
    EXPECT_NEAR(Network::DebtNeuron()->Value(), f.Debt() / (400.0f * 12.0f), 1e-6f);
    ASSERT_EQ(NewsList::Instance().Items().size(), 2u);
    EXPECT_EQ(NewsList::Instance().Items()[0].text, "Income up by $ 400.00 Million");
    EXPECT_NE(ReadDebugLog().find("Tax income 400.000000\ntotal income 400.000000\n"), std::string::npos);
    EXPECT_EQ(f.IncomeHistory()[0], 400.0f);
    EXPECT_GE(f.GraphMaximum(), f.Debt());

    NewsList::Instance().ClearNews();
    f.UpdateTurn(3);  // the same income is no news; interest moves the spending a little
    ASSERT_EQ(NewsList::Instance().Items().size(), 1u);
    EXPECT_EQ(NewsList::Instance().Items()[0].text, "Spending down");
    DebugLog::Instance().DisableChannel("finance");
}

TEST_F(Accounts, NewsKeepsOrderAndReportsLargeMovesWithTheirCause) {
    NewsList& news = NewsList::Instance();
    for (float importance : {0.5f, 0.2f, 0.1f}) news.AddNews("old " + std::to_string(importance), importance);
    news.AddNews("new", 0.2f);
    EXPECT_EQ(news.Items()[2].text, "new");  // after the existing item of equal weight

    dir_.Write("values.csv", "#,Crime,Crime Rate,Crime,0.4,0,#\n");
    SimulationManager::Instance().LoadValues("values.csv");
    Simulation* crime = SimulationManager::Instance().FindValue("Crime");
    news.ClearNews();
    crime->SetHistoryEntry(1, 0.40f);
    crime->SetValue(0.45f);
    news.ReportChange(*crime);
    EXPECT_TRUE(news.Items().empty());
    crime->SetValue(0.55f);
    news.ReportChange(*crime);
    ASSERT_EQ(news.Items().size(), 1u);
    EXPECT_EQ(news.Items()[0].text, "Crime Rate rose 15.00% (UNKNOWN)");
    // The summary reads the polls and the term: both pinned, whatever ran before.
    Polls::Instance().Restore(0.6f, 0.6f, 0.6f, 0.6f);
    Calendar::Instance().SetDate(1, 2024);
    ElectionManager::Instance().Restore(1, 2024, 0);
    EXPECT_EQ(news.BuildReport(0), "Cheer. Middling. In the black. Soon. Slump.");
    Polls::Instance().Reset();
}
