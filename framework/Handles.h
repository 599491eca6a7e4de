// Owning wrappers for the Win32 handles the framework creates: each frees its handle
// with the one call that matches it, once.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace handledetail {
struct GdiDeleter { void operator()(void* h) const { if (h) DeleteObject(static_cast<HGDIOBJ>(h)); } };
struct DCDeleter { void operator()(HDC h) const { if (h) DeleteDC(h); } };
struct MenuDeleter { void operator()(HMENU h) const { if (h) DestroyMenu(h); } };
struct ImageListDeleter { void operator()(HIMAGELIST h) const { if (h) ImageList_Destroy(h); } };
struct KernelDeleter { void operator()(void* h) const { if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h); } };
struct WindowDeleter { void operator()(HWND h) const { if (h) DestroyWindow(h); } };
struct IconDeleter { void operator()(HICON h) const { if (h) DestroyIcon(h); } };
struct RegKeyDeleter { void operator()(HKEY h) const { if (h) RegCloseKey(h); } };
} // namespace handledetail

// A GDI object (font, brush, pen, bitmap, region) deleted with DeleteObject.
template <class H> using TGdiHandle = std::unique_ptr<std::remove_pointer_t<H>, handledetail::GdiDeleter>;
// A memory device context from CreateCompatibleDC, deleted with DeleteDC.
using TMemoryDC = std::unique_ptr<std::remove_pointer_t<HDC>, handledetail::DCDeleter>;
using TMenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, handledetail::MenuDeleter>;
using TImageListHandle = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, handledetail::ImageListDeleter>;
using TKernelHandle = std::unique_ptr<void, handledetail::KernelDeleter>;
using TWindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, handledetail::WindowDeleter>;
// An icon from LoadImage (without LR_SHARED) or CopyImage, destroyed with DestroyIcon.
using TIconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, handledetail::IconDeleter>;
// An open registry key (RegOpenKeyEx, RegCreateKeyEx), closed with RegCloseKey.
using TRegKey = std::unique_ptr<std::remove_pointer_t<HKEY>, handledetail::RegKeyDeleter>;

// Selects a GDI object into a device context for one scope and selects the old one back.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : FDC(dc), FOld(object ? SelectObject(dc, object) : nullptr) {}
    ~TSelectObject() { if (FOld) SelectObject(FDC, FOld); }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};
