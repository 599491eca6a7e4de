// Device lists, stored device monikers and pin media types against the test camera and
// microphone registered in the test prefix.
#include "media/MediaUtil/EnumMediaType.h"
#include "media/MediaUtil/FilterDialog.h"
#include "media/MediaUtil/FilterList.h"
#include "media/MediaUtil/PersistentMemory.h"
#include "media/MediaUtil/SysDevEnum.h"

#include <uuids.h>

#include <gtest/gtest.h>

#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace {

class DeviceListTest : public testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};

int IndexOf(const TSysDevEnum& devices, const std::wstring& name)
{
    for (int i = 0; i < devices.FilterCount(); ++i)
        if (devices.FilterEntry(i).FriendlyName == name)
            return i;
    return -1;
}

CLSID ClassOf(IBaseFilter* filter)
{
    CLSID clsid{};
    filter->GetClassID(&clsid);
    return clsid;
}

} // namespace

TEST_F(DeviceListTest, ListsTheTestDevicesByNameOnceEach)
{
    TSysDevEnum video(CLSID_VideoInputDeviceCategory);
    video.SelectCategory(CLSID_VideoInputDeviceCategory);  // a second listing replaces the first
    const int camera = IndexOf(video, L"Kivora Test Camera");
    ASSERT_GE(camera, 0);
    EXPECT_EQ(std::count_if(video.Entries.begin(), video.Entries.end(),
                            [](const TDeviceEntry& e) { return e.FriendlyName == L"Kivora Test Camera"; }),
              1);
    EXPECT_NE(video.FilterEntry(camera).CLSID, GUID_NULL);
    EXPECT_EQ(video.GetMoniker(video.FilterCount()), nullptr);

    TSysDevEnum audio(CLSID_AudioInputDeviceCategory);
    EXPECT_GE(IndexOf(audio, L"Kivora Tone Microphone"), 0);
}

TEST_F(DeviceListTest, StoredMonikerCreatesTheSameDevice)
{
    TSysDevEnum video(CLSID_VideoInputDeviceCategory);
    const int camera = IndexOf(video, L"Kivora Test Camera");
    ASSERT_GE(camera, 0);

    TBaseFilter stored;
    stored.SetMoniker(video.GetMoniker(camera).Get());
    ASSERT_GT(stored.DataLength(), 0u);

    // Through the stored form, as a form would keep it.
    TBaseFilter loaded;
    loaded.LoadData(stored.SaveData());
    EXPECT_TRUE(loaded.Equals(stored));
    ComPtr<IBaseFilter> first = loaded.CreateFilter();
    ComPtr<IBaseFilter> second = loaded.CreateFilter();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first.Get(), second.Get()) << "each call binds a new filter object";
    EXPECT_EQ(ClassOf(first.Get()), video.FilterEntry(camera).CLSID);
}

TEST_F(DeviceListTest, CameraPinOffersDescribedFormats)
{
    TSysDevEnum video(CLSID_VideoInputDeviceCategory);
    const int camera = IndexOf(video, L"Kivora Test Camera");
    ASSERT_GE(camera, 0);
    TBaseFilter stored;
    stored.SetMoniker(video.GetMoniker(camera).Get());
    ComPtr<IBaseFilter> filter = stored.CreateFilter();
    ASSERT_NE(filter, nullptr);

    TPinList pins(filter.Get());
    ASSERT_GE(pins.Count(), 1);
    PIN_INFO info{};
    pins.PinInfo(0, info);
    ComPtr<IBaseFilter> owner;
    owner.Attach(info.pFilter);
    EXPECT_EQ(owner.Get(), filter.Get());
    EXPECT_EQ(info.dir, PINDIR_OUTPUT);

    TEnumMediaType types;
    types.AssignPin(pins.First().Get());
    ASSERT_GT(types.Count(), 0);
    std::vector<std::wstring> descriptions;
    for (int i = 0; i < types.Count(); ++i)
        descriptions.push_back(types.Description(i));
    EXPECT_NE(std::find(descriptions.begin(), descriptions.end(),
                        L"Major Type: Video - Sub Type: YUY2 Format: VideoInfo YUY2 640X480, 16 bits"),
              descriptions.end());
    EXPECT_EQ(types.Description(types.Count()), L"");

    types.AssignPin(pins.First().Get());  // listing again does not list twice
    EXPECT_EQ(types.Count(), int(descriptions.size()));
}

TEST_F(DeviceListTest, FilterDialogWithoutFilterOrWithUnknownKind)
{
    EXPECT_EQ(ShowFilterDialog(nullptr, nullptr, fdPropertyPages), S_FALSE);
    TSysDevEnum video(CLSID_VideoInputDeviceCategory);
    TBaseFilter stored;
    stored.SetMoniker(video.GetMoniker(IndexOf(video, L"Kivora Test Camera")).Get());
    ComPtr<IBaseFilter> filter = stored.CreateFilter();
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(ShowFilterDialog(nullptr, filter.Get(), static_cast<TFilterDialogKind>(6)), S_FALSE);
}
