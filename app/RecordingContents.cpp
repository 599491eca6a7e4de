#include "app/RecordingContents.h"

#include "framework/Handles.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The ASF header object and its file properties object, as their GUIDs lie on disk.
constexpr GUID kHeaderObject{0x75B22630, 0x668E, 0x11CF, {0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C}};
constexpr GUID kFilePropertiesObject{0x8CABDCA1, 0xA947, 0x11CF, {0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65}};
constexpr size_t kHeaderObjectSize = 30;       // GUID, size, object count, two reserved bytes
constexpr size_t kObjectHeaderSize = 24;       // GUID, size
constexpr size_t kPacketCountOffset = 56;      // in the file properties: after file id, size and date
constexpr size_t kMostHeaderBytes = 1 << 20;   // a recording's header is a few kilobytes

template <class T> T ReadAt(const std::vector<std::uint8_t>& bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

} // namespace

TRecordingContents ReadRecordingContents(const std::wstring& fileName)
{
    TKernelHandle file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return rcUnknown;
    std::vector<std::uint8_t> bytes(kMostHeaderBytes);
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return rcUnknown;
    bytes.resize(read);
    if (bytes.size() < kHeaderObjectSize || ReadAt<GUID>(bytes, 0) != kHeaderObject)
        return rcUnknown;
    const std::uint64_t headerSize = ReadAt<std::uint64_t>(bytes, 16);
    const size_t end = static_cast<size_t>(std::min<std::uint64_t>(headerSize, bytes.size()));
    // Every object is bounded by the header before a field of it is read.
    for (size_t at = kHeaderObjectSize; at + kObjectHeaderSize <= end;) {
        const std::uint64_t size = ReadAt<std::uint64_t>(bytes, at + 16);
        if (size < kObjectHeaderSize || size > end - at)
            return rcUnknown;
        if (ReadAt<GUID>(bytes, at) == kFilePropertiesObject) {
            if (size < kPacketCountOffset + sizeof(std::uint64_t))
                return rcUnknown;
            return ReadAt<std::uint64_t>(bytes, at + kPacketCountOffset) == 0 ? rcNoData : rcHasData;
        }
        at += static_cast<size_t>(size);
    }
    return rcUnknown;
}
