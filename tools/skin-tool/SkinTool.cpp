#include "SkinTool.h"

#include "skin/core/AsciiText.h"
#include "skin/core/BmpHeader.h"
#include "JsonWriter.h"
#include "skin/core/Lzh.h"
#include "skin/core/QuickIni.h"
#include "skin/core/SkinArchiveWriter.h"
#include "SkinElementsJson.h"
#include "SkinFileIo.h"
#include "skin/core/SkinParser.h"
#include "skin/core/SkinPictureInfo.h"
#include "skin/core/SkinReader.h"

#include <algorithm>
#include <exception>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "usage: kivora-skin <command> ...\n"
    "  pack <folder> <out>      pack every file of the folder into a skin file\n"
    "  unpack <skin> <folder>   write every member of a skin file into the folder\n"
    "  list <skin>              member names and sizes, in archive order\n"
    "  info <skin>              what the skin holds, as JSON\n";

// Why a skin file did not load, in words an author can act on.
[[noreturn]] void RaiseNotASkin(const std::string& file, const std::vector<std::uint8_t>& bytes, bool otherVersion)
{
    const std::string name = "'" + file + "'";
    if (otherVersion)
        throw ESkinTool(name + " holds a skin archive of another version (this tool reads version 20000)");
    if (bytes.size() < 4)
        throw ESkinTool(name + " is not a skin file: it is shorter than the 4-byte length header");
    const std::uint32_t declared = LzhDeclaredLength(bytes.data(), bytes.size());
    if (declared > kLzhMaxUnpackedLength)
        throw ESkinTool(name + " is not a skin file: it declares " + std::to_string(declared) +
                        " unpacked bytes, more than the 64 MiB a skin may hold");
    if (declared / kLzhMaxBytesPerInputByte > bytes.size())
        throw ESkinTool(name + " is not a skin file or is truncated: it declares " + std::to_string(declared) +
                        " unpacked bytes, more than its " + std::to_string(bytes.size()) + " bytes can hold");
    throw ESkinTool(name + " is not a skin file or is damaged: its member table does not fit the unpacked data");
}

// No skin file is larger than this: even incompressible members grow by only a few percent
// when packed, and a skin unpacks to at most 64 MiB.
constexpr std::uintmax_t kMaxSkinFileSize = 2ull * kLzhMaxUnpackedLength;

TSkinReader LoadSkinFile(const std::string& file)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(PathFromUtf8(file), ec);
    if (!ec && size > kMaxSkinFileSize)
        throw ESkinTool("'" + file + "' is not a skin file: at " + std::to_string(size) +
                        " bytes it is larger than any skin (128 MiB)");
    const std::vector<std::uint8_t> bytes = ReadWholeFile(PathFromUtf8(file));
    TSkinReader reader;
    bool otherVersion = false;
    reader.OnMessage = [&](const std::string&) { otherVersion = true; };
    if (!reader.Load(bytes))
        RaiseNotASkin(file, bytes, otherVersion);
    reader.OnMessage = nullptr;
    return reader;
}

bool IsIniName(const std::string& name)
{
    const std::string lower = AsciiLowerCase(name);
    return lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".ini") == 0;
}

int Pack(const std::string& folderArg, const std::string& outArg, std::ostream& out, std::ostream& err)
{
    const fs::path folder = PathFromUtf8(folderArg);
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        throw ESkinTool("'" + folderArg + "' is not a folder");

    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file())
            names.push_back(PathToUtf8(entry.path().filename()));
        else
            err << "kivora-skin: skipped '" << PathToUtf8(entry.path().filename()) << "': not a file\n";
    }
    if (names.empty())
        throw ESkinTool("'" + folderArg + "' holds no files to pack");
    if (names.size() > static_cast<std::size_t>(kSkinMaxMembers))
        throw ESkinTool("'" + folderArg + "' holds " + std::to_string(names.size()) +
                        " files; a skin holds at most 1001 members");
    // The INI text first, then the rest by name without regard to case: the same folder
    // always packs the same way.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        if (IsIniName(a) != IsIniName(b))
            return IsIniName(a);
        return AsciiLowerCase(a) < AsciiLowerCase(b);
    });

    // Sizes first, so a folder too large for a skin is refused before anything is read.
    std::uintmax_t total = 0;
    for (const std::string& name : names)
        total += fs::file_size(folder / PathFromUtf8(name));
    if (total > kLzhMaxUnpackedLength)
        throw ESkinTool("the files of '" + folderArg + "' hold " + std::to_string(total) +
                        " bytes, more than the 64 MiB a skin may hold");

    std::set<std::string> seen;
    std::vector<TSkinMember> members;
    for (const std::string& name : names) {
        // The reader matches names without regard to case, so such a pair could not both be found.
        if (!seen.insert(AsciiLowerCase(name)).second)
            throw ESkinTool("'" + name + "' differs from another file only in letter case");
        members.push_back({name, ReadWholeFile(folder / PathFromUtf8(name))});
    }
    std::vector<std::uint8_t> packed;
    try {
        packed = PackSkin(members);
    } catch (const std::invalid_argument& e) {
        throw ESkinTool(e.what());
    }
    WriteWholeFile(PathFromUtf8(outArg), packed);
    out << "packed " << members.size() << " members into '" << outArg << "' (" << packed.size() << " bytes)\n";
    return steOk;
}

// A member name that is safe as a file name inside the target folder.
bool IsPlainFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 32;
    });
}

int Unpack(const std::string& skinArg, const std::string& folderArg, std::ostream& out, std::ostream& err)
{
    const TSkinReader reader = LoadSkinFile(skinArg);
    const fs::path folder = PathFromUtf8(folderArg);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec))
        throw ESkinTool("cannot create the folder '" + folderArg + "'");

    int written = 0;
    bool skipped = false;
    std::set<std::string> seen;
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < reader.MemberCount(); ++i) {
        const std::string& name = reader.Names()[static_cast<std::size_t>(i)];
        if (!IsPlainFileName(name)) {
            err << "kivora-skin: skipped member " << i << " '" << name << "': not a plain file name\n";
            skipped = true;
            continue;
        }
        if (!seen.insert(name).second) {
            err << "kivora-skin: skipped member " << i << " '" << name
                << "': an earlier member has the same name (only that one is ever read)\n";
            skipped = true;
            continue;
        }
        reader.CopyMember(static_cast<std::size_t>(i), bytes);
        WriteWholeFile(folder / PathFromUtf8(name), bytes);
        ++written;
    }
    out << "unpacked " << written << " members into '" << folderArg << "'\n";
    return skipped ? steFailed : steOk;
}

int List(const std::string& skinArg, std::ostream& out)
{
    const TSkinReader reader = LoadSkinFile(skinArg);
    for (int i = 0; i < reader.MemberCount(); ++i)
        out << reader.Names()[static_cast<std::size_t>(i)] << '\t' << reader.MemberSize(i) << '\n';
    return steOk;
}

void WriteIni(TJsonWriter& json, const TQuickIni& ini)
{
    std::vector<std::string> sections, keys;
    ini.ReadSections(sections);
    std::set<std::string> seenSections;
    json.BeginArray("sections");
    for (const std::string& section : sections) {
        // Only the first of several equal headers is ever read.
        if (!seenSections.insert(AsciiLowerCase(section)).second)
            continue;
        json.BeginObject();
        json.String("name", section);
        json.BeginObject("keys");
        ini.ReadSectionKeys(section, keys);
        std::set<std::string> seenKeys;
        for (const std::string& key : keys)
            if (seenKeys.insert(key).second)
                json.String(key.c_str(), ini.ReadString(section, key, ""));
        json.EndObject();
        json.EndObject();
    }
    json.EndArray();
}

int Info(const std::string& skinArg, std::ostream& out)
{
    const TSkinReader reader = LoadSkinFile(skinArg);
    TQuickIni ini;
    const std::string iniName = LoadSkinIni(reader, ini);

    TJsonWriter json(out);
    json.BeginObject();
    json.String("file", skinArg);
    json.String("skinName", ini.ReadString("TitlebarSkin", "SkinName", ""));
    json.String("iniMember", iniName);
    json.BeginArray("members");
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < reader.MemberCount(); ++i) {
        json.BeginObject();
        json.String("name", reader.Names()[static_cast<std::size_t>(i)]);
        json.Number("size", reader.MemberSize(i));
        reader.CopyMember(static_cast<std::size_t>(i), bytes);
        TBmpHeader bmp;
        if (ReadBmpHeader(bytes.data(), bytes.size(), bmp)) {
            json.Number("width", bmp.Width);
            json.Number("height", bmp.Height);
            json.Number("bitsPerPixel", bmp.BitsPerPixel);
        }
        json.EndObject();
    }
    json.EndArray();
    WriteIni(json, ini);
    TSkinInfoElements elements;
    ParseSkinInfo(reader, ini, elements);
    WriteSkinElements(json, elements);
    json.EndObject();
    return steOk;
}

}  // namespace

int RunSkinTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    struct TCommand {
        const char* Name;
        std::size_t Arguments;
    };
    static const TCommand commands[] = {{"pack", 2}, {"unpack", 2}, {"list", 1}, {"info", 1}};
    const auto command = args.empty() ? std::end(commands)
                                      : std::find_if(std::begin(commands), std::end(commands),
                                                     [&](const TCommand& c) { return args[0] == c.Name; });
    if (command == std::end(commands) || args.size() != command->Arguments + 1) {
        err << kUsage;
        return steUsage;
    }
    try {
        const std::string name = command->Name;
        if (name == "pack")
            return Pack(args[1], args[2], out, err);
        if (name == "unpack")
            return Unpack(args[1], args[2], out, err);
        if (name == "list")
            return List(args[1], out);
        return Info(args[1], out);
    } catch (const ESkinTool& e) {
        err << "kivora-skin: " << e.what() << '\n';
    } catch (const fs::filesystem_error& e) {
        err << "kivora-skin: " << e.what() << '\n';
    } catch (const std::bad_alloc&) {
        err << "kivora-skin: out of memory\n";
    } catch (const std::exception& e) {
        err << "kivora-skin: " << e.what() << '\n';
    }
    return steFailed;
}
