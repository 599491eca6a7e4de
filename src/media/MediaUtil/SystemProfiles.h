// The 28 Windows Media system profiles the ASF writer can be configured with.
#pragma once

#include "framework/Properties.h"

#include <windows.h>

#include <cstdint>

enum TWMPofiles8 : uint8_t {
    wmp_V70_1500FilmContentVideo, wmp_V80_255VideoPDA, wmp_V80_150VideoPDA,
    wmp_V80_28856VideoMBR, wmp_V80_100768VideoMBR, wmp_V80_288100VideoMBR,
    wmp_V80_288Video, wmp_V80_56Video, wmp_V80_100Video, wmp_V80_256Video,
    wmp_V80_384Video, wmp_V80_768Video, wmp_V80_700NTSCVideo, wmp_V80_1400NTSCVideo,
    wmp_V80_384PALVideo, wmp_V80_700PALVideo, wmp_V80_288MonoAudio,
    wmp_V80_288StereoAudio, wmp_V80_32StereoAudio, wmp_V80_48StereoAudio,
    wmp_V80_64StereoAudio, wmp_V80_96StereoAudio, wmp_V80_128StereoAudio,
    wmp_V80_288VideoOnly, wmp_V80_56VideoOnly, wmp_V80_FAIRVBRVideo,
    wmp_V80_HIGHVBRVideo, wmp_V80_BESTVBRVideo,
};
// The value names, so that Profile is published as an enumeration.
KIVORA_ENUM_NAMES(TWMPofiles8,
    L"wmp_V70_1500FilmContentVideo", L"wmp_V80_255VideoPDA", L"wmp_V80_150VideoPDA",
    L"wmp_V80_28856VideoMBR", L"wmp_V80_100768VideoMBR", L"wmp_V80_288100VideoMBR",
    L"wmp_V80_288Video", L"wmp_V80_56Video", L"wmp_V80_100Video", L"wmp_V80_256Video",
    L"wmp_V80_384Video", L"wmp_V80_768Video", L"wmp_V80_700NTSCVideo", L"wmp_V80_1400NTSCVideo",
    L"wmp_V80_384PALVideo", L"wmp_V80_700PALVideo", L"wmp_V80_288MonoAudio",
    L"wmp_V80_288StereoAudio", L"wmp_V80_32StereoAudio", L"wmp_V80_48StereoAudio",
    L"wmp_V80_64StereoAudio", L"wmp_V80_96StereoAudio", L"wmp_V80_128StereoAudio",
    L"wmp_V80_288VideoOnly", L"wmp_V80_56VideoOnly", L"wmp_V80_FAIRVBRVideo",
    L"wmp_V80_HIGHVBRVideo", L"wmp_V80_BESTVBRVideo")

constexpr int kSystemProfileCount = 28;

// Profile identifiers, indexed by TWMPofiles8.
extern const GUID SystemProfileGuids[kSystemProfileCount];

// The index of the profile in SystemProfileGuids, or 255 when it is not there.
uint8_t ProfileIndexOf(const GUID& profile);
