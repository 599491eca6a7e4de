// The camera's picture: eight colour bars over the top two thirds, and below them on
// dark grey the frame number, the frame size ("640x480") and a white block that moves
// a step to the right every frame. Drawn straight into RGB24 (bottom-up) or YUY2
// (top-down) frames.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace kivora::devices {

struct TRgb {
    BYTE r, g, b;
};

// The bars from left to right: white, yellow, cyan, green, magenta, red, blue, black.
inline constexpr TRgb BarColours[8] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                                       {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
inline constexpr TRgb BackgroundColour = {40, 40, 40};

class TTestPattern {
public:
    // yuy2 false: RGB24. width is a multiple of 4, height positive.
    TTestPattern(int width, int height, bool yuy2);

    // Bytes of one frame.
    size_t FrameSize() const { return FBackground.size(); }
    // Draws frame number frame into dst (FrameSize() bytes).
    void Draw(BYTE* dst, std::uint64_t frame) const;

private:
    void FillRect(BYTE* frame, int x, int y, int width, int height, TRgb colour) const;
    // Draws text of digits and 'x' in the pattern's pixel font; returns the next x.
    int DrawText(BYTE* frame, int x, int y, const char* text, TRgb colour) const;

    int FWidth;
    int FHeight;
    bool FYuy2;
    int FCell;                      // pixel font cell size
    std::vector<BYTE> FBackground;  // bars and grey, drawn once
};

} // namespace kivora::devices
