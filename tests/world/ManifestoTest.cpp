// Tests of the manifesto: its options file, keeping and breaking pledges, terms, restored pledges.
#include <gtest/gtest.h>

#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "simulation/Network.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"
#include "world/Manifesto.h"

namespace {

// Options: 0 raise GDP by 10 %, 1 cut crime by 20 %, 2 raise GDP by 50 %.
class ManifestoPledges : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        dir_.Write("data/manifesto.csv",
                   "Text,Neuron,Change,Direction\n"
                   "#,\"Grow the economy, by a tenth\",GDP,0.1,>\n"
                   "#,Cut crime by a fifth,Crime,-0.2,<\n"
                   "#,Boom,GDP,0.5,>\n");
        manifesto_.LoadOptions();
        gdp_ = MakeValue("GDP");
        crime_ = MakeValue("Crime");
    }
    void TearDown() override {
        manifesto_.ClearPledges();
        FreshNetworkTest::TearDown();
    }
    static Neuron* MakeValue(const char* name) {
        Neuron* neuron = Network::Create<Neuron>();
        neuron->SetName(name);
        neuron->SetValue(0.5f);
        return neuron;
    }
    // Pledges the option with the value at `from`, puts it in force, and
    // checks the manifesto once the value has moved to `now`.
    bool KeptAfter(size_t option, Neuron* value, float from, float now) {
        value->SetValue(from);
        EXPECT_TRUE(manifesto_.AddPledge(option));
        manifesto_.StartTerm();
        value->SetValue(now);
        manifesto_.CheckPledges();
        return manifesto_.AllKept();
    }
    Manifesto& manifesto_ = Manifesto::Instance();
    TempDirectory dir_;
    Neuron* gdp_ = nullptr;
    Neuron* crime_ = nullptr;
};

}  // namespace

TEST_F(ManifestoPledges, MalformedLinesAreReportedWithFileAndLine) {
    OpenLog();
    dir_.Write("bad.csv",
               "#,No value named,,0.1,>\r\n"
               "#,Typo,Crime,O.1,<\r\n"
               "#,Wordy,Crime,-0.1,down\r\n"
               "#,Backwards,GDP,-0.1,>\r\n");
    manifesto_.LoadOptions("bad.csv");
    ASSERT_EQ(manifesto_.Options().size(), 3u);  // the line without a value is skipped
    EXPECT_EQ(manifesto_.Options()[2].direction, PledgeDirection::Rise);
    EXPECT_EQ(FailedAssertionCount(), 1);
    const std::string log = ReadDebugLog();
    for (const char* expected : {
             "bad.csv:1: record 'No value named', key 'neuron': manifesto option names no "
             "simulation",
             "bad.csv:2: record 'Crime', key 'change': change 'O.1' is not a number, read as 0",
             "bad.csv:3: record 'Crime', key 'direction': direction 'down' is neither '>' (rise)",
             "bad.csv:4: record 'GDP', key 'direction': the change points against the direction",
         }) {
        EXPECT_NE(log.find(expected), std::string::npos) << expected;
    }
}

TEST(ManifestoDeathTest, MissingFileEndsTheProgram) {
    TempDirectory dir;
    EXPECT_EXIT(Manifesto::Instance().LoadOptions(), ::testing::ExitedWithCode(1),
                "Missing manifesto file:Manifesto");
}

TEST_F(ManifestoPledges, PledgeBrokenWhenItsValueFallsShort) {
    EXPECT_EQ(manifesto_.Options()[0].displayText, "Grow the economy, by a tenth");  // quotes group
    // Cut crime from 0.5 by a fifth: 0.4 exactly still holds.
    EXPECT_TRUE(KeptAfter(1, crime_, 0.5f, 0.4f));
    EXPECT_FALSE(KeptAfter(1, crime_, 0.5f, 0.41f));
    // A 50 % rise from 0.8 is capped at 1, so only 1 keeps it.
    EXPECT_FALSE(KeptAfter(2, gdp_, 0.8f, 0.99f));
    EXPECT_TRUE(KeptAfter(2, gdp_, 0.8f, 1.0f));
    // A value that has left the network breaks its pledge.
    Network::Destroy(gdp_);
    manifesto_.CheckPledges();
    EXPECT_TRUE(manifesto_.IsBroken());
}

TEST_F(ManifestoPledges, ChosenPledgesCountOnlyFromTheNextTerm) {
    // Refused: no such option, or no value of the option's name.
    EXPECT_FALSE(manifesto_.AddPledge(3));
    Network::Destroy(crime_);
    EXPECT_FALSE(manifesto_.AddPledge(1));

    ASSERT_TRUE(manifesto_.AddPledge(0));  // from 0.5
    gdp_->SetValue(0.2f);
    manifesto_.CheckPledges();
    EXPECT_TRUE(manifesto_.AllKept());
    manifesto_.StartTerm();
    manifesto_.CheckPledges();
    EXPECT_TRUE(manifesto_.IsBroken());

    // A term with nothing chosen is kept; so is a cleared manifesto.
    manifesto_.StartTerm();
    manifesto_.CheckPledges();
    EXPECT_TRUE(manifesto_.AllKept());
    EXPECT_FALSE(KeptAfter(0, gdp_, 0.5f, 0.1f));
    manifesto_.ClearPledges();
    EXPECT_TRUE(manifesto_.AllKept());
}

TEST_F(ManifestoPledges, RestoredPledgeBindsToTheFirstOptionOfItsName) {
    manifesto_.RestorePledge(Manifesto::Term::Next, "GDP", 0.5f, 0.4f);
    const ManifestoPledge& boom = manifesto_.NextPledges().at(0);
    EXPECT_EQ(boom.option, &manifesto_.Options()[0]);
    EXPECT_FLOAT_EQ(Manifesto::GetTarget(boom), 0.6f);  // the saved change, not the option's
    EXPECT_FLOAT_EQ(manifesto_.Options()[0].change, 0.1f);

    // A saved change of 0 or a vanished option: no option, counted as kept.
    manifesto_.RestorePledge(Manifesto::Term::Live, "GDP", 0.0f, 0.9f);
    manifesto_.RestorePledge(Manifesto::Term::Live, "Literacy", 0.1f, 0.9f);
    EXPECT_EQ(manifesto_.LivePledges().at(1).option, nullptr);
    manifesto_.CheckPledges();
    EXPECT_TRUE(manifesto_.AllKept());
}
