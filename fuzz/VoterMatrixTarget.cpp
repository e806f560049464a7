// The voter matrix: one voter a line, the groups it belongs to. A population
// read and written back must read back the same.
#include <cstdlib>

#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "core/GameRandom.h"
#include "platform/FileSystem.h"
#include "politics/VoterManager.h"
#include "simulation/Network.h"

namespace fuzz {

namespace {

constexpr const char* kTypesPath = "fuzz-types.csv";
constexpr const char* kMatrixPath = "fuzz.mtx";
constexpr const char* kWrittenPath = "fuzz-written.mtx";

// A few of the real groups, correlations included, so growth and shrinkage
// have something to work with.
constexpr const char* kTypes =
    "#,_All_,All,,1.0,Everyone,0.5,#\n"
    "#,Religious,Religious,,0.3,Faith,0.5,#,\"Conservative,0.4\",\"Retired,0.2\"\n"
    "#,Conservative,Conservative,,0.3,Order,0.6,#,\"Religious,0.4\"\n"
    "#,Retired,Retired,,0.2,Old,0.4,#,\"Religious,0.3\",\"Wealthy,-2\"\n"
    "#,Wealthy,Wealthy,,0.1,Rich,0.9,#\n"
    "#,Poor,Poor,,0.2,Poor,0.1,#,\"Wealthy,-5\"\n";

void FreshElectorate() {
    ClearGameState();
    Network::CreateSpecialNeurons();
    GameRandom::Seed(7);
    VoterManager::Instance().LoadVoterTypes(kTypesPath);
}

}  // namespace

void FuzzVoterMatrix(std::string_view input) {
    Guarded([input] {
        WriteInputFile(kTypesPath, kTypes);
        WriteInputFile(kMatrixPath, input);
        VoterManager& voters = VoterManager::Instance();
        FreshElectorate();
        voters.CreatePopulation(kMatrixPath);
        if (!voters.WriteMatrix(kWrittenPath)) std::abort();
        const std::string written = platform::ReadFile(kWrittenPath).value_or("");
        // A turn's worth of the electorate's own work on what was read.
        voters.PassOnMoods();
        voters.UpdateTrends();
        Network::RecalculateAll();

        FreshElectorate();
        voters.CreatePopulation(kWrittenPath);
        if (!voters.WriteMatrix(kWrittenPath)) std::abort();
        if (platform::ReadFile(kWrittenPath).value_or("") != written) std::abort();
    });
    ClearGameState();
}

}  // namespace fuzz
