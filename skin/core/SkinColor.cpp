#include "skin/core/SkinColor.h"

#include "skin/core/AsciiText.h"

TSkinColor ParseColor(std::string_view text)
{
    text = TrimControls(text);
    int parts[3] = {0, 0, 0};
    int stored = 0;
    int run = 0;          // the open run's value, modulo 256 (only its low 8 bits count)
    bool inRun = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            run = (run * 10 + (c - '0')) & 0xFF;
            inRun = true;
            continue;
        }
        if (inRun && stored < 3)
            parts[stored++] = run;
        run = 0;
        inRun = false;
    }
    if (inRun && stored == 2)
        parts[stored++] = run;
    return SkinRgb(parts[0], parts[1], parts[2]);
}

TSkinColor ReadColor(std::string_view text, TSkinColor defaultColor)
{
    return text.empty() ? defaultColor : ParseColor(text);
}
