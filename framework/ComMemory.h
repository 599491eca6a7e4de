// Owning wrappers for what COM and the system hand a caller to free: task memory
// (CoTaskMemFree), BSTR strings (SysFreeString) and loaded modules (FreeLibrary).
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <type_traits>

namespace handledetail {
struct TaskMemDeleter { void operator()(void* p) const { CoTaskMemFree(p); } };
struct BstrDeleter { void operator()(OLECHAR* s) const { SysFreeString(s); } };
struct ModuleDeleter { void operator()(HMODULE m) const { if (m) FreeLibrary(m); } };
} // namespace handledetail

// Memory a COM call allocated for the caller (a name, an array of GUIDs).
template <class T> using TTaskMem = std::unique_ptr<T, handledetail::TaskMemDeleter>;
// A BSTR made by SysAllocString.
using TBstr = std::unique_ptr<OLECHAR, handledetail::BstrDeleter>;
// A module from LoadLibrary.
using TModuleHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, handledetail::ModuleDeleter>;
