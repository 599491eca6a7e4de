// Little-endian reading and writing of ASF fields.
//
// TAsfByteReader never reads outside its span: a read that does not fit fails, leaves the
// reader failed, and every later read fails too, so a parser may check once at the end.
#pragma once

#include "AsfGuid.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kivora::asf {

class TAsfByteReader {
public:
    explicit TAsfByteReader(std::span<const uint8_t> bytes) : FBytes(bytes) {}

    bool U8(uint8_t& value) { return Little(value); }
    bool U16(uint16_t& value) { return Little(value); }
    bool U32(uint32_t& value) { return Little(value); }
    bool U64(uint64_t& value) { return Little(value); }
    bool Guid(TAsfGuid& value)
    {
        std::span<const uint8_t> raw;
        if (!Bytes(16, raw))
            return false;
        for (size_t i = 0; i < 16; ++i)
            value.bytes[i] = raw[i];
        return true;
    }
    // The next count bytes, without copying.
    bool Bytes(uint64_t count, std::span<const uint8_t>& out)
    {
        if (!Fits(count))
            return false;
        out = FBytes.subspan(FPosition, static_cast<size_t>(count));
        FPosition += static_cast<size_t>(count);
        return true;
    }
    bool Skip(uint64_t count)
    {
        std::span<const uint8_t> ignored;
        return Bytes(count, ignored);
    }

    bool Ok() const { return FOk; }
    size_t Position() const { return FPosition; }
    size_t Remaining() const { return FBytes.size() - FPosition; }

private:
    bool Fits(uint64_t count)
    {
        if (!FOk || count > Remaining())
            FOk = false;
        return FOk;
    }
    template <typename T> bool Little(T& value)
    {
        if (!Fits(sizeof(T)))
            return false;
        T result = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            result |= static_cast<T>(static_cast<T>(FBytes[FPosition + i]) << (8 * i));
        FPosition += sizeof(T);
        value = result;
        return true;
    }

    std::span<const uint8_t> FBytes;
    size_t FPosition = 0;
    bool FOk = true;
};

// Appends little-endian fields to a byte vector; Patch* rewrite a field already written.
class TAsfByteWriter {
public:
    explicit TAsfByteWriter(std::vector<uint8_t>& out) : FOut(out) {}

    void U8(uint8_t value) { FOut.push_back(value); }
    void U16(uint16_t value) { Little(value); }
    void U32(uint32_t value) { Little(value); }
    void U64(uint64_t value) { Little(value); }
    void Guid(const TAsfGuid& value) { FOut.insert(FOut.end(), value.bytes.begin(), value.bytes.end()); }
    void Bytes(std::span<const uint8_t> bytes) { FOut.insert(FOut.end(), bytes.begin(), bytes.end()); }
    void Zeros(size_t count) { FOut.insert(FOut.end(), count, 0); }
    size_t Position() const { return FOut.size(); }

    void PatchU16(size_t at, uint16_t value) { PatchLittle(at, value); }
    void PatchU32(size_t at, uint32_t value) { PatchLittle(at, value); }
    void PatchU64(size_t at, uint64_t value) { PatchLittle(at, value); }

    // Starts an object (GUID and a size to be filled in); EndObject sets its size.
    size_t BeginObject(const TAsfGuid& id)
    {
        size_t start = Position();
        Guid(id);
        U64(0);
        return start;
    }
    void EndObject(size_t start) { PatchU64(start + 16, Position() - start); }

private:
    template <typename T> void Little(T value)
    {
        for (size_t i = 0; i < sizeof(T); ++i)
            FOut.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
    template <typename T> void PatchLittle(size_t at, T value)
    {
        for (size_t i = 0; i < sizeof(T); ++i)
            FOut[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }

    std::vector<uint8_t>& FOut;
};

} // namespace kivora::asf
