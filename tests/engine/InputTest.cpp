// Input: scan codes from SDL keys, name-entry characters, the one button
// event per frame, the pointer's bounds and double clicks.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cctype>
#include <vector>

#include "engine/DebugLog.h"
#include "engine/Input.h"
#include "engine/Sprite.h"
#include "support/TempDirectory.h"

namespace {

class RecordingInput : public Input {
public:
    void OnLeftDown() override {
        Input::OnLeftDown();
        calls.push_back("down");
    }
    void OnLeftUp() override {
        Input::OnLeftUp();
        calls.push_back("up");
    }
    void OnRightDown() override { calls.push_back("right"); }
    void OnKey(int scanCode) override { keys.push_back(scanCode); }
    std::vector<std::string> calls;
    std::vector<int> keys;
};

using Kind = platform::MouseEvent::Kind;

SDL_Event KeyEvent(Uint32 type, SDL_Scancode code, int repeat = 0) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.scancode = code;
    event.key.repeat = Uint8(repeat);
    return event;
}

}  // namespace

TEST(Input, ScanCodesFromSdlKeysAndCharactersForNameEntry) {
    EXPECT_EQ(platform::ScanCodeFromSdl(SDL_SCANCODE_RETURN), 28);
    EXPECT_EQ(platform::ScanCodeFromSdl(SDL_SCANCODE_LALT), 56);
    EXPECT_EQ(platform::ScanCodeFromSdl(SDL_SCANCODE_LSHIFT), 42);
    EXPECT_EQ(platform::ScanCodeFromSdl(SDL_SCANCODE_LEFT), 203);
    EXPECT_EQ(platform::ScanCodeFromSdl(SDL_SCANCODE_RIGHT), 205);
    EXPECT_EQ(platform::ScanCodeFromSdl(SDL_SCANCODE_Q), 16);
    EXPECT_EQ(platform::ScanCodeFromSdl(SDL_SCANCODE_F24), 0);

    const std::string typed = "1234567890-qwertyuiopasdfghjkl'zxcvbnm ";
    std::string fromCodes;
    for (int code = 0; code < 300; ++code) {
        if (const char c = Input::ScanCodeToChar(code)) fromCodes += c;
    }
    EXPECT_EQ(fromCodes, typed);
    EXPECT_EQ(Input::ScanCodeToChar(39), 0);  // the semicolon key types nothing
    EXPECT_EQ(Input::ScanCodeToChar(58), 0);
    EXPECT_EQ(Input::ScanCodeToChar(-5), 0);
    // Every letter and digit key maps to the code that types it.
    for (SDL_Scancode key : {SDL_SCANCODE_A, SDL_SCANCODE_M, SDL_SCANCODE_Z, SDL_SCANCODE_0,
                             SDL_SCANCODE_APOSTROPHE}) {
        const char* name = SDL_GetScancodeName(key);
        EXPECT_EQ(Input::ScanCodeToChar(platform::ScanCodeFromSdl(key)), std::tolower(name[0]))
            << name;
    }
}

TEST(Input, OneButtonEventPerFrameBoundsAndDoubleClicks) {
    SetScreenSize(800, 600);
    platform::InputDevice device;
    double now = 1000.0;
    device.SetClock([&] { return now; });
    RecordingInput input;
    input.Initialise(&device);

    // A press and its release in one frame: only the press, and the motion is lost.
    device.PushMouse({Kind::MotionX, 50});
    device.PushMouse({Kind::LeftButton, 1});
    device.PushMouse({Kind::LeftButton, 0});
    device.PushMouse({Kind::MotionY, 30});
    input.Poll();
    EXPECT_EQ(input.calls, (std::vector<std::string>{"down"}));
    EXPECT_EQ(input.MouseX(), 100.0f);
    // The rest of that frame's events wait; the next press while down counts as the release.
    device.ReadMouse(16);
    device.PushMouse({Kind::LeftButton, 1});
    input.Poll();
    EXPECT_EQ(input.calls.back(), "up");

    // The pointer stays within the screen, the right edge included.
    device.PushMouse({Kind::MotionX, 5000});
    device.PushMouse({Kind::MotionY, -5000});
    input.Poll();
    EXPECT_EQ(input.MouseX(), 800.0f);
    EXPECT_EQ(input.MouseY(), 0.0f);
    input.Poll();
    input.Poll();
    EXPECT_EQ(input.StillFrames(), 2);

    // Presses 499 ms and 31 pixels apart are a double click; 32 pixels are not.
    input.SetMousePosition(100, 100);
    now = 2000.0;
    input.OnLeftDown();
    input.SetMousePosition(131, 100);
    now += 499;
    input.OnLeftDown();
    EXPECT_TRUE(input.IsDoubleClick());
    input.SetMousePosition(163, 100);
    now += 100;
    input.OnLeftDown();
    EXPECT_FALSE(input.IsDoubleClick());
    input.SetMousePosition(163, 100);
    now += 500;
    input.OnLeftDown();
    EXPECT_FALSE(input.IsDoubleClick());
}

TEST(Input, SdlKeyEventsReachTheKeyHandlerAndUnknownKeysAreLoggedOnce) {
    TempDirectory dir;
    OpenLog();
    platform::InputDevice device;
    RecordingInput input;
    input.Initialise(&device);
    device.HandleSdlEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_LALT));
    device.HandleSdlEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_RETURN));
    device.HandleSdlEvent(
        KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_RETURN, 1));  // auto-repeat: not a press
    device.HandleSdlEvent(KeyEvent(SDL_KEYUP, SDL_SCANCODE_LALT));
    device.HandleSdlEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_F24));
    device.HandleSdlEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_F24));
    input.Poll();
    EXPECT_EQ(input.keys, (std::vector<int>{56, 28}));  // releases are not reported
    EXPECT_TRUE(input.IsKeyDown(28));
    EXPECT_FALSE(input.IsKeyDown(56));
    EXPECT_FALSE(input.IsKeyDown(999));
    const std::string log = ReadDebugLog();
    const std::string line = "unknown key code " + std::to_string(SDL_SCANCODE_F24) + " ignored\n";
    EXPECT_NE(log.find(line), std::string::npos);
    EXPECT_EQ(log.find(line), log.rfind(line));

    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.xrel = -3;
    device.HandleSdlEvent(motion);
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_RIGHT;
    device.HandleSdlEvent(click);
    input.Poll();
    EXPECT_EQ(input.calls, (std::vector<std::string>{"right"}));
}
