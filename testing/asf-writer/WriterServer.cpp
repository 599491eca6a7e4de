// The class the stand-in ASF writer DLL serves.
#include "AsfWriterFilter.h"
#include "ConfigAsfWriter.h"
#include "../dshow/Server.h"

#include <uuids.h>

namespace kivora::dshow {

std::span<const TServerClass> ServerClasses()
{
    static const TServerClass classes[] = {
        {&CLSID_WMAsfWriter, L"WM ASF Writer", &CLSID_LegacyAmFilterCategory, asfwriter::CreateAsfWriterFilter},
    };
    return classes;
}

} // namespace kivora::dshow
