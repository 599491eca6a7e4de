// The gallery's third column: controls that scroll, slide or page — scroll bars both ways,
// a memo and a list box long enough to scroll, a simple combo box, a spin edit, a progress
// bar half way, horizontal and vertical track bars, a page control with three pages and a
// group box with controls inside.
#pragma once

class TForm;

constexpr int kScrollingColumnWidth = 340;

// Adds the column's controls to form, owned by it, with their top-left corner at (left, top).
void AddScrollingColumn(TForm& form, int left, int top);
