// Byte streams: TStream (read, write, seek), TMemoryStream (bytes in memory, also a view
// over a copy of given bytes) and TFileStream (a file opened by its wide path). ReadBuffer
// and WriteBuffer move exactly the asked number of bytes or raise EReadError/EWriteError.
#pragma once
#include "framework/Handles.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    std::int64_t Size();
    std::int64_t Remaining() { return Size() - Position(); }
    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
    void WriteBytes(std::span<const std::uint8_t> bytes) { WriteBuffer(bytes.data(), bytes.size()); }
    // Everything from the current position to the end.
    std::vector<std::uint8_t> ReadToEnd();
    // Copies count bytes (all remaining when count is 0) from source.
    void CopyFrom(TStream& source, std::int64_t count = 0);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : FBytes(std::move(bytes)) {}
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    const std::vector<std::uint8_t>& Bytes() const { return FBytes; }
    void Clear() { FBytes.clear(); FPosition = 0; }

private:
    std::vector<std::uint8_t> FBytes;
    size_t FPosition = 0;
};

enum TFileMode { fmOpenRead, fmCreate, fmOpenReadWrite };

class TFileStream : public TStream {
public:
    // fmCreate makes a new file (replacing one); failures raise EFCreateError/EFOpenError
    // naming the file.
    TFileStream(const std::wstring& fileName, TFileMode mode);
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    const std::wstring& FileName() const { return FFileName; }

private:
    std::wstring FFileName;
    TKernelHandle FHandle;
};

// Writes a file so that it is either fully written or not touched: `write` fills a
// temporary file in the same folder, which then replaces fileName. Any failure removes
// the temporary file and raises EFCreateError naming fileName.
void SaveFileReplacing(const std::wstring& fileName, const std::function<void(TStream&)>& write);
