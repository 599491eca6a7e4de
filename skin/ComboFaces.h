// The combo box faces of a parsed skin: one whole combo box per state, composed from the
// sunken edge, the combo button and the extra glyphs, so a combo box is drawn with one
// nine-slice picture. Afterwards ComboButton holds the faces with the button on the right
// and SunkEdge the mirrored faces with the button on the left.
#pragma once

#include "skin/SkinElementRecords.h"

// Does nothing unless the skin has both SunkEdge and ComboButton.
void ComposeComboFaces(TSkinElements& elements);
