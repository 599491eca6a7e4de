// Pictures known only by their size: the picture type of the element records when no
// pixels are needed (the skin tool's info, the host tests). The sizes come from the BMP
// headers of the archive members, so the records match what the skin component reads.
#pragma once

#include "skin/core/SkinElements.h"

#include <string>

class TQuickIni;
class TSkinReader;

class TSkinPictureInfo {
public:
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }
    // The archive member the picture was read from (empty for a cut-out or no picture).
    const std::string& Member() const { return FMember; }

private:
    friend class TSkinPictureInfoSource;
    int FWidth = 0, FHeight = 0;
    std::string FMember;
};

using TSkinInfoElements = TSkinElementsOf<TSkinPictureInfo>;

// Picture source of ParseSkinElements over a loaded archive: a member that is missing or
// has no readable BMP header gives an empty picture.
class TSkinPictureInfoSource {
public:
    explicit TSkinPictureInfoSource(const TSkinReader& reader) : FReader(reader) {}
    void Load(TSkinPictureInfo& picture, const std::string& fileName);
    void Clear(TSkinPictureInfo& picture) { picture = {}; }
    void CopyColumns(TSkinPictureInfo& target, const TSkinPictureInfo& source, int x, int width);

private:
    const TSkinReader& FReader;
};

// The element records of a loaded archive, with picture sizes, from its INI text (ini, or
// the archive's own when not given).
void ParseSkinInfo(const TSkinReader& reader, const TQuickIni& ini, TSkinInfoElements& elements);
void ParseSkinInfo(const TSkinReader& reader, TSkinInfoElements& elements);
