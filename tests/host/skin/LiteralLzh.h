// A second LZH decoder, written straight from the format description with none of the fast
// decoder's shortcuts: 16-bit bit buffer, one reader call per input byte, one writer call
// per output byte, one bit at a time. Tests use it as an independent oracle; the benchmark
// uses it as the baseline.
#pragma once

#include <cstdint>
#include <functional>

using TLiteralByteReader = std::function<int(std::uint8_t* buffer, int count)>;
using TLiteralByteWriter = std::function<int(const std::uint8_t* buffer, int count)>;

void LiteralLzhDecode(std::uint32_t length, const TLiteralByteWriter& writer, const TLiteralByteReader& reader);
