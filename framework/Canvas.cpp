#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Graphic.h"

#include <optional>

const TClassInfo& TBrush::StaticClass()
{
    static const TClassInfo info(L"TBrush", &TPersistent::StaticClass(), {
        IntProp(L"Color", &TBrush::Color, &TBrush::SetColor),
        EnumProp(L"Style", &TBrush::Style, &TBrush::SetStyle),
    });
    return info;
}

const TClassInfo& TPen::StaticClass()
{
    static const TClassInfo info(L"TPen", &TPersistent::StaticClass(), {
        IntProp(L"Color", &TPen::Color, &TPen::SetColor),
        IntProp(L"Width", &TPen::Width, &TPen::SetWidth),
    });
    return info;
}

const TClassInfo& TCanvas::StaticClass()
{
    static const TClassInfo info(L"TCanvas", &TPersistent::StaticClass());
    return info;
}

HBRUSH TBrush::Handle() const
{
    if (!FHandle)
        FHandle.reset(FStyle == bsClear ? nullptr : CreateSolidBrush(ColorToRGB(FColor)));
    return FStyle == bsClear ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)) : FHandle.get();
}

HPEN TPen::Handle() const
{
    if (!FHandle)
        FHandle.reset(CreatePen(PS_SOLID, FWidth, ColorToRGB(FColor)));
    return FHandle.get();
}

namespace {
void RequireHandle(HDC dc)
{
    if (!dc)
        throw EInvalidOperation(L"Canvas does not allow drawing");
}
} // namespace

void TCanvas::FillRect(const RECT& rect)
{
    RequireHandle(FHandle);
    if (FBrush.Style() != bsClear)
        ::FillRect(FHandle, &rect, FBrush.Handle());
}

void TCanvas::FrameRect(const RECT& rect)
{
    RequireHandle(FHandle);
    ::FrameRect(FHandle, &rect, FBrush.Handle());
}

void TCanvas::Rectangle(const RECT& rect)
{
    RequireHandle(FHandle);
    TSelectObject pen(FHandle, FPen.Handle()), brush(FHandle, FBrush.Handle());
    ::Rectangle(FHandle, rect.left, rect.top, rect.right, rect.bottom);
}

void TCanvas::MoveTo(int x, int y)
{
    RequireHandle(FHandle);
    MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    RequireHandle(FHandle);
    TSelectObject pen(FHandle, FPen.Handle());
    ::LineTo(FHandle, x, y);
}

namespace {
// Text drawn with the canvas font and colour; the background is the brush unless clear.
class TTextState {
public:
    TTextState(HDC dc, TFont& font, TBrush& brush) : FDC(dc), FFont(dc, font.Handle())
    {
        FOldColor = SetTextColor(dc, ColorToRGB(font.Color()));
        FOldMode = SetBkMode(dc, brush.Style() == bsClear ? TRANSPARENT : OPAQUE);
        FOldBk = SetBkColor(dc, ColorToRGB(brush.Color()));
    }
    ~TTextState()
    {
        SetTextColor(FDC, FOldColor);
        SetBkMode(FDC, FOldMode);
        SetBkColor(FDC, FOldBk);
    }

private:
    HDC FDC;
    TSelectObject FFont;
    COLORREF FOldColor, FOldBk;
    int FOldMode;
};
} // namespace

void TCanvas::TextOut(int x, int y, const std::wstring& text)
{
    RequireHandle(FHandle);
    TTextState state(FHandle, FFont, FBrush);
    ExtTextOutW(FHandle, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::wstring& text)
{
    RequireHandle(FHandle);
    TTextState state(FHandle, FFont, FBrush);
    UINT options = ETO_CLIPPED | (FBrush.Style() == bsClear ? 0 : ETO_OPAQUE);
    ExtTextOutW(FHandle, x, y, options, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(const std::wstring& text, RECT& rect, UINT flags)
{
    RequireHandle(FHandle);
    TTextState state(FHandle, FFont, FBrush);
    return ::DrawTextW(FHandle, text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

SIZE TCanvas::TextExtent(const std::wstring& text)
{
    SIZE size{};
    std::optional<TScreenDC> screen;  // only without a device context of its own
    if (!FHandle)
        screen.emplace();
    HDC dc = FHandle ? FHandle : screen->Handle();
    TSelectObject font(dc, FFont.Handle());
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic)
{
    StretchDraw(RECT{x, y, x + graphic.Width(), y + graphic.Height()}, graphic);
}

void TCanvas::StretchDraw(const RECT& rect, const TGraphic& graphic)
{
    RequireHandle(FHandle);
    if (!graphic.Empty())
        graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const RECT& dest, const TCanvas& source, const RECT& srcRect)
{
    RequireHandle(FHandle);
    RequireHandle(source.FHandle);
    int oldMode = SetStretchBltMode(FHandle, COLORONCOLOR);
    StretchBlt(FHandle, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.FHandle,
               srcRect.left, srcRect.top, srcRect.right - srcRect.left, srcRect.bottom - srcRect.top, SRCCOPY);
    SetStretchBltMode(FHandle, oldMode);
}
