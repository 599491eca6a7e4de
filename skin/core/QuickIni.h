// TQuickIni: read-only lookups in the skin's INI text, held in memory.
//
// Lines are trimmed; empty lines and whole-line ";" comments are dropped. A section is the
// lines after its header up to the next header; only the first of several equal headers
// counts, and within a section only the first line with a key counts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TQuickIni {
public:
    // Replaces the text; a null text (no stream) changes nothing.
    void Load(const std::uint8_t* text, std::size_t size);
    void Load(const std::vector<std::uint8_t>& text) { Load(text.data(), text.size()); }

    // Section names in text order, without brackets and trimmed; duplicates kept.
    void ReadSections(std::vector<std::string>& list) const;

    // Keys (lower case) of a section in text order; the skin tool shows them.
    void ReadSectionKeys(const std::string& section, std::vector<std::string>& keys) const;

    // The value of key in section; defaultValue when the section or key is missing or the
    // value is empty. Section and key compare without regard to case.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;

    // The value as a 32-bit integer: decimal with optional sign, or hexadecimal written
    // "$1F" or "0x1F"; defaultValue for anything else.
    std::int32_t ReadInteger(const std::string& section, const std::string& key,
                             std::int32_t defaultValue) const;

private:
    struct TSection {
        std::string Header;  // the header line with its brackets, e.g. "[Buttons]"
        std::size_t LineIndex;
    };

    // Index in FLines of the first header of section, or -1.
    std::ptrdiff_t FindSection(const std::string& section) const;

    std::vector<std::string> FLines;
    std::vector<TSection> FSections;
};

// The string-to-integer conversion of INI values (see ReadInteger): false when text is
// not a number that fits 32 bits.
bool ParseIniInteger(const std::string& text, std::int32_t& value);
