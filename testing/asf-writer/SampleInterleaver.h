// Puts the samples of several streams, which arrive on their own threads each in its
// own time order, into one presentation-time order for the ASF writer. A sample waits
// until every other stream has one queued (so nothing earlier can still come), or until
// the queue holds more than a second beyond it (a stream that stopped delivering must
// not hold the others back).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace kivora::asfwriter {

struct TQueuedSample {
    uint16_t stream = 0;
    uint64_t time = 0;          // 100-ns units
    uint64_t duration = 0;
    bool keyFrame = true;
    std::vector<uint8_t> data;
};

class TSampleInterleaver {
public:
    using TWrite = std::function<void(const TQueuedSample&)>;
    static constexpr uint64_t MaxWait = 10'000'000;

    explicit TSampleInterleaver(TWrite write) : FWrite(std::move(write)) {}

    void AddStream(uint16_t stream) { FQueues[stream]; }
    // Queues the sample and writes every sample that is due.
    void Push(TQueuedSample sample);
    // Writes everything queued, in time order.
    void Flush();

private:
    // The stream whose first sample is the earliest, or nullptr when nothing is queued.
    std::deque<TQueuedSample>* Earliest();
    void WriteFront(std::deque<TQueuedSample>& queue);

    TWrite FWrite;
    std::map<uint16_t, std::deque<TQueuedSample>> FQueues;
    uint64_t FLatest = 0;       // latest sample time queued so far
};

} // namespace kivora::asfwriter
