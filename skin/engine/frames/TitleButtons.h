// The objects of a skinned title bar: TNCObject, the base of everything in the frame that
// the mouse can hover and press (title-bar buttons here, menu-bar items later), and
// TWinSysButton, one title-bar button described by a BUTTON section of the skin.
#pragma once

#include "skin/SkinElementRecords.h"

#include <windows.h>

class TFormSkin;

// Looks of a frame object.
enum TNCButtonState { nbsNone = 0, nbsNormal = 1, nbsPressed = 2, nbsHot = 3 };

class TNCObject {
public:
    explicit TNCObject(TFormSkin& form) : Form(form) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    // The form's hot object changes to this one (the previous one is left first).
    virtual void Press();
    virtual void Release();
    virtual void Hover();
    virtual void Leave();
    // Draws the object on the window in its current look.
    virtual void Paint() {}

    TFormSkin& Form;
    RECT Rect{};  // window coordinates
    bool Visible = false;
    TNCButtonState ButtonState = nbsNone;
};

class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TFormSkin& form, const TDataSkinSysButton& element) : TNCObject(form), Element(element) {}
    void Paint() override;
    // A decoration (negative action) is drawn but never hit.
    bool Clickable() const { return Visible && Element.Action >= 0; }
    bool ShowsWindowIcon() const { return Element.Action == 3 || Element.Action == 11; }

    const TDataSkinSysButton& Element;  // belongs to the skin, which frees buttons before it reloads
};
