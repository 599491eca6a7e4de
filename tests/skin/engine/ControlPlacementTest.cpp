// The choices the control skins make from a control's state: which frame of the skin's
// pictures a push, glyph, speed button, check box, radio button or combo box shows, where
// marks, glyphs, captions and status-panel texts go.
#include "skin/engine/controls/CheckMarks.h"
#include "skin/engine/controls/GlyphPlacement.h"
#include "skin/engine/controls/SkinBitButton.h"
#include "skin/engine/controls/SkinButton.h"
#include "skin/engine/controls/SkinComBox.h"
#include "skin/engine/controls/SkinSpeedButton.h"
#include "skin/engine/controls/SkinStatusBar.h"

#include <gtest/gtest.h>

namespace {

TEST(ControlFrames, ButtonFramesFollowTheStateTables)
{
    const struct {
        bool Enabled;
        int Mouse;
        bool Default, Focused;
        int Push, Glyph;
    } table[] = {
        {true, 0, false, false, 1, 1},
        {false, msOver | msDown, true, true, 3, 3},  // disabled wins, even hovered
        {true, msDown | msOver, false, false, 2, 2},
        {true, msOver, true, false, 4, 4},
        {true, 0, true, true, 5, 4},  // default wins for a push button, focus for a glyph button
        {true, 0, false, true, 4, 4},
        {true, 0, true, false, 5, 5},
    };
    for (const auto& row : table) {
        EXPECT_EQ(TSkinButton::PushFrame(row.Enabled, row.Mouse, row.Default, row.Focused), row.Push);
        EXPECT_EQ(TSkinBitButton::GlyphFrame(row.Enabled, row.Mouse, row.Focused, row.Default), row.Glyph);
    }
    // Speed buttons: down wins over disabled.
    EXPECT_EQ(TSkinSpeedButton::SpeedFrame(true, false, 0), 2);
    EXPECT_EQ(TSkinSpeedButton::SpeedFrame(false, false, msOver), 3);
    EXPECT_EQ(TSkinSpeedButton::SpeedFrame(false, true, msDown | msOver), 2);
    EXPECT_EQ(TSkinSpeedButton::SpeedFrame(false, true, msOver), 4);
    EXPECT_EQ(TSkinSpeedButton::SpeedFrame(false, true, 0), 1);
    // Glyph index: pressed 3, disabled 2, otherwise 1.
    EXPECT_EQ(TSkinBitButton::GlyphIndexOf(2), 3);
    EXPECT_EQ(TSkinBitButton::GlyphIndexOf(3), 2);
    EXPECT_EQ(TSkinBitButton::GlyphIndexOf(5), 1);
}

TEST(ControlFrames, CheckAndRadioMarksUseTheFramesTheirStripsHave)
{
    const struct {
        TCheckLook Look;
        int Four, Twelve;
    } checks[] = {
        {{false, false, false}, 1, 1}, {{true, false, false}, 2, 5},  {{false, false, true}, 3, 4},
        {{true, false, true}, 4, 8},   {{false, true, false}, 4, 9},  {{true, true, true}, 4, 12},
    };
    for (const auto& row : checks) {
        EXPECT_EQ(CheckFrameIndex(row.Look, 4), row.Four);
        EXPECT_EQ(CheckFrameIndex(row.Look, 12), row.Twelve);
    }
    // A strip with fewer frames than a state asks for is never read past its end.
    EXPECT_EQ(CheckFrameIndex({true, false, true}, 2), 2);
    EXPECT_EQ(RadioFrameIndex(false, false, 4), 1);
    EXPECT_EQ(RadioFrameIndex(true, true, 4), 4);
    EXPECT_EQ(RadioFrameIndex(true, false, 8), 5);
    EXPECT_EQ(RadioFrameIndex(false, true, 8), 4);
    EXPECT_EQ(RadioFrameIndex(true, true, 8), 8);
}

TEST(ControlPlacement, MarksSitOverTheNativeBox)
{
    // A 13-pixel check mark in a 20-pixel-high control: left edge at 1, centred vertically.
    const RECT r = {0, 0, 100, 20};
    TMarkPlace p = PlaceMark(r, 13, 13, false, false);
    EXPECT_EQ(p.Mark.left, 1);
    EXPECT_EQ(p.Mark.top, 3);
    EXPECT_EQ(p.Fill.right, 16);
    // Box on the right: the mark's right edge at R.Right - 1.
    p = PlaceMark(r, 13, 13, true, false);
    EXPECT_EQ(p.Mark.right, 99);
    EXPECT_EQ(p.Fill.left, 82);
    // Radio marks: wide marks start at the left edge.
    EXPECT_EQ(PlaceMark(r, 16, 16, false, true).Mark.left, 0);
    EXPECT_EQ(PlaceMark(r, 12, 12, false, true).Mark.left, 1);
}

TEST(ControlPlacement, GlyphAndCaptionLayout)
{
    // Left layout, Margin -1, Spacing -1, client 75 wide, glyph 16, text 30: 9 and 34.
    TGlyphLayoutIn in;
    in.Client = {75, 25};
    in.Glyph = {16, 16};
    in.Text = {30, 13};
    in.Margin = -1;
    in.Spacing = -1;
    in.AutoMargin = true;
    TGlyphLayoutOut out = LayoutGlyph(in);
    EXPECT_EQ(out.Glyph.x, 9);
    EXPECT_EQ(out.Text.x, 34);
    EXPECT_EQ(out.Glyph.y, 5);
    EXPECT_EQ(out.Flags, static_cast<UINT>(DT_LEFT));
    // Spacing 4: margin 12 for a glyph button, 13 for a speed button.
    in.Spacing = 4;
    EXPECT_EQ(LayoutGlyph(in).Glyph.x, 12);
    in.SpeedButton = true;
    EXPECT_EQ(LayoutGlyph(in).Glyph.x, 13);
    // Right layout: the glyph at the right margin, the text left of it.
    in = {};
    in.Client = {75, 25};
    in.Glyph = {16, 16};
    in.Text = {30, 13};
    in.Margin = 4;
    in.Spacing = 2;
    in.Side = gsRight;
    out = LayoutGlyph(in);
    EXPECT_EQ(out.Glyph.x, 55);
    EXPECT_EQ(out.Text.x, 23);
    EXPECT_EQ(out.Flags, static_cast<UINT>(DT_RIGHT));
    // No caption: no spacing either.
    in.Text = {0, 0};
    in.Side = gsTop;
    in.Client = {40, 40};
    out = LayoutGlyph(in);
    EXPECT_EQ(out.Glyph.y, 4);
    EXPECT_EQ(out.Text.y, 20);
}

TEST(ControlPlacement, CaptionsPanelTextsAndComboStates)
{
    EXPECT_EQ(CaptionLines(L"视频||属性"), L"视频\r\n属性");
    EXPECT_EQ(CaptionLines(L"a|b"), L"a|b");
    // A centred panel text: (width - text) / 2 inside the panel, one pixel above centre.
    const RECT panel = {2, 0, 102, 19};
    RECT t = TSkinStatusBar::PanelTextRect(panel, {40, 13}, DT_CENTER);
    EXPECT_EQ(t.left, 32);
    EXPECT_EQ(t.top, 2);
    t = TSkinStatusBar::PanelTextRect(panel, {40, 13}, DT_RIGHT);
    EXPECT_EQ(t.left, 2);
    EXPECT_EQ(t.right, 102);
    // Combo face state: focus shows hot even when disabled; pressed wins.
    EXPECT_EQ(TSkinComBox::FaceState(true, false, 0), 1);
    EXPECT_EQ(TSkinComBox::FaceState(false, false, 0), 3);
    EXPECT_EQ(TSkinComBox::FaceState(false, true, 0), 4);
    EXPECT_EQ(TSkinComBox::FaceState(true, true, msDown), 2);
    EXPECT_EQ(TSkinComBox::FaceState(true, false, msOver), 4);
}

}  // namespace
