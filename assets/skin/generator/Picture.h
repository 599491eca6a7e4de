// TPicture: a small RGB canvas for drawing skin pictures, written out as BMP files.
// Shapes are given as signed distance functions, so their edges come out antialiased
// against opaque pixels and hard-edged against the transparent colour (magenta), which
// the skin engine keys out exactly.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TRgb {
    std::uint8_t R = 0, G = 0, B = 0;
    bool operator==(const TRgb&) const = default;
};

constexpr TRgb Rgb(int r, int g, int b)
{
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

constexpr TRgb kMagenta = Rgb(255, 0, 255);

TRgb Mix(TRgb a, TRgb b, double t);  // a at t = 0, b at t = 1

// Distance from a point (pixel centres at x + 0.5) to a shape's edge: negative inside.
using TShape = std::function<double(double x, double y)>;

TShape RoundRect(double left, double top, double right, double bottom, double radius);
TShape Circle(double cx, double cy, double radius);
TShape Ring(double cx, double cy, double radius, double thickness);
TShape Segment(double x1, double y1, double x2, double y2, double thickness);
TShape Union(TShape a, TShape b);
TShape Subtract(TShape a, TShape b);
TShape Offset(TShape shape, double dx, double dy);

class TPicture {
public:
    TPicture(int width, int height, TRgb fill = kMagenta);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    TRgb At(int x, int y) const { return FPixels[static_cast<std::size_t>(y * FWidth + x)]; }
    void Set(int x, int y, TRgb c);

    void FillRect(int left, int top, int right, int bottom, TRgb c);
    // Top-to-bottom (vertical) or left-to-right gradient over the rectangle.
    void Gradient(int left, int top, int right, int bottom, TRgb from, TRgb to, bool vertical = true);
    void Frame(int left, int top, int right, int bottom, TRgb c);  // 1-pixel outline
    // Paints a shape; gradient runs from "from" at top to "to" at bottom of the bounding rows.
    void Paint(const TShape& shape, TRgb c);
    void PaintGradient(const TShape& shape, int top, int bottom, TRgb from, TRgb to);
    // Copies another picture in at (x, y).
    void Draw(const TPicture& source, int x, int y);

    void SaveBmp24(const std::string& path) const;
    // Black where the pixel is dark, white elsewhere: a 1-bit picture.
    void SaveBmp1(const std::string& path) const;

private:
    void Cover(int x, int y, double coverage, TRgb c);

    int FWidth, FHeight;
    std::vector<TRgb> FPixels;
};

// Places frame pictures side by side (horizontal) or stacked into one strip.
TPicture Strip(const std::vector<TPicture>& frames, bool vertical = false);
