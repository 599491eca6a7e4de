// The stand-in Windows Media ASF writer: a sink filter, created under the WM ASF
// writer's class identifier, that writes what its input pins receive into an ASF file
// (video as one JPEG image per frame, or as it arrives with "don't compress" set; audio
// as PCM). Its input pins follow the configured system profile: video first, then
// audio. The file is created when the graph starts and finished when it stops (or, when
// the graph is released without a stop, when the filter goes away).
#pragma once

#include <unknwn.h>

namespace kivora::asfwriter {

IUnknown* CreateAsfWriterFilter();

} // namespace kivora::asfwriter
