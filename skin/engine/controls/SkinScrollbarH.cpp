#include "skin/engine/controls/SkinScrollbarH.h"

#include "skin/SkinData.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/controls/ControlAttachment.h"
#include "skin/engine/controls/ScrollBarCover.h"

const TClassInfo& TSkinScrollbarH::StaticClass()
{
    static const TClassInfo info(L"TSkinScrollbarH", &TSkinControl::StaticClass());
    return info;
}

TSkinScrollbarH::TSkinScrollbarH(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbarH::~TSkinScrollbarH()
{
    FCovers.Free();
}

void TSkinScrollbarH::AttachWindow(HWND handle, TSkinData& skin, TControlAttachment& form)
{
    TSkinControl::AttachWindow(handle, skin, form);
    FControl = nullptr;
    if (handle)
        FCovers.Attach(*this, handle, false);
}

void TSkinScrollbarH::Detach()
{
    TSkinControl::Detach();
    if (FState != scWindowDestroyed)
        FCovers.Free();
}

void TSkinScrollbarH::SkinChanged()
{
    FCovers.SkinChanged();
    TSkinControl::SkinChanged();
}

void TSkinScrollbarH::UpdateBars()
{
    FCovers.UpdateBars(FHandle);
}

void TSkinScrollbarH::AfterMessage(TSkinMessage& message)
{
    FCovers.AfterMessage(FHandle, message.Msg, message.WParam);
    TSkinControl::AfterMessage(message);
    if (message.Msg == WM_SKINENABLE)
        FCovers.SkinSwitched(FSkinActive);
}

void TSkinScrollbarH::DrawSkin(HDC dc, const RECT&)
{
    FCovers.OwnerPaint(dc, FHandle, FSkinData ? FSkinData->ButtonFaceBrush() : nullptr);
}

void CoverSimpleComboList(HWND combo, TSkinData& skin, TControlAttachment& form)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(combo, &info) || !info.hwndList)
        return;
    const HWND list = info.hwndList;
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    if ((style & WS_POPUP) || GetParent(list) == GetDesktopWindow() || !(style & WS_CHILD))
        return;
    if (form.Find(list))
        return;
    auto* cover = new TSkinScrollbarH(nullptr);
    cover->AttachWindow(list, skin, form);
}
