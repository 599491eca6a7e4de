#include "framework/Graphic.h"
#include "framework/Stream.h"

const TClassInfo& TGraphic::StaticClass()
{
    static const TClassInfo info(L"TGraphic", &TPersistent::StaticClass());
    return info;
}

void TGraphic::LoadFromFile(const std::wstring& fileName)
{
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::wstring& fileName) const
{
    SaveFileReplacing(fileName, [this](TStream& stream) { SaveToStream(stream); });
}
