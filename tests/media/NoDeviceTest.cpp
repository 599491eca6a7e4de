// Device lists on a machine without any video capture device.
#include "media/MediaUtil/SysDevEnum.h"

#include <uuids.h>

#include <gtest/gtest.h>

TEST(NoVideoDevice, EmptyListAndNoMoniker)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        TSysDevEnum devices(CLSID_VideoInputDeviceCategory);
        EXPECT_EQ(devices.FilterCount(), 0);
        EXPECT_EQ(devices.GetMoniker(0), nullptr);
        EXPECT_EQ(devices.GetMoniker(-1), nullptr);
        EXPECT_THROW(devices.FilterEntry(0), std::out_of_range);
    }
    CoUninitialize();
}

TEST(NoVideoDevice, WithoutComTheListStaysEmpty)
{
    TSysDevEnum devices(CLSID_VideoInputDeviceCategory);
    EXPECT_EQ(devices.FilterCount(), 0);
}
