#include "skin/engine/controls/SkinScrollbar.h"

#include "skin/SkinData.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/controls/ParentNotifications.h"
#include "skin/engine/controls/ScrollBarCover.h"
#include "framework/ScrollBar.h"

const TClassInfo& TSkinScrollbar::StaticClass()
{
    static const TClassInfo info(L"TSkinScrollbar", &TSkinControl::StaticClass());
    return info;
}

TSkinScrollbar::TSkinScrollbar(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbar::~TSkinScrollbar()
{
    FNotices.reset();
    FCovers.Free();
}

void TSkinScrollbar::AttachScrollControl(TWinControl& control, TSkinData& skin, TControlAttachment& form)
{
    if (FAttached || Owner() != &control)
        return;
    AttachControl(form, skin, false);
    if (!FHandle)
        return;
    const bool scrollBarControl = As<TScrollBar>(&control) != nullptr;
    FCovers.Attach(*this, FHandle, scrollBarControl);
    if (scrollBarControl) {
        FNotices = std::make_unique<TParentNotifications>(FHandle, [this](TWindowMessage& m) {
            if (FSkinActive && (m.Msg == WM_HSCROLL || m.Msg == WM_VSCROLL))
                FCovers.ScrollNotice(m.Msg == WM_VSCROLL, m.WParam);
            return false;  // the parent hears it too
        });
    }
    if (!control.Visible())
        FCovers.HideBars();
}

void TSkinScrollbar::Detach()
{
    TSkinControl::Detach();
    FNotices.reset();
    // A destroyed window's covers stay until this object goes (their windows went with
    // the parent, or go with this object).
    if (FState != scWindowDestroyed)
        FCovers.Free();
}

void TSkinScrollbar::SkinChanged()
{
    FCovers.SkinChanged();
    TSkinControl::SkinChanged();
}

void TSkinScrollbar::UpdateBars()
{
    FCovers.UpdateBars(FHandle);
}

void TSkinScrollbar::AfterMessage(TSkinMessage& message)
{
    FCovers.AfterMessage(FHandle, message.Msg, message.WParam);
    TSkinControl::AfterMessage(message);
    if (message.Msg == WM_SKINENABLE)
        FCovers.SkinSwitched(FSkinActive);
}

void TSkinScrollbar::DrawSkin(HDC dc, const RECT&)
{
    FCovers.OwnerPaint(dc, FHandle, FSkinData ? FSkinData->ButtonFaceBrush() : nullptr);
}
