// TEvent<Args...>: a method pointer — an object and one of its member functions, or any
// callable — that a component fires for an event. Firing an unassigned event does nothing;
// by convention the first argument is the component that fires it (the sender).
//   Button->OnClick = TNotifyEvent(this, &TMainForm::TB_SnapClick);
//   Button->OnClick = [&](TObject*) { ... };
// Data() is the object of a bound member function (nullptr for other callables), so a
// component can tell whose handler it holds.
#pragma once
#include <functional>
#include <utility>

class TObject;

template <class... Args> class TEvent {
public:
    TEvent() = default;
    TEvent(std::nullptr_t) {}
    template <class C, class M>
    TEvent(C* object, void (M::*method)(Args...))
        : FHandler([object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); }), FData(object)
    {
    }
    template <class F, class = std::enable_if_t<std::is_invocable_v<F&, Args...> && !std::is_same_v<std::decay_t<F>, TEvent>>>
    TEvent(F&& callable) : FHandler(std::forward<F>(callable))
    {
    }

    bool Assigned() const { return static_cast<bool>(FHandler); }
    explicit operator bool() const { return Assigned(); }
    const void* Data() const { return FData; }
    void Clear() { FHandler = nullptr; FData = nullptr; }

    // Calls the handler when one is assigned.
    void operator()(Args... args) const
    {
        if (FHandler)
            FHandler(std::forward<Args>(args)...);
    }

private:
    std::function<void(Args...)> FHandler;
    const void* FData = nullptr;
};

using TNotifyEvent = TEvent<TObject*>;
