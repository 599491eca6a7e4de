// A control point for the end-to-end tests, compiled only into the test build of the
// program (KivoraUnderTest.exe, built with KIVORA_TEST_HOOK). See TestHook.cpp for the
// commands and queries it takes.
#pragma once

// Opens the hook's hidden window; it lives until the program ends.
void StartTestHook();
