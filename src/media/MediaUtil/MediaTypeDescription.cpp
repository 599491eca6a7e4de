#include "media/MediaUtil/MediaTypeDescription.h"

#include <mmreg.h>
#include <amvideo.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <span>


namespace {

struct TGuidName {
    GUID guid;
    const wchar_t* name;
};

// {XXXXXXXX-0000-0010-8000-00AA00389B71}: a four-character code or a wave format tag.
constexpr GUID FourCCGuid(uint32_t code)
{
    return {code, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

constexpr uint32_t FourCC(const char (&c)[5])
{
    return uint32_t(uint8_t(c[0])) | uint32_t(uint8_t(c[1])) << 8 |
           uint32_t(uint8_t(c[2])) << 16 | uint32_t(uint8_t(c[3])) << 24;
}

constexpr GUID Code(const char (&c)[5]) { return FourCCGuid(FourCC(c)); }

// Families of GUIDs that differ only in their first field.
constexpr GUID E436(uint8_t xx)
{
    return {0xE436EB00u | xx, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
}
constexpr GUID Analog(uint8_t xx)
{
    return {0x0482DD00u | xx, 0x7817, 0x11CF, {0x8A, 0x03, 0x00, 0xAA, 0x00, 0x6E, 0xCB, 0x65}};
}
constexpr GUID Mpeg2(uint8_t xx)
{
    return {0xE06D8000u | xx, 0xDB46, 0x11CF, {0xB4, 0xD1, 0x00, 0x80, 0x5F, 0x6C, 0xBB, 0xEA}};
}
constexpr GUID Line21(uint8_t xx)
{
    return {0x6E8D4A00u | xx, 0x310C, 0x11D0, {0xB7, 0x9A, 0x00, 0xAA, 0x00, 0x37, 0x67, 0xA7}};
}

const TGuidName kMajorTypes[] = {
    {{0x0482DEE1, 0x7817, 0x11CF, {0x8A, 0x03, 0x00, 0xAA, 0x00, 0x6E, 0xCB, 0x65}}, L"AnalogAudio"},
    {{0x0482DDE1, 0x7817, 0x11CF, {0x8A, 0x03, 0x00, 0xAA, 0x00, 0x6E, 0xCB, 0x65}}, L"Analogvideo"},
    {Code("auds"), L"Audio"},
    {{0x670AEA80, 0x3A82, 0x11D0, {0xB7, 0x9B, 0x00, 0xAA, 0x00, 0x37, 0x67, 0xA7}}, L"AUXLine21Data"},
    {Code("file"), L"File"},
    {Code("iavs"), L"Interleaved"},
    {Code("mlrt"), L"LMRT"},
    {Code("mids"), L"Midi"},
    {Mpeg2(0x20), L"MPEG2_PES"},
    {Code("dmcs"), L"ScriptCommand"},
    {E436(0x83), L"Stream"},
    {Code("txts"), L"Text"},
    {{0x0482DEE3, 0x7817, 0x11CF, {0x8A, 0x03, 0x00, 0xAA, 0x00, 0x6E, 0xCB, 0x65}}, L"Timecode"},
    {Code("urls"), L"URL_STREAM"},
    {Code("vids"), L"Video"},
};

const TGuidName kSubTypes[] = {
    // Four-character codes named by the code itself.
    {Code("CLPL"), L"CLPL"}, {Code("YUYV"), L"YUYV"}, {Code("IYUV"), L"IYUV"},
    {Code("YVU9"), L"YVU9"}, {Code("Y411"), L"Y411"}, {Code("Y41P"), L"Y41P"},
    {Code("YUY2"), L"YUY2"}, {Code("YVYU"), L"YVYU"}, {Code("UYVY"), L"UYVY"},
    {Code("Y211"), L"Y211"}, {Code("YV12"), L"YV12"}, {Code("CLJR"), L"CLJR"},
    {Code("IF09"), L"IF09"}, {Code("CPLA"), L"CPLA"}, {Code("MJPG"), L"MJPG"},
    {Code("TVMJ"), L"TVMJ"}, {Code("WAKE"), L"WAKE"}, {Code("CFCC"), L"CFCC"},
    {Code("IJPG"), L"IJPG"}, {Code("Plum"), L"Plum"}, {Code("DVCS"), L"DVCS"},
    {Code("DVSD"), L"DVSD"}, {Code("MDVF"), L"MDVF"}, {Code("dvhd"), L"dvhd"},
    {Code("dvsl"), L"dvsl"}, {Code("DIVX"), L"DIVX"},
    // Four-character codes with other names.
    {Code("rpza"), L"QTRpza"}, {Code("smc "), L"QTSmc"}, {Code("rle "), L"QTRle"},
    {Code("jpeg"), L"QTJpeg"}, {Code("dvsd"), L"dvsd_"}, {Code("MP42"), L"MS-MPEG4"},
    // Wave format tags.
    {FourCCGuid(0x50), L"MPEG1AudioPayload"}, {FourCCGuid(0x1), L"PCM"},
    {FourCCGuid(0x9), L"DRM_Audio"}, {FourCCGuid(0x3), L"IEEE_FLOAT"},
    {FourCCGuid(0x92), L"DOLBY_AC3_SPDIF"}, {FourCCGuid(0x240), L"RAW_SPORT"},
    {FourCCGuid(0x241), L"SPDIF_TAG_241h"}, {FourCCGuid(0x75), L"VOXWARE_MetaSound"},
    // The E436EBxx family.
    {E436(0x78), L"RGB1"}, {E436(0x79), L"RGB4"}, {E436(0x7A), L"RGB8"},
    {E436(0x7B), L"RGB565"}, {E436(0x7C), L"RGB555"}, {E436(0x7D), L"RGB24"},
    {E436(0x7E), L"RGB32"}, {E436(0x7F), L"Overlay"}, {E436(0x80), L"MPEG1Packet"},
    {E436(0x81), L"MPEG1Payload"}, {E436(0x84), L"MPEG1System"},
    {E436(0x85), L"MPEG1VideoCD"}, {E436(0x86), L"MPEG1Video"},
    {E436(0x87), L"MPEG1Audio"}, {E436(0x88), L"Avi"}, {E436(0x89), L"QTMovie"},
    {E436(0x8A), L"PCMAudio_Obsolete"}, {E436(0x8B), L"WAVE"}, {E436(0x8C), L"AU"},
    {E436(0x8D), L"AIFF"},
    {{0x773C9AC0, 0x3274, 0x11D0, {0xB7, 0x24, 0x00, 0xAA, 0x00, 0x6C, 0x1A, 0x01}}, L"ARGB32"},
    {{0x3DB80F90, 0x9412, 0x11D1, {0xAD, 0xED, 0x00, 0x00, 0xF8, 0x75, 0x4B, 0x99}}, L"Asf"},
    {Line21(0x22), L"Line21_BytePair"}, {Line21(0x23), L"Line21_GOPPacket"},
    {Line21(0x24), L"Line21_VBIRawData"},
    {{0xA0AF4F81, 0xE163, 0x11D0, {0xBA, 0xD9, 0x00, 0x60, 0x97, 0x44, 0x11, 0x1A}}, L"DssVideo"},
    {{0xA0AF4F82, 0xE163, 0x11D0, {0xBA, 0xD9, 0x00, 0x60, 0x97, 0x44, 0x11, 0x1A}}, L"DssAudio"},
    {{0x5A9B6A40, 0x1A22, 0x11D1, {0xBA, 0xD9, 0x00, 0x60, 0x97, 0x44, 0x11, 0x1A}}, L"VPVideo"},
    {{0x5A9B6A41, 0x1A22, 0x11D1, {0xBA, 0xD9, 0x00, 0x60, 0x97, 0x44, 0x11, 0x1A}}, L"VPVBI"},
    // Analog video standards.
    {Analog(0xE2), L"AnalogVideo_NTSC_M"}, {Analog(0xE5), L"AnalogVideo_PAL_B"},
    {Analog(0xE6), L"AnalogVideo_PAL_D"}, {Analog(0xE7), L"AnalogVideo_PAL_G"},
    {Analog(0xE8), L"AnalogVideo_PAL_H"}, {Analog(0xE9), L"AnalogVideo_PAL_I"},
    {Analog(0xEA), L"AnalogVideo_PAL_M"}, {Analog(0xEB), L"AnalogVideo_PAL_N"},
    {Analog(0xEC), L"AnalogVideo_PAL_N_COMBO"}, {Analog(0xF0), L"AnalogVideo_SECAM_B"},
    {Analog(0xF1), L"AnalogVideo_SECAM_D"}, {Analog(0xF2), L"AnalogVideo_SECAM_G"},
    {Analog(0xF3), L"AnalogVideo_SECAM_H"}, {Analog(0xF4), L"AnalogVideo_SECAM_K"},
    {Analog(0xF5), L"AnalogVideo_SECAM_K1"}, {Analog(0xF6), L"AnalogVideo_SECAM_L"},
    // MPEG-2 and DVD.
    {Mpeg2(0x26), L"MPEG2_VIDEO"}, {Mpeg2(0x22), L"MPEG2_PROGRAM"},
    {Mpeg2(0x23), L"MPEG2_TRANSPORT"}, {Mpeg2(0x2B), L"MPEG2_AUDIO"},
    {Mpeg2(0x2C), L"DOLBY_AC3"}, {Mpeg2(0x2D), L"DVD_SUBPICTURE"},
    {Mpeg2(0x32), L"DVD_LPCM_AUDIO"}, {Mpeg2(0x33), L"DTS"}, {Mpeg2(0x34), L"SDDS"},
    {Mpeg2(0x2F), L"PCI"}, {Mpeg2(0x30), L"DSI"}, {Mpeg2(0x31), L"PROVIDER"},
};

struct TTagName {
    uint16_t tag;
    const wchar_t* name;
};

const TTagName kWaveFormats[] = {
    {1, L"PCM"}, {2, L"ADPCM"}, {3, L"IEEE_FLOAT"}, {5, L"IBM_CVSD"}, {6, L"ALAW"},
    {7, L"MULAW"}, {16, L"OKI_ADPCM"}, {17, L"DVI_ADPCM"}, {18, L"MEDIASPACE_ADPCM"},
    {19, L"SIERRA_ADPCM"}, {20, L"G723_ADPCM"}, {21, L"DIGISTD"}, {22, L"DIGIFIX"},
    {23, L"DIALOGIC_OKI_ADPCM"}, {24, L"MEDIAVISION_ADPCM"}, {32, L"YAMAHA_ADPCM"},
    {33, L"SONARC"}, {34, L"DSPGROUP_TRUESPEECH"}, {35, L"ECHOSC1"},
    {36, L"AUDIOFILE_AF36"}, {37, L"APTX"}, {38, L"AUDIOFILE_AF10"}, {48, L"DOLBY_AC2"},
    {49, L"GSM610"}, {50, L"MSNAUDIO"}, {51, L"ANTEX_ADPCME"}, {52, L"CONTROL_RES_VQLPC"},
    {53, L"DIGIREAL"}, {54, L"DIGIADPCM"}, {55, L"CONTROL_RES_CR10"},
    {56, L"NMS_VBXADPCM"}, {57, L"CS_IMAADPCM"}, {58, L"ECHOSC3"},
    {59, L"ROCKWELL_ADPCM"}, {60, L"ROCKWELL_DIGITALK"}, {61, L"XEBEC"},
    {64, L"G721_ADPCM"}, {65, L"G728_CELP"}, {80, L"MPEG"}, {85, L"MPEGLAYER3"},
    {96, L"CIRRUS"}, {97, L"ESPCM"}, {98, L"VOXWARE"}, {99, L"CANOPUS_ATRAC"},
    {100, L"G726_ADPCM"}, {101, L"G722_ADPCM"}, {102, L"DSAT"}, {103, L"DSAT_DISPLAY"},
    {117, L"VOXWARE"}, {128, L"SOFTSOUND"}, {256, L"RHETOREX_ADPCM"},
    {512, L"CREATIVE_ADPCM"}, {514, L"CREATIVE_FASTSPEECH8"},
    {515, L"CREATIVE_FASTSPEECH10"}, {544, L"QUARTERDECK"}, {768, L"FM_TOWNS_SND"},
    {1024, L"BTV_DIGITAL"}, {4096, L"OLIGSM"}, {4097, L"OLIADPCM"}, {4098, L"OLICELP"},
    {4099, L"OLISBC"}, {4100, L"OLIOPR"}, {4352, L"LH_CODEC"}, {5120, L"NORRIS"},
};

// How the format block of a format type is described.
enum TFormatDetail { fdNone, fdVideoInfo, fdVideoInfo2, fdWave };

struct TFormatRow {
    GUID guid;
    const wchar_t* text;
    TFormatDetail detail;
};

const TFormatRow kFormats[] = {
    {{0x05589F80, 0xC356, 0x11CE, {0xBF, 0x01, 0x00, 0xAA, 0x00, 0x55, 0x59, 0x5A}}, L"VideoInfo ", fdVideoInfo},
    {{0xF72A76A0, 0xEB0A, 0x11D0, {0xAC, 0xE4, 0x00, 0x00, 0xC0, 0xCC, 0x16, 0xBA}}, L"VideoInfo2 ", fdVideoInfo2},
    {{0x05589F81, 0xC356, 0x11CE, {0xBF, 0x01, 0x00, 0xAA, 0x00, 0x55, 0x59, 0x5A}}, L"WaveFormatEx: ", fdWave},
    {{0x05589F82, 0xC356, 0x11CE, {0xBF, 0x01, 0x00, 0xAA, 0x00, 0x55, 0x59, 0x5A}}, L"MPEGVideo ", fdVideoInfo},
    {Mpeg2(0xE3), L"MPEGStreams ", fdVideoInfo2},
    {{0x05589F84, 0xC356, 0x11CE, {0xBF, 0x01, 0x00, 0xAA, 0x00, 0x55, 0x59, 0x5A}}, L"DvInfo", fdNone},
    {{0x05589F83, 0xC356, 0x11CE, {0xBF, 0x01, 0x00, 0xAA, 0x00, 0x55, 0x59, 0x5A}}, L"MPEGStreams", fdNone},
    {Mpeg2(0xE4), L"DolbyAC3", fdNone},
    {Mpeg2(0xE5), L"MPEG2Audio", fdNone},
    {Mpeg2(0xE6), L"DVD_LPCMAudio", fdNone},
};

// Where the BITMAPINFOHEADER sits in each video header (VIDEOINFOHEADER: 48,
// VIDEOINFOHEADER2: 72).
constexpr size_t kVideoInfoBitmapOffset = offsetof(VIDEOINFOHEADER, bmiHeader);
constexpr size_t kVideoInfo2BitmapOffset = 72;

const wchar_t* NameOf(std::span<const TGuidName> table, const GUID& guid, const wchar_t* missing)
{
    for (const auto& row : table)
        if (IsEqualGUID(row.guid, guid))
            return row.name;
    return missing;
}

std::wstring Format(const wchar_t* format, auto... args)
{
    wchar_t text[256];
    int length = std::swprintf(text, std::size(text), format, args...);
    return std::wstring(text, length > 0 ? size_t(length) : 0);
}

std::wstring VideoDetail(const AM_MEDIA_TYPE& mt, size_t bitmapOffset)
{
    if (mt.cbFormat < bitmapOffset + sizeof(BITMAPINFOHEADER))
        return {};
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, mt.pbFormat + bitmapOffset, sizeof bih);
    return Format(L"%ls %dX%d, %d bits", CompressionName(bih.biCompression).c_str(),
                  int(bih.biWidth), int(bih.biHeight), int(bih.biBitCount));
}

std::wstring WaveDetail(const AM_MEDIA_TYPE& mt)
{
    // The fields read end before cbSize, so a plain WAVEFORMAT-sized block is enough.
    if (mt.cbFormat < offsetof(WAVEFORMATEX, cbSize))
        return {};
    WAVEFORMATEX wfx{};
    std::memcpy(&wfx, mt.pbFormat, offsetof(WAVEFORMATEX, cbSize));
    const wchar_t* name = L"Unknown";
    for (const auto& row : kWaveFormats)
        if (row.tag == wfx.wFormatTag) {
            name = row.name;
            break;
        }
    return name + Format(L", %d Hertz, %d Bits, %d Channels", int(wfx.nSamplesPerSec),
                         int(wfx.wBitsPerSample), int(wfx.nChannels));
}

} // namespace

std::wstring CompressionName(uint32_t code)
{
    static const wchar_t* const kNamed[] = {L"RGB", L"RLE8", L"RLE4", L"BITFIELDS"};
    if (code < std::size(kNamed))
        return kNamed[code];
    std::wstring name;
    for (int shift = 0; shift < 32; shift += 8) {
        wchar_t c = wchar_t((code >> shift) & 0xFF);
        if (c == 0)
            break;
        name += c;
    }
    return name;
}

std::wstring MediaTypeDescription(const AM_MEDIA_TYPE& mt)
{
    std::wstring text = L"Major Type: ";
    text += NameOf(kMajorTypes, mt.majortype, L"UnKnown ");
    text += L" - Sub Type: ";
    text += NameOf(kSubTypes, mt.subtype, L"UnKnown ");
    text += L" Format: ";

    const TFormatRow* format = nullptr;
    for (const auto& row : kFormats)
        if (IsEqualGUID(row.guid, mt.formattype)) {
            format = &row;
            break;
        }
    if (!format)
        return text + L"Unknown";
    text += format->text;

    if (mt.cbFormat == 0 || !mt.pbFormat)
        return text;
    switch (format->detail) {
    case fdVideoInfo: return text + VideoDetail(mt, kVideoInfoBitmapOffset);
    case fdVideoInfo2: return text + VideoDetail(mt, kVideoInfo2BitmapOffset);
    case fdWave: return text + WaveDetail(mt);
    case fdNone: break;
    }
    return text;
}

