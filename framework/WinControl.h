// TWinControl: a control with a window of its own, made on demand (Handle() creates it,
// and its parent's first). Each class registers a Unicode window class named after
// itself ("TButton", "TMainForm"); controls built on a system control superclass it
// ("TButton" over "BUTTON"), so the skin engine recognises them by class name.
// TWinControl holds the child controls, lays out aligned children, reflects its children's
// WM_COMMAND and WM_NOTIFY back to them as CN_COMMAND and CN_NOTIFY, paints the
// windowless children, and sends CM_MOUSEENTER/CM_MOUSELEAVE, CM_ENTER/CM_EXIT and
// CM_DIALOGCHAR (Alt+letter, to the form). FindControl maps a window handle to its control.
// Messages to the window pass through the window's hooks (framework/WindowHooks.h), newest
// first, before they reach WindowProc.
#pragma once
#include "framework/Control.h"

#include <string>
#include <vector>

struct TCreateParams {
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    std::wstring BaseClass; // a system class to superclass ("BUTTON"); empty for a plain window
    UINT ClassStyle = CS_DBLCLKS;
    // The class takes the program's icon (forms: the title bar, Alt+Tab, the task bar).
    bool ClassIcon = false;
};

class TWinControl : public TControl {
    KIVORA_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    // Makes the window again (for styles that take effect only at creation), when there is one.
    void RecreateWnd();

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }
    virtual void InsertControl(TControl* control);
    virtual void RemoveControl(TControl* control);
    TControl* ControlAtPos(POINT point) const; // a visible windowless child at a client point

    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v);
    // Position in the tab order among the windowed siblings (0 first).
    int TabOrder() const;
    void SetTabOrder(int order);

    bool Focused() const { return FHandle && GetFocus() == FHandle; }
    void SetFocus();

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    std::wstring Caption() const override;
    void SetCaption(const std::wstring& caption) override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    void Invalidate() override;
    void Update() override;
    void SetParent(TWinControl* parent) override;
    // A window that is not a framework control as the parent (a system dialog's, or the
    // parent of a system control a cover is laid over); used while Parent is unset.
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND parent);

    void WndProc(TMessage& message) override;
    // Lays out the children aligned to the edges and the client area.
    void AlignControls();

protected:
    virtual void CreateParams(TCreateParams& params);
    // Creates the window; overrides set up what the new window needs, calling this first.
    virtual void CreateWnd();
    void DefaultHandler(TMessage& message) override;
    // Own-class windows paint here (after the background is filled with Color): the
    // windowless children are painted after it.
    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc);
    // The background of own-class windows; Color by default.
    virtual void EraseBackground(HDC dc, const RECT& rect);
    void FontChanged() override;
    void UpdateBoundsFromWindow();
    bool PaintsItself() const { return FPaintsItself; }

private:
    void UpdateTabOrder();
    void PaintHandler(TMessage& message);
    void RouteMouseToChild(TMessage& message, bool& handled);
    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    WNDPROC FDefWndProc = nullptr;
    bool FPaintsItself = false;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    bool FDoubleBuffered = false;
    bool FTabStop = false;
    TControl* FMouseControl = nullptr; // windowless child under the mouse
    friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class TControl;
};

// The framework control that owns a window handle, or nullptr.
TWinControl* FindControl(HWND window);
// The form a control is on (its topmost windowed parent that is a form), or nullptr.
class TCustomForm;
TCustomForm* GetParentForm(const TControl* control);
