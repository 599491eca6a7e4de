// A small property page for our capture devices: shows the device's name and the format
// its output pin delivers. The devices name it through ISpecifyPropertyPages
// (TCaptureFilter), so that a program's "properties" button has something to show; the
// devices DLL serves it.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace kivora::dshow {

// {E4A38237-4426-47A5-B407-436BC00C75D0}
inline constexpr CLSID CLSID_DevicePropertyPage = {
    0xe4a38237, 0x4426, 0x47a5, {0xb4, 0x07, 0x43, 0x6b, 0xc0, 0x0c, 0x75, 0xd0}};

IUnknown* CreateDevicePropertyPage();

} // namespace kivora::dshow
