// Reading a window's text and class name, always with the wide functions: Kivora's
// captions are Chinese, and a framework window is Unicode although its class name says
// nothing about it.
#pragma once

#include <windows.h>

#include <string>

std::wstring ReadWindowText(HWND window);
std::wstring ReadClassName(HWND window);
