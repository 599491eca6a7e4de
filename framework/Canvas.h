// TCanvas: drawing on a device context with a current brush, pen and font — fills,
// frames, lines, text, pictures (drawn or stretched) and rectangle copies between
// canvases. A canvas does not own its device context; Handle is set by whoever lends one
// (a paint handler, a bitmap, a custom-draw notification).
#pragma once
#include "framework/Color.h"
#include "framework/DeviceContext.h"
#include "framework/Font.h"
#include "framework/Handles.h"
#include "framework/Persistent.h"

#include <string>

class TGraphic;

enum TBrushStyle { bsSolid, bsClear };
KIVORA_ENUM_NAMES(TBrushStyle, L"bsSolid", L"bsClear")

class TBrush : public TPersistent {
    KIVORA_CLASS(TBrush, TPersistent)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; FHandle.reset(); }
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style) { FStyle = style; FHandle.reset(); }
    HBRUSH Handle() const;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    mutable TGdiHandle<HBRUSH> FHandle;
};

class TPen : public TPersistent {
    KIVORA_CLASS(TPen, TPersistent)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; FHandle.reset(); }
    int Width() const { return FWidth; }
    void SetWidth(int width) { FWidth = width; FHandle.reset(); }
    HPEN Handle() const;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    mutable TGdiHandle<HPEN> FHandle;
};

class TCanvas : public TPersistent {
    KIVORA_CLASS(TCanvas, TPersistent)
public:
    TCanvas() = default;
    explicit TCanvas(HDC dc) : FHandle(dc) {}
    HDC Handle() const { return FHandle; }
    void SetHandle(HDC dc) { FHandle = dc; }
    bool HandleAllocated() const { return FHandle != nullptr; }

    TBrush& Brush() { return FBrush; }
    TPen& Pen() { return FPen; }
    TFont& Font() { return FFont; }

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(const RECT& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void TextOut(int x, int y, const std::wstring& text);
    // Text clipped to rect, drawn at (x, y).
    void TextRect(const RECT& rect, int x, int y, const std::wstring& text);
    // DrawText with the canvas font and colour: flags as for DrawTextW.
    int DrawText(const std::wstring& text, RECT& rect, UINT flags);
    SIZE TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
    void Draw(int x, int y, const TGraphic& graphic);
    void StretchDraw(const RECT& rect, const TGraphic& graphic);
    // Copies source's srcRect into dest (stretching when the sizes differ).
    void CopyRect(const RECT& dest, const TCanvas& source, const RECT& srcRect);

private:
    HDC FHandle = nullptr;
    TBrush FBrush;
    TPen FPen;
    TFont FFont;
};

// Lends a device context to a canvas for one scope, then gives the canvas back the one it
// had (none, for a paint handler's canvas), also when the drawing code throws.
class TCanvasDCScope {
public:
    TCanvasDCScope(TCanvas& canvas, HDC dc) : FCanvas(canvas), FOld(canvas.Handle()) { canvas.SetHandle(dc); }
    ~TCanvasDCScope() { FCanvas.SetHandle(FOld); }
    TCanvasDCScope(const TCanvasDCScope&) = delete;
    TCanvasDCScope& operator=(const TCanvasDCScope&) = delete;

private:
    TCanvas& FCanvas;
    HDC FOld;
};
