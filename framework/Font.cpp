#include "framework/Font.h"
#include "framework/DeviceContext.h"

const TClassInfo& TFont::StaticClass()
{
    static const TClassInfo info(L"TFont", &TPersistent::StaticClass(), {
        StrProp(L"Name", &TFont::Name, &TFont::SetName),
        IntProp(L"Size", &TFont::Size, &TFont::SetSize),
        IntProp(L"Height", &TFont::Height, &TFont::SetHeight),
        IntProp(L"Charset", &TFont::Charset, &TFont::SetCharset),
        IntProp(L"Color", &TFont::Color, &TFont::SetColor),
        SetProp(L"Style", &TFont::Style, &TFont::SetStyle),
    });
    return info;
}

int ScreenPixelsPerInch()
{
    static const int dpi = [] {
        TScreenDC dc;
        return GetDeviceCaps(dc.Handle(), LOGPIXELSY);
    }();
    return dpi;
}

TFont::TFont()
{
    SetSize(8);
}

void TFont::Assign(const TPersistent& source)
{
    if (auto* font = As<TFont>(&source)) {
        FName = font->FName;
        FHeight = font->FHeight;
        FCharset = font->FCharset;
        FColor = font->FColor;
        FStyle = font->FStyle;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TFont::Changed()
{
    FHandle.reset();
    OnChange(this);
}

void TFont::SetName(const std::wstring& name)
{
    if (name != FName) {
        FName = name;
        Changed();
    }
}

int TFont::Size() const
{
    return -MulDiv(FHeight, 72, ScreenPixelsPerInch());
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72));
}

void TFont::SetHeight(int height)
{
    if (height != FHeight) {
        FHeight = height;
        Changed();
    }
}

void TFont::SetCharset(int charset)
{
    if (charset != FCharset) {
        FCharset = charset;
        Changed();
    }
}

void TFont::SetColor(TColor color)
{
    if (color != FColor) {
        FColor = color;
        OnChange(this);  // the colour is not part of the GDI font: the handle stays
    }
}

void TFont::SetStyle(TFontStyles style)
{
    if (!(style == FStyle)) {
        FStyle = style;
        Changed();
    }
}

HFONT TFont::Handle() const
{
    if (!FHandle) {
        LOGFONTW lf{};
        lf.lfHeight = FHeight;
        lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = FStyle.Contains(fsItalic);
        lf.lfUnderline = FStyle.Contains(fsUnderline);
        lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
        lf.lfCharSet = static_cast<BYTE>(FCharset);
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
        FHandle.reset(CreateFontIndirectW(&lf));
    }
    return FHandle.get();
}
