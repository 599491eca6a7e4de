// Hints of windowed controls: one tooltip window serves every framework window. Each
// window is registered when it is created; the tooltip asks the application window for
// the text when it is about to show, so a control's Hint may change at any time and an
// empty Hint (or ShowHint off) shows nothing.
#pragma once
#include "framework/Messages.h"

void RegisterHint(HWND control);
void UnregisterHint(HWND control);
// TTN_GETDISPINFO for a registered window (sent to the application window); true when handled.
bool HandleHintNotify(TMessage& message);
