#include "skin/engine/controls/SkinEdit.h"
#include "skin/engine/controls/SkinUpDown.h"

#include "skin/SkinData.h"
#include "framework/DeviceContext.h"

const TClassInfo& TSkinEdit::StaticClass()
{
    static const TClassInfo info(L"TSkinEdit", &TSkinControl::StaticClass());
    return info;
}

void TSkinEdit::AfterMessage(TSkinMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT:
        if (!m.WParam)
            PaintNow(nullptr);
        return;
    case WM_NCPAINT:
        // The sunken border comes back with every frame paint.
        PaintNow(nullptr);
        return;
    case WM_PRINT:
        PrintFrame(reinterpret_cast<HDC>(m.WParam));
        return;
    default:
        TSkinControl::AfterMessage(m);
        return;
    }
}

void TSkinEdit::DrawSkin(HDC dc, const RECT& rect)
{
    if (!FSkinData)
        return;
    if (FForm)
        SkinSpinInsideEdit(FHandle, Owner(), *FSkinData, *FForm);
    RECT client{};
    GetClientRect(FHandle, &client);
    if (client.right == rect.right || client.bottom == rect.bottom)
        return;  // no border on that side
    TGdiHandle<HBRUSH> shadow(CreateSolidBrush(ColorToRGB(FSkinData->Elements().ColorButtonShadow)));
    FrameRect(dc, &rect, shadow.get());
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void TSkinEdit::PrintFrame(HDC dc)
{
    RECT r{};
    if (!FSkinData || !GetWindowRect(FHandle, &r))
        return;
    FWindowRect = r;
    OffsetRect(&r, -r.left, -r.top);
    try {
        std::unique_ptr<TWindowDC> own;
        if (!dc) {
            own = std::make_unique<TWindowDC>(FHandle);
            dc = own->Handle();
        }
        RECT client{};
        GetClientRect(FHandle, &client);
        if (!dc || client.right + 2 >= r.right || client.bottom + 2 >= r.bottom)
            return;
        // The DC's own brush is borrowed for the inner line, never adopted.
        RECT inner = r;
        InflateRect(&inner, -1, -1);
        FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
        TGdiHandle<HBRUSH> shadow(CreateSolidBrush(ColorToRGB(FSkinData->Elements().ColorButtonShadow)));
        FrameRect(dc, &r, shadow.get());
    } catch (...) {
        // Printing keeps the edit's own frame.
    }
}
