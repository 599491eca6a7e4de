// Device contexts borrowed for one scope: each holder gives back what it took with the one
// call that matches it, also when the scope is left by an exception — a paint handler that
// throws still ends its paint and leaves the DC as it found it.
#pragma once
#include <windows.h>

// BeginPaint/EndPaint: the window's update region is validated when the scope ends.
class TPaintDC {
public:
    explicit TPaintDC(HWND window) : FWindow(window), FDC(BeginPaint(window, &FPaint)) {}
    ~TPaintDC() { EndPaint(FWindow, &FPaint); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    HDC Handle() const { return FDC; }
    const RECT& PaintRect() const { return FPaint.rcPaint; }

private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FDC;
};

// SaveDC/RestoreDC: origin, clipping, selected objects and modes come back as they were.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
    ~TSavedDC() { if (FSaved) RestoreDC(FDC, FSaved); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int FSaved;
};

// A device context from GetDC, GetDCEx or GetWindowDC, given back with ReleaseDC.
class TReleasedDC {
public:
    ~TReleasedDC() { if (FDC) ReleaseDC(FWindow, FDC); }
    TReleasedDC(const TReleasedDC&) = delete;
    TReleasedDC& operator=(const TReleasedDC&) = delete;
    HDC Handle() const { return FDC; }

protected:
    TReleasedDC(HWND window, HDC dc) : FWindow(window), FDC(dc) {}

private:
    HWND FWindow;
    HDC FDC;
};

// GetDC/GetDCEx: a window's client area, or the screen for a null window. GetDCEx owns a
// region passed with DCX_INTERSECTRGN/DCX_EXCLUDERGN and deletes it at ReleaseDC: pass a
// copy.
class TClientDC : public TReleasedDC {
public:
    explicit TClientDC(HWND window) : TReleasedDC(window, GetDC(window)) {}
    TClientDC(HWND window, HRGN clip, DWORD flags) : TReleasedDC(window, GetDCEx(window, clip, flags)) {}
};

// GetWindowDC: the whole window, frame included (non-client painting).
class TWindowDC : public TReleasedDC {
public:
    explicit TWindowDC(HWND window) : TReleasedDC(window, GetWindowDC(window)) {}
};

// The screen's device context.
class TScreenDC : public TClientDC {
public:
    TScreenDC() : TClientDC(nullptr) {}
};
