// File and path helpers of the skin tool: whole-file reads and writes with errors that
// name the file, and UTF-8 paths on every platform.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

class ESkinTool : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::filesystem::path PathFromUtf8(const std::string& text);
std::string PathToUtf8(const std::filesystem::path& path);

// Raise ESkinTool with a message naming the file.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
