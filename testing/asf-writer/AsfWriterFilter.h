// The stand-in Windows Media ASF writer: a sink filter, created under the WM ASF
// writer's class identifier, that writes what its input pins receive into an ASF file
// (video as one JPEG image per frame, or as it arrives with "don't compress" set; audio
// as PCM). Its input pins follow the configured system profile: video first, then
// audio. The file is created when the graph starts and finished when it stops (or, when
// the graph is released without a stop, when the filter goes away).
//
// A write that fails (a full disk, or any WriteFile failure) is handled as the platform
// writer does: the file is finished at once, its header rewritten in place for the
// packets that reached the disk (no index), so that it plays up to there; the graph gets
// EC_ERRORABORT with the error as an HRESULT (e.g. HRESULT_FROM_WIN32(ERROR_DISK_FULL))
// once; the input pins refuse every sample with that HRESULT until the graph stops, and
// the stop writes nothing more. A recording stopped before any sample arrived leaves a
// header with no data packets (the File Properties' and the Data Object's packet counts
// both 0): the program deletes such a file. WriterFaults.h has the fault switch that
// fills the disk.
#pragma once

#include <unknwn.h>

namespace kivora::asfwriter {

IUnknown* CreateAsfWriterFilter();

} // namespace kivora::asfwriter
