// The 28 Windows Media system profiles the writer can be configured with, and the
// streams each one makes the writer take (video, audio, or both).
#pragma once

#include <windows.h>

#include <span>

namespace kivora::asfwriter {

struct TSystemProfile {
    GUID id;
    const wchar_t* name;
    bool video;
    bool audio;
};

std::span<const TSystemProfile> SystemProfiles();
// The profile with this identifier, or nullptr.
const TSystemProfile* FindSystemProfile(const GUID& id);
// What a new writer starts with: Windows Media Video 8 for Local Area Network (256 Kbps).
const TSystemProfile& DefaultSystemProfile();

} // namespace kivora::asfwriter
