// Records the test camera and the tone microphone through the ASF writer into a file,
// as the capture program does, for the check of the file by ffprobe on the build
// machine.
//
//   KivoraWriterCapture <output file> <seconds>
#include "WriterTestSupport.h"

#include "TestProcess.h"

#include "asf-writer/SystemProfiles.h"

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    using namespace kivora::test;
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: KivoraWriterCapture <output file> <seconds>\n");
        return 2;
    }
    const double seconds = std::wcstod(argv[2], nullptr);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = 0;
    {
        TRecording recording;
        DeleteFileW(argv[1]);
        HRESULT hr = BuildRecording(recording, kivora::asfwriter::SystemProfiles()[0].id, argv[1]);
        if (SUCCEEDED(hr))
            hr = recording.graph.control->Run();
        if (SUCCEEDED(hr)) {
            const auto length = static_cast<LONGLONG>(seconds * 1e7);
            if (!WaitUntil([&] { return GraphPosition(recording.graph) >= length; },
                           std::chrono::milliseconds(static_cast<int>(seconds * 1000) + 20000)))
                hr = E_FAIL;
        }
        const HRESULT stopped = recording.graph.control->Stop();
        if (SUCCEEDED(hr))
            hr = stopped;
        if (FAILED(hr)) {
            std::fwprintf(stderr, L"recording failed: 0x%08lx\n", static_cast<unsigned long>(hr));
            result = 1;
        }
    }
    CoUninitialize();
    return result;
}
