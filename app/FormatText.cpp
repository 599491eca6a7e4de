#include "app/FormatText.h"

#include <uuids.h>

#include <cstring>

namespace {

// FORMAT_MPEG2Video, which mingw-w64's uuids.h does not declare.
constexpr GUID kFormatMpeg2Video = {0xE06D80E3, 0xDB46, 0x11CF, {0xB4, 0xD1, 0x00, 0x80, 0x5F, 0x6C, 0xBB, 0xEA}};

// Where the BITMAPINFOHEADER sits: VIDEOINFOHEADER-based blocks at 48, VIDEOINFOHEADER2 at 72.
size_t BitmapHeaderOffset(const GUID& formatType)
{
    if (formatType == FORMAT_VideoInfo || formatType == FORMAT_MPEGVideo)
        return 48;
    if (formatType == FORMAT_VideoInfo2 || formatType == kFormatMpeg2Video)
        return 72;
    return 0;
}

} // namespace

TFrameSize GetVideoSize(const AM_MEDIA_TYPE& mt)
{
    const size_t offset = BitmapHeaderOffset(mt.formattype);
    if (offset == 0 || !mt.pbFormat || mt.cbFormat < offset + sizeof(BITMAPINFOHEADER))
        return {};
    BITMAPINFOHEADER header;
    std::memcpy(&header, mt.pbFormat + offset, sizeof header);
    return {int(header.biWidth), int(header.biHeight)};
}

std::wstring ShortFormatText(const std::wstring& d)
{
    static const std::wstring kMajor = L"Major Type: ", kSub = L"Sub Type: ";
    const std::wstring marker = d.find(L"Video") != std::wstring::npos ? L" Format: VideoInfo" : L" Format: WaveFormatEx:";
    const size_t major = d.find(kMajor), sub = d.find(kSub), format = d.find(marker);
    if (major == std::wstring::npos || sub == std::wstring::npos || format == std::wstring::npos ||
        sub < major + kMajor.size() || format < sub + kSub.size())
        return d;
    return d.substr(major + kMajor.size(), sub - major - kMajor.size()) +
           d.substr(sub + kSub.size(), format - sub - kSub.size()) + L"," + d.substr(format + marker.size());
}
