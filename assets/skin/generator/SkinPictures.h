// The pictures of Kivora's own skin: a calm slate-and-blue theme on light grey faces.
// Every picture is drawn by code, so the skin rebuilds bit for bit from the repository.
#pragma once

#include "Picture.h"

#include <string>
#include <vector>

struct TNamedPicture {
    std::string FileName;
    TPicture Picture;
};

// The 38 bitmaps the skin archive carries, named as the skin's INI text refers to them.
std::vector<TNamedPicture> DrawSkinPictures();

// 64 x 16, four 16 x 16 window-menu glyphs on white: restore, maximize, minimize, close.
TPicture DrawWindowMenuGlyphs();
