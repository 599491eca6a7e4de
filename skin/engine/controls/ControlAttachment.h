// TControlAttachment: the controls of one skinned window and their skinning objects. When
// the window's form object attaches (WM_SKINATTACH), it gives each control the skinning
// object of its kind — chosen for a framework form's components by the application's
// OnSkinControl event, the skin's Skin3rd list ("class=kind") and a table of framework
// classes; for the children of a window without framework form (a message box, a common
// dialog) by window class and style — and keeps them in its Controls list until the window
// is unskinned, its controls die or the skin changes.
//
// A component whose Tag mod 100 is the skin's DisableTag is left alone; each row of the
// tables applies only when the skin's SkinControls has the kind it needs.
//
// It also keeps the window's hot push button (the one showing the hover look) and serves
// skinned tool bars' button drawing.
#pragma once

#include "framework/ToolBar.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TComponent;
class TCustomForm;
class TSkinControl;
class TSkinData;

class TControlAttachment {
public:
    // window: the skinned window; sender: the form object (the OnSkinControl event's
    // sender); ready: whether the form object is ready to draw.
    TControlAttachment(HWND window, TComponent* sender, std::function<bool()> ready);
    ~TControlAttachment();
    TControlAttachment(const TControlAttachment&) = delete;
    TControlAttachment& operator=(const TControlAttachment&) = delete;

    // Skins the controls: a framework form's components, or the raw child windows.
    void Attach(TSkinData& skin, TCustomForm* form);
    void SkinFormControls(TComponent& container);
    void SkinComponent(TComponent& component, TComponent& container);
    // The Skin3rd rules: true when the list names the class (also "nil": left unskinned).
    bool SkinByThirdParty(const std::wstring& className, TComponent& component);
    bool AlreadySkinned(TComponent& component) const;
    static bool NeedsScrollSkin(TComponent& component);
    void SkinChildWindows();
    void SkinChildWindow(HWND handle);

    // Detaches and frees every object (skinning switched off, window unskinned).
    void FreeAll();
    // Frees the objects whose window is gone.
    void PurgeDead();
    // The skin's pictures changed.
    void SkinChanged();
    // The hover check: a hot button the cursor left is told so.
    void CheckHotButton();

    void Register(TSkinControl* control);
    void Unregister(TSkinControl* control);
    const std::vector<TSkinControl*>& Controls() const { return FControls; }
    // The object serving a window, or null.
    TSkinControl* Find(HWND window) const;
    TSkinControl* HotButton() const { return FHotButton; }
    void SetHotButton(TSkinControl* button) { FHotButton = button; }
    HWND Window() const { return FWindow; }
    TSkinData* Skin() const { return FSkin; }
    bool Ready() const { return FReady && FReady(); }

    // A skinned tool bar's button drawing: the skin's button frame under the button's
    // picture and caption.
    void DrawToolButton(TToolBar* toolBar, TToolButton* button, TCustomDrawState state, bool& defaultDraw);

private:
    bool Has(int kind) const;
    void Free(TSkinControl* control);
    HWND FWindow;
    TComponent* FSender;
    std::function<bool()> FReady;
    TSkinData* FSkin = nullptr;
    std::vector<TSkinControl*> FControls;
    TSkinControl* FHotButton = nullptr;
};
