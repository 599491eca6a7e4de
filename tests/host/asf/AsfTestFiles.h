// Small ASF files made with the writer, for the reader and writer tests.
#pragma once

#include "AsfWriter.h"

#include <cstdint>
#include <vector>

namespace kivora::asf::test {

// One second of 160x120 RGB video at 5 frames/s (a key frame every second frame) and
// 8 kHz mono PCM in 100-ms blocks, interleaved by time, written into the sink; the first
// tenths of the second only, when asked. Finish's result.
inline bool WriteTwoStreamFile(TAsfSink& sink, TAsfWriterOptions options = {}, int tenths = 10)
{
    TAsfWriter writer(sink, options);
    uint16_t video = writer.AddVideoStream({.width = 160, .height = 120});
    uint16_t audio = writer.AddAudioStream({.channels = 1, .samplesPerSec = 8000, .bitsPerSample = 16});
    writer.Begin();
    std::vector<uint8_t> frame(160 * 120 * 3), block(1600);
    for (int tenth = 0; tenth < tenths; ++tenth) {
        const uint64_t time = tenth * 1'000'000ull;
        if (tenth % 2 == 0) {
            frame.assign(frame.size(), static_cast<uint8_t>(tenth * 20));
            writer.WriteSample(video, time, frame, tenth % 4 == 0, 2'000'000);
        }
        block.assign(block.size(), static_cast<uint8_t>(tenth));
        writer.WriteSample(audio, time, block, true, 1'000'000);
    }
    return writer.Finish();
}

inline std::vector<uint8_t> MakeTwoStreamFile(TAsfWriterOptions options = {})
{
    TAsfMemorySink sink;
    WriteTwoStreamFile(sink, options);
    return sink.bytes;
}

} // namespace kivora::asf::test
