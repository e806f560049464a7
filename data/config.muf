[pref]
SCREEN_WIDTH=1024
SCREEN_HEIGHT=768
ColorDepth=32

[config]
IsWindowed=1
UseRGB=0
SafeMode=0
ForceFallback=0
