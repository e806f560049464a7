// Test fixture for the simulation network.
#include "support/FreshNetwork.h"

#include "core/EnrolledManager.h"
#include "core/GameRandom.h"
#include "core/LinkedMode.h"
#include "engine/Diagnostics.h"
#include "simulation/GameOptions.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"

void FreshNetworkTest::ClearNetwork() {
    SetLinkedMode(false);
    EnrolledManager::ResetAll();
    Network::DeleteAllNeurons();
    Network::DeleteAllEffects();
    SetLinkedMode(true);
    Network::SetSettleMode(false);
}

void FreshNetworkTest::SetUp() {
    ClearNetwork();
    for (int i = 0; i < GameOptions::kCount; ++i) GameOptions::Instance().Set(GameOptions::Default(i), i);
    Mission::Instance().Clear();
    GameRandom::Seed(12345);
    ResetDiagnosticsCounters();
    Network::CreateSpecialNeurons();
}

void FreshNetworkTest::TearDown() { ClearNetwork(); }
