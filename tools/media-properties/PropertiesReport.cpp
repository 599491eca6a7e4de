#include "PropertiesReport.h"

#include <cstdio>

HRESULT RunReport(ReaderCallback& state, const TWmfRuntime& runtime)
{
    HRESULT hr = RunEditorPart(state, runtime);
    if (FAILED(hr))
        return hr;
    // The reader cannot show the streams of a protected file without a license.
    if (state.IsProtected) {
        std::printf("These are the properties available from this app for a DRM file\n");
        return S_OK;
    }
    return RunReaderPart(state, runtime);
}
