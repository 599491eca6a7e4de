// TBitmap: a device-independent bitmap section (24 or 32 bits per pixel, rows top to
// bottom) with direct row access (ScanLine), a GDI handle, a canvas for drawing on it,
// and the BMP file format to and from streams. Loading accepts the uncompressed BMP
// formats and checks every size against the data before reading it.
#pragma once
#include "framework/Canvas.h"
#include "framework/Graphic.h"
#include "framework/Handles.h"

#include <cstdint>

enum TPixelFormat { pfDevice, pf24bit, pf32bit };
KIVORA_ENUM_NAMES(TPixelFormat, L"pfDevice", L"pf24bit", L"pf32bit")

class TBitmap : public TGraphic {
    KIVORA_CLASS(TBitmap, TGraphic)
public:
    TBitmap() = default;
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    ~TBitmap() override;

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int width) { SetSize(width, FHeight); }
    void SetHeight(int height) { SetSize(FWidth, height); }
    void SetSize(int width, int height);
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat format);
    int BitsPerPixel() const { return FPixelFormat == pf24bit ? 24 : 32; }
    int BytesPerScanLine() const { return ((FWidth * BitsPerPixel() + 31) / 32) * 4; }
    // The first byte of a row (0 = top); pixels are B, G, R (and a fourth byte at 32 bits).
    std::uint8_t* ScanLine(int row);
    const std::uint8_t* ScanLine(int row) const;

    HBITMAP Handle() const { return FHandle.get(); }
    // A canvas drawing on the bitmap (made when first asked for).
    TCanvas* Canvas();

    void Assign(const TPersistent& source) override;
    void Draw(TCanvas& canvas, const RECT& rect) const override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;
    // The bitmap's header for GDI calls (top-down rows).
    BITMAPINFO Info() const;

private:
    void Allocate(int width, int height, TPixelFormat format);
    int FWidth = 0, FHeight = 0;
    TPixelFormat FPixelFormat = pfDevice;
    TGdiHandle<HBITMAP> FHandle;
    std::uint8_t* FBits = nullptr;
    TMemoryDC FDC;
    HGDIOBJ FOldBitmap = nullptr;
    std::unique_ptr<TCanvas> FCanvas;
};
