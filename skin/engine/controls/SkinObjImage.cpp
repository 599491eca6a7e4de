#include "skin/engine/controls/SkinObjImage.h"

#include "skin/SkinData.h"
#include "skin/engine/controls/ControlAttachment.h"
#include "framework/Properties.h"
#include "framework/WinControl.h"

#include <string>

const TClassInfo& TSkinObjImage::StaticClass()
{
    static const TClassInfo info(L"TSkinObjImage", &TSkinControl::StaticClass());
    return info;
}

void TSkinObjImage::AttachControl(TControlAttachment& form, TSkinData& skin, bool)
{
    if (FAttached)
        return;
    FSkinData = &skin;
    FForm = &form;
    FControl = As<TWinControl>(Owner());
    FHandle = FControl && FControl->HandleAllocated() ? FControl->Handle() : nullptr;
    form.Register(this);
    ApplyGlyphs();
    FAttached = true;
    FState = scAttached;
}

void TSkinObjImage::Detach()
{
    if (GlyphKind == 1 && FControl)
        WriteProp(FControl, L"UseCustomGlyphs", L"false");
}

void TSkinObjImage::SkinChanged()
{
    ApplyGlyphs();
}

void TSkinObjImage::ApplyGlyphs()
{
    if (GlyphKind == 1)
        BuildGlyphs();
}

void TSkinObjImage::BuildGlyphs()
{
    if (!FSkinData || !FControl)
        return;
    const TDataSkinButton& buttons = FSkinData->Elements().Buttons;
    const TBitmap& check = buttons.CheckImage;
    const int frames = buttons.CheckFrameCount;
    if (check.Empty() || frames <= 0)
        return;
    const int fw = check.Width() / frames, h = check.Height();
    if (fw <= 0)
        return;
    TBitmap glyphs(9 * fw, h, pf24bit);
    HDC source = const_cast<TBitmap&>(check).Canvas()->Handle();
    for (int cell = 0; cell < 9; ++cell) {
        const int frame = kCellFrames[cell];
        // The pressed-and-greyed cells need a fifth frame; without it they stay as made.
        if (frame == 5 && frames != 5)
            continue;
        if (frame > frames)
            continue;
        BitBlt(glyphs.Canvas()->Handle(), fw * cell, 0, fw, h, source, fw * (frame - 1), 0, SRCCOPY);
    }
    TBitmap* target = ReadObjectProp<TBitmap>(FControl, L"CustomGlyphs");
    if (!target)
        return;
    target->Assign(glyphs);
    WriteProp(FControl, L"TransparentColor", std::to_wstring(0xFF00FF));
    // Off and on again: the control takes up the new glyphs.
    WriteProp(FControl, L"UseCustomGlyphs", L"false");
    WriteProp(FControl, L"UseCustomGlyphs", L"true");
}
