// The snapshot viewer: shows the last snapshot; its caption says where it was saved.
#pragma once

#include "framework/Form.h"
#include "framework/Image.h"

class TShowImageForm : public TForm {
    KIVORA_CLASS(TShowImageForm, TForm)
public:
    using TForm::TForm;
    TImage* Image = nullptr;

protected:
    void CreateComponents() override;

private:
    void FormCreate(TObject* sender);
};

extern TShowImageForm* ShowImageForm;
