#include "SampleInterleaver.h"

#include <algorithm>

namespace kivora::asfwriter {

std::deque<TQueuedSample>* TSampleInterleaver::Earliest()
{
    std::deque<TQueuedSample>* earliest = nullptr;
    for (auto& [stream, queue] : FQueues)
        if (!queue.empty() && (!earliest || queue.front().time < earliest->front().time))
            earliest = &queue;
    return earliest;
}

void TSampleInterleaver::WriteFront(std::deque<TQueuedSample>& queue)
{
    FWrite(queue.front());
    queue.pop_front();
}

void TSampleInterleaver::Push(TQueuedSample sample)
{
    FLatest = std::max(FLatest, sample.time);
    FQueues[sample.stream].push_back(std::move(sample));
    while (std::deque<TQueuedSample>* earliest = Earliest()) {
        const bool allQueued = std::all_of(FQueues.begin(), FQueues.end(),
                                           [](const auto& entry) { return !entry.second.empty(); });
        if (!allQueued && FLatest - earliest->front().time <= MaxWait)
            return;
        WriteFront(*earliest);
    }
}

void TSampleInterleaver::Flush()
{
    while (std::deque<TQueuedSample>* earliest = Earliest())
        WriteFront(*earliest);
}

} // namespace kivora::asfwriter
