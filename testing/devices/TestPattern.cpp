#include "TestPattern.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace kivora::devices {
namespace {

// 3×5 glyphs, one row per entry, the top bit of three is the left column.
struct TGlyph {
    char character;
    BYTE rows[5];
};

constexpr TGlyph Glyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 7, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 2, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'x', {0, 5, 2, 5, 0}},
};

struct TYuv {
    BYTE y, u, v;
};

// ITU-R BT.601, studio range.
TYuv ToYuv(TRgb c)
{
    auto clamp = [](double v) { return static_cast<BYTE>(std::clamp(v + 0.5, 0.0, 255.0)); };
    return {clamp(16.0 + (65.481 * c.r + 128.553 * c.g + 24.966 * c.b) / 255.0),
            clamp(128.0 + (-37.797 * c.r - 74.203 * c.g + 112.0 * c.b) / 255.0),
            clamp(128.0 + (112.0 * c.r - 93.786 * c.g - 18.214 * c.b) / 255.0)};
}

} // namespace

TTestPattern::TTestPattern(int width, int height, bool yuy2)
    : FWidth(width), FHeight(height), FYuy2(yuy2), FCell(std::max(1, height / 60)),
      FBackground(static_cast<size_t>(width) * height * (yuy2 ? 2 : 3))
{
    const int barsHeight = height * 2 / 3;
    for (int bar = 0; bar < 8; ++bar) {
        const int left = width * bar / 8;
        const int right = width * (bar + 1) / 8;
        FillRect(FBackground.data(), left, 0, right - left, barsHeight, BarColours[bar]);
    }
    FillRect(FBackground.data(), 0, barsHeight, width, height - barsHeight, BackgroundColour);
}

void TTestPattern::FillRect(BYTE* frame, int x, int y, int width, int height, TRgb colour) const
{
    const int left = std::clamp(x, 0, FWidth);
    const int right = std::clamp(x + width, 0, FWidth);
    const int top = std::clamp(y, 0, FHeight);
    const int bottom = std::clamp(y + height, 0, FHeight);
    if (FYuy2) {
        // Two pixels share one U and V: whole pairs only.
        const TYuv yuv = ToYuv(colour);
        const BYTE pair[4] = {yuv.y, yuv.u, yuv.y, yuv.v};
        for (int row = top; row < bottom; ++row) {
            BYTE* line = frame + static_cast<size_t>(row) * FWidth * 2;
            for (int column = left & ~1; column < right; column += 2)
                std::memcpy(line + column * 2, pair, 4);
        }
        return;
    }
    for (int row = top; row < bottom; ++row) {
        // RGB24 frames are stored bottom-up, blue first.
        BYTE* line = frame + static_cast<size_t>(FHeight - 1 - row) * FWidth * 3;
        for (int column = left; column < right; ++column) {
            line[column * 3] = colour.b;
            line[column * 3 + 1] = colour.g;
            line[column * 3 + 2] = colour.r;
        }
    }
}

int TTestPattern::DrawText(BYTE* frame, int x, int y, const char* text, TRgb colour) const
{
    for (; *text; ++text) {
        for (const TGlyph& glyph : Glyphs) {
            if (glyph.character != *text)
                continue;
            for (int row = 0; row < 5; ++row)
                for (int column = 0; column < 3; ++column)
                    if (glyph.rows[row] & (4 >> column))
                        FillRect(frame, x + column * FCell, y + row * FCell, FCell, FCell, colour);
        }
        x += 4 * FCell;
    }
    return x;
}

void TTestPattern::Draw(BYTE* dst, std::uint64_t frame) const
{
    std::memcpy(dst, FBackground.data(), FBackground.size());
    const TRgb white = {255, 255, 255};
    const int textTop = FHeight * 2 / 3 + 2 * FCell;

    char text[48];
    std::snprintf(text, sizeof text, "%06llu", static_cast<unsigned long long>(frame % 1000000));
    const int afterCounter = DrawText(dst, 2 * FCell, textTop, text, white);
    std::snprintf(text, sizeof text, "%dx%d", FWidth, FHeight);
    DrawText(dst, afterCounter + 4 * FCell, textTop, text, white);

    // The block crosses the frame in 64 steps, then starts again at the left.
    const int block = std::max(2, FHeight / 8) & ~1;
    const int step = std::max(2, FWidth / 64) & ~1;
    const int travel = FWidth - block;
    const int x = static_cast<int>((frame * step) % static_cast<std::uint64_t>(travel)) & ~1;
    FillRect(dst, x, FHeight - block - 2 * FCell, block, block, white);
}

} // namespace kivora::devices
