#include "skin/engine/controls/SkinStatusBar.h"

#include "skin/SkinData.h"
#include "skin/engine/controls/ControlDrawing.h"
#include "framework/StatusBar.h"

#include <commctrl.h>

const TClassInfo& TSkinStatusBar::StaticClass()
{
    static const TClassInfo info(L"TSkinStatusBar", &TSkinControl::StaticClass());
    return info;
}

TSkinStatusBar::TSkinStatusBar(TComponent* owner) : TSkinControl(owner), FBitmap(std::make_unique<TCountedBitmap>())
{
    FBitmap->SetPixelFormat(pf24bit);
}

TCustomStatusBar* TSkinStatusBar::Bar() const
{
    return As<TCustomStatusBar>(FControl);
}

void TSkinStatusBar::AttachControl(TControlAttachment& form, TSkinData& skin, bool replaceColor)
{
    if (FAttached)
        return;
    // The bar's own size grip goes; it comes back when the skin lets go.
    if (auto* bar = As<TCustomStatusBar>(Owner())) {
        FHadSizeGrip = bar->SizeGrip();
        bar->SetSizeGrip(false);
    }
    TSkinControl::AttachControl(form, skin, replaceColor);
}

void TSkinStatusBar::Detach()
{
    TSkinControl::Detach();
    if (TCustomStatusBar* bar = Bar(); bar && FHadSizeGrip && FState != scWindowDestroyed)
        bar->SetSizeGrip(true);
}

RECT TSkinStatusBar::PanelTextRect(const RECT& r, SIZE text, UINT flag)
{
    const int top = r.top + ((r.bottom - r.top) - text.cy) / 2 - 1;
    if (flag == DT_CENTER) {
        const int left = r.left + ((r.right - r.left) - text.cx) / 2;
        return {left, top, left + text.cx, top + text.cy};
    }
    return {r.left, top, r.right, top + text.cy};
}

void TSkinStatusBar::SkinChanged()
{
    FPanelFrames.clear();
    TSkinControl::SkinChanged();
}

void TSkinStatusBar::DrawPanelFrame(HDC dc, const RECT& r, int frame, bool skinFrames, size_t panel)
{
    if (r.right < r.left || r.bottom < r.top)
        return;
    if (skinFrames) {
        if (FPanelFrames.size() <= panel)
            FPanelFrames.resize(panel + 1);
        FPanelFrames[panel].Draw(dc, r, 3, frame, *FSkinData->Elements().StatusBarEdges, false);
        return;
    }
    if (frame == 3)
        return;
    const COLORREF shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
    const COLORREF topLeft = frame == 1 ? shadow : light, bottomRight = frame == 1 ? light : shadow;
    TGdiHandle<HBRUSH> a(CreateSolidBrush(topLeft)), b(CreateSolidBrush(bottomRight));
    const RECT top = {r.left, r.top, r.right - 1, r.top + 1}, left = {r.left, r.top, r.left + 1, r.bottom - 1};
    const RECT bottom = {r.left, r.bottom - 1, r.right, r.bottom}, right = {r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, a.get());
    FillRect(dc, &left, a.get());
    FillRect(dc, &bottom, b.get());
    FillRect(dc, &right, b.get());
}

void TSkinStatusBar::DrawPanelText(HDC dc, const RECT& r, const std::wstring& text, UINT flag)
{
    const UINT flags = flag | DT_EXPANDTABS;
    SetBkMode(dc, TRANSPARENT);
    RECT m = r;
    DrawTextW(dc, text.c_str(), -1, &m, flags | DT_CALCRECT | DT_NOCLIP);
    RECT place = PanelTextRect(r, {m.right - m.left, m.bottom - m.top}, flag);
    DrawTextW(dc, text.c_str(), -1, &place, flags);
}

void TSkinStatusBar::DrawSkin(HDC dc, const RECT& rect)
{
    TCustomStatusBar* bar = Bar();
    if (!FSkinData || !bar)
        return;
    const auto& e = FSkinData->Elements();
    const RECT r = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    if (FBitmap->Width() != r.right || FBitmap->Height() != r.bottom)
        FBitmap->SetSize(r.right, r.bottom);
    HDC face = FBitmap->Canvas()->Handle();
    FillFace(face, r);
    TFont font;
    font.Assign(*bar->Font());
    font.SetStyle({});
    if (e.StatusBarEdges)
        font.SetColor(static_cast<TColor>(e.StatusBarEdges->NormalColour2));
    const HGDIOBJ oldFont = SelectObject(face, font.Handle());
    SetTextColor(face, ColorToRGB(font.Color()));
    const bool skinFrames = HasPicture(e.StatusBarEdges.get());
    TStatusPanels& panels = bar->Panels();
    if (bar->SimplePanel() || panels.Count() == 0) {
        std::wstring text = ReadTextProp(bar, L"SimpleText");
        DrawPanelFrame(face, r, 1, skinFrames, 0);
        if (text.empty())
            text = L" ";
        DrawPanelText(face, {r.left + 2, r.top, r.right - 2, r.bottom}, text, DT_LEFT);
    } else {
        for (int i = 0; i < panels.Count(); ++i) {
            const TStatusPanel& panel = *panels[i];
            TAlignment alignment = panel.Alignment();
            if (panel.BiDiMode() == bdRightToLeft && alignment != taCenter)
                alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
            static const int frames[] = {3, 1, 2};  // by bevel: none, lowered, raised
            RECT pr{};
            if (!SendMessageW(FHandle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&pr)))
                continue;
            pr.right += 2;
            if (i == panels.Count() - 1)
                pr.right = r.right;
            DrawPanelFrame(face, pr, frames[panel.Bevel()], skinFrames, static_cast<size_t>(i));
            if (panel.Style() == psOwnerDraw)
                continue;
            const std::wstring text = panel.Text().empty() ? L" " : panel.Text();
            static const UINT flags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};  // by alignment
            DrawPanelText(face, {pr.left + 2, pr.top, pr.right - 2, pr.bottom}, text, flags[alignment]);
        }
    }
    if ((WindowStyle() & SBARS_SIZEGRIP) && HasPicture(e.ExtraImages.get()) && e.ExtraImages->FrameCount > 0) {
        const int fw = e.ExtraImages->Image.Width() / e.ExtraImages->FrameCount, fh = e.ExtraImages->Image.Height();
        DrawStrip(face, {r.right - 1 - fw, r.bottom - 1 - fh, r.right - 1, r.bottom - 1}, e.ExtraImages->FrameCount, 5,
                  e.ExtraImages->Image);
    }
    SelectObject(face, oldFont);
    BitBlt(dc, rect.left, rect.top, r.right, r.bottom, face, 0, 0, SRCCOPY);
    if (bar->OnDrawPanel && panels.Count() > 0) {
        TCanvasDCScope lend(*bar->Canvas(), dc);
        for (int i = 0; i < panels.Count(); ++i) {
            RECT pr{};
            if (!SendMessageW(FHandle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&pr)))
                continue;
            InflateRect(&pr, -1, -1);
            bar->OnDrawPanel(bar, panels[i], pr);
        }
    }
}
