// Running Debian's ffmpeg/ffprobe from a host test.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace kivora::asf::test {

// Standard output of a shell command.
inline std::string RunCommand(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, got);
        pclose(pipe);
    }
    return output;
}

// A folder of its own for one test run, removed at the end.
struct TTempFolder {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("kivora-asf-" + std::to_string(getpid()));
    TTempFolder() { std::filesystem::create_directories(path); }
    ~TTempFolder() { std::filesystem::remove_all(path); }
};

} // namespace kivora::asf::test
