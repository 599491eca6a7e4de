// The in-process COM server shared by our DLLs: class factories, DllGetClassObject,
// DllCanUnloadNow and (un)registration of the classes and filters each DLL lists.
//
// A DLL defines ServerClasses() and adds Server.def to its sources for the exports.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <span>

namespace kivora::dshow {

struct TServerClass {
    const CLSID* clsid;
    const wchar_t* name;            // class name and the filter's friendly name
    // Filter category the filter is registered in (IFilterMapper2), or nullptr for a
    // plain COM class such as a property page.
    const GUID* category;
    // A new object holding one reference, or nullptr when out of memory.
    IUnknown* (*create)();
};

// Defined by each DLL: the classes it serves.
std::span<const TServerClass> ServerClasses();

// This DLL's module handle.
HMODULE ServerModule();

} // namespace kivora::dshow
