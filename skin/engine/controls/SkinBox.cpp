#include "skin/engine/controls/SkinBox.h"

#include "skin/engine/controls/ControlAttachment.h"
#include "framework/ToolBar.h"

const TClassInfo& TSkinBox::StaticClass()
{
    static const TClassInfo info(L"TSkinBox", &TSkinControl::StaticClass());
    return info;
}

void TSkinBox::AttachControl(TControlAttachment& form, TSkinData& skin, bool replaceColor)
{
    FReplaceColor = replaceColor;
    FSkinData = &skin;
    FControl = As<TWinControl>(Owner());
    if (!FControl)
        return;
    FHandle = FControl->Handle();
    FForm = &form;
    form.Register(this);
    if (FReplaceColor) {
        FOldColor = FControl->Color();
        FControl->SetColor(FaceColor());
    }
}

void TSkinBox::TakeToolBar(TToolBar& toolBar, TControlAttachment& form)
{
    FToolBar = &toolBar;
    FOldFlat = toolBar.Flat();
    toolBar.SetFlat(true);
    if (!toolBar.OnCustomDrawButton) {
        TControlAttachment* attachment = &form;
        toolBar.OnCustomDrawButton = [attachment](TToolBar* bar, TToolButton* button, TCustomDrawState state,
                                                  bool& defaultDraw) {
            attachment->DrawToolButton(bar, button, state, defaultDraw);
        };
        FDrawsButtons = true;
        toolBar.Invalidate();
    }
}

void TSkinBox::Detach()
{
    TSkinControl::Detach();
    if (FToolBar) {
        if (FDrawsButtons)
            FToolBar->OnCustomDrawButton = nullptr;
        FToolBar->SetFlat(FOldFlat);
        FDrawsButtons = false;
        FToolBar = nullptr;
    }
    FState = scDetached;
}
