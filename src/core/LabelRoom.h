// The room the main screen gives the names printed on its value bars and
// voter-group strips: the face, the size at a screen's scale and the width
// left for the text. It lives below the interface so that the data check
// holds every short label against the very room the map draws it in.
#pragma once

// Short labels must fit the smallest screen the game runs on.
constexpr int kSmallestScreenWidth = 800;
constexpr int kSmallestScreenHeight = 600;

struct LabelRoom {
    const char* face = "";
    int size = 12;   // pixels
    int width = 0;   // pixels the text may take
};

// Narrow faces, so that a word or two fits a bar a few dozen pixels wide.
constexpr const char* kVoterStripFace = "DejaVu Sans Condensed Bold";
constexpr const char* kValueBarFace = "Liberation Sans Narrow";

// 12 pixels at 1024 x 768 and below, growing with the smaller of the
// screen's two scales above it.
int MapLabelSize(int screenWidth, int screenHeight);

// `valueCount` values share two rows of bars across the screen; every bar
// gets the room of the narrowest.
LabelRoom ValueBarLabelRoom(int valueCount, int screenWidth, int screenHeight);
LabelRoom VoterStripLabelRoom(int screenWidth, int screenHeight);
