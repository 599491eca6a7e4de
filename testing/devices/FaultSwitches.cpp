#include "FaultSwitches.h"

#include <windows.h>

#include <cwchar>

namespace kivora::devices {
namespace {

// The variable's number: fallback when unset, empty or not a number.
std::int64_t NumberVariable(const wchar_t* name, std::int64_t fallback)
{
    wchar_t text[32] = {};
    const DWORD length = GetEnvironmentVariableW(name, text, 32);
    if (length == 0 || length >= 32)
        return fallback;
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(text, &end, 10);
    return end == text || *end != L'\0' ? fallback : value;
}

bool SwitchOn(const wchar_t* name)
{
    return NumberVariable(name, 0) != 0;
}

} // namespace

TCameraFaults ReadCameraFaults()
{
    TCameraFaults faults;
    faults.failStart = SwitchOn(CameraFailStartVariable);
    const std::int64_t stopAfter = NumberVariable(CameraStopAfterVariable, -1);
    faults.stopAfterFrames = stopAfter >= 0 ? stopAfter : -1;
    faults.noFormats = SwitchOn(CameraNoFormatsVariable);
    faults.noStreamConfig = SwitchOn(CameraNoStreamConfigVariable);
    faults.noPins = SwitchOn(CameraNoPinsVariable);
    return faults;
}

TMicrophoneFaults ReadMicrophoneFaults()
{
    TMicrophoneFaults faults;
    faults.noInputLines = SwitchOn(MicrophoneNoLinesVariable);
    return faults;
}

} // namespace kivora::devices
