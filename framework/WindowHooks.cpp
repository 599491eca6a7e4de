#include "framework/WindowHooks.h"
#include "framework/Application.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

// The framework's own window procedure: windows of its classes call their hooks themselves.
LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

struct THookList {
    // Oldest first. A hook removed while messages are on their way through the list is
    // set to null and the list compacted when the last of them is done, so that the
    // positions the messages in flight hold stay valid.
    std::vector<TWindowHook*> Hooks;
    int Depth = 0;              // messages on their way through the list
    WNDPROC Original = nullptr; // a raw window's procedure before ours; null for framework windows
    bool Ended = false;         // the window is gone: messages still on their way stop
};

namespace {

LRESULT CALLBACK RawHookProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

std::unordered_map<HWND, std::shared_ptr<THookList>>& Lists()
{
    static std::unordered_map<HWND, std::shared_ptr<THookList>> lists;
    return lists;
}

std::shared_ptr<THookList> ListOf(HWND window)
{
    auto it = Lists().find(window);
    return it == Lists().end() ? nullptr : it->second;
}

bool IsFrameworkWindow(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)) == StdWndProc;
}

// Forgets a list that has no hooks left once no message is on its way through it. A raw
// window gets its original procedure back if ours is still the one it calls first;
// otherwise whoever subclassed it after us still calls ours, which passes everything on
// until WM_NCDESTROY.
void DropIfEmpty(HWND window, const std::shared_ptr<THookList>& list)
{
    if (list->Depth > 0)
        return;
    auto& hooks = list->Hooks;
    hooks.erase(std::remove(hooks.begin(), hooks.end(), nullptr), hooks.end());
    if (!hooks.empty())
        return;
    if (list->Original) {
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) != RawHookProc)
            return;
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list->Original));
    }
    Lists().erase(window);
}

LRESULT CallOriginal(TWindowMessage& message, void* context)
{
    return CallWindowProcW(static_cast<THookList*>(context)->Original, message.Window, message.Msg, message.WParam,
                           message.LParam);
}

LRESULT CALLBACK RawHookProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<THookList> list = ListOf(window);
    if (!list) // cannot happen while the window is subclassed: the list goes first
        return DefWindowProcW(window, msg, wParam, lParam);
    LRESULT result = CallWindowHooks(window, msg, wParam, lParam, CallOriginal, list.get());
    if (msg == WM_NCDESTROY)
        EndWindowHooks(window);
    return result;
}

} // namespace

TWindowMessage::TWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, THookList* list, TOwnProc own,
                               void* context)
    : Window(window), Msg(msg), WParam(wParam), LParam(lParam), FList(list), FNext(list ? list->Hooks.size() : 0),
      FOwn(own), FContext(context)
{
}

LRESULT TWindowMessage::Run()
{
    while (!FDone && FNext > 0) {
        TWindowHook* hook = FList->Hooks[--FNext];
        if (hook && hook->WndProc(*this))
            FDone = true;
    }
    if (FList && FList->Ended) // destroyed from inside a hook: the handle names no window now
        FDone = FReachedOwn = true;
    if (!FDone) {
        FDone = FReachedOwn = true;
        Result = FOwn(*this, FContext);
    }
    return Result;
}

LRESULT TWindowMessage::CallNext()
{
    return FDone ? Result : Run();
}

LRESULT CallWindowHooks(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                        LRESULT (*own)(TWindowMessage& message, void* context), void* context)
{
    std::shared_ptr<THookList> list = ListOf(window); // kept alive while the message is on its way
    TWindowMessage message(window, msg, wParam, lParam, list.get(), own, context);
    if (!list)
        return message.Run();
    struct TDepth {
        HWND Window;
        const std::shared_ptr<THookList>& List;
        explicit TDepth(HWND w, const std::shared_ptr<THookList>& l) : Window(w), List(l) { ++List->Depth; }
        ~TDepth()
        {
            if (--List->Depth == 0 && ListOf(Window) == List)
                DropIfEmpty(Window, List);
        }
    } depth(window, list);
    try {
        return message.Run();
    } catch (...) {
        Application->HandleMessageException(nullptr, msg);
        if (!message.FReachedOwn) {
            message.FReachedOwn = true;
            message.Result = own(message, context);
        }
        return message.Result;
    }
}

void AddWindowHook(HWND window, TWindowHook* hook)
{
    if (!hook || !IsWindow(window))
        return;
    std::shared_ptr<THookList> list = ListOf(window);
    if (!list) {
        list = std::make_shared<THookList>();
        if (!IsFrameworkWindow(window)) {
            list->Original =
                reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RawHookProc)));
            if (!list->Original)
                return; // not ours to subclass (another process's window)
        }
        Lists()[window] = list;
    }
    if (std::find(list->Hooks.begin(), list->Hooks.end(), hook) == list->Hooks.end())
        list->Hooks.push_back(hook);
}

void RemoveWindowHook(HWND window, TWindowHook* hook)
{
    std::shared_ptr<THookList> list = ListOf(window);
    if (!list || !hook)
        return;
    auto it = std::find(list->Hooks.begin(), list->Hooks.end(), hook);
    if (it == list->Hooks.end())
        return;
    *it = nullptr;
    DropIfEmpty(window, list);
}

bool HasWindowHook(HWND window, TWindowHook* hook)
{
    std::shared_ptr<THookList> list = ListOf(window);
    return list && hook && std::find(list->Hooks.begin(), list->Hooks.end(), hook) != list->Hooks.end();
}

void EndWindowHooks(HWND window)
{
    std::shared_ptr<THookList> list = ListOf(window);
    if (!list)
        return;
    Lists().erase(window);
    list->Ended = true;
    if (list->Original && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == RawHookProc)
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list->Original));
    // Messages still on their way (the window was destroyed from inside one) see no hook
    // and do not reach the window's procedure.
    std::vector<TWindowHook*> hooks;
    for (TWindowHook*& hook : list->Hooks) {
        if (hook)
            hooks.push_back(hook);
        hook = nullptr;
    }
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it)
        (*it)->WindowDestroyed(window);
}
