// Where the main window and its video window go for a frame size, and where the playback
// bar sits under the video.
#pragma once

#include <optional>

// The two margin sets: added to the frame size when a preview or recording starts, and
// when the settings dialog is confirmed.
struct TWindowMargins {
    int Width, Height;
};
constexpr TWindowMargins kStartMargins{7, 104};
constexpr TWindowMargins kSettingsMargins{2, 100};

// What FitToVideoSize changes: each field is set only when the rule sets it.
struct TVideoLayout {
    std::optional<int> WindowWidth, WindowHeight;
    std::optional<int> VideoLeft, VideoTop, VideoWidth, VideoHeight;
};

// The main window's outer size and the video window's place for a w × h frame. Frames
// narrower than 320 are centred in a 320 × 240 area under the tool bar; the height rule
// looks at the width (a frame under 240 wide gives a 340-high window).
TVideoLayout FitToVideoSize(int width, int height, TWindowMargins margins);

// A layout that fits in an area of the screen (the work area): when the window would be
// wider or taller than the area, the video is shown smaller, its aspect kept, and the
// window shrinks with it; a layout that fits is answered as it is.
TVideoLayout FitToWorkArea(const TVideoLayout& layout, TWindowMargins margins, int areaWidth, int areaHeight);

// The playback bar's top and width under a video window.
struct TBarPlace {
    int Top, Width;
};
TBarPlace PlaybackBarPlace(int videoTop, int videoHeight, int videoWidth);
