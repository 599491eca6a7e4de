// The gallery's window: a menu bar (GalleryMenu.h), a tool bar, then one group per control kind — push buttons, glyph
// buttons, speed buttons, check boxes, radio buttons, drop-down boxes, edits — each in
// its normal, default, focused, checked and disabled states, and a status bar with a
// left, a centred and a right-aligned panel; two buttons open a message box and the
// open-file dialog, whose controls are skinned too. Its own skin component carries Kivora's
// stored skin unless skinning is off.
#pragma once

#include "tools/skin-gallery/GalleryMenu.h"
#include "framework/Form.h"

class TButton;
class TSkinData;
class TStatusBar;

class TGalleryForm : public TForm {
    KIVORA_CLASS(TGalleryForm, TForm)
public:
    using TForm::TForm;
    // Whether the form carries the skin (set before the form is made).
    static bool Skinned;
    TSkinData* SkinData1 = nullptr;
    TButton* FocusedButton = nullptr;
    TStatusBar* StatusBar = nullptr;
    TGalleryMenu MainMenu;  // the menu bar

protected:
    void CreateComponents() override;

private:
    void FormShow(TObject* sender);
    void MessageBoxClick(TObject* sender);
    void OpenFileClick(TObject* sender);
};
