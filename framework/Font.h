// TFont: a text font — Name, Size in points (or Height in pixels, negative for the
// character height), Charset, Color and Style — and its GDI handle, made when first asked
// for. OnChange fires after every change (controls repaint and pass it to their children).
#pragma once
#include "framework/Color.h"
#include "framework/Event.h"
#include "framework/Handles.h"
#include "framework/Persistent.h"
#include "framework/Properties.h"

#include <string>

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
KIVORA_ENUM_NAMES(TFontStyle, L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut")
using TFontStyles = TSet<TFontStyle>;

class TFont : public TPersistent {
    KIVORA_CLASS(TFont, TPersistent)
public:
    TFont();
    void Assign(const TPersistent& source) override;

    const std::wstring& Name() const { return FName; }
    void SetName(const std::wstring& name);
    int Size() const;          // points
    void SetSize(int points);
    int Height() const { return FHeight; } // pixels; negative: character height
    void SetHeight(int height);
    int Charset() const { return FCharset; }
    void SetCharset(int charset);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);

    HFONT Handle() const;
    TNotifyEvent OnChange;

private:
    void Changed();
    std::wstring FName = L"MS Sans Serif";
    int FHeight = -11; // 8 points at 96 dots per inch
    int FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    mutable TGdiHandle<HFONT> FHandle;
};

// Dots per inch of the screen, for points <-> pixels.
int ScreenPixelsPerInch();
