// Horizontal alignment of a control's text (labels, status panels), and the side of its
// caption a check box or radio button puts its box on (taLeftJustify: box on the right).
#pragma once
#include "framework/Properties.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
KIVORA_ENUM_NAMES(TAlignment, L"taLeftJustify", L"taRightJustify", L"taCenter")
