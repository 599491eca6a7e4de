// Arbitrary INI text: loading and every kind of lookup stay in bounds.
#include "skin/core/QuickIni.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TQuickIni ini;
    ini.Load(data, size);
    std::vector<std::string> sections, keys;
    ini.ReadSections(sections);
    for (const std::string& section : sections) {
        ini.ReadSectionKeys(section, keys);
        for (const std::string& key : keys) {
            ini.ReadString(section, key, "");
            ini.ReadInteger(section, key, 0);
        }
    }
    return 0;
}
