// Fault switches of the test devices: environment variables, read when a device filter
// is created, that make the device misbehave the way real hardware does, so that tests
// can check how a program copes.
//
//   KIVORA_TESTCAM_FAIL_START=1      the camera refuses to start streaming: its Pause
//                                    (and so the graph's Run) fails with
//                                    ERROR_GEN_FAILURE (a device attached to the system
//                                    is not functioning). Under Wine the graph then
//                                    leaves the filters paused before the camera paused
//                                    and its Stop does nothing; IMediaControl::Pause
//                                    followed by Stop stops them. (A failure in Run would
//                                    not show: Wine's Run does not report it.)
//   KIVORA_TESTCAM_STOP_AFTER=<N>    the camera delivers N frames, then none (the device
//                                    was pulled); the graph gets EC_DEVICE_LOST.
//   KIVORA_TESTCAM_NO_FORMATS=1      the camera's pin offers no format at all.
//   KIVORA_TESTCAM_NO_STREAMCONFIG=1 the camera's pin has no IAMStreamConfig.
//   KIVORA_TESTCAM_NO_PINS=1         the camera filter has no pin at all (a broken driver).
//   KIVORA_TESTMIC_NO_LINES=1        the microphone has no input line pins.
//
// An unset or empty variable (or "0") leaves the device working normally.
#pragma once

#include <cstdint>

namespace kivora::devices {

inline constexpr wchar_t CameraFailStartVariable[] = L"KIVORA_TESTCAM_FAIL_START";
inline constexpr wchar_t CameraStopAfterVariable[] = L"KIVORA_TESTCAM_STOP_AFTER";
inline constexpr wchar_t CameraNoFormatsVariable[] = L"KIVORA_TESTCAM_NO_FORMATS";
inline constexpr wchar_t CameraNoStreamConfigVariable[] = L"KIVORA_TESTCAM_NO_STREAMCONFIG";
inline constexpr wchar_t CameraNoPinsVariable[] = L"KIVORA_TESTCAM_NO_PINS";
inline constexpr wchar_t MicrophoneNoLinesVariable[] = L"KIVORA_TESTMIC_NO_LINES";

struct TCameraFaults {
    bool failStart = false;
    std::int64_t stopAfterFrames = -1;  // -1: never
    bool noFormats = false;
    bool noStreamConfig = false;
    bool noPins = false;
};

struct TMicrophoneFaults {
    bool noInputLines = false;
};

TCameraFaults ReadCameraFaults();
TMicrophoneFaults ReadMicrophoneFaults();

} // namespace kivora::devices
