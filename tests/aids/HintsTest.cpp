// Suggested policies for a situation, from the hints table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aids/Hints.h"
#include "core/EnrolledManager.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "simulation/Network.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"

namespace {

const char* kHints =
    "Situation,Suggested policies\n"
    "#short\n"
    "#,Ab,Tax\n"
    "#,CrimeWave,PoliceForce,Ghost,CCTV,,x\n"
    "#,CrimeWave,Curfew\n"
    "#,,PoliceForce\n"
    "#,Ab,PoliceForce\n"
    "#,Riots,,,\n"
    "#,Quiet,ab,c\n";

class SituationHints : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        OpenLog();
        for (const char* name :
             {"CrimeWave", "Ab", "Riots", "Quiet", "Boom", "PoliceForce", "CCTV", "Curfew", "Tax"})
            Network::Create<Neuron>()->SetName(name);
    }

    static std::vector<std::string> HintsFor(const char* situation) {
        Hints::Instance().LoadHints(Network::FindByName(situation));
        std::vector<std::string> names;
        for (const Neuron* neuron : Hints::Instance().Suggestions())
            names.push_back(neuron->Name());
        return names;
    }

    static size_t Occurrences(const std::string& text, const std::string& part) {
        size_t count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++count;
        return count;
    }

    TempDirectory dir_;
};

using Names = std::vector<std::string>;

}  // namespace

TEST_F(SituationHints, TheFirstRecordForTheSituationListsItsPoliciesInOrder) {
    dir_.Write("data/hints.csv", kHints);
    EXPECT_EQ(HintsFor("CrimeWave"), (Names{"PoliceForce", "CCTV"}));
    // The line of exactly 8 characters is a comment, so the later record counts.
    EXPECT_EQ(HintsFor("Ab"), (Names{"PoliceForce"}));
    EXPECT_EQ(HintsFor("Boom"), Names{});
    EXPECT_EQ(HintsFor("Riots"), Names{});
    EXPECT_EQ(HintsFor("Quiet"), Names{});
    EXPECT_EQ(HintsFor("CrimeWave").size(), 2u);
    Hints::Instance().LoadHints(nullptr);
    EXPECT_TRUE(Hints::Instance().Suggestions().empty());

    // Broken lines are warnings, once each however often the window opens.
    EXPECT_EQ(FailedAssertionCount(), 0);
    const std::string log = ReadDebugLog();
    for (const char* report : {
             "4: record 'CrimeWave', key 'field 4': Solution not found: no neuron named 'Ghost'",
             "4: record 'CrimeWave', key 'field 7': names of two characters or fewer are skipped: "
             "'x'",
             "6: key 'field 2': hint record names no situation",
             "8: record 'Riots', key 'field 3': hint record suggests no policy",
             "9: record 'Quiet', key 'field 3': names of two characters or fewer are skipped: 'ab'",
         }) {
        EXPECT_EQ(Occurrences(log, "data warning: data/hints.csv:" + std::string(report) + "\n"),
                  1u)
            << report;
    }
    EXPECT_EQ(log.find("Curfew"), std::string::npos);
}

TEST_F(SituationHints, AMissingTableIsAnAssertionAndANewGameForgetsTheList) {
    EXPECT_EQ(HintsFor("CrimeWave"), Names{});
    EXPECT_EQ(FailedAssertionCount(), 1);
    EXPECT_NE(ReadDebugLog().find("data error: data/hints.csv: cannot open the hints file"),
              std::string::npos);

    dir_.Write("data/hints.csv", kHints);
    EXPECT_EQ(HintsFor("CrimeWave").size(), 2u);
    // Starting a game deletes the neurons the list points at.
    EnrolledManager::ResetAll();
    EXPECT_TRUE(Hints::Instance().Suggestions().empty());
}
