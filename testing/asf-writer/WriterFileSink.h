// The writer filter's file: an ASF sink over a Win32 file handle, so that a failed write
// is seen at the write that failed (no buffering between the writer and WriteFile) and
// with its system error.
//
// An append either lands whole or not at all: when WriteFile fails or writes only part
// of the bytes (a full disk), the file is cut back to its size before that append, so
// the file always ends at the last complete write. Rewriting bytes already in the file
// (WriteAt) needs no new space and is allowed after a failed append.
//
// With a capacity (the disk-full fault switch) an append that would make the file
// larger than the capacity writes nothing and fails with ERROR_DISK_FULL.
#pragma once

#include "AsfWriter.h"

#include <windows.h>

#include <optional>
#include <string>

namespace kivora::asfwriter {

class TWriterFileSink : public kivora::asf::TAsfSink {
public:
    // Creates (or truncates) the file; Ok() tells whether that worked.
    TWriterFileSink(const std::wstring& path, std::optional<uint64_t> capacity);
    ~TWriterFileSink() override;
    TWriterFileSink(const TWriterFileSink&) = delete;
    TWriterFileSink& operator=(const TWriterFileSink&) = delete;

    bool Ok() const { return FFile != INVALID_HANDLE_VALUE; }
    bool Append(std::span<const uint8_t> bytes) override;
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) override;
    void Close();
    // The system error of the first failed write (ERROR_SUCCESS while none failed), as
    // an HRESULT.
    HRESULT Failure() const { return FFailure; }

private:
    bool Write(uint64_t offset, std::span<const uint8_t> bytes);
    bool Fail(DWORD error);

    HANDLE FFile = INVALID_HANDLE_VALUE;
    std::optional<uint64_t> FCapacity;
    uint64_t FSize = 0;
    HRESULT FFailure = S_OK;
};

} // namespace kivora::asfwriter
