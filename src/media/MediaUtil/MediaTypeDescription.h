// Readable one-line descriptions of media types, as the settings dialog lists them.
//
// The wording is fixed: the settings dialog cuts these texts apart by their words
// ("Major Type: ", "Sub Type: ", " Format: VideoInfo", " Format: WaveFormatEx:").
#pragma once

#include <windows.h>
#include <strmif.h>

#include <cstdint>
#include <string>


// "RGB", "RLE8", "RLE4", "BITFIELDS" for 0..3; any other code as its four characters,
// least significant byte first, up to the first zero byte (so YUY2 reads "YUY2").
std::wstring CompressionName(uint32_t code);

// "Major Type: <name> - Sub Type: <name> Format: <format part>", e.g.
// "Major Type: Video - Sub Type: YUY2 Format: VideoInfo YUY2 640X480, 16 bits".
// A format block shorter than the header it is read as gives no detail.
std::wstring MediaTypeDescription(const AM_MEDIA_TYPE& mediaType);

