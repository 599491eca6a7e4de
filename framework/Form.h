// TCustomForm / TForm: a top-level window built from its design values. A form class
// overrides CreateComponents to make its components and set their design values in one
// place (what reading a stored form does); Load() runs it with the form in the loading
// state, then Loaded() on every component in creation order, then OnCreate.
// TApplication::CreateForm and TCustomForm::Create do this for you.
// Forms have a caption, border style and icons, client size, colour, font, a position
// (as designed, screen centre, main form centre), a main menu, OnCreate/OnShow/OnClose/
// OnDestroy, Show/Hide/Close/Release, and ShowModal returning the ModalResult that a
// button or code sets. The window class is named after the form class ("TMainForm").
#pragma once
#include "framework/Canvas.h"
#include "framework/WinControl.h"

class TMainMenu;
class TMenuItem;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
KIVORA_ENUM_NAMES(TFormBorderStyle, L"bsNone", L"bsSingle", L"bsSizeable", L"bsDialog", L"bsToolWindow", L"bsSizeToolWin")
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
KIVORA_ENUM_NAMES(TBorderIcon, L"biSystemMenu", L"biMinimize", L"biMaximize", L"biHelp")
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition { poDesigned, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
KIVORA_ENUM_NAMES(TPosition, L"poDesigned", L"poScreenCenter", L"poDesktopCenter", L"poMainFormCenter", L"poOwnerFormCenter")
enum TCloseAction { caNone, caHide, caFree, caMinimize };
KIVORA_ENUM_NAMES(TCloseAction, L"caNone", L"caHide", L"caFree", L"caMinimize")

// fsMDIForm: a frame whose client area is an MDI client holding fsMDIChild forms.
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm };
KIVORA_ENUM_NAMES(TFormStyle, L"fsNormal", L"fsMDIChild", L"fsMDIForm")

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO;

using TCloseEvent = TEvent<TObject*, TCloseAction&>;

class TCustomForm : public TWinControl {
    KIVORA_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Makes a form of class T and builds it from its design values.
    template <class T> static T* Create(TComponent* owner)
    {
        T* form = new T(owner);
        form->Load();
        return form;
    }
    // Builds the form: loading state, CreateComponents, Loaded() on all, OnCreate.
    void Load();

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int width) override;
    void SetClientHeight(int height) override;
    // What the system's own frame of this form's border style adds to a client area
    // (AdjustWindowRectEx of the styles it is created with, menu bar counted). A layout
    // designed as outer window sizes converts through it to client sizes, which hold
    // whatever frame the window is drawn with (a skin's is larger or smaller).
    SIZE NativeFrameSize();
    // A band of this many pixels between the frame and the client area, in the form's
    // colour, on every side (a dialog's margin around its controls).
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int width);
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* menu);
    // MDI (MdiForms.cpp). The style is set before the window is made. An MDI child lives
    // in the client of its owner when that is an MDI frame, else of the main form.
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle style) { FFormStyle = style; }
    // The MDI client window of an MDI frame (0 otherwise).
    HWND ClientHandle() const { return FClientHandle; }
    // The frame an MDI child lives in; null for other forms.
    TCustomForm* MDIFrame() const;
    TCustomForm* ActiveMDIChild() const;
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int index) const;
    void Cascade();
    void Tile();
    // An MDI frame's menu bar: the active child's main menu merged into the frame's own
    // by GroupIndex (a child entry replaces the frame's entries of its GroupIndex, the
    // others keep their GroupIndex order), or the frame's own menu when no child with a
    // menu is active. Called as children are activated and destroyed.
    void UpdateMDIMenu();
    // The entry of an MDI frame's menu whose drop-down lists the children (the client
    // keeps the list, one item per child); null for none.
    TMenuItem* WindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* item);
    TCanvas* Canvas() { return &FCanvas; }

    void SetVisible(bool visible) override;
    void Show();
    TModalResult ShowModal();
    bool Modal() const { return FModal; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) { FModalResult = result; }
    void Close();
    // Frees the form once the messages being handled are done (posts CM_RELEASE).
    void Release();

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnPaint;

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    // The form's design values: create the components and set their properties here.
    virtual void CreateComponents() {}
    void BeforeDestruction() override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void PaintWindow(HDC dc) override;
    void DefaultHandler(TMessage& message) override;

private:
    void CreateMDIClient();
    // An MDI child's window is destroyed through its client, which then activates the
    // next child (maximized when this one was).
    void DestroyMDIChild();
    void FitMDIClient();
    // The merged bar goes; the menus it borrowed its drop-downs from keep them.
    void ReleaseMergedMenu();
    HMENU FMergedMenu = nullptr;
    TMenuItem* FWindowMenu = nullptr;  // an item of FMenu  // holds other menus' drop-downs: never DestroyMenu'd whole
    void MDIChildParams(TCreateParams& params);
    TFormStyle FFormStyle = fsNormal;
    HWND FClientHandle = nullptr;  // a child window: destroyed with the frame
    void ApplyPosition();
    void CloseModal();
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    int FPendingClientWidth = -1, FPendingClientHeight = -1;
    int FBorderWidth = 0;
    // Paints the border-width band in the form's colour onto the window's DC.
    void PaintBorderBand();
    TMainMenu* FMenu = nullptr;
    TCanvas FCanvas;
    bool FModal = false;
    bool FPositioned = false;
    bool FDestroyFired = false;
    TModalResult FModalResult = mrNone;
};

class TForm : public TCustomForm {
    KIVORA_CLASS(TForm, TCustomForm)
public:
    using TCustomForm::TCustomForm;
};
