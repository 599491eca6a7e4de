#include "skin/engine/frames/FrameGeometry.h"

#include <algorithm>

TBorderKind BorderKindOf(LONG_PTR style, LONG_PTR exStyle, bool isDialogClass)
{
    TBorderKind kind = bkFixed;
    if ((style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION)
        kind = bkNone;
    else if (style & WS_THICKFRAME)
        kind = bkSizeable;
    else if (style & DS_MODALFRAME)
        kind = bkDialog;
    if (exStyle & WS_EX_DLGMODALFRAME)
        kind = bkDialog;
    if (isDialogClass)
        kind = bkDialog;
    return kind;
}

namespace {

int FrameSize(int size, int frameCount)
{
    return size / std::max(frameCount, 1);
}

}  // namespace

TFrameThickness FrameThicknessOf(const TSkinElements& skin, TBorderKind kind)
{
    if (kind == bkNone)
        return {};
    return {FrameSize(skin.BorderLeft.Image.Width(), skin.BorderLeft.FrameCount),
            FrameSize(skin.BorderTop.Image.Height(), skin.BorderTop.FrameCount),
            FrameSize(skin.BorderRight.Image.Width(), skin.BorderRight.FrameCount),
            FrameSize(skin.BorderBottom.Image.Height(), skin.BorderBottom.FrameCount)};
}

RECT SkinnedClientRect(const RECT& window, const TFrameThickness& frame, int menuHeight)
{
    RECT client = {window.left + frame.Left, window.top + frame.Top + menuHeight, window.right - frame.Right,
                   window.bottom - frame.Bottom};
    // A window smaller than its frame has an empty client area, never an inverted one.
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

LRESULT RefineHitTest(LRESULT platformAnswer, POINT point, int width, const TFrameThickness& frame, int menuHeight)
{
    if (platformAnswer != HTNOWHERE && platformAnswer != HTCAPTION)
        return platformAnswer;
    if (point.y > frame.Top) {
        const bool overMenuBar = menuHeight > 0 && point.y <= frame.Top + menuHeight && point.x >= frame.Left &&
                                 point.x < width - frame.Right;
        return overMenuBar ? HTMENU : platformAnswer;
    }
    // The top 3 pixels stay what the platform says (a sizing edge, or nothing).
    return point.y > 3 ? HTCAPTION : platformAnswer;
}

namespace {

// One visibility code judged; `first` is the button's Visibility, otherwise Visibility1.
bool ConditionHolds(int code, bool first, int action, const TButtonContext& c)
{
    if (code >= 201 && code <= 999)
        return true;
    if (code >= 1000 && code <= 2000)
        return !first || (c.ApplicationSaysVisible && c.ApplicationSaysVisible());
    switch (code) {
    case 0: return !first || action != 0 || c.HasSystemMenu;
    case 1: return c.Maximized;
    case 2: return !c.Maximized;
    case 3: return c.Active;
    case 4: return !c.Active;
    case 5: return false;
    case 6: return c.HasMaximize && (!first || c.HasSystemMenu);
    case 7: return !c.HasMaximize;
    case 8: return c.HasMinimize && (!first || c.HasSystemMenu);
    case 9: return !c.HasMinimize;
    case 100: return c.MdiMenuButtons;
    case 200: return !c.IsDialogClass && c.BorderKind == bkDialog;
    default: return false;
    }
}

}  // namespace

bool TitleButtonVisible(int action, int visibility, int visibility1, const TButtonContext& context)
{
    if (!ConditionHolds(visibility, true, action, context) || !ConditionHolds(visibility1, false, action, context))
        return false;
    switch (action) {
    case 1: return context.HasMaximize;
    case 2: return context.HasMinimize;
    case 3: case 11: case 12: return context.BorderKind != bkDialog;
    default: return true;
    }
}

RECT PlaceTitleButton(const TButtonPlace& place, int width, int height, const TTitleLayout& layout)
{
    int x = 0, y = 0;
    switch (place.Align) {
    case 0: x = place.X; y = place.Y; break;
    case 1: x = layout.PaintWidth - place.X; y = place.Y; break;
    case 2: case 8: x = layout.TitleText.left - width - place.X; y = place.Y; break;
    case 3: case 9: x = layout.TitleText.right + place.X; y = place.Y; break;
    case 100: {
        const int margin = std::max(layout.MenuBarLeftMargin, 0);
        x = layout.RightToLeft ? layout.Frame.Left + place.X + margin
                               : layout.PaintWidth - place.X - layout.Frame.Right - margin;
        y = layout.Frame.Top + (layout.MenuHeight - height) / 2;
        break;
    }
    default: break;
    }
    return {x, y, x + width, y + height};
}
