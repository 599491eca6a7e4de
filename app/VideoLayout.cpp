#include "app/VideoLayout.h"

namespace {
constexpr int kToolBarHeight = 48;
constexpr int kSmallAreaWidth = 320, kSmallAreaHeight = 240;
constexpr int kSmallWindowWidth = 322, kSmallWindowHeight = 340;
}

TVideoLayout FitToVideoSize(int width, int height, TWindowMargins margins)
{
    TVideoLayout layout;
    if (width != 0) {
        if (width >= kSmallAreaWidth) {
            layout.WindowWidth = width + margins.Width;
            layout.VideoLeft = 0;
            layout.VideoTop = kToolBarHeight;
        } else {
            layout.WindowWidth = kSmallWindowWidth;
            layout.VideoLeft = (kSmallAreaWidth - width) / 2;
            layout.VideoTop = (kSmallAreaHeight - height) / 2 + kToolBarHeight;
        }
        layout.VideoWidth = width;
    }
    if (height != 0) {
        layout.WindowHeight = width < 240 ? kSmallWindowHeight : height + margins.Height;
        layout.VideoHeight = height;
    }
    return layout;
}

TBarPlace PlaybackBarPlace(int videoTop, int videoHeight, int videoWidth)
{
    if (videoHeight > 144)
        return {videoTop + videoHeight, videoWidth};
    return {288, 320};
}
