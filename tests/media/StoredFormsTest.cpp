// The binary "data" property of stored media types and memory blocks, byte for byte.
#include "media/MediaUtil/MediaType.h"
#include "media/MediaUtil/PersistentMemory.h"

#include <uuids.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(StoredMediaType, SampleGrabberTypeIsStoredAs72Bytes)
{
    TMediaType type(MEDIATYPE_Video);
    type.SetSubType(MEDIASUBTYPE_RGB24);
    type.SetFormatType(FORMAT_VideoInfo);
    std::vector<uint8_t> data = type.SaveData();
    ASSERT_EQ(data.size(), 72u);
    EXPECT_EQ(std::memcmp(data.data(), &MEDIATYPE_Video, 16), 0);
    EXPECT_EQ(std::memcmp(data.data() + 16, &MEDIASUBTYPE_RGB24, 16), 0);
    const uint8_t booleansAndSize[] = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(std::memcmp(data.data() + 32, booleansAndSize, sizeof booleansAndSize), 0);
    EXPECT_EQ(std::memcmp(data.data() + 44, &FORMAT_VideoInfo, 16), 0);
    EXPECT_EQ(std::vector<uint8_t>(data.begin() + 60, data.end()), std::vector<uint8_t>(12, 0));
}

TEST(StoredMediaType, RoundTripWithFormatBlockIsEqual)
{
    TMediaType type(MEDIATYPE_Audio);
    type.SetSubType(MEDIASUBTYPE_PCM);
    type.SetFormatType(FORMAT_WaveFormatEx);
    type.MediaRecord.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(4));
    type.MediaRecord.cbFormat = 4;
    std::memcpy(type.MediaRecord.pbFormat, "\x01\x02\x03\x04", 4);

    std::vector<uint8_t> data = type.SaveData();
    ASSERT_EQ(data.size(), 76u);
    TMediaType copy;
    ASSERT_TRUE(copy.LoadData(data));
    EXPECT_TRUE(copy.Equals(type));
    EXPECT_EQ(copy.MediaRecord.pUnk, nullptr);

    // A stated format length past the stored bytes is refused, not read.
    data.pop_back();
    TMediaType truncated;
    EXPECT_FALSE(truncated.LoadData(data));
    EXPECT_EQ(truncated.FormatLength(), 0u);
}

TEST(StoredMediaType, EqualsIgnoresSampleFieldsButNotFormatBytes)
{
    TMediaType a(MEDIATYPE_Video), b(MEDIATYPE_Video);
    b.MediaRecord.lSampleSize = 99;
    b.MediaRecord.bTemporalCompression = TRUE;
    EXPECT_TRUE(a.Equals(b));
    b.SetSubType(MEDIASUBTYPE_YUY2);
    EXPECT_FALSE(a.Equals(b));
}

TEST(StoredMemory, EmptyBlockIsFourZeroBytesAndNeverEqual)
{
    TPersistentMemory empty;
    EXPECT_EQ(empty.SaveData(), std::vector<uint8_t>(4, 0));
    TPersistentMemory read;
    read.LoadData(std::vector<uint8_t>(4, 0));
    EXPECT_EQ(read.DataLength(), 0u);
    EXPECT_EQ(read.Data(), nullptr);
    EXPECT_FALSE(empty.Equals(read));  // two empty objects are not equal: empty is always stored
}

TEST(StoredMemory, RoundTripAndShortStream)
{
    TPersistentMemory block;
    block.SetDataLength(3);
    std::memcpy(block.Data(), "abc", 3);
    TPersistentMemory copy;
    copy.LoadData(block.SaveData());
    EXPECT_TRUE(copy.Equals(block));

    // A count larger than what follows keeps the block's length, the missing tail zero.
    const std::vector<uint8_t> shortStream = {5, 0, 0, 0, 'x', 'y'};
    copy.LoadData(shortStream);
    ASSERT_EQ(copy.DataLength(), 5u);
    EXPECT_EQ(std::memcmp(copy.Data(), "xy\0\0\0", 5), 0);

    // A wildly damaged count does not ask for gigabytes.
    copy.LoadData(std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 1});
    EXPECT_LE(copy.DataLength(), 64u << 20);
}

TEST(StoredMemory, EmptyMonikerClearsTheBlock)
{
    TBaseFilter filter;
    filter.SetDataLength(10);
    filter.SetMoniker(nullptr);
    EXPECT_EQ(filter.DataLength(), 0u);
    EXPECT_EQ(filter.Moniker(), nullptr);
    EXPECT_EQ(filter.CreateFilter(), nullptr);
}
