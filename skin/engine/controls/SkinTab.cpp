#include "skin/engine/controls/SkinTab.h"

#include "skin/BitmapTransforms.h"
#include "skin/ElementFrame.h"
#include "skin/SkinData.h"
#include "skin/SkinText.h"
#include "skin/engine/GdiTally.h"
#include "skin/engine/controls/ControlAttachment.h"
#include "skin/engine/controls/SkinUpDown.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// Captions are read into 80 characters: at most 79 are shown.
constexpr int kCaptionBuffer = 80;
const TSkinMargins kBorderMargins{4, 5, 4, 4};

void CopyAs24Bits(TBitmap& target, const TBitmap& source)
{
    target.SetPixelFormat(pf24bit);
    target.SetSize(source.Width(), source.Height());
    BitBlt(target.Canvas()->Handle(), 0, 0, source.Width(), source.Height(),
           const_cast<TBitmap&>(source).Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace

const TClassInfo& TSkinTab::StaticClass()
{
    static const TClassInfo info(L"TSkinTab", &TSkinControl::StaticClass());
    return info;
}

TSkinTab::TSkinTab(TComponent* owner)
    : TSkinControl(owner), FTabBitmap(std::make_unique<TCountedBitmap>()),
      FBorderBitmap(std::make_unique<TCountedBitmap>()), FWorkBitmap(std::make_unique<TCountedBitmap>())
{
    FWorkBitmap->SetPixelFormat(pf24bit);
}

TSkinTab::~TSkinTab() = default;

TTabSide TSkinTab::SideOf(LONG_PTR style)
{
    const bool bottom = (style & TCS_BOTTOM) != 0, vertical = (style & TCS_VERTICAL) != 0;
    if (bottom && vertical)
        return tsRight;
    if (bottom)
        return tsBottom;
    return vertical ? tsLeft : tsTop;
}

void TSkinTab::AttachWindow(HWND handle, TSkinData& skin, TControlAttachment& form)
{
    TSkinControl::AttachWindow(handle, skin, form);
    ReadWindowState();
    PrepareBitmaps();
    FindSpin();
}

void TSkinTab::SkinChanged()
{
    PrepareBitmaps();
    TSkinControl::SkinChanged();
}

void TSkinTab::PrepareBitmaps()
{
    FOrientation = SideOf(WindowStyle());
    if (!FSkinData)
        return;
    const TDataSkinBorder* tabs = FSkinData->Elements().Tabs.get();
    if (!tabs || tabs->Image.Empty() || tabs->Image2.Empty())
        return;
    CopyAs24Bits(*FTabBitmap, tabs->Image);
    CopyAs24Bits(*FBorderBitmap, tabs->Image2);
    switch (FOrientation) {
    case tsBottom:
        FlipBitmap(*FTabBitmap);
        FlipBitmap(*FBorderBitmap);
        break;
    case tsLeft: RotateBitmapLeft(*FBorderBitmap); break;
    case tsRight: RotateBitmapRight(*FBorderBitmap); break;
    case tsTop: break;
    }
}

HWND TSkinTab::FindSpin()
{
    const HWND spin = FindWindowExW(FHandle, nullptr, UPDOWN_CLASSW, nullptr);
    if (!spin)
        return nullptr;
    if (FForm && FSkinData && !FForm->Find(spin)) {
        auto* object = new TSkinUpDown(Owner());
        object->AttachWindow(spin, *FSkinData, *FForm);
    }
    return (GetWindowLongPtrW(spin, GWL_STYLE) & WS_VISIBLE) ? spin : nullptr;
}

void TSkinTab::BlitAroundSpin(HDC dc, HWND spin, const RECT& s)
{
    RECT window{}, sr{};
    GetWindowRect(FHandle, &window);
    GetWindowRect(spin, &sr);
    OffsetRect(&sr, -window.left, -window.top);
    // The caller's clipping is put back afterwards.
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, sr.left, sr.top, sr.right, sr.bottom);
    BitBlt(dc, s.left, s.top, FWorkBitmap->Width(), FWorkBitmap->Height(), FWorkBitmap->Canvas()->Handle(), 0, 0,
           SRCCOPY);
    RestoreDC(dc, saved);
}

void DrawIconText(HDC dc, const RECT& r, HIMAGELIST images, int index, const std::wstring& text, int alignment,
                  bool enabled)
{
    int cx = 0, cy = 0;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (index != -1 && images) {
        ImageList_GetIconSize(images, &cx, &cy);
        if (width <= cx)
            cx = cy = 0;
    }
    const bool icon = cx > 0;
    const UINT flags = DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS;
    int tw = 0, th = 0;
    if (!text.empty()) {
        RECT m = r;
        DrawSkinText(dc, text, m, flags | DT_CALCRECT | DT_NOCLIP);
        tw = m.right - m.left;
        th = m.bottom - m.top;
    }
    int dx = 2;
    if (alignment == 1)
        dx = (width - cx - tw) / 2;
    else if (alignment == 2)
        dx = width - cx - tw - 2;
    dx = std::max(dx, 2);
    if (icon)
        ImageList_Draw(images, index, dc, r.left + dx, r.top + (height - cy) / 2, ILD_TRANSPARENT);
    if (text.empty())
        return;
    RECT t{r.left + dx + cx + 1, r.top + (height - th) / 2, 0, 0};
    t.right = t.left + tw;
    t.bottom = t.top + th;
    t.left = std::max(t.left, r.left);
    t.right = std::min(t.right, r.right);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = enabled ? GetTextColor(dc) : SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawSkinText(dc, text, t, flags);
    if (!enabled)
        SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

void TSkinTab::DrawSkin(HDC dc, const RECT& r)
{
    if (!FSkinData)
        return;
    const TDataSkinBorder* tabs = FSkinData->Elements().Tabs.get();
    if (!tabs || tabs->Image.Empty() || FTabBitmap->Empty())
        return;
    RECT d = r;
    SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&d));
    InflateRect(&d, 4, 4);
    const int count = static_cast<int>(SendMessageW(FHandle, TCM_GETITEMCOUNT, 0, 0));
    const int focus = static_cast<int>(SendMessageW(FHandle, TCM_GETCURFOCUS, 0, 0));
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, TCM_GETIMAGELIST, 0, 0));
    RECT s = r;
    switch (FOrientation) {
    case tsTop: d.top += 1; s.bottom = d.top; break;
    case tsBottom: d.bottom -= 1; s.top = d.bottom; break;
    case tsLeft: d.left += 1; s.right = d.left; break;
    case tsRight: d.right -= 1; s.left = d.right; break;
    }
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    if (sw <= 0 || sh <= 0)
        return;
    const bool sideways = FOrientation == tsLeft || FOrientation == tsRight;
    const int w = sideways ? sh : sw, h = sideways ? sw : sh;
    FWorkBitmap->SetPixelFormat(pf24bit);
    FWorkBitmap->SetSize(w, h);
    HDC work = FWorkBitmap->Canvas()->Handle();
    FillParentColor(work, {0, 0, w, h});
    const auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    const HGDIOBJ oldFont = SelectObject(work, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    const int frames = tabs->FrameCount > 0 ? tabs->FrameCount : 5;
    for (int i = 0; i < count; ++i) {
        wchar_t caption[kCaptionBuffer] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
        item.pszText = caption;
        item.cchTextMax = kCaptionBuffer;
        item.iImage = -1;
        SendMessageW(FHandle, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        caption[kCaptionBuffer - 1] = L'\0';
        RECT tr{};
        if (!SendMessageW(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tr)))
            continue;
        switch (FOrientation) {
        case tsTop: OffsetRect(&tr, 0, 1); break;
        case tsBottom: OffsetRect(&tr, 0, -(d.bottom + 1)); break;
        case tsLeft: tr = {w - tr.bottom, tr.left, w - tr.top, tr.right}; break;
        case tsRight: tr = {tr.top - 1, r.right - tr.right, tr.bottom - 1, r.right - tr.left}; break;
        }
        const int state = i == focus ? 2 : 1;
        DrawElementFrame(work, tr, *FTabBitmap, tabs->Tile == 1, tabs->Trans == 1, {frames, state, false},
                         tabs->Margins);
        const TSkinColor color = state == 1 ? tabs->NormalColour2 : tabs->MouseOverColour2;
        SetTextColor(work, ColorToRGB(static_cast<TColor>(color)));
        DrawIconText(work, tr, images, item.iImage, caption, 1, FEnabled);
    }
    SelectObject(work, oldFont);
    if (FOrientation == tsRight)
        RotateBitmapRight(*FWorkBitmap);
    else if (FOrientation == tsLeft)
        RotateBitmapLeft(*FWorkBitmap);
    if (const HWND spin = FindSpin())
        BlitAroundSpin(dc, spin, s);
    else
        BitBlt(dc, s.left, s.top, FWorkBitmap->Width(), FWorkBitmap->Height(), FWorkBitmap->Canvas()->Handle(), 0, 0,
               SRCCOPY);
    if (!tabs->Image2.Empty() && !FBorderBitmap->Empty())
        DrawElementEdges(dc, d, *FBorderBitmap, {1, 1, false}, kBorderMargins);
}
