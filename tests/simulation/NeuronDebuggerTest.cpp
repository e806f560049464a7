// The neuron debugger's watch list and trace files.
#include <gtest/gtest.h>

#include <filesystem>

#include "simulation/Network.h"
#include "simulation/NeuronDebugger.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"

namespace {

class NeuronDebuggerTest : public FreshNetworkTest {
protected:
    void TearDown() override {
        NeuronDebugger::Instance().Load("no/such/_config.txt");
        FreshNetworkTest::TearDown();
    }
    Neuron* Make(const char* name) {
        Neuron* neuron = Network::Create<Neuron>();
        neuron->SetName(name);
        return neuron;
    }
    TempDirectory dir_;
};

}  // namespace

TEST_F(NeuronDebuggerTest, WatchedNeuronsTraceEachRecalculationAndOthersWriteNothing) {
    Neuron* gdp = Make("GDP");
    Neuron* crime = Make("Crime");
    NeuronDebugger::Instance().Load();  // no config: nothing is watched
    gdp->Recalculate();
    EXPECT_FALSE(std::filesystem::exists("debugdata/GDP.txt"));

    dir_.Write("debugdata/_config.txt", "GDP Unemployment\nsome notes\n");
    Neuron* unemployment = Make("Unemployment");
    NeuronDebugger::Instance().Load();  // neurons made before the config are decided again
    Neuron* late = Make("Unemployment");
    EXPECT_TRUE(gdp->IsWatched());
    EXPECT_TRUE(unemployment->IsWatched());
    EXPECT_TRUE(late->IsWatched());
    EXPECT_FALSE(crime->IsWatched());
    EXPECT_TRUE(Make("note")->IsWatched());  // a whole name inside a watch line is enough
    EXPECT_FALSE(Make("")->IsWatched());

    gdp->Recalculate();
    gdp->Recalculate();
    crime->Recalculate();
    EXPECT_EQ(dir_.Read("debugdata/GDP.txt"), "Recalculating...\n\nRecalculating...\n\n");
    EXPECT_FALSE(std::filesystem::exists("debugdata/Crime.txt"));
}
