#include "CaptureTestSupport.h"

namespace kivora::test {

ComPtr<IAMStreamConfig> StreamConfig(IBaseFilter* filter)
{
    ComPtr<IAMStreamConfig> config;
    if (ComPtr<IPin> pin = FindPin(filter, PINDIR_OUTPUT))
        pin.As(&config);
    return config;
}

std::vector<dshow::TMediaType> OfferedFormats(IBaseFilter* filter)
{
    std::vector<dshow::TMediaType> formats;
    ComPtr<IAMStreamConfig> config = StreamConfig(filter);
    int count = 0;
    int size = 0;
    if (!config || FAILED(config->GetNumberOfCapabilities(&count, &size)))
        return formats;
    std::vector<BYTE> caps(static_cast<size_t>(size) + 1);
    for (int i = 0; i < count; ++i) {
        AM_MEDIA_TYPE* type = nullptr;
        if (config->GetStreamCaps(i, &type, caps.data()) != S_OK)
            break;
        formats.emplace_back(*type);
        dshow::DeleteTaskMediaType(type);
    }
    return formats;
}

TSourceGraph::TSourceGraph(IBaseFilter* source, const GUID& majorType) : sink(TTestSink::Create(majorType))
{
    if (FAILED(graph.Add(source, L"Source")) || FAILED(graph.Add(sink.Get(), L"Sink")))
        return;
    connected = graph.graph->ConnectDirect(FindPin(source, PINDIR_OUTPUT).Get(), sink->InputPin(), nullptr);
}

} // namespace kivora::test
