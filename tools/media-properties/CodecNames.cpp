#include "CodecNames.h"

namespace {

// Subtypes built from a FOURCC or a wave format tag: {XXXXXXXX-0000-0010-8000-00AA00389B71}.
constexpr GUID fourccBase = {0, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

constexpr DWORD Fourcc(char a, char b, char c, char d)
{
    return static_cast<BYTE>(a) | static_cast<BYTE>(b) << 8 | static_cast<BYTE>(c) << 16 |
           static_cast<DWORD>(static_cast<BYTE>(d)) << 24;
}

struct TCodecName {
    DWORD data1;
    const char* line;
};

// The first matching row wins.
constexpr TCodecName codecNames[] = {
    {0x162, "Codec Name: Windows Media Audio V9\n"},
    {0x163, "Codec Name: Windows Media Audio V9 (Lossless Mode)\n"},
    {0x161, "Codec Name: Windows Media Audio V7/V8\n"},
    {0xA, "Codec Name: Windows Media Speech Codec V9\n"},
    {0x130, "Codec Name: ACELP.net\n"},
    {Fourcc('W', 'M', 'V', '1'), "Codec Name: Windows Media Video V7\n"},
    {Fourcc('M', 'S', 'S', '1'), "Codec Name: Windows Media Screen V7\n"},
    {Fourcc('M', 'S', 'S', '2'), "Codec Name: Windows Media Screen V9\n"},
    {Fourcc('W', 'M', 'V', '2'), "Codec Name: Windows Media Video V8\n"},
    {Fourcc('W', 'M', 'V', '3'), "Codec Name: Windows Media Video V9\n"},
    {Fourcc('M', 'P', '4', '3'), "Codec Name: Microsoft MPEG-4 Video Codec V3 \n"},
    {Fourcc('M', 'P', '4', 'S'), "Codec Name: ISO MPEG-4 Video V1\n"},
};

} // namespace

const char* CodecLine(const GUID& subtype)
{
    GUID base = subtype;
    base.Data1 = 0;
    if (!IsEqualGUID(base, fourccBase))
        return nullptr;
    for (const TCodecName& codec : codecNames)
        if (codec.data1 == subtype.Data1)
            return codec.line;
    return nullptr;
}
