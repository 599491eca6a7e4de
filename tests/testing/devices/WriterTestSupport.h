// Recording through the stand-in ASF writer the way the capture program does: the
// capture graph builder routes the test camera and the tone microphone into it.
#pragma once

#include "DeviceTestSupport.h"

#include <string>

namespace kivora::test {

struct TRecording {
    TGraph graph;
    ComPtr<ICaptureGraphBuilder2> builder;
    ComPtr<IBaseFilter> camera;
    ComPtr<IBaseFilter> microphone;
    ComPtr<IBaseFilter> writer;
};

// Builds the graph: camera (capture pin) and microphone into a writer set to the
// profile and file; with a preview filter, first the camera's preview into it (as the
// program shows the picture while recording). The first failing step's result is
// returned; S_OK when built.
HRESULT BuildRecording(TRecording& recording, const GUID& profile, const std::wstring& file,
                       IBaseFilter* preview = nullptr);

// The 100-ns position of the running graph.
LONGLONG GraphPosition(TGraph& graph);

// A file's bytes (empty when it cannot be read).
std::vector<uint8_t> ReadFileBytes(const std::wstring& path);

} // namespace kivora::test
