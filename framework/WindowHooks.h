// Window hooks: one ordered list of message hooks per window, for framework windows and
// raw windows (message boxes, common dialogs, windows of any other class) alike. Several
// objects may hook the same window — a skin's frame, its menu bar and a control skin — and
// each adds and removes only its own hook, in any order, without knowing of the others.
//
// The newest hook sees a message first. It answers it (returns true, Result set), or lets
// it go on (returns false) to the next older hook and finally to the window's own
// procedure: the framework control's WindowProc, or a raw window's original procedure.
// A hook that wants the default answer first and then adds to it (drawing over the native
// frame, adjusting a hit-test) calls CallNext() — "inherited" — and then changes Result.
//
// Framework windows dispatch to their hooks from the framework's window procedure; a raw
// window is subclassed (SetWindowLongPtrW, GWLP_WNDPROC) when its first hook comes and gets
// its original procedure back when its last hook goes, if nobody subclassed it after us,
// and in any case at WM_NCDESTROY. At WM_NCDESTROY the hooks see the message, then the list
// is cleared and each hook's owner is told through WindowDestroyed — the handle may soon
// name another window, so nobody removes a hook from it later. A message during which the
// window was destroyed goes no further down the chain.
//
// Hooks are added, removed and called on the thread that owns the window (the GUI thread).
#pragma once
#include <windows.h>

#include <cstddef>

struct THookList;

// One message on its way down a window's hook chain.
class TWindowMessage {
public:
    HWND Window;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result = 0;

    // Passes the message on now to the older hooks and the window's own procedure and
    // answers their result (also left in Result). After this the message is answered:
    // whatever the calling hook returns, nothing further down sees it again.
    LRESULT CallNext();

private:
    using TOwnProc = LRESULT (*)(TWindowMessage& message, void* context);
    TWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, THookList* list, TOwnProc own, void* context);
    LRESULT Run();
    THookList* FList;
    size_t FNext;        // the hooks below this index in the list have not seen the message
    bool FDone = false;  // a hook answered, or the window's own procedure did
    bool FReachedOwn = false;
    TOwnProc FOwn;
    void* FContext;
    friend LRESULT CallWindowHooks(HWND, UINT, WPARAM, LPARAM, TOwnProc, void*);
};

class TWindowHook {
public:
    virtual ~TWindowHook() = default;
    // Sees a message before the older hooks and the window's own procedure. Answer true
    // when the hook has answered it (Result set), false to pass it on.
    virtual bool WndProc(TWindowMessage& message) = 0;
    // The window is gone (after its WM_NCDESTROY) and this hook with it.
    virtual void WindowDestroyed(HWND window) { (void)window; }
};

// Puts the hook in front of the window's other hooks; a hook already on the window stays
// where it is. The first hook on a raw window subclasses it.
void AddWindowHook(HWND window, TWindowHook* hook);
// Takes the hook off the window: safe at any time, also from inside the hook's own
// message handling; a hook or window not known is ignored.
void RemoveWindowHook(HWND window, TWindowHook* hook);
// Whether the hook is on the window.
bool HasWindowHook(HWND window, TWindowHook* hook);

// For the framework's window procedure: runs the window's hooks, then `own`. An exception
// from a hook is reported as the application does for message handlers (quietly for paint
// and non-client messages) and the window's own procedure answers, if it has not yet.
LRESULT CallWindowHooks(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                        LRESULT (*own)(TWindowMessage& message, void* context), void* context);
// For the framework's window procedure, after WM_NCDESTROY: clears the window's hooks and
// tells their owners.
void EndWindowHooks(HWND window);
