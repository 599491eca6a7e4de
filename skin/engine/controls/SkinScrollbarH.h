// TSkinScrollbarH: the scroll bars of a raw window (a system dialog's file list, the list
// of a simple combo box) covered by skinned bars, as TSkinScrollbar does for framework
// controls.
#pragma once

#include "skin/engine/controls/ScrollCovers.h"
#include "skin/engine/controls/SkinControl.h"

class TSkinScrollbarH : public TSkinControl {
    KIVORA_CLASS(TSkinScrollbarH, TSkinControl)
public:
    explicit TSkinScrollbarH(TComponent* owner);
    ~TSkinScrollbarH() override;
    void AttachWindow(HWND handle, TSkinData& skin, TControlAttachment& form) override;
    void Detach() override;
    void UpdateBars();
    void SkinChanged() override;
    TWScrollbar* HorzBar() const { return FCovers.HorzBar(); }
    TWScrollbar* VertBar() const { return FCovers.VertBar(); }

protected:
    void AfterMessage(TSkinMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

private:
    TScrollCovers FCovers;
};

// The list of a simple combo box (always shown, a child window of the box) gets its
// scroll bars covered, unless it has them covered already. The cover's object is the
// form's, found through the form's list when needed, so it is freed exactly once.
void CoverSimpleComboList(HWND combo, TSkinData& skin, TControlAttachment& form);
