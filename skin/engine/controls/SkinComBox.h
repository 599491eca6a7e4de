// TSkinComBox: combo boxes (drop-down and drop-down-list; the inner combo box of an
// extended combo box) keep painting their text, and the skin then draws its combo face
// over the frame and the drop-down button: the whole face per state when the skin has
// composed faces (button right, or mirrored for a right-to-left box), otherwise its
// sunken edge, button strip and arrow glyph. A drop-down box's edit is listened to as
// well, so that its painting and clicks refresh the face.
#pragma once

#include "skin/engine/controls/ControlDrawing.h"
#include "skin/engine/controls/SkinControl.h"

#include <memory>

class TSkinComBox : public TSkinControl {
    KIVORA_CLASS(TSkinComBox, TSkinControl)
public:
    explicit TSkinComBox(TComponent* owner);
    ~TSkinComBox() override;
    void AttachControl(TControlAttachment& form, TSkinData& skin, bool replaceColor) override;
    void Detach() override;
    void SkinChanged() override;
    HWND EditWindow() const;

    // The face's state: 1 normal, 2 pressed, 3 disabled, 4 hot or focused.
    static int FaceState(bool enabled, bool focused, int mouseState);

protected:
    void AfterMessage(TSkinMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

private:
    class TEditHook;
    void SubclassEdit();
    void EditMessage(UINT msg);
    void DrawPlainCombo(HDC dc, const RECT& rect, int state);
    std::unique_ptr<TEditHook> FEditHook;
    TElementCache FFace;
};
