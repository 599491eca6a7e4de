#include "WriterFileSink.h"

#include <algorithm>

namespace kivora::asfwriter {

TWriterFileSink::TWriterFileSink(const std::wstring& path, std::optional<uint64_t> capacity)
    : FCapacity(capacity)
{
    // Others may open the file while it is written (to look at a recording in progress).
    FFile = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
}

TWriterFileSink::~TWriterFileSink()
{
    Close();
}

void TWriterFileSink::Close()
{
    if (FFile != INVALID_HANDLE_VALUE)
        CloseHandle(FFile);
    FFile = INVALID_HANDLE_VALUE;
}

bool TWriterFileSink::Fail(DWORD error)
{
    if (SUCCEEDED(FFailure))
        FFailure = HRESULT_FROM_WIN32(error);
    SetLastError(error);
    return false;
}

// One WriteFile at the offset; false when it fails or writes fewer bytes than asked.
bool TWriterFileSink::Write(uint64_t offset, std::span<const uint8_t> bytes)
{
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD written = 0;
    if (!WriteFile(FFile, bytes.data(), static_cast<DWORD>(bytes.size()), &written, &at))
        return Fail(GetLastError());
    // A short write to a file means the volume ran out of space.
    return written == bytes.size() || Fail(ERROR_DISK_FULL);
}

bool TWriterFileSink::Append(std::span<const uint8_t> bytes)
{
    if (!Ok())
        return Fail(ERROR_INVALID_HANDLE);
    // Sample data and packets are far below 4 GB; a larger append is refused rather than
    // cut by the DWORD length WriteFile takes.
    if (bytes.size() > MAXDWORD)
        return Fail(ERROR_INVALID_PARAMETER);
    if (FCapacity && bytes.size() > *FCapacity - std::min(FSize, *FCapacity))
        return Fail(ERROR_DISK_FULL);
    if (!Write(FSize, bytes)) {
        // Whatever part of the bytes reached the disk is cut off again: the file ends at
        // the last complete append, which the writer's header can describe.
        const DWORD error = GetLastError();
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(FSize);
        if (SetFilePointerEx(FFile, end, nullptr, FILE_BEGIN))
            SetEndOfFile(FFile);
        SetLastError(error);
        return false;
    }
    FSize += bytes.size();
    return true;
}

bool TWriterFileSink::WriteAt(uint64_t offset, std::span<const uint8_t> bytes)
{
    if (!Ok())
        return Fail(ERROR_INVALID_HANDLE);
    if (offset > FSize || bytes.size() > FSize - offset)
        return Fail(ERROR_INVALID_PARAMETER);
    return Write(offset, bytes);
}

} // namespace kivora::asfwriter
