#include "skin/BitmapResource.h"

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/Stream.h"

#include <cstring>
#include <vector>

bool LoadBitmapResource(TBitmap& bitmap, const std::wstring& name)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    const DWORD size = info ? SizeofResource(module, info) : 0;
    if (!bytes || size < sizeof(BITMAPINFOHEADER))
        return false;

    // A bitmap resource is a BMP file without its file header: put one in front, with the
    // pixels after the header and the palette.
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes, sizeof header);
    std::size_t colors = 0;
    if (header.biBitCount <= 8)
        colors = header.biClrUsed ? header.biClrUsed : (std::size_t{1} << header.biBitCount);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfSize = static_cast<DWORD>(sizeof file + size);
    file.bfOffBits = static_cast<DWORD>(sizeof file + header.biSize + colors * sizeof(RGBQUAD));
    std::vector<std::uint8_t> bmp(sizeof file + size);
    std::memcpy(bmp.data(), &file, sizeof file);
    std::memcpy(bmp.data() + sizeof file, bytes, size);
    try {
        TMemoryStream stream(std::move(bmp));
        TBitmap loadedBitmap;
        loadedBitmap.LoadFromStream(stream);
        bitmap.Assign(loadedBitmap);
    } catch (const EInvalidGraphic&) {
        return false;
    }
    return true;
}
