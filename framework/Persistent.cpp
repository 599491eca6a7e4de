#include "framework/Persistent.h"
#include "framework/Exceptions.h"

const TClassInfo& TPersistent::StaticClass()
{
    static const TClassInfo info(L"TPersistent", &TObject::StaticClass());
    return info;
}

void TPersistent::Assign(const TPersistent& source)
{
    source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& dest) const
{
    throw EConvertError(L"Cannot assign a " + ClassName() + L" to a " + dest.ClassName());
}
