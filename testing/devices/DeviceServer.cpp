// The classes the test devices DLL serves.
#include "DeviceIds.h"
#include "TestCamera.h"
#include "ToneMicrophone.h"
#include "../dshow/DevicePropertyPage.h"
#include "../dshow/Server.h"

#include <uuids.h>

namespace kivora::dshow {

std::span<const TServerClass> ServerClasses()
{
    static const TServerClass classes[] = {
        {&devices::CLSID_TestCamera, devices::TestCameraName, &CLSID_VideoInputDeviceCategory,
         devices::CreateTestCamera},
        {&devices::CLSID_ToneMicrophone, devices::ToneMicrophoneName, &CLSID_AudioInputDeviceCategory,
         devices::CreateToneMicrophone},
        {&CLSID_DevicePropertyPage, L"Kivora Device Property Page", nullptr, CreateDevicePropertyPage},
    };
    return classes;
}

} // namespace kivora::dshow
