#include "skin/core/QuickIni.h"

#include "skin/core/AsciiText.h"

#include <string_view>

namespace {

bool IsSectionHeader(std::string_view line)
{
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// The key of a line: the text before its first "=", trimmed and lower case; lines
// without "=" have the empty key.
std::string KeyOf(std::string_view line)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return {};
    return AsciiLowerCase(TrimControls(line.substr(0, eq)));
}

std::string_view ValueOf(std::string_view line)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return {};
    return TrimControls(line.substr(eq + 1));
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

void TQuickIni::Load(const std::uint8_t* text, std::size_t size)
{
    if (text == nullptr)  // no stream: keep what was loaded before
        return;
    FLines.clear();
    FSections.clear();
    ForEachTextLine(std::string_view(reinterpret_cast<const char*>(text), size), [&](std::string_view raw) {
        const std::string_view line = TrimControls(raw);
        if (line.empty() || line.front() == ';')
            return;
        if (IsSectionHeader(line))
            FSections.push_back({std::string(line), FLines.size()});
        FLines.emplace_back(line);
    });
}

void TQuickIni::ReadSections(std::vector<std::string>& list) const
{
    list.clear();
    for (const TSection& s : FSections) {
        const std::string_view h = s.Header;
        list.emplace_back(TrimControls(h.substr(1, h.size() - 2)));
    }
}

std::ptrdiff_t TQuickIni::FindSection(const std::string& section) const
{
    const std::string header = "[" + section + "]";
    for (const TSection& s : FSections)
        if (AsciiEqualNoCase(s.Header, header))
            return static_cast<std::ptrdiff_t>(s.LineIndex);
    return -1;
}

void TQuickIni::ReadSectionKeys(const std::string& section, std::vector<std::string>& keys) const
{
    keys.clear();
    const std::ptrdiff_t header = FindSection(section);
    if (header < 0)
        return;
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < FLines.size() && !IsSectionHeader(FLines[i]); ++i) {
        std::string key = KeyOf(FLines[i]);
        if (!key.empty())
            keys.push_back(std::move(key));
    }
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const
{
    const std::ptrdiff_t header = FindSection(section);
    if (header < 0)
        return defaultValue;
    const std::string wanted = AsciiLowerCase(key);
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < FLines.size() && !IsSectionHeader(FLines[i]); ++i) {
        if (KeyOf(FLines[i]) == wanted) {
            const std::string_view value = ValueOf(FLines[i]);
            return value.empty() ? defaultValue : std::string(value);
        }
    }
    return defaultValue;
}

bool ParseIniInteger(const std::string& text, std::int32_t& value)
{
    std::string_view s = text;
    // "0x1F" is read as "$1F"; "0x" alone stays as it is (and is not a number).
    std::string hexForm;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        hexForm.assign(1, '$');
        hexForm.append(s.substr(2));
        s = hexForm;
    }
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return false;

    if (s.front() == '$') {
        // Hexadecimal fills all 32 bits: "$FFFFFFFF" is -1.
        s.remove_prefix(1);
        if (s.empty())
            return false;
        std::uint64_t v = 0;
        for (char c : s) {
            const int d = HexDigit(c);
            if (d < 0)
                return false;
            v = v * 16 + static_cast<unsigned>(d);
            if (v > 0xFFFFFFFFu)
                return false;
        }
        std::uint32_t bits = static_cast<std::uint32_t>(v);
        if (negative)
            bits = 0u - bits;
        value = static_cast<std::int32_t>(bits);
        return true;
    }

    std::int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > 0x80000000LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > 0x7FFFFFFF || v < -0x7FFFFFFFLL - 1)
        return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

std::int32_t TQuickIni::ReadInteger(const std::string& section, const std::string& key,
                                    std::int32_t defaultValue) const
{
    std::int32_t value = 0;
    return ParseIniInteger(ReadString(section, key, std::string()), value) ? value : defaultValue;
}
