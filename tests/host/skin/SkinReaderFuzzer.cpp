// Arbitrary skin archives: the reader rejects or indexes them, every lookup stays in
// bounds, and parsing the element records of whatever loads (INI text, BMP headers) does too. The first byte chooses between a packed stream as given and an unpacked archive
// that the fuzzer packs first (which reaches the archive checks far more often). Packing
// codes plain literals: cheaper than match finding, and the reader sees the same bytes.
#include "skin/core/LzhEncoder.h"
#include "skin/core/SkinPictureInfo.h"
#include "skin/core/SkinReader.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    TSkinReader reader;
    reader.OnMessage = [](const std::string&) {};
    const bool packAsArchive = data[0] & 1;
    bool loaded = false;
    if (packAsArchive) {
        TLzhEncoder encoder;
        for (std::size_t i = 1; i < size; ++i)
            encoder.PutLiteral(data[i]);
        loaded = reader.Load(encoder.Finish(static_cast<std::uint32_t>(size - 1)));
    } else {
        loaded = reader.Load(data + 1, size - 1);
    }
    if (!loaded)
        return 0;

    std::vector<std::uint8_t> member;
    std::string found;
    for (int i = 0; i < reader.MemberCount(); ++i) {
        reader.CopyMember(static_cast<std::size_t>(i), member);
        reader.ExtractMember(reader.Names()[static_cast<std::size_t>(i)], member);
    }
    reader.FindMember(".ini", member, found);
    reader.FindMember("", member, found);
    TSkinInfoElements elements;
    ParseSkinInfo(reader, elements);
    return 0;
}
