// The about window: the program's logo, shown modally by the main window's About button.
// A fresh window is built for every showing and freed when it closes.
#pragma once

#include "framework/Form.h"
#include "framework/Image.h"

class TFlashWindow : public TForm {
    KIVORA_CLASS(TFlashWindow, TForm)
public:
    using TForm::TForm;
    TImage* Image = nullptr;

protected:
    void CreateComponents() override;
};
