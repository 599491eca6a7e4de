// Frame sizes of video media types and the short texts the settings dialog's format
// boxes show.
#pragma once

#include <windows.h>
#include <strmif.h>

#include <string>

struct TFrameSize {
    int Width = 0, Height = 0;
};

// The frame size of a video media type (VideoInfo, VideoInfo2, MPEG video, MPEG-2 video);
// (0, 0) for any other type, or a format block too short for its header.
TFrameSize GetVideoSize(const AM_MEDIA_TYPE& mediaType);

// "Major Type: Video - Sub Type: YUY2 Format: VideoInfo YUY2 640X480, 16 bits" →
// "Video - YUY2, YUY2 640X480, 16 bits". A description without the format marker is
// shown as it is, so every format keeps its row.
std::wstring ShortFormatText(const std::wstring& description);
