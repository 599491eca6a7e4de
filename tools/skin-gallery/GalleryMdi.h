// The gallery's MDI window: a frame with a menu bar (Window: new child, cascade, tile,
// maximize the active child, close) and three child windows with a few controls each, so
// that the skin's MDI frame, children and the maximized child's buttons in the frame's bar
// can be seen.
#pragma once

class TForm;

// Opens the MDI window (owned by owner); with the last child maximized when asked.
TForm* ShowGalleryMdiWindow(TForm& owner, bool maximizeChild);
