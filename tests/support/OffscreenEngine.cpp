// Starting and resetting the engine around a test.
#include "support/OffscreenEngine.h"

#include <fstream>
#include <sstream>

#include "engine/DataPaths.h"
#include "engine/GdiText.h"
#include "engine/TestScene.h"
#include "engine/TextSystem.h"

OffscreenEngine::OffscreenEngine(int width, int height, D3DEngine::Display display,
                                 bool standardData) {
    D3DEngine& engine = D3DEngine::Instance();
    engine.ResetForNewRun();
    engine.SetDisplay(display);
    engine.Initialise(width, height, 32, true, true);
    TextSystem::Instance().Initialise();
    if (standardData) {
        AddStandardTextureDirectories(engine);
        AddStandardFonts();
    }
}

OffscreenEngine::~OffscreenEngine() {
    GdiText::Instance().Reset();
    TextSystem::Instance().RemoveAllFonts();
    TextSystem::Instance().ClearQueue();
    D3DEngine::Instance().ResetForNewRun();
}

std::string ReadEngineLog() {
    std::ifstream in("debugdata/drawdebug.txt", std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}
