#include "Picture.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

TRgb Mix(TRgb a, TRgb b, double t)
{
    auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return Rgb(m(a.R, b.R), m(a.G, b.G), m(a.B, b.B));
}

TShape RoundRect(double left, double top, double right, double bottom, double radius)
{
    return [=](double x, double y) {
        const double cx = (left + right) / 2, cy = (top + bottom) / 2;
        const double hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
        const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        return outside + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

TShape Circle(double cx, double cy, double radius)
{
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - radius; };
}

TShape Ring(double cx, double cy, double radius, double thickness)
{
    return [=](double x, double y) { return std::abs(std::hypot(x - cx, y - cy) - radius) - thickness / 2; };
}

TShape Segment(double x1, double y1, double x2, double y2, double thickness)
{
    return [=](double x, double y) {
        const double dx = x2 - x1, dy = y2 - y1;
        const double len2 = dx * dx + dy * dy;
        const double t = len2 > 0 ? std::clamp(((x - x1) * dx + (y - y1) * dy) / len2, 0.0, 1.0) : 0.0;
        return std::hypot(x - (x1 + t * dx), y - (y1 + t * dy)) - thickness / 2;
    };
}

TShape Union(TShape a, TShape b)
{
    return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

TShape Subtract(TShape a, TShape b)
{
    return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

TShape Offset(TShape shape, double dx, double dy)
{
    return [=](double x, double y) { return shape(x - dx, y - dy); };
}

TPicture::TPicture(int width, int height, TRgb fill)
    : FWidth(width), FHeight(height), FPixels(static_cast<std::size_t>(width * height), fill)
{
}

void TPicture::Set(int x, int y, TRgb c)
{
    if (x >= 0 && y >= 0 && x < FWidth && y < FHeight)
        FPixels[static_cast<std::size_t>(y * FWidth + x)] = c;
}

void TPicture::FillRect(int left, int top, int right, int bottom, TRgb c)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            Set(x, y, c);
}

void TPicture::Gradient(int left, int top, int right, int bottom, TRgb from, TRgb to, bool vertical)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const int span = vertical ? bottom - top - 1 : right - left - 1;
            const double t = span > 0 ? (vertical ? y - top : x - left) / static_cast<double>(span) : 0.0;
            Set(x, y, Mix(from, to, t));
        }
}

void TPicture::Frame(int left, int top, int right, int bottom, TRgb c)
{
    FillRect(left, top, right, top + 1, c);
    FillRect(left, bottom - 1, right, bottom, c);
    FillRect(left, top, left + 1, bottom, c);
    FillRect(right - 1, top, right, bottom, c);
}

void TPicture::Cover(int x, int y, double coverage, TRgb c)
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight || coverage <= 0)
        return;
    TRgb& p = FPixels[static_cast<std::size_t>(y * FWidth + x)];
    if (p == kMagenta)  // transparent: no partial pixels, or the edge would show pink
        p = coverage >= 0.5 ? c : p;
    else
        p = Mix(p, c, std::min(coverage, 1.0));
}

void TPicture::Paint(const TShape& shape, TRgb c)
{
    PaintGradient(shape, 0, FHeight, c, c);
}

void TPicture::PaintGradient(const TShape& shape, int top, int bottom, TRgb from, TRgb to)
{
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const double d = shape(x + 0.5, y + 0.5);
            const double t = bottom - top > 1 ? std::clamp((y - top) / double(bottom - top - 1), 0.0, 1.0) : 0.0;
            Cover(x, y, std::clamp(0.5 - d, 0.0, 1.0), Mix(from, to, t));
        }
}

void TPicture::Draw(const TPicture& source, int x, int y)
{
    for (int sy = 0; sy < source.FHeight; ++sy)
        for (int sx = 0; sx < source.FWidth; ++sx)
            Set(x + sx, y + sy, source.At(sx, sy));
}

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// BITMAPFILEHEADER + BITMAPINFOHEADER for a bottom-up picture.
std::vector<std::uint8_t> BmpHeaders(int width, int height, int bits, std::uint32_t imageSize, int paletteEntries)
{
    std::vector<std::uint8_t> out;
    const std::uint32_t offset = 14 + 40 + 4u * static_cast<std::uint32_t>(paletteEntries);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, static_cast<std::uint32_t>(paletteEntries));
    Put32(out, 0);
    return out;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace

void TPicture::SaveBmp24(const std::string& path) const
{
    const int stride = (FWidth * 3 + 3) & ~3;
    std::vector<std::uint8_t> out = BmpHeaders(FWidth, FHeight, 24, static_cast<std::uint32_t>(stride * FHeight), 0);
    for (int y = FHeight - 1; y >= 0; --y) {
        for (int x = 0; x < FWidth; ++x) {
            const TRgb c = At(x, y);
            out.push_back(c.B);
            out.push_back(c.G);
            out.push_back(c.R);
        }
        for (int pad = FWidth * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    WriteFile(path, out);
}

void TPicture::SaveBmp1(const std::string& path) const
{
    const int stride = ((FWidth + 31) / 32) * 4;
    std::vector<std::uint8_t> out = BmpHeaders(FWidth, FHeight, 1, static_cast<std::uint32_t>(stride * FHeight), 2);
    Put32(out, 0x000000);  // palette: 0 black, 1 white
    Put32(out, 0xFFFFFF);
    for (int y = FHeight - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < FWidth; ++x) {
            const TRgb c = At(x, y);
            if (c.R + c.G + c.B >= 3 * 128)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    WriteFile(path, out);
}

TPicture Strip(const std::vector<TPicture>& frames, bool vertical)
{
    const int w = frames.at(0).Width(), h = frames.at(0).Height();
    const int n = static_cast<int>(frames.size());
    TPicture strip(vertical ? w : w * n, vertical ? h * n : h);
    for (int k = 0; k < n; ++k)
        strip.Draw(frames[static_cast<std::size_t>(k)], vertical ? 0 : w * k, vertical ? h * k : 0);
    return strip;
}
