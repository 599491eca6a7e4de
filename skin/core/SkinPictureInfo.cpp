#include "skin/core/SkinPictureInfo.h"

#include "skin/core/BmpHeader.h"
#include "skin/core/QuickIni.h"
#include "skin/core/SkinParser.h"
#include "skin/core/SkinReader.h"

#include <algorithm>
#include <vector>

void TSkinPictureInfoSource::Load(TSkinPictureInfo& picture, const std::string& fileName)
{
    picture = {};
    const std::optional<std::string> member = SkinPictureMemberName(fileName);
    std::vector<std::uint8_t> bytes;
    TBmpHeader header;
    if (!member || !FReader.ExtractMember(*member, bytes) || !ReadBmpHeader(bytes.data(), bytes.size(), header))
        return;
    picture.FWidth = header.Width;
    picture.FHeight = header.Height;
    picture.FMember = AsciiLowerCase(*member);
}

void TSkinPictureInfoSource::CopyColumns(TSkinPictureInfo& target, const TSkinPictureInfo& source, int x, int width)
{
    target = {};
    const int cut = std::clamp(width, 0, std::max(source.Width() - x, 0));
    if (cut > 0) {
        target.FWidth = cut;
        target.FHeight = source.Height();
    }
}

void ParseSkinInfo(const TSkinReader& reader, const TQuickIni& ini, TSkinInfoElements& elements)
{
    TSkinPictureInfoSource pictures(reader);
    ParseSkinElements(elements, ini, pictures);
}

void ParseSkinInfo(const TSkinReader& reader, TSkinInfoElements& elements)
{
    TQuickIni ini;
    LoadSkinIni(reader, ini);
    ParseSkinInfo(reader, ini, elements);
}
