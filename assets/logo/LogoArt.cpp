// Draws Kivora's about-window logo (480 x 200) and writes it as a JPEG file, and draws the
// program's icon (the logo's lens alone, at 16, 24, 32, 48 and 256 pixels) and writes it
// as one multi-size .ico file.
//
// The artwork is built from shapes measured by their distance to each pixel, so every
// edge is smooth without supersampling: a camera lens on the left, the program's name in
// stroked lower-case letters on the right, on a dark blue field. Runs on the build machine
// at build time; the program carries the logo as an RCDATA resource and the icon as its
// first icon group.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace {

constexpr int kLogoWidth = 480;
constexpr int kLogoHeight = 200;

struct TColour {
    float R, G, B;
};

TColour Mix(TColour a, TColour b, float t)
{
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

struct TPoint {
    float X, Y;
};

// Signed distance from p to a shape's edge: negative inside.
struct TShape {
    enum { skStroke, skDisc, skRing } Kind;
    TPoint A, B;       // stroke ends; A is a disc's or ring's centre
    float Radius;      // disc and ring radius
    float HalfWidth;   // stroke and ring half width

    float Distance(TPoint p) const
    {
        switch (Kind) {
        case skStroke: {
            const float dx = B.X - A.X, dy = B.Y - A.Y;
            const float len2 = dx * dx + dy * dy;
            float t = len2 > 0 ? ((p.X - A.X) * dx + (p.Y - A.Y) * dy) / len2 : 0;
            t = std::clamp(t, 0.0f, 1.0f);
            return std::hypot(p.X - (A.X + t * dx), p.Y - (A.Y + t * dy)) - HalfWidth;
        }
        case skDisc: return std::hypot(p.X - A.X, p.Y - A.Y) - Radius;
        case skRing: return std::fabs(std::hypot(p.X - A.X, p.Y - A.Y) - Radius) - HalfWidth;
        }
        return 1e9f;
    }
};

TShape Stroke(float x0, float y0, float x1, float y1, float width)
{
    return {TShape::skStroke, {x0, y0}, {x1, y1}, 0, width / 2};
}
TShape Disc(float x, float y, float r) { return {TShape::skDisc, {x, y}, {}, r, 0}; }
TShape Ring(float x, float y, float r, float width) { return {TShape::skRing, {x, y}, {}, r, width / 2}; }

// An arc as a run of short strokes, angles in degrees (0 = right, 90 = down).
void AddArc(std::vector<TShape>& shapes, float cx, float cy, float r, float from, float to, float width)
{
    constexpr int kSteps = 24;
    constexpr float kRad = 3.14159265f / 180;
    for (int i = 0; i < kSteps; ++i) {
        const float a0 = (from + (to - from) * i / kSteps) * kRad;
        const float a1 = (from + (to - from) * (i + 1) / kSteps) * kRad;
        shapes.push_back(Stroke(cx + r * std::cos(a0), cy + r * std::sin(a0), cx + r * std::cos(a1),
                                cy + r * std::sin(a1), width));
    }
}

// A picture of TColour pixels with an opacity each: the logo is opaque throughout, the
// icon is transparent around its lens.
class TArtwork {
public:
    TArtwork(int width, int height) : FWidth(width), FHeight(height), FPixels(size_t(width) * height), FAlpha(FPixels.size()) {}

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // Fills every pixel from a function of its position, opaque.
    template <typename Paint> void Fill(Paint paint)
    {
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x) {
                FPixels[y * FWidth + x] = paint(x + 0.5f, y + 0.5f);
                FAlpha[y * FWidth + x] = 1;
            }
    }

    // Lays one layer over the picture: the union of the shapes, coloured by position,
    // its edge anti-aliased over about a pixel, at the given opacity. Over an opaque
    // pixel this is a plain mix; over a transparent one the layer's colour shows with
    // its own coverage.
    template <typename Paint> void Layer(const std::vector<TShape>& shapes, Paint paint, float opacity = 1)
    {
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x) {
                const TPoint p{x + 0.5f, y + 0.5f};
                float d = 1e9f;
                for (const TShape& s : shapes)
                    d = std::min(d, s.Distance(p));
                const float coverage = std::clamp(0.5f - d, 0.0f, 1.0f) * opacity;
                if (coverage <= 0)
                    continue;
                TColour& pixel = FPixels[y * FWidth + x];
                float& alpha = FAlpha[y * FWidth + x];
                const float after = coverage + alpha * (1 - coverage);
                pixel = Mix(pixel, paint(p.X, p.Y), coverage / after);
                alpha = after;
            }
    }

    // A layer in one colour.
    void Layer(const std::vector<TShape>& shapes, TColour colour, float opacity = 1)
    {
        Layer(shapes, [colour](float, float) { return colour; }, opacity);
    }

    // A channel as a byte.
    static std::uint8_t Byte(float value) { return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 1.0f) * 255 + 0.5f); }
    TColour Pixel(int x, int y) const { return FPixels[y * FWidth + x]; }
    float Alpha(int x, int y) const { return FAlpha[y * FWidth + x]; }

    bool WriteJpeg(const char* fileName) const
    {
        FILE* file = std::fopen(fileName, "wb");
        if (!file)
            return false;
        jpeg_compress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        jpeg_stdio_dest(&info, file);
        info.image_width = FWidth;
        info.image_height = FHeight;
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, 92, TRUE);
        jpeg_start_compress(&info, TRUE);
        std::vector<JSAMPLE> row(FWidth * 3);
        for (int y = 0; y < FHeight; ++y) {
            for (int x = 0; x < FWidth; ++x) {
                const TColour& c = FPixels[y * FWidth + x];
                row[x * 3 + 0] = Byte(c.R);
                row[x * 3 + 1] = Byte(c.G);
                row[x * 3 + 2] = Byte(c.B);
            }
            JSAMPROW rows[] = {row.data()};
            jpeg_write_scanlines(&info, rows, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        return std::fclose(file) == 0;
    }

private:
    int FWidth, FHeight;
    std::vector<TColour> FPixels;
    std::vector<float> FAlpha;
};

TColour Rgb(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

// The name in stroked lower-case letters: a capital K, then "ivora", on a baseline.
std::vector<TShape> NameStrokes(float x, float base, float w)
{
    std::vector<TShape> s;
    // K
    s.push_back(Stroke(x, base - 74, x, base, w));
    s.push_back(Stroke(x + 4, base - 30, x + 38, base - 74, w));
    s.push_back(Stroke(x + 15, base - 42, x + 40, base, w));
    x += 58;
    // i
    s.push_back(Stroke(x, base - 50, x, base, w));
    s.push_back(Disc(x, base - 69, w * 0.65f));
    x += 18;
    // v
    s.push_back(Stroke(x, base - 50, x + 21, base, w));
    s.push_back(Stroke(x + 21, base, x + 42, base - 50, w));
    x += 52;
    // o
    s.push_back(Ring(x + 24, base - 25, 21, w));
    x += 58;
    // r
    s.push_back(Stroke(x, base - 50, x, base, w));
    AddArc(s, x + 26, base - 22, 26, 180, 262, w);
    x += 40;
    // a
    s.push_back(Ring(x + 23, base - 25, 21, w));
    s.push_back(Stroke(x + 44, base - 48, x + 44, base, w));
    return s;
}

// Little-endian fields of the .ico file.
void Put16(std::string& out, unsigned value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}
void Put32(std::string& out, unsigned value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// One image of an icon file as a 32-bit DIB: a BITMAPINFOHEADER whose height counts the
// colour rows and the mask rows, the BGRA rows bottom-up, then the 1-bit AND mask (set
// where the picture is transparent, for the places that draw without the alpha channel),
// each mask row padded to 4 bytes. Every size, 256 included, is stored this way: Windows
// reads DIB images at any size, so no PNG encoder is needed.
std::string IconImage(const TArtwork& art)
{
    const int w = art.Width(), h = art.Height();
    const int maskStride = ((w + 31) / 32) * 4;
    std::string out;
    Put32(out, 40);         // biSize
    Put32(out, unsigned(w));
    Put32(out, unsigned(h * 2));
    Put16(out, 1);          // planes
    Put16(out, 32);         // bits per pixel
    Put32(out, 0);          // BI_RGB
    Put32(out, unsigned(w * h * 4 + maskStride * h));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const TColour c = art.Pixel(x, y);
            out += char(TArtwork::Byte(c.B));
            out += char(TArtwork::Byte(c.G));
            out += char(TArtwork::Byte(c.R));
            out += char(TArtwork::Byte(art.Alpha(x, y)));
        }
    for (int y = h - 1; y >= 0; --y) {
        std::string row(size_t(maskStride), '\0');
        for (int x = 0; x < w; ++x)
            if (art.Alpha(x, y) < 0.5f)
                row[size_t(x / 8)] = char(row[size_t(x / 8)] | (0x80 >> (x % 8)));
        out += row;
    }
    return out;
}

// An icon file: the ICONDIR header, one 16-byte entry per image, then the images.
bool WriteIcon(const char* fileName, const std::vector<TArtwork>& images)
{
    std::vector<std::string> bodies;
    for (const TArtwork& art : images)
        bodies.push_back(IconImage(art));
    std::string out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, unsigned(images.size()));
    size_t offset = 6 + 16 * images.size();
    for (size_t i = 0; i < images.size(); ++i) {
        // A width or height of 256 is written as 0.
        out += char(images[i].Width() & 0xFF);
        out += char(images[i].Height() & 0xFF);
        out += char(0);  // no palette
        out += char(0);
        Put16(out, 1);   // planes
        Put16(out, 32);  // bits per pixel
        Put32(out, unsigned(bodies[i].size()));
        Put32(out, unsigned(offset));
        offset += bodies[i].size();
    }
    for (const std::string& body : bodies)
        out += body;
    FILE* file = std::fopen(fileName, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

// The icon at one size: the logo's lens on its own, filling the square, on transparency.
// Proportions follow the size, but the parts that carry the shape at 16 pixels (the dark
// outline, the silver rim, the pupil and the glint) never get thinner than about a pixel
// and a half, so the smallest icon still reads as a lens. The recording light shows from
// 24 pixels up, where there is room for it beside the rim.
TArtwork LensIcon(int size)
{
    TArtwork art(size, size);
    const float c = size / 2.0f;
    const float r = size / 2.0f - (size >= 48 ? size / 32.0f : 0.0f);
    const float rimWidth = std::max(1.5f, r * 0.16f);
    const float rimRadius = r - 0.6f - rimWidth / 2;
    const float inner = rimRadius - rimWidth / 2;
    const float iris = std::max(inner - std::max(0.9f, r * 0.1f), inner * 0.78f);
    const float pupil = std::max(1.6f, r * 0.3f);
    const float glint = std::max(1.1f, r * 0.13f);

    // The dark body with its outline, so the silver rim stands out on a light title bar.
    art.Layer({Disc(c, c, r)}, Rgb(9, 18, 30), 0.95f);
    art.Layer({Ring(c, c, rimRadius, rimWidth)}, [&](float, float y) {
        return Mix(Rgb(238, 242, 246), Rgb(140, 152, 166), std::clamp((y - (c - r)) / (2 * r), 0.0f, 1.0f));
    });
    art.Layer({Disc(c, c, inner)}, Rgb(16, 30, 46));
    art.Layer({Disc(c, c, iris)}, [&](float x, float y) {
        const float t = std::clamp((x - (c - iris) + y - (c - iris)) / (4 * iris), 0.0f, 1.0f);
        return Mix(Rgb(42, 205, 190), Rgb(40, 96, 214), t);
    });
    if (size >= 32)
        art.Layer({Ring(c, c, iris * 0.7f, std::max(1.0f, r * 0.04f))}, Rgb(12, 40, 70), 0.6f);
    art.Layer({Disc(c, c, pupil)}, Rgb(6, 12, 20));
    art.Layer({Disc(c - iris * 0.36f, c - iris * 0.38f, glint)}, Rgb(255, 255, 255), 0.9f);
    if (size >= 32)
        art.Layer({Disc(c + iris * 0.32f, c + iris * 0.34f, glint * 0.45f)}, Rgb(255, 255, 255), 0.5f);
    if (size >= 24) {
        const float lx = c + r * 0.74f, ly = c - r * 0.74f, lr = std::max(2.2f, r * 0.2f);
        art.Layer({Disc(lx, ly, lr)}, Rgb(9, 18, 30));
        art.Layer({Disc(lx, ly, lr * 0.68f)}, Rgb(255, 78, 78));
    }
    return art;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kivora-logo <logo.jpg> <icon.ico>\n");
        return 2;
    }
    TArtwork art(kLogoWidth, kLogoHeight);
    const TColour top = Rgb(22, 44, 70), bottom = Rgb(9, 18, 30), glow = Rgb(31, 150, 160);
    art.Fill([&](float x, float y) {
        TColour c = Mix(top, bottom, y / kLogoHeight);
        // A soft light behind the lens.
        const float d = std::hypot(x - 100, y - 100) / 150;
        return Mix(c, glow, std::clamp(0.35f * (1 - d), 0.0f, 1.0f));
    });

    // The lens: a silver rim, a dark barrel, a teal-to-blue iris, the pupil and a glint.
    art.Layer({Disc(100, 100, 70)}, Rgb(5, 10, 18), 0.45f);
    art.Layer({Ring(100, 100, 62, 12)}, [](float, float y) { return Mix(Rgb(238, 242, 246), Rgb(140, 152, 166), (y - 38) / 124); });
    art.Layer({Disc(100, 100, 55)}, Rgb(16, 30, 46));
    art.Layer({Disc(100, 100, 38)}, [](float x, float y) {
        const float t = std::clamp((x - 62 + y - 62) / 152, 0.0f, 1.0f);
        return Mix(Rgb(42, 205, 190), Rgb(40, 96, 214), t);
    });
    art.Layer({Ring(100, 100, 27, 2)}, Rgb(12, 40, 70), 0.6f);
    art.Layer({Disc(100, 100, 16)}, Rgb(6, 12, 20));
    art.Layer({Disc(87, 86, 7)}, Rgb(255, 255, 255), 0.85f);
    art.Layer({Disc(112, 113, 3)}, Rgb(255, 255, 255), 0.5f);
    // The recording light.
    art.Layer({Disc(152, 46, 9)}, Rgb(9, 18, 30));
    art.Layer({Disc(152, 46, 6.5f)}, Rgb(255, 78, 78));

    // The name, with a faint shadow, and a rule under it.
    const float baseline = 122, left = 192;
    art.Layer(NameStrokes(left + 2, baseline + 3, 10), Rgb(0, 0, 0), 0.35f);
    art.Layer(NameStrokes(left, baseline, 10), Rgb(246, 249, 252));
    art.Layer({Stroke(left, 148, 452, 148, 3)}, [](float x, float) {
        return Mix(Rgb(42, 205, 190), Rgb(40, 96, 214), std::clamp((x - 200) / 252, 0.0f, 1.0f));
    });
    // Three small frames under the rule: snapshots.
    for (int i = 0; i < 3; ++i) {
        const float x = 200 + i * 22;
        art.Layer({Stroke(x, 166, x + 14, 166, 1.5f), Stroke(x, 176, x + 14, 176, 1.5f), Stroke(x, 166, x, 176, 1.5f),
                   Stroke(x + 14, 166, x + 14, 176, 1.5f)},
                  Rgb(150, 170, 190), 0.8f);
    }

    if (!art.WriteJpeg(argv[1])) {
        std::fprintf(stderr, "kivora-logo: cannot write %s\n", argv[1]);
        return 1;
    }
    std::vector<TArtwork> icons;
    for (int size : {16, 24, 32, 48, 256})
        icons.push_back(LensIcon(size));
    if (!WriteIcon(argv[2], icons)) {
        std::fprintf(stderr, "kivora-logo: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
