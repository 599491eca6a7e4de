// Small skins made in the test: an INI text and pictures whose sizes and colours the test
// chooses, packed as a skin file and loaded into a skin component.
#pragma once

#include "skin/SkinData.h"
#include "skin/core/SkinArchiveWriter.h"
#include "framework/Bitmap.h"
#include "framework/Stream.h"

#include <functional>
#include <string>
#include <vector>

namespace crafted {

using TPaint = std::function<COLORREF(int x, int y)>;

inline std::vector<std::uint8_t> Bmp(int width, int height, const TPaint& paint)
{
    TBitmap picture(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = paint(x, y);
            std::uint8_t* p = picture.ScanLine(y) + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    TMemoryStream stream;
    picture.SaveToStream(stream);
    return stream.Bytes();
}

inline TPaint Solid(COLORREF c)
{
    return [c](int, int) { return c; };
}

// A skin with borders of the given thickness (top and bottom with two stacked frames, the
// sides with one), their Trans values, and the INI lines given after them.
struct TSkinPlan {
    int Left = 4, Top = 24, Right = 5, Bottom = 6;
    int TransLeft = 0, TransTop = 0, TransRight = 0, TransBottom = 0;
    TPaint BottomPaint = Solid(RGB(40, 60, 80));
    std::string ExtraIni;  // more sections (title-bar buttons)
    std::vector<TSkinMember> ExtraPictures;
};

inline std::vector<std::uint8_t> Pack(const TSkinPlan& s)
{
    std::string ini = "[Personality]\n";
    const auto border = [&](const char* name, int trans, const char* file) {
        ini += std::string(name) + "=" + file + "\n" + name + "Trans=" + std::to_string(trans) + "\n";
    };
    border("Left", s.TransLeft, "l.bmp");
    border("Right", s.TransRight, "r.bmp");
    border("Top", s.TransTop, "t.bmp");
    border("Bottom", s.TransBottom, "b.bmp");
    ini += "TopFrame=2\nBottomFrame=2\nTextShift=30\nTextRightClip=40\n";
    ini += s.ExtraIni;
    std::vector<TSkinMember> members = {
        {"skin.ini", {ini.begin(), ini.end()}},
        {"l.bmp", Bmp(s.Left, 40, Solid(RGB(10, 20, 30)))},
        {"r.bmp", Bmp(s.Right, 40, Solid(RGB(10, 20, 31)))},
        {"t.bmp", Bmp(60, 2 * s.Top, Solid(RGB(50, 70, 90)))},
        {"b.bmp", Bmp(60, 2 * s.Bottom, s.BottomPaint)},
    };
    members.insert(members.end(), s.ExtraPictures.begin(), s.ExtraPictures.end());
    return PackSkin(members);
}

// Three buttons at the right like Kivora's: minimize, maximize, close; 3 frames of 10 x 8.
inline void AddCaptionButtons(TSkinPlan& s)
{
    s.ExtraIni +=
        "[Button0]\nAction=2\nAlign=1\nXcoord=40\nYcoord=5\nVisibility=0\nButtonImage=min.bmp\nframe=3\n"
        "[Button1]\nAction=1\nAlign=1\nXcoord=28\nYcoord=5\nVisibility=0\nButtonImage=max.bmp\nframe=3\n"
        "[Button2]\nAction=0\nAlign=1\nXcoord=16\nYcoord=5\nVisibility=0\nButtonImage=close.bmp\nframe=3\n";
    for (const char* name : {"min.bmp", "max.bmp", "close.bmp"})
        s.ExtraPictures.push_back({name, Bmp(30, 8, Solid(RGB(200, 100, 0)))});
}

}  // namespace crafted
