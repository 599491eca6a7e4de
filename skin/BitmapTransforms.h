// In-place transforms of skin pictures: one stored picture serves several orientations and
// states (tabs on any side, a greyed glyph, a turned progress bar, the mirrored combo
// button). All five work on 24-bit pixels (blue, green, red); a bitmap in another format
// is converted to 24 bits first, so no row is ever read past its end.
#pragma once

class TBitmap;

// Each pixel becomes grey: blue = green = red = (blue + green + red) / 3, truncated.
void GrayBitmap(TBitmap& bitmap);
// Left-right mirror: column x moves to width - 1 - x.
void MirrorBitmap(TBitmap& bitmap);
// Top-bottom flip: row y moves to height - 1 - y.
void FlipBitmap(TBitmap& bitmap);
// A quarter turn counter-clockwise: old (x, y) lands at (y, old width - 1 - x).
void RotateBitmapLeft(TBitmap& bitmap);
// A quarter turn clockwise: old (x, y) lands at (old height - 1 - y, x).
void RotateBitmapRight(TBitmap& bitmap);
