#include "skin/engine/controls/SkinTrackBar.h"

#include "skin/SkinData.h"
#include "skin/engine/controls/ControlDrawing.h"
#include "skin/engine/controls/ParentNotifications.h"
#include "framework/Handles.h"
#include "framework/WinControl.h"

namespace {

constexpr int kThumbFrames = 5;
constexpr int kThumbFrame = 2;

}  // namespace

const TClassInfo& TSkinTrackBar::StaticClass()
{
    static const TClassInfo info(L"TSkinTrackBar", &TSkinControl::StaticClass());
    return info;
}

TSkinTrackBar::TSkinTrackBar(TComponent* owner) : TSkinControl(owner) {}

TSkinTrackBar::~TSkinTrackBar() = default;

void TSkinTrackBar::ListenToParent()
{
    // The track bar asks its parent how to draw each part; framework parents hand the
    // request to the control's window method, so it is heard on the parent's window.
    FNotices = std::make_unique<TParentNotifications>(FHandle, [this](TWindowMessage& m) {
        if (!FSkinActive || m.Msg != WM_NOTIFY)
            return false;
        const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
        if (header->code != static_cast<UINT>(NM_CUSTOMDRAW))
            return false;
        try {
            m.Result = HandleCustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(m.LParam));
        } catch (...) {
            m.Result = CDRF_DODEFAULT;  // the control draws its own thumb
        }
        return true;
    });
}

void TSkinTrackBar::AttachControl(TControlAttachment& form, TSkinData& skin, bool replaceColor)
{
    if (FAttached)
        return;
    TSkinControl::AttachControl(form, skin, replaceColor);
    ListenToParent();
}

void TSkinTrackBar::AttachWindow(HWND handle, TSkinData& skin, TControlAttachment& form)
{
    TSkinControl::AttachWindow(handle, skin, form);
    ListenToParent();
}

void TSkinTrackBar::Detach()
{
    TSkinControl::Detach();
    FNotices.reset();
    if (FState != scWindowDestroyed && FHandle)
        InvalidateRect(FHandle, nullptr, TRUE);
}

void TSkinTrackBar::SkinChanged()
{
    // The track bar repaints its thumb when it takes the focus; one that cannot take it
    // must not stop the skin change of the other controls.
    if (FControl && FHandle && IsWindowVisible(FHandle)) {
        try {
            FControl->SetFocus();
        } catch (...) {
        }
    }
}

bool TSkinTrackBar::BeforeMessage(TSkinMessage& message)
{
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

LRESULT TSkinTrackBar::HandleCustomDraw(const NMCUSTOMDRAW& draw)
{
    if (draw.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage == CDDS_ITEMPREPAINT && draw.dwItemSpec == TBCD_THUMB) {
        DrawThumb(draw);
        return CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

void TSkinTrackBar::DrawThumb(const NMCUSTOMDRAW& draw)
{
    if (!IsWindow(FHandle) || !FSkinData)
        return;
    RECT thumb{};
    SendMessageW(FHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const auto& e = FSkinData->Elements();
    const TDataSkinObject* picture = nullptr;
    if ((WindowStyle() & TBS_VERT) && HasPicture(e.TrackbarThumbVert.get()))
        picture = e.TrackbarThumbVert.get();
    else if (HasPicture(e.TrackbarThumbHorz.get()))
        picture = e.TrackbarThumbHorz.get();
    if (picture) {
        DrawStrip(draw.hdc, thumb, kThumbFrames, kThumbFrame, picture->Image);
        return;
    }
    TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(static_cast<TColor>(e.ColorButtonShadow))));
    const HGDIOBJ oldPen = SelectObject(draw.hdc, pen.get());
    const HGDIOBJ oldBrush = SelectObject(draw.hdc, GetStockObject(WHITE_BRUSH));
    Rectangle(draw.hdc, thumb.left, thumb.top, thumb.right, thumb.bottom);
    SelectObject(draw.hdc, oldBrush);
    SelectObject(draw.hdc, oldPen);
}
