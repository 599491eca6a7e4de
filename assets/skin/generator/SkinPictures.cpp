#include "SkinPictures.h"

#include <cmath>

namespace {

// Palette.
constexpr TRgb kAccent = Rgb(47, 128, 237);
constexpr TRgb kAccentLight = Rgb(120, 176, 250);
constexpr TRgb kFrameOuter = Rgb(31, 42, 56);
constexpr TRgb kFrameInner = Rgb(59, 74, 94);
constexpr TRgb kTitleTop = Rgb(52, 71, 95);
constexpr TRgb kTitleBottom = Rgb(38, 53, 71);
constexpr TRgb kTitleIdleTop = Rgb(238, 240, 243);
constexpr TRgb kTitleIdleBottom = Rgb(223, 227, 232);
constexpr TRgb kFace = Rgb(224, 224, 224);
constexpr TRgb kMenubar = Rgb(206, 214, 221);
constexpr TRgb kBorder = Rgb(160, 168, 178);
constexpr TRgb kBorderDark = Rgb(110, 120, 135);
constexpr TRgb kDisabled = Rgb(200, 202, 205);
constexpr TRgb kGlyph = Rgb(60, 70, 84);
constexpr TRgb kWhite = Rgb(255, 255, 255);
constexpr TRgb kClose = Rgb(229, 72, 77);

enum TState { stNormal, stPressed, stHot, stDisabled, stDefault, stFocused };

// Face colours (top, bottom) and border of a raised control in a state.
struct TLook {
    TRgb Top, Bottom, Border;
};

TLook LookOf(TState s)
{
    switch (s) {
    case stPressed: return {Rgb(208, 212, 218), Rgb(222, 225, 229), kBorderDark};
    case stHot: return {Rgb(252, 253, 255), Rgb(229, 238, 250), kAccent};
    case stDisabled: return {Rgb(238, 238, 239), Rgb(232, 232, 233), kDisabled};
    case stDefault: return {Rgb(248, 249, 250), Rgb(231, 233, 236), kAccent};
    case stFocused: return {Rgb(255, 255, 255), Rgb(255, 255, 255), kAccent};
    default: return {Rgb(248, 249, 250), Rgb(231, 233, 236), kBorder};
    }
}

// One frame per state, side by side, in the order given.
template <typename TDraw>
TPicture StateStrip(std::initializer_list<TState> states, TDraw&& draw)
{
    std::vector<TPicture> frames;
    for (TState s : states)
        frames.push_back(draw(s));
    return Strip(frames);
}

// A rounded, bordered face filling a w x h frame; the corners stay transparent.
TPicture Face(int w, int h, TState s, double radius = 3)
{
    const TLook look = LookOf(s);
    TPicture p(w, h);
    p.Paint(RoundRect(0, 0, w, h, radius), look.Border);
    p.PaintGradient(RoundRect(1, 1, w - 1, h - 1, radius - 1), 1, h - 1, look.Top, look.Bottom);
    if (s == stDefault)
        p.Paint(Subtract(RoundRect(1, 1, w - 1, h - 1, radius - 1), RoundRect(2, 2, w - 2, h - 2, radius - 2)),
                kAccentLight);
    return p;
}

// A chevron pointing in direction (dx, dy), centred at (cx, cy).
TShape Chevron(double cx, double cy, double size, int dx, int dy, double thickness = 1.7)
{
    // Tip ahead of the centre, arms behind it.
    const double tipX = cx + dx * size / 2, tipY = cy + dy * size / 2;
    const double backX = cx - dx * size / 2, backY = cy - dy * size / 2;
    const double sideX = dy * size, sideY = dx * size;
    return Union(Segment(backX + sideX, backY + sideY, tipX, tipY, thickness),
                 Segment(backX - sideX, backY - sideY, tipX, tipY, thickness));
}

TRgb GlyphColour(TState s)
{
    return s == stDisabled ? Rgb(170, 174, 180) : s == stHot || s == stPressed ? Rgb(30, 90, 180) : kGlyph;
}

// --- Window frame ---------------------------------------------------------------------

TPicture TitleFrame(bool active)
{
    const int w = 240, h = 30;
    TPicture p(w, h);
    p.Gradient(0, 0, w, h, active ? kTitleTop : kTitleIdleTop, active ? kTitleBottom : kTitleIdleBottom);
    p.FillRect(0, 0, w, 1, kFrameOuter);
    p.FillRect(0, 1, w, 2, active ? Rgb(70, 92, 120) : kWhite);
    p.FillRect(0, h - 2, w, h, active ? kAccent : Rgb(197, 204, 213));
    // The lens emblem between the window icon and the caption.
    const TRgb lens = active ? kAccentLight : Rgb(154, 164, 176);
    p.Paint(Ring(41, 14.5, 6.5, 2.2), lens);
    p.Paint(Circle(41, 14.5, 2.4), lens);
    p.Paint(Circle(45.5, 9.5, 1.1), active ? kWhite : Rgb(190, 196, 204));
    return p;
}

TPicture SideBorder(bool left)
{
    TPicture p(4, 60, kFrameInner);
    p.FillRect(left ? 0 : 3, 0, left ? 1 : 4, 60, kFrameOuter);
    p.FillRect(0, 0, 4, 1, kFrameOuter);
    p.FillRect(0, 59, 4, 60, kFrameOuter);
    return p;
}

TPicture BottomBorder()
{
    TPicture p(32, 4, kFrameInner);
    p.FillRect(0, 3, 32, 4, kFrameOuter);
    return p;
}

TPicture MenuBarFrame(bool active)
{
    TPicture p(40, 20);
    p.Gradient(0, 0, 40, 20, active ? Rgb(214, 221, 228) : Rgb(226, 230, 234), active ? kMenubar : Rgb(216, 221, 226));
    p.FillRect(0, 19, 40, 20, Rgb(180, 190, 200));
    return p;
}

// Title-bar buttons: three frames (normal, pressed, hot) of 19 x 20; a rounded chip that
// reads on both the dark active and the light inactive title.
enum TTitleGlyph { tgMinimize, tgMaximize, tgRestore, tgClose };

TPicture TitleButtonFrame(TTitleGlyph glyph, TState s)
{
    TPicture p(19, 20);
    const bool close = glyph == tgClose;
    TRgb chip = Rgb(70, 86, 108);
    if (s == stHot)
        chip = close ? kClose : Rgb(92, 112, 144);
    if (s == stPressed)
        chip = close ? Rgb(184, 56, 60) : Rgb(45, 58, 76);
    p.Paint(RoundRect(1, 2, 18, 18, 3.5), chip);
    const TRgb ink = Rgb(236, 241, 246);
    switch (glyph) {
    case tgMinimize: p.Paint(Segment(6, 12.5, 13, 12.5, 1.6), ink); break;
    case tgMaximize: p.Paint(Subtract(RoundRect(5.5, 6.5, 13.5, 13.5, 1), RoundRect(7, 8.5, 12, 12, 0.5)), ink); break;
    case tgRestore:
        p.Paint(Subtract(RoundRect(7.5, 5.5, 14, 11.5, 1), RoundRect(9, 7, 12.5, 10, 0.3)), ink);
        p.Paint(RoundRect(5, 8, 11.5, 14, 1), chip);
        p.Paint(Subtract(RoundRect(5, 8, 11.5, 14, 1), RoundRect(6.5, 9.5, 10, 12.5, 0.3)), ink);
        break;
    case tgClose:
        p.Paint(Union(Segment(6.5, 6.5, 12.5, 13.5, 1.6), Segment(12.5, 6.5, 6.5, 13.5, 1.6)), ink);
        break;
    }
    return p;
}

TPicture TitleButton(TTitleGlyph glyph)
{
    return Strip({TitleButtonFrame(glyph, stNormal), TitleButtonFrame(glyph, stPressed), TitleButtonFrame(glyph, stHot)});
}

// The three buttons of a maximized MDI child on the menu bar: minimize, restore, close,
// each in four states (normal, pressed, hot, inactive), 15 x 15.
TPicture MdiButtons()
{
    std::vector<TPicture> frames;
    for (TTitleGlyph glyph : {tgMinimize, tgRestore, tgClose})
        for (TState s : {stNormal, stPressed, stHot, stDisabled}) {
            TPicture p(15, 15);
            const TLook look = LookOf(s == stDisabled ? stDisabled : s);
            p.Paint(RoundRect(0, 0, 15, 15, 2.5), look.Border);
            p.PaintGradient(RoundRect(1, 1, 14, 14, 1.5), 1, 14, look.Top, look.Bottom);
            const TRgb ink = s == stDisabled ? Rgb(170, 174, 180) : (glyph == tgClose && s == stHot ? kClose : kGlyph);
            if (glyph == tgMinimize)
                p.Paint(Segment(4.5, 10, 10.5, 10, 1.5), ink);
            else if (glyph == tgRestore)
                p.Paint(Subtract(RoundRect(4, 4, 11, 11, 0.8), RoundRect(5.5, 6, 9.5, 9.5, 0.3)), ink);
            else
                p.Paint(Union(Segment(4.8, 4.8, 10.2, 10.2, 1.5), Segment(10.2, 4.8, 4.8, 10.2, 1.5)), ink);
            frames.push_back(p);
        }
    return Strip(frames);
}

// --- Controls ---------------------------------------------------------------------------

TPicture PushButtons()
{
    return Strip({Face(24, 24, stNormal), Face(24, 24, stPressed), Face(24, 24, stDisabled), Face(24, 24, stHot),
                  Face(24, 24, stDefault)});
}

// Check marks, 13 x 13: unchecked, checked, unchecked disabled, checked disabled, mixed.
TPicture CheckBoxes()
{
    std::vector<TPicture> frames;
    const struct { bool Checked, Disabled, Mixed; } marks[] = {
        {false, false, false}, {true, false, false}, {false, true, false}, {true, true, false}, {false, false, true}};
    for (const auto& m : marks) {
        TPicture p(13, 13);
        const TRgb fill = m.Checked && !m.Disabled ? kAccent : m.Disabled ? Rgb(240, 240, 241) : kWhite;
        p.Paint(RoundRect(0, 0, 13, 13, 2.5), m.Checked && !m.Disabled ? Rgb(36, 104, 200) : m.Disabled ? kDisabled : kBorderDark);
        p.Paint(RoundRect(1, 1, 12, 12, 1.5), fill);
        if (m.Checked)
            p.Paint(Union(Segment(3.3, 6.8, 5.5, 9.2, 1.7), Segment(5.5, 9.2, 9.8, 3.8, 1.7)),
                    m.Disabled ? Rgb(160, 164, 170) : kWhite);
        if (m.Mixed)
            p.Paint(RoundRect(3.5, 5.5, 9.5, 7.5, 0.5), kAccent);
        frames.push_back(p);
    }
    return Strip(frames);
}

// Radio marks, 13 x 13: unchecked, checked, unchecked disabled, checked disabled, hot.
TPicture RadioButtons()
{
    std::vector<TPicture> frames;
    const struct { bool Checked, Disabled, Hot; } marks[] = {
        {false, false, false}, {true, false, false}, {false, true, false}, {true, true, false}, {false, false, true}};
    for (const auto& m : marks) {
        TPicture p(13, 13);
        p.Paint(Circle(6.5, 6.5, 6.4), m.Disabled ? kDisabled : m.Hot || m.Checked ? kAccent : kBorderDark);
        p.Paint(Circle(6.5, 6.5, 5.3), m.Disabled ? Rgb(240, 240, 241) : kWhite);
        if (m.Checked)
            p.Paint(Circle(6.5, 6.5, 3.0), m.Disabled ? Rgb(160, 164, 170) : kAccent);
        frames.push_back(p);
    }
    return Strip(frames);
}

TPicture ProgressBar()
{
    TPicture track(20, 14);
    track.Paint(RoundRect(0, 0, 20, 14, 3), kBorder);
    track.PaintGradient(RoundRect(1, 1, 19, 13, 2), 1, 13, Rgb(226, 229, 233), Rgb(242, 244, 246));
    TPicture fill(20, 14);
    fill.Paint(RoundRect(0, 0, 20, 14, 3), Rgb(36, 104, 200));
    fill.PaintGradient(RoundRect(1, 1, 19, 13, 2), 1, 13, kAccentLight, kAccent);
    return Strip({track, fill});
}

TPicture ProgressChunk()
{
    TPicture p(8, 14);
    p.PaintGradient(RoundRect(0, 1, 7, 13, 1.5), 1, 13, kAccentLight, kAccent);
    return p;
}

// Flat tool buttons: normal (nothing), pressed, disabled (nothing), hot, checked.
TPicture ToolButtons()
{
    auto tool = [](TState s, bool checked) {
        TPicture p(22, 22);
        if (s == stNormal || s == stDisabled)
            return p;
        const TRgb border = s == stHot ? kAccentLight : kBorderDark;
        const TRgb top = s == stHot ? Rgb(240, 246, 254) : checked ? Rgb(220, 232, 248) : Rgb(208, 214, 222);
        p.Paint(RoundRect(0, 0, 22, 22, 3), border);
        p.PaintGradient(RoundRect(1, 1, 21, 21, 2), 1, 21, top, s == stHot ? Rgb(222, 235, 252) : top);
        return p;
    };
    return Strip({tool(stNormal, false), tool(stPressed, false), tool(stDisabled, false), tool(stHot, false),
                  tool(stPressed, true)});
}

// Scroll bar arrows, 17 x 17: left, right, up, down, each normal, pressed, hot, disabled;
// then seven plain squares.
TPicture ScrollArrows()
{
    std::vector<TPicture> frames;
    const int dirs[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& d : dirs)
        for (TState s : {stNormal, stPressed, stHot, stDisabled}) {
            TPicture p(17, 17, Rgb(236, 238, 241));
            if (s == stPressed || s == stHot)
                p.Paint(RoundRect(1, 1, 16, 16, 2.5), s == stPressed ? Rgb(196, 204, 214) : Rgb(218, 226, 236));
            p.Paint(Chevron(8.5, 8.5, 4.2, d[0], d[1]), GlyphColour(s));
            frames.push_back(p);
        }
    while (frames.size() < 23)
        frames.emplace_back(17, 17, Rgb(236, 238, 241));
    return Strip(frames);
}

TPicture ScrollTrack(bool horizontal)
{
    std::vector<TPicture> frames;
    for (TRgb c : {Rgb(236, 238, 241), Rgb(222, 226, 232), Rgb(244, 244, 245), Rgb(230, 234, 239)}) {
        TPicture p(17, 17, c);
        if (horizontal)
            p.FillRect(0, 0, 17, 1, Rgb(214, 218, 224));
        else
            p.FillRect(0, 0, 1, 17, Rgb(214, 218, 224));
        frames.push_back(p);
    }
    return Strip(frames);
}

// Thumbs: normal, pressed, hot, disabled; a slim rounded pill inside the 17-pixel bar.
TPicture ScrollThumb(bool horizontal)
{
    std::vector<TPicture> frames;
    for (TRgb c : {Rgb(168, 176, 188), Rgb(96, 110, 130), Rgb(132, 144, 160), Rgb(214, 218, 222)}) {
        const int w = horizontal ? 26 : 17, h = horizontal ? 17 : 26;
        TPicture p(w, h);
        p.Paint(horizontal ? RoundRect(1, 4, w - 1, h - 4, 4.5) : RoundRect(4, 1, w - 4, h - 1, 4.5), c);
        frames.push_back(p);
    }
    return Strip(frames);
}

// Tabs: normal, selected, disabled, hot, pressed; open at the bottom.
TPicture Tabs()
{
    return StateStrip({stNormal, stFocused, stDisabled, stHot, stPressed}, [](TState s) {
        const TLook look = LookOf(s);
        TPicture p(32, 24);
        p.Paint(RoundRect(0, 0, 32, 28, 4), s == stFocused ? kBorder : look.Border);
        p.PaintGradient(RoundRect(1, 1, 31, 28, 3), 1, 24, look.Top, s == stFocused ? kWhite : look.Bottom);
        if (s == stFocused)
            p.Paint(RoundRect(2, 1, 30, 3, 1), kAccent);
        return p;
    });
}

// The page border around a tab control's page area: a one-pixel outline in the border
// colour with the face inside; only the corners and edges (4 and 5 pixels) are used.
TPicture TabBorder()
{
    TPicture p(16, 16, kFace);
    p.Frame(0, 0, 16, 16, kBorder);
    p.FillRect(1, 1, 15, 2, kWhite);
    p.FillRect(1, 1, 2, 15, kWhite);
    return p;
}

// Up-down buttons, 16 x 12 each: the first button (up or left) normal, pressed, disabled,
// hot, then the second; square faces like the scroll arrows'.
TPicture UpDownButtons()
{
    std::vector<TPicture> frames;
    for (int button = 0; button < 2; ++button)
        for (TState s : {stNormal, stPressed, stDisabled, stHot}) {
            const TLook look = LookOf(s);
            TPicture p(16, 12);
            p.FillRect(0, 0, 16, 12, look.Border);
            p.Gradient(1, 1, 15, 11, look.Top, look.Bottom);
            frames.push_back(p);
        }
    return Strip(frames);
}

// The up-down glyphs in the same eight states, 8 x 6 chevrons on magenta.
TPicture UpDownGlyphs(bool horizontal)
{
    std::vector<TPicture> frames;
    for (int button = 0; button < 2; ++button)
        for (TState s : {stNormal, stPressed, stDisabled, stHot}) {
            const int w = horizontal ? 6 : 8, h = horizontal ? 8 : 6;
            TPicture p(w, h);
            const int dir = button == 0 ? -1 : 1;
            p.Paint(horizontal ? Chevron(w / 2.0, h / 2.0, 3.2, dir, 0, 1.5) : Chevron(w / 2.0, h / 2.0, 3.2, 0, dir, 1.5),
                    GlyphColour(s));
            frames.push_back(p);
        }
    return Strip(frames);
}

// Track-bar thumbs: normal, hot, pressed, disabled, focused (frame 2 is shown); a rounded
// slab, upright for horizontal bars and lying for vertical ones.
TPicture TrackThumbs(bool vertical)
{
    return StateStrip({stNormal, stHot, stPressed, stDisabled, stFocused}, [vertical](TState s) {
        const int w = vertical ? 21 : 11, h = vertical ? 11 : 21;
        const TLook look = LookOf(s == stFocused ? stHot : s);
        TPicture p(w, h);
        p.Paint(RoundRect(0, 0, w, h, 3), s == stHot ? kAccent : kBorderDark);
        p.PaintGradient(RoundRect(1, 1, w - 1, h - 1, 2), 1, h - 1, look.Top, look.Bottom);
        if (vertical)
            p.FillRect(5, 5, w - 5, 6, kAccent);
        else
            p.FillRect(5, 5, 6, h - 5, kAccent);
        return p;
    });
}

// Combo arrow glyphs (normal, pressed, disabled, hot) and the size grip.
TPicture ExtraImages()
{
    std::vector<TPicture> frames;
    for (TState s : {stNormal, stPressed, stDisabled, stHot}) {
        TPicture p(12, 12);
        p.Paint(Chevron(6, 6, 3.6, 0, 1), GlyphColour(s));
        frames.push_back(p);
    }
    TPicture grip(12, 12);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= i; ++j)
            grip.Paint(Circle(10 - 3.5 * j, 10 - 3.5 * (i - j), 1.0), Rgb(150, 158, 170));
    frames.push_back(grip);
    return Strip(frames);
}

// Edit and combo frames: normal, pressed, disabled, hot. The inside stays transparent so
// the control's own face shows.
TPicture SunkEdge()
{
    return StateStrip({stNormal, stPressed, stDisabled, stHot}, [](TState s) {
        TPicture p(24, 21);
        const TRgb border = s == stPressed || s == stHot ? kAccent : s == stDisabled ? kDisabled : kBorder;
        p.Paint(Subtract(RoundRect(0, 0, 24, 21, 3), RoundRect(2, 2, 22, 19, 1)), border);
        p.Paint(Subtract(RoundRect(1, 1, 23, 20, 2), RoundRect(2, 2, 22, 19, 1)), kWhite);
        return p;
    });
}

TPicture ComboButton()
{
    return StateStrip({stNormal, stPressed, stDisabled, stHot}, [](TState s) {
        const TLook look = LookOf(s);
        TPicture p(19, 21);
        p.FillRect(0, 3, 1, 18, s == stDisabled ? kDisabled : Rgb(208, 212, 218));
        p.PaintGradient(RoundRect(1, 2, 17, 19, 2), 2, 19, look.Top, look.Bottom);
        return p;
    });
}

TPicture GroupBoxLabel()
{
    TPicture p(60, 20);
    p.Paint(RoundRect(0, 0, 60, 20, 5), Rgb(200, 208, 218));
    p.PaintGradient(RoundRect(1, 1, 59, 19, 4), 1, 19, Rgb(246, 248, 250), Rgb(232, 236, 241));
    return p;
}

// Column headers: normal, pressed, disabled, hot, sorted.
TPicture HeaderBar()
{
    return StateStrip({stNormal, stPressed, stDisabled, stHot, stFocused}, [](TState s) {
        const TLook look = LookOf(s);
        TPicture p(40, 20);
        p.Gradient(0, 0, 40, 20, look.Top, s == stFocused ? Rgb(236, 243, 253) : look.Bottom);
        p.FillRect(0, 19, 40, 20, s == stHot || s == stFocused ? kAccent : kBorder);
        p.FillRect(39, 3, 40, 17, Rgb(200, 204, 210));
        return p;
    });
}

// Status panels: lowered, raised, plain.
TPicture StatusEdges()
{
    TPicture lowered(12, 12, kFace), raised(12, 12, kFace), plain(12, 12, kFace);
    lowered.FillRect(0, 0, 12, 1, Rgb(176, 182, 190));
    lowered.FillRect(0, 0, 1, 12, Rgb(176, 182, 190));
    lowered.FillRect(0, 11, 12, 12, Rgb(244, 245, 247));
    lowered.FillRect(11, 0, 12, 12, Rgb(244, 245, 247));
    raised.FillRect(0, 0, 12, 1, Rgb(244, 245, 247));
    raised.FillRect(0, 0, 1, 12, Rgb(244, 245, 247));
    raised.FillRect(0, 11, 12, 12, Rgb(176, 182, 190));
    raised.FillRect(11, 0, 12, 12, Rgb(176, 182, 190));
    return Strip({lowered, raised, plain});
}

// Menu items: normal, separator, disabled, selected, checked. Everything the item does not
// draw on is magenta (the section says Trans=1), so the menu background and its left gutter
// show through; the separator is a groove across the frame's lower half, where a short
// separator item shows the frame's bottom rows.
TPicture MenuItems()
{
    std::vector<TPicture> frames;
    for (int frame = 1; frame <= 5; ++frame) {
        TPicture p(30, 20);
        switch (frame) {
        case 2:
            p.FillRect(0, 15, 30, 16, Rgb(206, 212, 220));
            p.FillRect(0, 16, 30, 17, Rgb(255, 255, 255));
            break;
        case 4:  // in the skin's highlight colour, under its white highlighted text
            p.Paint(RoundRect(1, 1, 29, 19, 3), Rgb(36, 104, 204));
            p.PaintGradient(RoundRect(2, 2, 28, 18, 2), 2, 18, Rgb(66, 145, 244), Rgb(47, 128, 237));
            break;
        case 5:
            p.Paint(RoundRect(2, 2, 18, 18, 2), Rgb(221, 235, 253));
            break;
        default:
            break;
        }
        frames.push_back(p);
    }
    return Strip(frames);
}

// The popup menu: a light face with a grey gutter for the glyphs at the left, and an
// outline, so the menu stands out from whatever lies under it.
TPicture MenuBackground()
{
    TPicture p(40, 40, Rgb(250, 251, 252));
    p.FillRect(0, 0, 24, 40, Rgb(239, 242, 245));
    p.FillRect(24, 0, 25, 40, Rgb(226, 230, 235));
    p.Frame(0, 0, 40, 40, Rgb(150, 158, 170));
    return p;
}

TPicture DialogBackground()
{
    TPicture p(64, 64);
    p.Gradient(0, 0, 64, 64, Rgb(236, 238, 241), kFace);
    return p;
}

TPicture ToolbarBackground()
{
    TPicture p(64, 28);
    p.Gradient(0, 0, 64, 28, Rgb(240, 242, 245), Rgb(222, 226, 231));
    p.FillRect(0, 27, 64, 28, Rgb(196, 202, 210));
    return p;
}

}  // namespace

std::vector<TNamedPicture> DrawSkinPictures()
{
    return {
        {"top.bmp", Strip({TitleFrame(true), TitleFrame(false)}, true)},
        {"left.bmp", SideBorder(true)},
        {"right.bmp", SideBorder(false)},
        {"bottom.bmp", BottomBorder()},
        {"menu.bmp", Strip({MenuBarFrame(true), MenuBarFrame(false)}, true)},
        {"btnmin.bmp", TitleButton(tgMinimize)},
        {"btnmax.bmp", TitleButton(tgMaximize)},
        {"btnclose.bmp", TitleButton(tgClose)},
        {"btnrestore.bmp", TitleButton(tgRestore)},
        {"corpx_mdib.bmp", MdiButtons()},
        {"button.bmp", PushButtons()},
        {"checkbox.bmp", CheckBoxes()},
        {"radio.bmp", RadioButtons()},
        {"progress.bmp", ProgressBar()},
        {"progresschunk.bmp", ProgressChunk()},
        {"toolbar.bmp", ToolButtons()},
        {"toolbar2.bmp", ToolbarBackground()},
        {"scrollbar.bmp", ScrollArrows()},
        {"hscroll.bmp", ScrollTrack(true)},
        {"vscroll.bmp", ScrollTrack(false)},
        {"hthumb.bmp", ScrollThumb(true)},
        {"vthumb.bmp", ScrollThumb(false)},
        {"tabs.bmp", Tabs()},
        {"tabborder.bmp", TabBorder()},
        {"updown.bmp", UpDownButtons()},
        {"updownvglyph.bmp", UpDownGlyphs(false)},
        {"updownhglyph.bmp", UpDownGlyphs(true)},
        {"trackthumbh.bmp", TrackThumbs(false)},
        {"trackthumbv.bmp", TrackThumbs(true)},
        {"extraimages.bmp", ExtraImages()},
        {"sunkedge.bmp", SunkEdge()},
        {"combobutton.bmp", ComboButton()},
        {"groupbox.bmp", GroupBoxLabel()},
        {"headerbar.bmp", HeaderBar()},
        {"statusbar.bmp", StatusEdges()},
        {"menuitem.bmp", MenuItems()},
        {"menubg.bmp", MenuBackground()},
        {"dialog.bmp", DialogBackground()},
    };
}

TPicture DrawWindowMenuGlyphs()
{
    TPicture p(64, 16, kWhite);
    const TRgb ink = Rgb(0, 0, 0);
    // Restore: two overlapping windows.
    p.Frame(5, 2, 14, 10, ink);
    p.FillRect(5, 3, 14, 4, ink);
    p.FillRect(2, 5, 11, 14, kWhite);
    p.Frame(2, 5, 11, 14, ink);
    p.FillRect(2, 6, 11, 7, ink);
    // Maximize: one window with a thick title edge.
    p.Frame(16 + 2, 2, 16 + 14, 14, ink);
    p.FillRect(16 + 2, 3, 16 + 14, 4, ink);
    // Minimize: a bar.
    p.FillRect(32 + 3, 11, 32 + 11, 13, ink);
    // Close: an X.
    for (int i = 0; i < 9; ++i) {
        p.FillRect(48 + 3 + i, 3 + i, 48 + 5 + i, 4 + i, ink);
        p.FillRect(48 + 11 - i, 3 + i, 48 + 13 - i, 4 + i, ink);
    }
    return p;
}
