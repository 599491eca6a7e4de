#include "framework/WinControl.h"
#include "framework/Application.h"
#include "framework/DeviceContext.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/HintWindow.h"
#include "framework/Menus.h"
#include "framework/Resource.h"
#include "framework/WindowHooks.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>

namespace {

const wchar_t kControlProp[] = L"KivoraControl";

// A framework window on its way through CreateWindowEx, until its control is attached.
// Creations nest — a creation hook (WH_CBT) may make another window in the middle of one —
// so they form a stack per thread, innermost last.
struct TCreation {
    TWinControl* Control;
    std::wstring ClassName;
    bool Attached = false;
};
thread_local std::vector<TCreation*> tCreations;

// Keeps a creation on the stack for the span of its CreateWindowEx call.
class TCreationScope {
public:
    explicit TCreationScope(TCreation& creation) { tCreations.push_back(&creation); }
    ~TCreationScope() { tCreations.pop_back(); }
    TCreationScope(const TCreationScope&) = delete;
    TCreationScope& operator=(const TCreationScope&) = delete;
};

// The creation a new window belongs to. Own-class windows name theirs at WM_NCCREATE
// through CREATESTRUCT's lpCreateParams. Messages before WM_NCCREATE (WM_GETMINMAXINFO of
// top-level windows) and controls over system classes, whose lpCreateParams is left to
// the system procedure (some system classes read it: MDI clients expect a
// CLIENTCREATESTRUCT there), go by the innermost unattached creation of the window's
// class: a creation nested inside another ends before the outer window's next message.
TCreation* CreationOf(HWND window, UINT msg, LPARAM lParam)
{
    if (tCreations.empty())
        return nullptr;
    if (msg == WM_NCCREATE) {
        void* named = reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams;
        for (TCreation* creation : tCreations)
            if (creation == named && !creation->Attached)
                return creation;
    }
    wchar_t name[256];
    GetClassNameW(window, name, 256);
    for (auto it = tCreations.rbegin(); it != tCreations.rend(); ++it)
        if (!(*it)->Attached && (*it)->ClassName == name)
            return *it;
    return nullptr;
}

std::map<std::wstring, WNDPROC>& RegisteredClasses()
{
    static std::map<std::wstring, WNDPROC> classes;
    return classes;
}

WNDPROC BaseProcOf(HWND window)
{
    wchar_t name[256];
    GetClassNameW(window, name, 256);
    auto it = RegisteredClasses().find(name);
    return it == RegisteredClasses().end() ? DefWindowProcW : it->second;
}

void EnsureCommonControls()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}

} // namespace

LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

// Registers (once per name) a Unicode window class for a framework class; for a control
// over a system class, the class is a copy of that one under the new name. Answers the
// procedure that messages fall through to.
WNDPROC RegisterControlClass(const std::wstring& name, const TCreateParams& params)
{
    auto it = RegisteredClasses().find(name);
    if (it != RegisteredClasses().end())
        return it->second;
    EnsureCommonControls();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    WNDPROC base = DefWindowProcW;
    if (!params.BaseClass.empty()) {
        if (!GetClassInfoExW(nullptr, params.BaseClass.c_str(), &wc))
            RaiseLastOSError(L"Window class " + params.BaseClass + L" is not available");
        base = wc.lpfnWndProc;
        wc.cbSize = sizeof wc;
        wc.style &= ~CS_GLOBALCLASS;
    } else {
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    }
    wc.style |= params.ClassStyle;
    if (params.ClassIcon) {
        wc.hIcon = ProgramIcon(GetSystemMetrics(SM_CXICON));
        wc.hIconSm = ProgramIcon(GetSystemMetrics(SM_CXSMICON));
    }
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name.c_str();
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        RaiseLastOSError(L"Cannot register window class " + name);
    RegisteredClasses()[name] = base;
    return base;
}

} // namespace

namespace {

// The control's part of a message, after the window's hooks: its WindowProc. An exception
// from a handler goes to the application's handler and the program goes on; for paint and
// non-client messages nothing is shown and the class's own procedure answers instead (the
// paint holders have already ended the paint on the way out).
LRESULT ControlWndProc(TWindowMessage& hooked, void* context)
{
    auto* control = static_cast<TWinControl*>(context);
    TMessage message{hooked.Msg, hooked.WParam, hooked.LParam, 0};
    try {
        if (control->WindowProc)
            control->WindowProc(message);
        else
            control->WndProc(message);
    } catch (...) {
        if (Application->HandleMessageException(control, message.Msg))
            message.Result =
                CallWindowProcW(BaseProcOf(hooked.Window), hooked.Window, message.Msg, message.WParam, message.LParam);
    }
    return message.Result;
}

// A window of a framework class that no control made (CreateWindowEx called with the
// class name by other code): its hooks, then the class's base procedure.
LRESULT BaseWndProc(TWindowMessage& message, void*)
{
    return CallWindowProcW(BaseProcOf(message.Window), message.Window, message.Msg, message.WParam, message.LParam);
}

} // namespace

// The one window procedure of every framework window: finds the control (attaching it
// while its window is being created) and hands the message to the window's hooks, then
// to the control.
LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* control = static_cast<TWinControl*>(GetPropW(window, kControlProp));
    if (!control) {
        if (TCreation* creation = CreationOf(window, msg, lParam)) {
            creation->Attached = true;
            control = creation->Control;
            control->FHandle = window;
            SetPropW(window, kControlProp, control);
        }
    }
    LRESULT result = control ? CallWindowHooks(window, msg, wParam, lParam, ControlWndProc, control)
                             : CallWindowHooks(window, msg, wParam, lParam, BaseWndProc, nullptr);
    if (msg == WM_NCDESTROY) {
        EndWindowHooks(window);
        if (control) {
            RemovePropW(window, kControlProp);
            if (control->FHandle == window)
                control->FHandle = nullptr;
        }
    }
    return result;
}

TWinControl* FindControl(HWND window)
{
    return window ? static_cast<TWinControl*>(GetPropW(window, kControlProp)) : nullptr;
}

TCustomForm* GetParentForm(const TControl* control)
{
    const TControl* top = control;
    while (top && top->Parent())
        top = top->Parent();
    return const_cast<TCustomForm*>(As<TCustomForm>(top));
}

const TClassInfo& TWinControl::StaticClass()
{
    static const TClassInfo info(L"TWinControl", &TControl::StaticClass(), {
        BoolProp(L"DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered),
        BoolProp(L"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop),
        IntProp(L"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
    });
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    // Owned components and child controls go while this control is still a TWinControl.
    DestroyComponents();
    while (!FControls.empty())
        FControls.back()->Free();
    DestroyHandle();
}

HWND TWinControl::Handle()
{
    if (!FHandle)
        CreateWnd();
    return FHandle;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = TControl::Caption();
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    if (Parent()) {
        params.Style = WS_CHILD | WS_CLIPSIBLINGS;
        params.WndParent = Parent()->Handle();
        if (Visible())
            params.Style |= WS_VISIBLE;
    } else if (FParentWindow) {
        params.Style = WS_CHILD | WS_CLIPSIBLINGS;
        params.WndParent = FParentWindow;
        if (Visible())
            params.Style |= WS_VISIBLE;
    }
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (FTabStop)
        params.Style |= WS_TABSTOP;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if (params.BaseClass.empty())
        params.Style |= WS_CLIPCHILDREN;
    FDefWndProc = RegisterControlClass(ClassName(), params);
    FPaintsItself = params.BaseClass.empty();
    if (FHandle)
        return; // creating the parent created this one
    TCreation creation{this, ClassName()};
    HWND window;
    {
        TCreationScope scope(creation);
        window = CreateWindowExW(params.ExStyle, ClassName().c_str(), params.Caption.c_str(), params.Style, params.X,
                                 params.Y, params.Width, params.Height, params.WndParent, nullptr,
                                 GetModuleHandleW(nullptr), FPaintsItself ? &creation : nullptr);
    }
    if (!window)
        RaiseLastOSError(L"Error creating window " + ClassName());
    FHandle = window;
    if (!FindControl(window))
        SetPropW(window, kControlProp, this);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
    RegisterHint(window);
    for (TControl* child : std::vector<TControl*>(FControls))
        if (auto* win = As<TWinControl>(child))
            win->HandleNeeded();
    UpdateTabOrder();
    AlignControls();
}

void TWinControl::DestroyHandle()
{
    if (!FHandle)
        return;
    HWND window = FHandle;
    UnregisterHint(window);
    DestroyWindow(window); // WM_NCDESTROY clears FHandle
    FHandle = nullptr;
}

void TWinControl::RecreateWnd()
{
    if (!FHandle)
        return;
    DestroyHandle();
    HandleNeeded();
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (FHandle)
        message.Result = CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW, FHandle, message.Msg,
                                         message.WParam, message.LParam);
}

void TWinControl::InsertControl(TControl* control)
{
    FControls.push_back(control);
    control->FParent = this;
    if (auto* win = As<TWinControl>(control))
        FTabList.push_back(win);
    if (control->FParentFont) {
        control->FFollowingParentFont = true;
        control->Font()->Assign(*Font());
        control->FFollowingParentFont = false;
    }
    if (FHandle) {
        if (auto* win = As<TWinControl>(control)) {
            if (win->FHandle)
                ::SetParent(win->FHandle, FHandle);
            else
                win->HandleNeeded();
        }
    }
    control->Invalidate();
    AlignControls();
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    control->Invalidate();
    FControls.erase(it);
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), control), FTabList.end());
    if (FMouseControl == control)
        FMouseControl = nullptr;
    control->FParent = nullptr;
    AlignControls();
}

void TWinControl::SetParent(TWinControl* parent)
{
    TControl::SetParent(parent);
    if (!parent && FHandle)
        DestroyHandle();
}

void TWinControl::SetParentWindow(HWND parent)
{
    FParentWindow = parent;
    if (FHandle && !Parent())
        ::SetParent(FHandle, parent);
}

TControl* TWinControl::ControlAtPos(POINT point) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (As<TWinControl>(c) || !c->Visible())
            continue;
        RECT r = c->BoundsRect();
        if (PtInRect(&r, point))
            return c;
    }
    return nullptr;
}

void TWinControl::SetTabStop(bool v)
{
    FTabStop = v;
    if (FHandle) {
        LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
        SetWindowLongPtrW(FHandle, GWL_STYLE, v ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    }
}

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    auto& list = Parent()->FTabList;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order)
{
    if (!Parent())
        return;
    auto& list = Parent()->FTabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
    Parent()->UpdateTabOrder();
}

// The dialog navigation of Windows follows the z-order of the children, so the z-order is
// kept in tab order.
void TWinControl::UpdateTabOrder()
{
    HWND after = HWND_TOP;
    for (TWinControl* c : FTabList) {
        if (!c->FHandle)
            continue;
        SetWindowPos(c->FHandle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        after = c->FHandle;
    }
}

void TWinControl::SetFocus()
{
    ::SetFocus(Handle());
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    SetBoundsFields(left, top, width, height);
    if (FHandle)
        SetWindowPos(FHandle, nullptr, left, top, Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    BoundsChanged();
    RequestAlign();
}

void TWinControl::UpdateBoundsFromWindow()
{
    if (!FHandle)
        return;
    RECT r;
    GetWindowRect(FHandle, &r);
    if (Parent() && Parent()->FHandle)
        MapWindowPoints(nullptr, Parent()->FHandle, reinterpret_cast<POINT*>(&r), 2);
    SetBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TWinControl::SetVisible(bool visible)
{
    if (visible == Visible())
        return;
    TControl::SetVisible(visible);
    if (FHandle)
        ShowWindow(FHandle, visible ? SW_SHOWNA : SW_HIDE);
    else if (visible && Parent() && Parent()->HandleAllocated())
        HandleNeeded();
}

void TWinControl::SetEnabled(bool enabled)
{
    if (enabled == Enabled())
        return;
    if (FHandle)
        EnableWindow(FHandle, enabled);
    TControl::SetEnabled(enabled);
}

std::wstring TWinControl::Caption() const
{
    if (!FHandle)
        return TControl::Caption();
    int n = GetWindowTextLengthW(FHandle);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(FHandle, text.data(), n + 1);
    text.resize(static_cast<size_t>(std::max(n, 0)));
    return text;
}

void TWinControl::SetCaption(const std::wstring& caption)
{
    if (FHandle && Caption() != caption)
        SetWindowTextW(FHandle, caption.c_str());
    TControl::SetCaption(caption);
}

int TWinControl::ClientWidth() const
{
    if (!FHandle)
        return TControl::ClientWidth();
    RECT r;
    GetClientRect(FHandle, &r);
    return r.right;
}

int TWinControl::ClientHeight() const
{
    if (!FHandle)
        return TControl::ClientHeight();
    RECT r;
    GetClientRect(FHandle, &r);
    return r.bottom;
}

void TWinControl::Invalidate()
{
    if (FHandle)
        InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Update()
{
    if (FHandle)
        UpdateWindow(FHandle);
}

void TWinControl::FontChanged()
{
    if (FHandle)
        SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    for (TControl* child : FControls)
        if (child->FParentFont) {
            child->FFollowingParentFont = true;
            child->Font()->Assign(*Font());
            child->FFollowingParentFont = false;
        }
    Invalidate();
}

void TWinControl::AlignControls()
{
    if (FControls.empty())
        return;
    RECT rest = ClientRect();
    auto place = [](TControl* c, int l, int t, int w, int h) {
        if (c->Left() != l || c->Top() != t || c->Width() != w || c->Height() != h)
            c->SetBounds(l, t, w, h);
    };
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient})
        for (TControl* c : FControls) {
            if (c->Align() != pass || !c->Visible())
                continue;
            int w = rest.right - rest.left, h = rest.bottom - rest.top;
            switch (pass) {
            case alTop: place(c, rest.left, rest.top, w, c->Height()); rest.top += c->Height(); break;
            case alBottom: place(c, rest.left, rest.bottom - c->Height(), w, c->Height()); rest.bottom -= c->Height(); break;
            case alLeft: place(c, rest.left, rest.top, c->Width(), h); rest.left += c->Width(); break;
            case alRight: place(c, rest.right - c->Width(), rest.top, c->Width(), h); rest.right -= c->Width(); break;
            default: place(c, rest.left, rest.top, w, h); break;
            }
        }
}

void TWinControl::EraseBackground(HDC dc, const RECT& rect)
{
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(dc, &rect, brush.get());
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc)
{
    for (TControl* c : std::vector<TControl*>(FControls)) {
        if (As<TWinControl>(c) || !c->Visible())
            continue;
        TSavedDC saved(dc);
        OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::PaintHandler(TMessage& message)
{
    RECT client;
    GetClientRect(FHandle, &client);
    if (message.WParam) { // painting into a given device context (WM_PRINTCLIENT style)
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        EraseBackground(dc, client);
        PaintWindow(dc);
        PaintControls(dc);
        return;
    }
    TPaintDC paint(FHandle);
    HDC dc = paint.Handle();
    if (FDoubleBuffered && client.right > 0 && client.bottom > 0) {
        TMemoryDC memory(CreateCompatibleDC(dc));
        TGdiHandle<HBITMAP> bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        {
            TSelectObject select(memory.get(), bitmap.get());
            EraseBackground(memory.get(), client);
            PaintWindow(memory.get());
            PaintControls(memory.get());
            BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
        }
    } else {
        EraseBackground(dc, paint.PaintRect());
        PaintWindow(dc);
        PaintControls(dc);
    }
}

void TWinControl::RouteMouseToChild(TMessage& message, bool& handled)
{
    POINT pt{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    TControl* child = ControlAtPos(pt);
    if (message.Msg == WM_MOUSEMOVE && child != FMouseControl) {
        if (FMouseControl)
            FMouseControl->Perform(CM_MOUSELEAVE, 0, 0);
        FMouseControl = child;
        if (child)
            child->Perform(CM_MOUSEENTER, 0, 0);
    }
    if (child && child->Enabled()) {
        child->Perform(message.Msg, message.WParam, MAKELPARAM(pt.x - child->Left(), pt.y - child->Top()));
        handled = true;
    }
}

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_COMMAND:
        if (message.LParam) {
            TWinControl* child = FindControl(reinterpret_cast<HWND>(message.LParam));
            if (child && child != this) {
                message.Result = child->Perform(CN_COMMAND, message.WParam, message.LParam);
                return;
            }
        } else if (HIWORD(message.WParam) == 0 && DispatchMenuCommand(LOWORD(message.WParam))) {
            message.Result = 0;
            return;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(message.LParam);
        TWinControl* child = FindControl(header->hwndFrom);
        if (child && child != this) {
            message.Result = child->Perform(CN_NOTIFY, message.WParam, message.LParam);
            return;
        }
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        // A scroll bar control, track bar or up-down tells its parent; the control hears it.
        if (message.LParam) {
            TWinControl* child = FindControl(reinterpret_cast<HWND>(message.LParam));
            if (child && child != this) {
                message.Result = child->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
                return;
            }
        }
        break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (DispatchMenuOwnerDraw(message))
            return;
        if (message.Msg == WM_DRAWITEM) {
            // An owner-drawn child control (a glyph button, a status bar's panel) draws
            // itself: the notice goes back to it.
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
            TWinControl* child = draw ? FindControl(draw->hwndItem) : nullptr;
            if (child && child != this) {
                message.Result = child->Perform(CN_DRAWITEM, message.WParam, message.LParam);
                return;
            }
        }
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
        // A child control may colour its own background (a check box on a coloured panel).
        TWinControl* child = FindControl(reinterpret_cast<HWND>(message.LParam));
        if (child && child != this) {
            message.Result = child->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
            if (message.Result)
                return;
        }
        break;
    }
    case WM_SETFOCUS:
        DefaultHandler(message);
        Perform(CM_ENTER, 0, 0);
        return;
    case WM_KILLFOCUS:
        DefaultHandler(message);
        Perform(CM_EXIT, 0, 0);
        return;
    case WM_MOUSEMOVE:
        if (!FMouseInControl) {
            FMouseInControl = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FHandle, 0};
            TrackMouseEvent(&track);
            Perform(CM_MOUSEENTER, 0, 0);
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        bool handled = false;
        if (FPaintsItself)
            RouteMouseToChild(message, handled);
        if (handled)
            return;
        break;
    }
    case WM_MOUSELEAVE:
        FMouseInControl = false;
        if (FMouseControl) {
            FMouseControl->Perform(CM_MOUSELEAVE, 0, 0);
            FMouseControl = nullptr;
        }
        Perform(CM_MOUSELEAVE, 0, 0);
        DefaultHandler(message);
        return;
    case WM_CONTEXTMENU:
        if (PopupMenu() && PopupMenu()->AutoPopup()) {
            POINT pt{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
            if (message.LParam == -1)
                GetCursorPos(&pt);
            PopupMenu()->SetPopupComponent(this);
            PopupMenu()->Popup(pt.x, pt.y);
            message.Result = 0;
            return;
        }
        break;
    case WM_SYSCHAR:
        if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam)) {
            message.Result = 0;
            return;
        }
        break;
    case CM_DIALOGCHAR:
        for (TControl* child : std::vector<TControl*>(FControls))
            if (As<TWinControl>(child) && child->Perform(CM_DIALOGCHAR, message.WParam, message.LParam)) {
                message.Result = 1;
                return;
            }
        return;
    case WM_SIZE:
        DefaultHandler(message);
        UpdateBoundsFromWindow();
        AlignControls();
        return;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        UpdateBoundsFromWindow();
        return;
    case WM_PAINT:
        if (FPaintsItself) {
            PaintHandler(message);
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (FPaintsItself) {
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TControl::WndProc(message);
}
