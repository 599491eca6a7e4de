// Runs a piece of work when the scope ends, however it ends (return or exception): for
// undoing a step that has no owning object of its own.
#pragma once

#include <utility>

template <class F> class TScopeExit {
public:
    explicit TScopeExit(F work) : FWork(std::move(work)) {}
    ~TScopeExit() { FWork(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    F FWork;
};
