#include "TestSink.h"

#include <uuids.h>

using Microsoft::WRL::ComPtr;

namespace kivora::test {

// {0F6E4C57-6C1B-4E0B-9E61-3C1D2A3B4C5D}: only for GetClassID.
static const CLSID CLSID_TestSink = {0x0f6e4c57, 0x6c1b, 0x4e0b, {0x9e, 0x61, 0x3c, 0x1d, 0x2a, 0x3b, 0x4c, 0x5d}};

class TTestSink::TSinkPin : public dshow::TInputPin {
public:
    explicit TSinkPin(TTestSink& sink) : TInputPin(sink, L"In"), FSink(sink) {}

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override
    {
        return IsEqualGUID(type.majortype, FSink.FMajorType) ? S_OK : S_FALSE;
    }

protected:
    HRESULT OnReceive(IMediaSample* sample) override
    {
        FSink.Keep(sample);
        return S_OK;
    }

private:
    TTestSink& FSink;
};

TTestSink::TTestSink(const GUID& majorType) : TFilter(CLSID_TestSink, L"Test sink"), FMajorType(majorType)
{
    AddPin(std::make_unique<TSinkPin>(*this));
}

ComPtr<TTestSink> TTestSink::Create(const GUID& majorType)
{
    ComPtr<TTestSink> sink;
    sink.Attach(new TTestSink(majorType));
    return sink;
}

IPin* TTestSink::InputPin()
{
    return PinAt(0);
}

void TTestSink::Keep(IMediaSample* sample)
{
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    const long length = sample->GetActualDataLength();
    REFERENCE_TIME start = -1;
    REFERENCE_TIME end = -1;
    sample->GetTime(&start, &end);
    std::lock_guard lock(FDataLock);
    FReceived.starts.push_back(start);
    FReceived.ends.push_back(end);
    if (!data || length <= 0)
        return;
    FReceived.last.assign(data, data + length);
    if (FReceived.first.empty())
        FReceived.first = FReceived.last;
    if (FReceived.all.size() + length <= AllLimit)
        FReceived.all.insert(FReceived.all.end(), data, data + length);
}

size_t TTestSink::Count()
{
    std::lock_guard lock(FDataLock);
    return FReceived.starts.size();
}

TReceived TTestSink::Received()
{
    std::lock_guard lock(FDataLock);
    return FReceived;
}

dshow::TMediaType TTestSink::ConnectionType()
{
    std::lock_guard lock(FLock);
    return PinAt(0)->ConnectionType();
}

} // namespace kivora::test
