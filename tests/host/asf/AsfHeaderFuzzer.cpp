// Feeds arbitrary bytes to the ASF header reader: whatever the input, it must return a
// result without reading outside the input (AddressSanitizer watches).
#include "AsfHeader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kivora::asf;
    std::span<const uint8_t> bytes(data, size);
    TAsfFileInfo info;
    ParseAsfHeader(bytes, info);
    TAsfMemorySource source(bytes);
    if (ReadAsfFile(source, info) == asfOk) {
        // Touch what a caller would use.
        volatile uint64_t sink = info.Stridable() + info.IsProtected();
        for (const TAsfStreamInfo& stream : info.streams)
            sink = sink + stream.Bitrate() + stream.typeSpecificData.size() + stream.bitmap.compression;
        (void)sink;
    }
    return 0;
}
