// Class identifiers and friendly names of the test capture devices, for the DLL and for
// the tests that look them up.
#pragma once

#include <windows.h>

namespace kivora::devices {

// {A5161C68-53E2-4444-B93A-56CC80EA3CC8}
inline constexpr CLSID CLSID_TestCamera = {
    0xa5161c68, 0x53e2, 0x4444, {0xb9, 0x3a, 0x56, 0xcc, 0x80, 0xea, 0x3c, 0xc8}};
// {FFD7A6BD-C6D6-407A-9465-F57BE6193E3B}
inline constexpr CLSID CLSID_ToneMicrophone = {
    0xffd7a6bd, 0xc6d6, 0x407a, {0x94, 0x65, 0xf5, 0x7b, 0xe6, 0x19, 0x3e, 0x3b}};

inline constexpr wchar_t TestCameraName[] = L"Kivora Test Camera";
inline constexpr wchar_t ToneMicrophoneName[] = L"Kivora Tone Microphone";

// Pitch of the microphone's tone.
inline constexpr double ToneFrequency = 440.0;

} // namespace kivora::devices
