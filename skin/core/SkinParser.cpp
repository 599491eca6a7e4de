#include "skin/core/SkinParser.h"

#include "skin/core/SkinReader.h"

#include <algorithm>
#include <vector>

std::string LoadSkinIni(const TSkinReader& reader, TQuickIni& ini)
{
    std::vector<std::uint8_t> text;
    std::string name;
    reader.FindMember(".ini", text, name);
    ini.Load(text);
    return name;
}

std::optional<std::string> SkinPictureMemberName(const std::string& fileName)
{
    const std::size_t slash = fileName.find_last_of("\\/:");
    const std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (name.empty() || dot == std::string::npos || name.compare(dot, std::string::npos, ".bmp") != 0)
        return std::nullopt;
    return name;
}

int SysButtonDefaultFrames(int width, int height, bool hasPicture, int action)
{
    int frames = 6;
    // width / height <= 3.8, without rounding: 5 * width <= 19 * height.
    if (hasPicture && height > 0)
        frames = 5 * static_cast<std::int64_t>(width) <= 19 * static_cast<std::int64_t>(height) ? 3 : 6;
    if (action < 0)
        frames = 6;
    return frames;
}

int CheckFrameCountOf(int width, int height)
{
    return std::max(width / (height < 16 ? 13 : 16), 4);
}
