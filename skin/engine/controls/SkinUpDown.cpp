#include "skin/engine/controls/SkinUpDown.h"

#include "skin/ElementFrame.h"
#include "skin/SkinData.h"
#include "skin/engine/GdiTally.h"
#include "skin/engine/WindowText.h"
#include "skin/engine/controls/ControlAttachment.h"
#include "framework/Handles.h"

#include <commctrl.h>

#include <cwctype>

const TClassInfo& TSkinUpDown::StaticClass()
{
    static const TClassInfo info(L"TSkinUpDown", &TSkinControl::StaticClass());
    return info;
}

bool TSkinUpDown::BeforeMessage(TSkinMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        PaintMessage(message);
        return false;
    case WM_ERASEBKGND:
        EraseBackground(message);
        message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallDefault(message);
        FMouseState |= msDown;
        PaintNow(nullptr);
        return false;
    case WM_LBUTTONUP:
        FMouseState &= ~msDown;
        CallDefault(message);
        PaintNow(nullptr);
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinUpDown::EraseBackground(TSkinMessage& message)
{
    if (FControl || !message.WParam)
        return;
    RECT client{};
    GetClientRect(FHandle, &client);
    FillRect(reinterpret_cast<HDC>(message.WParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void TSkinUpDown::HalfStates(const RECT& c, bool horizontal, bool enabled, bool pressed, POINT cursor, int states[2])
{
    // Compared with half the size, not with the middle's coordinate.
    const int half = horizontal ? (c.right - c.left) / 2 : (c.bottom - c.top) / 2;
    const int along = horizontal ? cursor.x : cursor.y;
    states[0] = pressed && along < half ? 2 : 1;
    states[1] = pressed && along >= half ? 2 : 1;
    if (!enabled)
        states[0] = states[1] = 3;
}

void TSkinUpDown::DrawSkin(HDC dc, const RECT& rect)
{
    if (!FSkinData)
        return;
    RECT c{};
    GetClientRect(FHandle, &c);
    if (c.right <= 0 || c.bottom <= 0)
        return;
    TCountedBitmap work;
    work.SetPixelFormat(pf24bit);
    work.SetSize(c.right, c.bottom);
    HDC m = work.Canvas()->Handle();
    FillFace(m, c);
    if (InsideEdit)
        InflateRect(&c, -1, -1);
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(FHandle, &cursor);
    const LONG_PTR style = WindowStyle();
    const bool horizontal = (style & UDS_HORZ) != 0;
    int states[2];
    HalfStates(c, horizontal, !(style & WS_DISABLED), (FMouseState & msDown) != 0, cursor, states);
    RECT parts[2] = {c, c};
    if (horizontal) {
        const int half = (c.right - c.left) / 2;
        parts[0].right = c.left + half;
        parts[1].left = c.left + half;
    } else {
        const int half = (c.bottom - c.top) / 2;
        parts[0].bottom = c.top + half;
        parts[1].top = c.top + half;
    }
    const auto& e = FSkinData->Elements();
    const bool skinned = horizontal ? e.UpDownHorz != nullptr : e.UpDownVert != nullptr;
    for (int i = 0; i < 2; ++i) {
        const int arrow = (horizontal ? 2 : 0) + i;
        if (skinned)
            DrawArrowSkin(m, parts[i], arrow, states[i]);
        else
            DrawArrowPlain(m, parts[i], arrow, states[i]);
    }
    BitBlt(dc, rect.left, rect.top, c.right, c.bottom, m, 0, 0, SRCCOPY);
}

void TSkinUpDown::DrawArrowSkin(HDC dc, const RECT& q, int arrow, int state)
{
    const auto& e = FSkinData->Elements();
    const TDataSkinBorder& element = arrow >= 2 ? *e.UpDownHorz : *e.UpDownVert;
    const int count = element.FrameCount > 0 ? element.FrameCount : 8;
    const int frame = (arrow % 2) * 4 + state;
    if (!element.Image.Empty())
        DrawStripFrame(dc, q, element.Image, true, count, frame);
    if (element.Image2.Empty())
        return;
    const int gw = element.Image2.Width() / count, gh = element.Image2.Height();
    const int left = q.left + ((q.right - q.left) - gw) / 2, top = q.top + ((q.bottom - q.top) - gh) / 2;
    DrawStripFrame(dc, {left, top, left + gw, top + gh}, element.Image2, true, count, frame);
}

namespace {

struct TStroke {
    int X1, Y1, X2, Y2;
};

// The line-drawn arrows, relative to (X, Y); each line leaves out its end point.
const TStroke kUpStrokes[] = {{0, 0, 0, -1}, {1, 1, 4, 4}, {0, 1, 3, 4}, {0, 2, 2, 4},
                              {-1, 1, -4, 4}, {0, 2, -3, 4}, {0, 1, -2, 4}};
const TStroke kDownStrokes[] = {{0, 3, 0, 4}, {1, 2, 4, -1}, {0, 2, 3, -1}, {0, 1, 2, 0},
                                {-1, 2, -4, -1}, {0, 2, -3, -1}, {0, 1, -2, 0}};
const POINT kLeftPath[] = {{0, 0}, {1, 2}, {1, -2}, {-1, 0}, {1, 2}};
const POINT kRightPath[] = {{0, 0}, {-1, 2}, {-1, -2}, {1, 0}, {-1, 2}};

void DrawArrow(HDC dc, int x, int y, int arrow)
{
    if (arrow < 2) {
        for (const TStroke& s : arrow == 0 ? kUpStrokes : kDownStrokes) {
            MoveToEx(dc, x + s.X1, y + s.Y1, nullptr);
            LineTo(dc, x + s.X2, y + s.Y2);
        }
        return;
    }
    const POINT* path = arrow == 2 ? kLeftPath : kRightPath;
    MoveToEx(dc, x + path[0].x, y + path[0].y, nullptr);
    for (int i = 1; i < 5; ++i)
        LineTo(dc, x + path[i].x, y + path[i].y);
}

}  // namespace

void TSkinUpDown::DrawArrowPlain(HDC dc, const RECT& q, int arrow, int state)
{
    const auto& e = FSkinData->Elements();
    const TSkinColor fill = (state == 2 || state == 4) ? e.ColorButtonShadow : e.ColorButtonFace;
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(static_cast<TColor>(fill))));
    TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(static_cast<TColor>(e.ColorButtonDkShadow))));
    const HGDIOBJ oldBrush = SelectObject(dc, brush.get());
    const HGDIOBJ oldPen = SelectObject(dc, pen.get());
    Rectangle(dc, q.left, q.top, q.right, q.bottom);
    const int x = q.left + (q.right - q.left) / 2;
    const int y = q.top + (q.bottom - q.top) / 2 - (arrow < 2 ? 2 : 0);
    DrawArrow(dc, x, y, arrow);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

namespace {

bool IsSpinClass(HWND window)
{
    std::wstring name = ReadClassName(window);
    for (wchar_t& ch : name)
        ch = static_cast<wchar_t>(std::towlower(ch));
    return name == L"msctls_updown32" || name.find(L"spin") != std::wstring::npos ||
           name.find(L"updown") != std::wstring::npos;
}

}  // namespace

void SkinSpinInsideEdit(HWND edit, TComponent* owner, TSkinData& skin, TControlAttachment& form)
{
    for (HWND child = GetTopWindow(edit); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsSpinClass(child))
            continue;
        if (!form.Find(child)) {
            auto* spin = new TSkinUpDown(owner);
            spin->AttachWindow(child, skin, form);
            spin->InsideEdit = true;
        }
        return;
    }
}
