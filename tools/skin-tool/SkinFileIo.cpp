#include "SkinFileIo.h"

#include <fstream>
#include <iterator>

std::filesystem::path PathFromUtf8(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string PathToUtf8(const std::filesystem::path& path)
{
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw ESkinTool("cannot read '" + PathToUtf8(path) + "': no such file");
    std::ifstream f(path, std::ios::binary);
    if (!f)
        throw ESkinTool("cannot open '" + PathToUtf8(path) + "'");
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    if (f.bad())
        throw ESkinTool("cannot read '" + PathToUtf8(path) + "'");
    return bytes;
}

void WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f)
        throw ESkinTool("cannot write '" + PathToUtf8(path) + "'");
}
