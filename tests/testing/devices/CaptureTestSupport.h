// Helpers for the tests of the capture devices: their stream configuration, the formats
// they offer, and a graph that connects a device straight to a test sink.
#pragma once

#include "DeviceTestSupport.h"
#include "TestSink.h"

#include "MediaType.h"

#include <vector>

namespace kivora::test {

// IAMStreamConfig of the filter's first output pin, or empty.
ComPtr<IAMStreamConfig> StreamConfig(IBaseFilter* filter);
// The formats GetStreamCaps lists, in order.
std::vector<dshow::TMediaType> OfferedFormats(IBaseFilter* filter);

// A graph with the source's first output pin connected straight to a new test sink.
struct TSourceGraph {
    TSourceGraph(IBaseFilter* source, const GUID& majorType);

    TGraph graph;
    ComPtr<TTestSink> sink;
    HRESULT connected = E_FAIL;
};

} // namespace kivora::test
