#include "framework/ClassInfo.h"
#include "framework/Properties.h"

TClassInfo::TClassInfo(std::wstring name, const TClassInfo* parent, std::vector<TPropInfo> properties)
    : Name(std::move(name)), Parent(parent), Properties(std::move(properties))
{
}

TClassInfo::~TClassInfo() = default;

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &other)
            return true;
    return false;
}

const TClassInfo& TObject::StaticClass()
{
    static const TClassInfo info(L"TObject", nullptr);
    return info;
}
