#include "skin/engine/controls/SkinBitButton.h"

#include "skin/SkinData.h"
#include "skin/engine/WindowText.h"
#include "skin/engine/controls/ControlDrawing.h"
#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "framework/WinControl.h"

#include <algorithm>
#include <cwctype>

const TClassInfo& TSkinBitButton::StaticClass()
{
    static const TClassInfo info(L"TSkinBitButton", &TSkinButton::StaticClass());
    return info;
}

int TSkinBitButton::GlyphFrame(bool enabled, int mouseState, bool focused, bool defaultButton)
{
    if (!enabled)
        return 3;
    if (mouseState & msDown)
        return 2;
    if (mouseState & msOver)
        return 4;
    if (focused)
        return 4;
    if (defaultButton)
        return 5;
    return 1;
}

TGlyphSide TSkinBitButton::SideOf(const std::wstring& layout)
{
    std::wstring lower = layout;
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(c));
    if (lower == L"blglyphright")
        return gsRight;
    if (lower == L"blglyphtop")
        return gsTop;
    if (lower == L"blglyphbottom")
        return gsBottom;
    return gsLeft;  // also for a missing or unknown layout, as the framework's default
}

void TSkinBitButton::DrawGlyph(HDC dc, POINT pos, int numGlyphs, int glyphIndex, const TBitmap& glyph)
{
    numGlyphs = std::max(numGlyphs, 1);
    const int fw = glyph.Width() / numGlyphs, h = glyph.Height();
    if (fw <= 0 || h <= 0)
        return;
    const int k = numGlyphs == 4 ? glyphIndex : 1;
    TBitmap cell(fw, h, pf24bit);
    BitBlt(cell.Canvas()->Handle(), 0, 0, fw, h, const_cast<TBitmap&>(glyph).Canvas()->Handle(), fw * (k - 1), 0, SRCCOPY);
    if (glyphIndex == 2) {
        for (int y = 0; y < h; ++y) {
            std::uint8_t* p = cell.ScanLine(y);
            for (int x = 0; x < fw; ++x, p += 3)
                p[0] = p[1] = p[2] = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
        }
    }
    const std::uint8_t* corner = cell.ScanLine(h - 1);
    TransparentBlt(dc, pos.x, pos.y, fw, h, cell.Canvas()->Handle(), 0, 0, fw, h, RGB(corner[2], corner[1], corner[0]));
}

SIZE TSkinBitButton::MeasureText(HDC dc, const RECT& r, UINT flags) const
{
    if (FText.empty())
        return {0, 0};
    RECT m = r;
    DrawTextW(dc, FText.c_str(), -1, &m, flags | DT_CALCRECT);
    return {m.right - m.left, m.bottom - m.top};
}

void TSkinBitButton::DrawSkin(HDC dc, const RECT& rect)
{
    if (!HasButtonPicture())
        return;
    ReadWindowState();
    FText = ReadWindowText(FHandle);
    const TObject* source = Served();
    const bool isDefault = ReadEnumProp(source, L"Default") == L"True";
    const int frame = GlyphFrame(FEnabled, FMouseState, FFocused, isDefault);
    const int glyphIndex = GlyphIndexOf(frame);
    const RECT r = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    HDC face = PrepareFace(r);
    const auto& buttons = FSkinData->Elements().Buttons;
    FFrame.Draw(face, r, buttons.FrameCount, frame, buttons);

    auto* font = ReadObjectProp<TFont>(source, L"Font");
    auto* glyph = ReadObjectProp<TBitmap>(source, L"Glyph");
    auto* images = ReadObjectProp<TImageList>(source, L"Images");
    const int numGlyphs = std::max<int>(1, static_cast<int>(ReadIntProp(source, L"NumGlyphs")));
    const int imageIndex = FindProp(source, L"ImageIndex") ? static_cast<int>(ReadIntProp(source, L"ImageIndex")) : -1;
    const int disabledIndex = FindProp(source, L"DisabledIndex") ? static_cast<int>(ReadIntProp(source, L"DisabledIndex")) : -1;
    const bool hasGlyph = glyph && !glyph->Empty();
    SIZE glyphSize{0, 0};
    if (hasGlyph)
        glyphSize = {glyph->Width() / numGlyphs, glyph->Height()};
    else if (images && imageIndex != -1)
        glyphSize = {images->Width(), images->Height()};

    const HGDIOBJ oldFont = font ? SelectObject(face, font->Handle()) : nullptr;
    UINT flags = DT_WORDBREAK;
    FText = CaptionLines(FText);
    const SIZE textSize = MeasureText(face, r, flags);
    TGlyphLayoutIn in;
    in.Client = {r.right, r.bottom};
    in.Glyph = glyphSize;
    in.Text = textSize;
    in.Margin = static_cast<int>(ReadIntProp(source, L"Margin"));
    in.Spacing = static_cast<int>(ReadIntProp(source, L"Spacing"));
    in.Side = SideOf(ReadEnumProp(source, L"Layout"));
    std::wstring alignment = ReadEnumProp(source, L"Alignment");
    for (wchar_t& c : alignment)
        c = static_cast<wchar_t>(std::towlower(c));
    in.AutoMargin = in.Margin == -1 || alignment == L"tacenter";
    const TGlyphLayoutOut out = LayoutGlyph(in);
    flags |= out.Flags;

    if (hasGlyph) {
        DrawGlyph(face, out.Glyph, numGlyphs, glyphIndex, *glyph);
    } else if (images) {
        TCanvas canvas(face);
        const int index = FEnabled ? imageIndex : (disabledIndex != -1 ? disabledIndex : imageIndex);
        if (index != -1)
            images->Draw(canvas, out.Glyph.x, out.Glyph.y, index, FEnabled);
    }
    RECT textRect = {out.Text.x, out.Text.y, out.Text.x + textSize.cx, out.Text.y + textSize.cy};
    SetBkMode(face, TRANSPARENT);
    SetTextColor(face, CaptionColor(frame, FEnabled, font ? ColorToRGB(font->Color()) : ColorToRGB(clBtnText)));
    DrawTextW(face, FText.c_str(), -1, &textRect, flags);
    if (oldFont)
        SelectObject(face, oldFont);
    BitBlt(dc, rect.left, rect.top, r.right, r.bottom, face, 0, 0, SRCCOPY);
}
