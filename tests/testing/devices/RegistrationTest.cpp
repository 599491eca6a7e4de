// regsvr32's two entry points of the devices DLL, in a prefix of their own that starts
// without any device: registering makes the devices appear, unregistering removes every
// key registering wrote.
#include "DeviceTestSupport.h"
#include "TestProcess.h"

#include "devices/DeviceIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

namespace kivora::test {
namespace {

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

// Every key (and its values, as raw bytes) below HKCR\path, by full name.
void Snapshot(const std::wstring& path, std::map<std::wstring, std::wstring>& out)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    std::wstring values;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        BYTE data[1024];
        DWORD dataLength = sizeof data;
        DWORD type = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS)
            break;
        values += std::wstring(name) + L"=" + std::to_wstring(type) + L":" + std::to_wstring(dataLength) + L";";
        for (DWORD b = 0; b < dataLength; ++b)
            values += static_cast<wchar_t>(L'a' + (data[b] & 0x0F)) + std::wstring(1, static_cast<wchar_t>(L'a' + (data[b] >> 4)));
    }
    out[path] = values;
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subkeys.push_back(name);
    }
    RegCloseKey(key);
    for (const std::wstring& subkey : subkeys)
        Snapshot(path + L"\\" + subkey, out);
}

std::map<std::wstring, std::wstring> DeviceKeys()
{
    std::map<std::wstring, std::wstring> keys;
    for (const GUID* guid : {&CLSID_VideoInputDeviceCategory, &CLSID_AudioInputDeviceCategory,
                             &devices::CLSID_TestCamera, &devices::CLSID_ToneMicrophone})
        Snapshot(L"CLSID\\" + GuidText(*guid), keys);
    return keys;
}

std::wstring ReadText(const std::wstring& path, const wchar_t* value)
{
    wchar_t text[MAX_PATH * 2] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return {};
    return text;
}

bool Listed(const GUID& category, const wchar_t* name)
{
    const std::vector<std::wstring> names = DeviceNames(category);
    return std::find(names.begin(), names.end(), name) != names.end();
}

class TDevicesDll {
public:
    TDevicesDll() : FModule(LoadLibraryW((ExeFolder() + L"KivoraTestDevices.dll").c_str())) {}
    ~TDevicesDll()
    {
        if (FModule)
            FreeLibrary(FModule);
    }
    bool Loaded() const { return FModule != nullptr; }
    HRESULT Call(const char* entry)
    {
        auto* function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
            reinterpret_cast<void*>(GetProcAddress(FModule, entry)));
        return function ? function() : E_NOTIMPL;
    }

private:
    HMODULE FModule;
};

TEST(DeviceRegistration, RegisterListsTheDevicesAndUnregisterLeavesNoKeyBehind)
{
    TDevicesDll dll;
    ASSERT_TRUE(dll.Loaded());
    // Enumerate once first, so that whatever the device enumerator itself writes is in
    // the picture before registering.
    DeviceNames(CLSID_VideoInputDeviceCategory);
    DeviceNames(CLSID_AudioInputDeviceCategory);
    const auto before = DeviceKeys();
    ASSERT_FALSE(Listed(CLSID_VideoInputDeviceCategory, devices::TestCameraName))
        << "this prefix is meant to start without the test devices";

    ASSERT_HRESULT_SUCCEEDED(dll.Call("DllRegisterServer"));
    const std::wstring server = L"CLSID\\" + GuidText(devices::CLSID_TestCamera) + L"\\InprocServer32";
    EXPECT_EQ(ReadText(server, L"ThreadingModel"), L"Both");
    const std::wstring path = ReadText(server, nullptr);
    EXPECT_NE(path.find(L"KivoraTestDevices.dll"), std::wstring::npos);
    EXPECT_TRUE(Listed(CLSID_VideoInputDeviceCategory, devices::TestCameraName));
    EXPECT_TRUE(Listed(CLSID_AudioInputDeviceCategory, devices::ToneMicrophoneName));
    ComPtr<IMoniker> camera = FindDevice(CLSID_VideoInputDeviceCategory, devices::TestCameraName);
    ASSERT_TRUE(camera);
    ComPtr<IBaseFilter> filter;
    EXPECT_HRESULT_SUCCEEDED(camera->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&filter)));
    filter.Reset();
    camera.Reset();

    // Registering again changes nothing; unregistering twice is harmless.
    ASSERT_HRESULT_SUCCEEDED(dll.Call("DllRegisterServer"));
    ASSERT_HRESULT_SUCCEEDED(dll.Call("DllUnregisterServer"));
    ASSERT_HRESULT_SUCCEEDED(dll.Call("DllUnregisterServer"));
    EXPECT_FALSE(Listed(CLSID_VideoInputDeviceCategory, devices::TestCameraName));
    EXPECT_FALSE(Listed(CLSID_AudioInputDeviceCategory, devices::ToneMicrophoneName));

    const auto after = DeviceKeys();
    for (const auto& [key, values] : after)
        EXPECT_TRUE(before.count(key)) << "left behind: HKCR\\" << std::string(key.begin(), key.end());
    for (const auto& [key, values] : before)
        EXPECT_TRUE(after.count(key)) << "removed: HKCR\\" << std::string(key.begin(), key.end());
    EXPECT_TRUE(before == after);
}

} // namespace
} // namespace kivora::test
