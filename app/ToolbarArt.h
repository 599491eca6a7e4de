// The pictures of the main window's tool bars, drawn in code: five 47 × 37 pictures
// (preview, snapshot, record, settings, about) and the playback bar's 16 × 16 ones.
// Magenta is transparent.
#pragma once

#include "framework/Bitmap.h"

#include <memory>

std::unique_ptr<TBitmap> ToolbarPicture(int index);
std::unique_ptr<TBitmap> PlaybackPicture(int index);
// The picture of a disabled button: the picture in washed-out grey, ground kept.
std::unique_ptr<TBitmap> DisabledPicture(const TBitmap& picture);
