// The skin engine's own count of the GDI objects it holds: regions, fonts, icon copies and
// the bitmaps its form objects keep. Every such object is made through a counted holder,
// so a test can check that hundreds of activations, title changes and dialogs leave the
// count where it started (Wine's GetGuiResources always answers 0, so the platform cannot
// tell us).
#pragma once

#include "framework/Bitmap.h"

#include <windows.h>

#include <memory>
#include <type_traits>

// Live GDI objects of the engine.
long EngineGdiObjects();

namespace gditally {
void Created();
void Deleted();

struct TCountedDeleter {
    void operator()(void* handle) const
    {
        if (handle) {
            DeleteObject(static_cast<HGDIOBJ>(handle));
            Deleted();
        }
    }
};
}  // namespace gditally

// A GDI object (region, font, brush) owned by the engine, counted while it lives.
template <class H>
class TCountedGdi {
public:
    TCountedGdi() = default;
    explicit TCountedGdi(H handle) { reset(handle); }
    H get() const { return static_cast<H>(FHandle.get()); }
    explicit operator bool() const { return FHandle != nullptr; }
    void reset(H handle = nullptr)
    {
        if (handle)
            gditally::Created();
        FHandle.reset(handle);
    }
    // Hands the object to someone who frees it (SetWindowRgn): no longer ours to count.
    H release()
    {
        H handle = static_cast<H>(FHandle.release());
        if (handle)
            gditally::Deleted();
        return handle;
    }

private:
    std::unique_ptr<std::remove_pointer_t<H>, gditally::TCountedDeleter> FHandle;
};

// A bitmap the engine keeps (a composed title strip, an icon picture): counted while it
// exists, as one GDI object, whatever its size.
class TCountedBitmap : public TBitmap {
public:
    TCountedBitmap() { gditally::Created(); }
    ~TCountedBitmap() override { gditally::Deleted(); }
    TCountedBitmap(const TCountedBitmap&) = delete;
    TCountedBitmap& operator=(const TCountedBitmap&) = delete;
};
