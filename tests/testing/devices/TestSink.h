// A sink filter for tests: one input pin that takes any complete type of one major type
// and keeps what arrives (sample times, the first and the last sample's bytes, and the
// bytes of every sample up to a limit).
#pragma once

#include "Filter.h"
#include "Pin.h"

#include <wrl/client.h>

#include <mutex>
#include <vector>

namespace kivora::test {

struct TReceived {
    std::vector<REFERENCE_TIME> starts;
    std::vector<REFERENCE_TIME> ends;
    std::vector<BYTE> first;
    std::vector<BYTE> last;
    std::vector<BYTE> all;      // concatenated, up to AllLimit bytes
};

class TTestSink : public dshow::TFilter {
public:
    static constexpr size_t AllLimit = 4 << 20;

    // A sink that takes types of majorType; the caller holds the one reference.
    static Microsoft::WRL::ComPtr<TTestSink> Create(const GUID& majorType);

    IPin* InputPin();
    size_t Count();
    TReceived Received();
    dshow::TMediaType ConnectionType();

private:
    class TSinkPin;
    friend class TSinkPin;
    explicit TTestSink(const GUID& majorType);
    void Keep(IMediaSample* sample);

    GUID FMajorType;
    std::mutex FDataLock;
    TReceived FReceived;
};

} // namespace kivora::test
