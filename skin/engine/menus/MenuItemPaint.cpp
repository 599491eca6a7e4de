#include "skin/engine/menus/MenuItemPaint.h"

#include "skin/ElementFrame.h"
#include "skin/SkinData.h"
#include "framework/Bitmap.h"
#include "framework/DeviceContext.h"
#include "framework/Handles.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"

#include <algorithm>

namespace {

constexpr int kMenuItemFrames = 5;
enum TMenuItemFrame { mfNormal = 1, mfSeparator = 2, mfSelected = 4 };
constexpr UINT kMeasureFlags = DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT | DT_NOCLIP;
constexpr UINT kDrawFlags = DT_SINGLELINE | DT_EXPANDTABS;
constexpr int kCheckMarkBitmap = 32760;  // OBM_CHECK

HDC DCOf(const TBitmap& bitmap)
{
    return const_cast<TBitmap&>(bitmap).Canvas()->Handle();
}

TColor Color(TSkinColor color)
{
    return static_cast<TColor>(color);
}

bool HasPicture(const TSkinData& skin)
{
    const auto& element = skin.Elements().MenuItem;
    return element && !element->Image.Empty();
}

int LeftMargin(const TSkinData& skin)
{
    const auto& element = skin.Elements().MenuItem;
    return element ? element->Margins.Left : 0;
}

TImageList* ImagesOf(const TMenuItem& item)
{
    const TMenu* menu = item.GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

// A monochrome check mark (black on white) of the platform, or drawn by it when its bitmap
// is not there; a radio item's bullet is always drawn by it.
HBITMAP CheckMarkBitmap(int size, bool radio)
{
    if (!radio)
        if (HBITMAP mark = LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckMarkBitmap)))
            return mark;
    HBITMAP mark = CreateBitmap(size, size, 1, 1, nullptr);
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    const TSelectObject select(dc.get(), mark);
    RECT r{0, 0, size, size};
    DrawFrameControl(dc.get(), &r, DFC_MENU, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    return mark;
}

// The framework's checked-glyph look: button face and button highlight pixels alternating.
TGdiHandle<HBRUSH> CheckedGlyphBrush()
{
    TBitmap pattern(8, 8);
    const COLORREF face = ColorToRGB(clBtnFace), light = ColorToRGB(clBtnHighlight);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            SetPixel(pattern.Canvas()->Handle(), x, y, (x + y) % 2 ? light : face);
    return TGdiHandle<HBRUSH>(CreatePatternBrush(pattern.Handle()));
}

}  // namespace

int TMenuItemPainter::PopupItemExtraWidth(bool hasImages) const
{
    return LeftMargin(FSkin) + (hasImages ? 12 : 35);
}

int TMenuItemPainter::MenuItemExtraWidth(bool hasImages) const
{
    return LeftMargin(FSkin) + (hasImages ? 10 : 35);
}

TMenuItemPainter::TMenuItemPainter(const TSkinData& skin) : FSkin(skin), FComposed(std::make_unique<TCountedBitmap>())
{
    FCanvas.Font().Assign(MenuFont());
}

TMenuItemPainter::~TMenuItemPainter() = default;

void TMenuItemPainter::Compose(TCanvas& canvas, const RECT& rect,
                               const std::function<void(TCanvas&, const RECT&)>& draw) const
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    if (FComposed->Width() < width || FComposed->Height() < height)
        FComposed->SetSize(std::max(width, FComposed->Width()), std::max(height, FComposed->Height()));
    const HDC dc = FComposed->Canvas()->Handle();
    const TCanvasDCScope lent(FCanvas, dc);
    FCanvas.Brush().SetStyle(bsSolid);
    FCanvas.Font().SetStyle({});
    draw(FCanvas, RECT{0, 0, width, height});
    BitBlt(canvas.Handle(), rect.left, rect.top, width, height, dc, 0, 0, SRCCOPY);
}

bool TMenuItemPainter::FrameIsTransparent(int frame) const
{
    const auto& element = *FSkin.Elements().MenuItem;
    int& known = FTransparentFrames.at(static_cast<std::size_t>(frame));
    if (known == 0) {
        const TBitmap& picture = element.Image;
        const int frameWidth = picture.Width() / kMenuItemFrames;
        bool clear = element.Trans != 0 && frameWidth > 0;
        for (int y = 0; clear && y < picture.Height(); ++y)
            for (int x = (frame - 1) * frameWidth; clear && x < frame * frameWidth; ++x)
                clear = GetPixel(DCOf(picture), x, y) == (kSkinTransparentColor & 0xFFFFFF);
        known = clear ? 1 : 2;
    }
    return known == 1;
}

void TMenuItemPainter::DrawFrame(HDC dc, const RECT& rect, int frame) const
{
    if (FrameIsTransparent(frame))
        return;
    const auto& element = *FSkin.Elements().MenuItem;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    auto found = std::find_if(FFrames.begin(), FFrames.end(), [&](const TRenderedFrame& f) {
        return f.Frame == frame && f.Width == width && f.Height == height;
    });
    if (found == FFrames.end()) {
        // A menu has a few item sizes; a cache that outgrows them starts again.
        if (FFrames.size() >= 8)
            FFrames.clear();
        auto picture = std::make_unique<TCountedBitmap>();
        picture->SetSize(width, height);
        DrawElementFrame(picture->Canvas()->Handle(), {0, 0, width, height}, element.Image, element.Tile != 0, false,
                         {kMenuItemFrames, frame, false}, element.Margins);
        FFrames.push_back({frame, width, height, std::move(picture)});
        found = FFrames.end() - 1;
    }
    if (element.Trans != 0)
        DrawTransparent(dc, rect, *found->Picture, kSkinTransparentColor);
    else
        BitBlt(dc, rect.left, rect.top, width, height, DCOf(*found->Picture), 0, 0, SRCCOPY);
}

void TMenuItemPainter::DrawMenuItem(const TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected,
                                    const TItemBackground& background) const
{
    if (!HasPicture(FSkin)) {
        DrawPlainItem(item, canvas, rect, selected);
        return;
    }
    Compose(canvas, rect, [&](TCanvas& c, const RECT& all) {
        if (background.Picture && !background.Picture->Empty()) {
            BitBlt(c.Handle(), 0, 0, all.right, all.bottom, DCOf(*background.Picture),
                   rect.left + background.Offset.x, rect.top + background.Offset.y, SRCCOPY);
        } else {
            c.Brush().SetColor(Color(FSkin.Elements().ColorMenu));
            c.FillRect(all);
        }
        if (item.IsLine()) {
            DrawSeparator(c, all);
            return;
        }
        DrawFrame(c.Handle(), all, selected ? mfSelected : mfNormal);
        DrawItemContent(item, c, selected, all);
    });
}

void TMenuItemPainter::DrawPlainItem(const TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected) const
{
    Compose(canvas, rect, [&](TCanvas& c, const RECT& all) {
        c.Brush().SetColor(Color(selected ? FSkin.Elements().ColorHilight : FSkin.Elements().ColorMenu));
        c.FillRect(all);
        DrawItemContent(item, c, selected, all);
    });
}

void TMenuItemPainter::DrawSeparator(TCanvas& canvas, const RECT& rect) const
{
    if (!HasPicture(FSkin))
        return;
    const auto& element = *FSkin.Elements().MenuItem;
    const TBitmap& picture = element.Image;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int frameWidth = picture.Width() / kMenuItemFrames, pictureHeight = picture.Height();
    if (width <= 0 || height <= 0 || frameWidth <= 0 || pictureHeight <= 0)
        return;
    const int dy = pictureHeight > height ? pictureHeight - height : 0;
    // Margins that do not fit the frame or the item are narrowed, never read past the frame.
    const int left = std::clamp(element.Margins.Left, 0, std::min(frameWidth, width));
    const int right = std::clamp(element.Margins.Right, 0, std::min(frameWidth - left, width - left));
    const int x0 = frameWidth * (mfSeparator - 1);
    const int sourceHeight = pictureHeight - dy;
    TBitmap line(width, height);
    HDC dc = line.Canvas()->Handle();
    HDC source = DCOf(picture);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, left, height, source, x0, dy, left, sourceHeight, SRCCOPY);
    StretchBlt(dc, width - right, 0, right, height, source, x0 + frameWidth - right, dy, right, sourceHeight, SRCCOPY);
    StretchBlt(dc, left, 0, width - left - right, height, source, x0 + left, dy, frameWidth - left - right,
               sourceHeight, SRCCOPY);
    DrawTransparent(canvas.Handle(), rect, line, kSkinTransparentColor);
}

void TMenuItemPainter::DrawItemContent(const TMenuItem& item, TCanvas& canvas, bool selected, const RECT& rect) const
{
    TImageList* images = ImagesOf(item);
    int glyphSize = images ? images->Width() : 16;
    if (item.Checked())
        glyphSize = std::max(glyphSize, 16);
    RECT glyph{0, 0, 0, 0};  // a separator has none
    if (!item.IsLine()) {
        const int height = rect.bottom - rect.top;
        glyph.left = rect.left + 1 + LeftMargin(FSkin);
        glyph.top = rect.top + std::max(1, (height - glyphSize) / 2);
        glyph.right = glyph.left + glyphSize;
        glyph.bottom = glyph.top + glyphSize;
        const int index = item.ImageIndex();
        if (images && index >= 0 && index < images->Count()) {
            if (item.Checked()) {
                const TGdiHandle<HBRUSH> brush = CheckedGlyphBrush();
                FillRect(canvas.Handle(), &glyph, brush.get());
                DrawEdge(canvas.Handle(), &glyph, BDR_SUNKENOUTER, BF_RECT);
            }
            images->Draw(canvas, glyph.left, glyph.top, index, item.Enabled());
        } else if (item.Checked()) {
            DrawCheckMark(canvas, glyph, item.RadioItem());
        }
    }
    RECT text = rect;
    text.left = glyph.right + 3;
    text.right = rect.right - 1;
    DrawItemText(item, canvas, kMeasureFlags, selected, text, item.Caption());
    OffsetRect(&text, 0, ((rect.bottom - rect.top) - (text.bottom - text.top)) / 2);
    DrawItemText(item, canvas, kDrawFlags, selected, text, item.Caption());
    if (!item.ShortCutText().empty() && !item.IsLine()) {
        text.left = text.right;
        text.right = rect.right - 11;
        DrawItemText(item, canvas, DT_SINGLELINE | DT_RIGHT, selected, text, item.ShortCutText());
    }
}

void TMenuItemPainter::DrawItemText(const TMenuItem& item, TCanvas& canvas, UINT flags, bool selected, RECT& rect,
                                    std::wstring text) const
{
    const bool measuring = (flags & DT_CALCRECT) != 0;
    // An empty caption still measures one line high.
    if (measuring && (text.empty() || text == L"&"))
        text += L' ';
    if (text == L"-") {
        if (!measuring) {
            RECT line{rect.left, rect.top + 4, rect.right, rect.bottom};
            DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
        }
        return;
    }
    TFont& font = canvas.Font();
    const TFontStyles style = font.Style();
    if (item.Default())
        font.SetStyle(TFontStyles(style).Include(fsBold));
    canvas.Brush().SetStyle(bsClear);
    font.SetColor(TextColor(item, selected));
    canvas.DrawText(text, rect, flags);
    font.SetStyle(style);
}

TColor TMenuItemPainter::TextColor(const TMenuItem& item, bool selected) const
{
    const auto& e = FSkin.Elements();
    if (item.Enabled())
        return Color(selected ? e.ColorHilightText : e.ColorMenuText);
    // A disabled caption must differ from an enabled one.
    return e.ColorButtonShadow == e.ColorMenuText ? clBtnShadow : Color(e.ColorButtonShadow);
}

void TMenuItemPainter::DrawCheckMark(TCanvas& canvas, const RECT& glyph, bool radio) const
{
    // Loaded once for the painter and kept, never once per drawn item.
    TCountedGdi<HBITMAP>& mark = radio ? FBullet : FCheckMark;
    if (!mark)
        mark.reset(CheckMarkBitmap(glyph.right - glyph.left, radio));
    BITMAP info{};
    if (!mark || !GetObjectW(mark.get(), sizeof(info), &info))
        return;
    TMemoryDC source(CreateCompatibleDC(canvas.Handle()));
    const TSelectObject select(source.get(), mark.get());
    const int x = glyph.left + (glyph.right - glyph.left - info.bmWidth) / 2 + 1;
    const int y = glyph.top + (glyph.bottom - glyph.top - info.bmHeight) / 2 + 1;
    HDC dc = canvas.Handle();
    // Only the mark's (black) pixels change: first made black, then given the colour.
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCAND);
    SetTextColor(dc, ColorToRGB(clBtnText));
    SetBkColor(dc, RGB(0, 0, 0));
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCPAINT);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

std::unique_ptr<TMenuItem> MakeRawItem(HMENU menu, UINT command)
{
    auto item = std::make_unique<TMenuItem>(nullptr);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = nullptr;  // asks for the text's length first
    if (!GetMenuItemInfoW(menu, command, FALSE, &info)) {
        item->SetCaption(L"-");
        return item;
    }
    std::wstring text;
    if (info.cch > 0 && !(info.fType & MFT_SEPARATOR)) {
        text.resize(info.cch + 1);
        info.fMask = MIIM_STRING;
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
        if (GetMenuItemInfoW(menu, command, FALSE, &info))
            text.resize(std::min<std::size_t>(info.cch, text.size() - 1));
        else
            text.clear();
    }
    // "Caption\tShortcut": the key is drawn at the right.
    const std::size_t tab = text.find(L'\t');
    if (tab != std::wstring::npos) {
        item->SetShortCutText(text.substr(tab + 1));
        text.resize(tab);
    }
    item->SetCaption(text.empty() ? L"-" : text);
    item->SetEnabled((info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0);
    item->SetRadioItem((info.fType & MFT_RADIOCHECK) != 0);
    item->SetChecked((info.fState & MFS_CHECKED) != 0);
    item->SetDefault((info.fState & MFS_DEFAULT) != 0);
    return item;
}
