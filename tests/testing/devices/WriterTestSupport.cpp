#include "WriterTestSupport.h"

#include "asf-writer/ConfigAsfWriter.h"
#include "asf-writer/SystemProfiles.h"
#include "devices/DeviceIds.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kivora::test {

HRESULT BuildRecording(TRecording& recording, const GUID& profile, const std::wstring& file, IBaseFilter* preview)
{
    HRESULT hr = CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&recording.builder));
    if (SUCCEEDED(hr))
        hr = recording.builder->SetFiltergraph(recording.graph.graph.Get());
    ComPtr<IMoniker> camera = FindDevice(CLSID_VideoInputDeviceCategory, devices::TestCameraName);
    ComPtr<IMoniker> microphone = FindDevice(CLSID_AudioInputDeviceCategory, devices::ToneMicrophoneName);
    if (SUCCEEDED(hr) && (!camera || !microphone))
        hr = VFW_E_NOT_FOUND;
    if (SUCCEEDED(hr))
        hr = camera->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&recording.camera));
    if (SUCCEEDED(hr))
        hr = microphone->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&recording.microphone));
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(CLSID_WMAsfWriter, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&recording.writer));
    if (SUCCEEDED(hr))
        hr = recording.graph.Add(recording.camera.Get(), L"Camera");
    if (SUCCEEDED(hr))
        hr = recording.graph.Add(recording.microphone.Get(), L"Microphone");
    if (SUCCEEDED(hr))
        hr = recording.graph.Add(recording.writer.Get(), L"Writer");
    ComPtr<IConfigAsfWriter> config;
    ComPtr<IFileSinkFilter> sink;
    if (SUCCEEDED(hr))
        hr = recording.writer->QueryInterface(IID_IConfigAsfWriter, reinterpret_cast<void**>(config.GetAddressOf()));
    if (SUCCEEDED(hr))
        hr = config->ConfigureFilterUsingProfileGuid(profile);
    if (SUCCEEDED(hr))
        hr = recording.writer.As(&sink);
    if (SUCCEEDED(hr))
        hr = sink->SetFileName(file.c_str(), nullptr);
    // As the program records: the camera's capture pin, then the microphone, no types;
    // each only when the profile has that kind of stream.
    if (SUCCEEDED(hr) && preview)
        hr = recording.graph.Add(preview, L"Preview");
    if (SUCCEEDED(hr) && preview)
        hr = recording.builder->RenderStream(&PIN_CATEGORY_PREVIEW, nullptr, recording.camera.Get(), nullptr, preview);
    const asfwriter::TSystemProfile* streams = asfwriter::FindSystemProfile(profile);
    if (SUCCEEDED(hr) && streams->video)
        hr = recording.builder->RenderStream(&PIN_CATEGORY_CAPTURE, nullptr, recording.camera.Get(), nullptr,
                                             recording.writer.Get());
    if (SUCCEEDED(hr) && streams->audio)
        hr = recording.builder->RenderStream(nullptr, nullptr, recording.microphone.Get(), nullptr,
                                             recording.writer.Get());
    return FAILED(hr) ? hr : S_OK;
}

LONGLONG GraphPosition(TGraph& graph)
{
    ComPtr<IMediaSeeking> seeking;
    LONGLONG position = 0;
    if (SUCCEEDED(graph.graph.As(&seeking)))
        seeking->GetCurrentPosition(&position);
    return position;
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace kivora::test
