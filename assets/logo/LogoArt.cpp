// Draws Kivora's about-window logo (480 x 200) and writes it as a JPEG file.
//
// The artwork is built from shapes measured by their distance to each pixel, so every
// edge is smooth without supersampling: a camera lens on the left, the program's name in
// stroked lower-case letters on the right, on a dark blue field. Runs on the build machine
// at build time; the program carries the result as an RCDATA resource.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 200;

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

class TArtwork {
public:
    TArtwork() : FPixels(kWidth * kHeight) {}

    // Fills every pixel from a function of its position.
    template <typename Paint> void Fill(Paint paint)
    {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                FPixels[y * kWidth + x] = paint(x + 0.5f, y + 0.5f);
    }

    // Lays one layer over the picture: the union of the shapes, coloured by position,
    // its edge anti-aliased over about a pixel, at the given opacity.
    template <typename Paint> void Layer(const std::vector<TShape>& shapes, Paint paint, float opacity = 1)
    {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const TPoint p{x + 0.5f, y + 0.5f};
                float d = 1e9f;
                for (const TShape& s : shapes)
                    d = std::min(d, s.Distance(p));
                const float coverage = std::clamp(0.5f - d, 0.0f, 1.0f) * opacity;
                if (coverage > 0)
                    FPixels[y * kWidth + x] = Mix(FPixels[y * kWidth + x], paint(p.X, p.Y), coverage);
            }
    }

    // A layer in one colour.
    void Layer(const std::vector<TShape>& shapes, TColour colour, float opacity = 1)
    {
        Layer(shapes, [colour](float, float) { return colour; }, opacity);
    }

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
        info.image_width = kWidth;
        info.image_height = kHeight;
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, 92, TRUE);
        jpeg_start_compress(&info, TRUE);
        std::vector<JSAMPLE> row(kWidth * 3);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const TColour& c = FPixels[y * kWidth + x];
                row[x * 3 + 0] = static_cast<JSAMPLE>(std::clamp(c.R, 0.0f, 1.0f) * 255 + 0.5f);
                row[x * 3 + 1] = static_cast<JSAMPLE>(std::clamp(c.G, 0.0f, 1.0f) * 255 + 0.5f);
                row[x * 3 + 2] = static_cast<JSAMPLE>(std::clamp(c.B, 0.0f, 1.0f) * 255 + 0.5f);
            }
            JSAMPROW rows[] = {row.data()};
            jpeg_write_scanlines(&info, rows, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        return std::fclose(file) == 0;
    }

private:
    std::vector<TColour> FPixels;
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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kivora-logo <out.jpg>\n");
        return 2;
    }
    TArtwork art;
    const TColour top = Rgb(22, 44, 70), bottom = Rgb(9, 18, 30), glow = Rgb(31, 150, 160);
    art.Fill([&](float x, float y) {
        TColour c = Mix(top, bottom, y / kHeight);
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
    return 0;
}
