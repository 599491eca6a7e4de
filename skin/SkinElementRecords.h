// The element records of the skin component, holding framework bitmaps.
#pragma once

#include "skin/core/SkinElements.h"
#include "framework/Bitmap.h"

using TDataSkinObject = TDataSkinObjectOf<TBitmap>;
using TDataSkinBorder = TDataSkinBorderOf<TBitmap>;
using TDataSkinTitle = TDataSkinTitleOf<TBitmap>;
using TDataSkinButton = TDataSkinButtonOf<TBitmap>;
using TDataSkinSysButton = TDataSkinSysButtonOf<TBitmap>;
using TDataSkinBoxLabel = TDataSkinBoxLabelOf<TBitmap>;
using TSkinElements = TSkinElementsOf<TBitmap>;
