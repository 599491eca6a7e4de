// The rendered MenuBackground pictures of popup menu windows, by skin and size. A popup
// window lives only while its menu is open, and the same menu opens at the same size
// again and again: its picture is rendered once and shared by every window of that size.
// The manager keeps the cache and empties it when a skin is reloaded or goes.
#pragma once

#include "skin/engine/GdiTally.h"

#include <memory>
#include <vector>

class TSkinData;

class TPopupBackgrounds {
public:
    // The skin's MenuBackground rendered at width x height; null without that picture.
    std::shared_ptr<const TCountedBitmap> Get(const TSkinData& skin, int width, int height);
    void Forget(const TSkinData* skin);
    void Clear() { FEntries.clear(); }

private:
    struct TEntry {
        const TSkinData* Skin;
        int Width, Height;
        std::shared_ptr<const TCountedBitmap> Picture;
    };
    std::vector<TEntry> FEntries;
};
