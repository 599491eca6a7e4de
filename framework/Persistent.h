// TPersistent: an object whose value can be copied from another with Assign (fonts,
// pictures, bitmaps). A class that does not know the source class asks the source
// (AssignTo); when neither knows the other, EConvertError names both classes.
#pragma once
#include "framework/ClassInfo.h"
#include "framework/Properties.h"

class TPersistent : public TObject {
    KIVORA_CLASS(TPersistent, TObject)
public:
    virtual void Assign(const TPersistent& source);

protected:
    virtual void AssignTo(TPersistent& dest) const;
};
