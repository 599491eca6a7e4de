#include "app/VideoLayout.h"

#include <algorithm>

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

TVideoLayout FitToWorkArea(const TVideoLayout& layout, TWindowMargins margins, int areaWidth, int areaHeight)
{
    if (!layout.WindowWidth || !layout.WindowHeight || !layout.VideoWidth || !layout.VideoHeight)
        return layout;
    if (*layout.WindowWidth <= areaWidth && *layout.WindowHeight <= areaHeight)
        return layout;
    const int width = *layout.VideoWidth, height = *layout.VideoHeight;
    if (width <= 0 || height <= 0)
        return layout;
    const double scale = std::min(double(areaWidth - margins.Width) / width, double(areaHeight - margins.Height) / height);
    TVideoLayout fitted = layout;
    fitted.VideoWidth = std::max(1, static_cast<int>(width * scale));
    fitted.VideoHeight = std::max(1, static_cast<int>(height * scale));
    fitted.WindowWidth = *fitted.VideoWidth + margins.Width;
    fitted.WindowHeight = *fitted.VideoHeight + margins.Height;
    return fitted;
}

TBarPlace PlaybackBarPlace(int videoTop, int videoHeight, int videoWidth)
{
    if (videoHeight > 144)
        return {videoTop + videoHeight, videoWidth};
    return {288, 320};
}
