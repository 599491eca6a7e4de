// The skin engine's private window messages, sent or posted to skinned windows. An
// application serves its own title-bar buttons through WM_SKINBUTTONCLICK and
// WM_SKINBUTTONVISIBLE.
#pragma once

#include <windows.h>

constexpr UINT WM_SKINREFRESH = 0x3401;        // re-skin the controls of a framework form
constexpr UINT WM_SKINPAINTFRAME = 0x3502;     // repaint the skinned frame now
constexpr UINT WM_SKINATTACH = 0x3503;         // posted right after a window was skinned
constexpr UINT WM_SKINQUERY = 0x3504;          // a skinned window answers 1
constexpr UINT WM_SKINENABLE = 0x3506;
constexpr UINT WM_SKINBUTTONCLICK = 0x3514;    // wParam: the button's action code
constexpr UINT WM_SKINBUTTONVISIBLE = 0x3515;  // wParam: the button's index; answer > 0 to show it
