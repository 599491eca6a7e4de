// The message record every window method receives, the window method type itself, and
// the framework's private messages. A control's WindowProc is a TWndMethod; whoever
// replaces it keeps the previous one and passes on what it does not handle (hooks that
// come and go independently use framework/WindowHooks.h). CM_ messages are the framework's own notifications, CN_ messages are
// notifications the parent window reflects back to the control they concern.
#pragma once
#include "framework/Event.h"

#include <windows.h>

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

using TWndMethod = TEvent<TMessage&>;

// Messages that arrive in the middle of painting or of the frame's sizing and hit-testing:
// their handlers must never show UI (a message box would run a message loop inside a
// half-done paint), so a failure there falls back to the window's default handling.
constexpr bool IsPaintOrNonClientMessage(UINT msg)
{
    return msg == WM_PAINT || msg == WM_SYNCPAINT || msg == WM_ERASEBKGND || msg == WM_PRINT ||
           msg == WM_PRINTCLIENT || msg == WM_DRAWITEM || msg == WM_MEASUREITEM ||
           (msg >= WM_NCCREATE && msg <= WM_NCXBUTTONDBLCLK) || msg == WM_NCMOUSEHOVER ||
           msg == WM_NCMOUSELEAVE || (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC);
}

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;      // a character to a form (WParam char): accelerators; nonzero Result = used
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11; // WParam: the new Visible (0 hidden)
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12; // after Enabled changed
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;    // after Caption/Text changed
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;     // the mouse came over the control
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;     // the mouse left the control
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;    // a form's main menu changed
constexpr UINT CM_ENTER = CM_BASE + 26;          // the control got the keyboard focus
constexpr UINT CM_EXIT = CM_BASE + 27;           // the control lost the keyboard focus
constexpr UINT CM_RELEASE = CM_BASE + 33;        // posted by TCustomForm::Release: free the form
constexpr UINT CM_CYCLEPAGE = CM_BASE + 40;      // Ctrl+Tab (WParam 1) or Ctrl+Shift+Tab (0) inside the control; nonzero Result = used

constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND; // WM_COMMAND of a child control, reflected to it
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;   // WM_NOTIFY of a child control, reflected to it
// WM_CTLCOLORBTN / WM_CTLCOLORSTATIC of a child control, reflected to it: Result is its
// background brush, or 0 for the default colours.
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM; // WM_DRAWITEM of an owner-drawn child control, reflected to it
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL; // WM_HSCROLL of a child scroll bar or track bar, reflected to it
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL; // WM_VSCROLL of a child scroll bar or track bar, reflected to it
