// kivora-skin-gen: draws the pictures of Kivora's own skin and packs them with the skin's
// INI text into the skin file the program carries. Runs at build time on the build machine.
//
//   kivora-skin-gen <kivora.ini> <picture folder> <lacquermenu.bmp> <kivora.skn>
#include "skin/core/SkinArchiveWriter.h"
#include "SkinPictures.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream f(path, std::ios::binary);
    if (!f)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: kivora-skin-gen <kivora.ini> <picture folder> <lacquermenu.bmp> <kivora.skn>\n");
        return 2;
    }
    try {
        const std::filesystem::path ini = argv[1], folder = argv[2], menuGlyphs = argv[3], skin = argv[4];
        std::filesystem::create_directories(folder);

        // The INI text first, then the pictures; the folder keeps the pictures for authors.
        std::vector<TSkinMember> members{{"kivora.ini", ReadFile(ini)}};
        for (const TNamedPicture& p : DrawSkinPictures()) {
            const std::filesystem::path file = folder / p.FileName;
            p.Picture.SaveBmp24(file.string());
            members.push_back({p.FileName, ReadFile(file)});
        }
        DrawWindowMenuGlyphs().SaveBmp1(menuGlyphs.string());

        const std::vector<std::uint8_t> packed = PackSkin(members);
        std::ofstream out(skin, std::ios::binary);
        out.write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
        if (!out)
            throw std::runtime_error("cannot write " + skin.string());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kivora-skin-gen: %s\n", e.what());
        return 1;
    }
}
