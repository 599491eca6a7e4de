#include "skin/engine/menus/PopupBackgrounds.h"

#include "skin/ElementFrame.h"
#include "skin/SkinData.h"

#include <algorithm>

namespace {
constexpr std::size_t kKept = 6;  // a program's menus come in a few sizes
}

std::shared_ptr<const TCountedBitmap> TPopupBackgrounds::Get(const TSkinData& skin, int width, int height)
{
    const auto& element = skin.Elements().MenuBackground;
    if (skin.Empty() || !element || element->Image.Empty() || width <= 0 || height <= 0)
        return nullptr;
    for (const TEntry& entry : FEntries)
        if (entry.Skin == &skin && entry.Width == width && entry.Height == height)
            return entry.Picture;
    auto picture = std::make_shared<TCountedBitmap>();
    picture->SetSize(width, height);
    DrawElementFrame(picture->Canvas()->Handle(), {0, 0, width, height}, element->Image, element->Tile != 0, false,
                     {1, 1, false}, element->Margins);
    if (FEntries.size() >= kKept)
        FEntries.erase(FEntries.begin());
    FEntries.push_back({&skin, width, height, picture});
    return picture;
}

void TPopupBackgrounds::Forget(const TSkinData* skin)
{
    FEntries.erase(std::remove_if(FEntries.begin(), FEntries.end(), [&](const TEntry& e) { return e.Skin == skin; }),
                   FEntries.end());
}
