// packer <assets folder> -o <package> [-code <folder> -game <game sources>] [-cache <folder>]
// packer <assets folder> -icons <sprite> <icon folder> <file name> <code folder>
//
// The game's assets into its package, and the streamed sounds' Ogg files beside it. With
// -cache, sound encodings are kept in the folder and reused while their source is unchanged. With -code and -game, also what the game links with, in
// the folder: the code table ("CodeTable.h", "CodeTable.cpp"), the names the game's sources use
// ("GameNames.h", "GameNames.cpp"), and the instance creation code of the rooms
// ("RoomCode.cpp"); the package then has a script record for each script the sources define.
// With -icons, the game's icons drawn from the sprite's first frame instead (see DesktopIcons.h).
// Bad input gets one line naming the file, line and column, exit status 1, and nothing written.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "AssetFolder.h"
#include "CodeNames.h"
#include "DesktopIcons.h"
#include "GameSourceNames.h"
#include "PackageWriter.h"
#include "SpriteSource.h"
#include "Platform/AtomicFile.h"

namespace {

struct PackerOptions {
    std::string assets, package, code, game, cache;
};

std::optional<PackerOptions> ParseOptions(int argc, char** argv) {
    PackerOptions options;
    if (argc < 4 || std::string(argv[2]) != "-o") return std::nullopt;
    options.assets = argv[1];
    options.package = argv[3];
    for (int i = 4; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "-code") options.code = argv[i + 1];
        else if (option == "-game") options.game = argv[i + 1];
        else if (option == "-cache") options.cache = argv[i + 1];
        else return std::nullopt;
    }
    if (argc % 2 != 0 || options.game.empty() != options.code.empty()) return std::nullopt;
    return options;
}

// Leaves a file that already holds `text` alone, so that what is built from it is not rebuilt.
bool WriteText(const std::string& path, const std::string& text) {
    std::ifstream old(path, std::ios::binary);
    if (old && std::string(std::istreambuf_iterator<char>(old), {}) == text) return true;
    std::string error;
    std::unique_ptr<AtomicFile> file = AtomicFile::Begin(path, error);
    if (!file) return false;
    file->Write(text);
    return file->Commit(error);
}

// The files of `files`, each in a folder made for it; false, with the line said, when one fails.
bool WriteFiles(const std::vector<std::pair<std::string, std::string>>& files) {
    for (const auto& [path, text] : files) {
        std::error_code ignored; // a folder that cannot be made fails the write, which says so
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
        if (!WriteText(path, text)) {
            std::fprintf(stderr, "packer: %s: cannot be written\n", path.c_str());
            return false;
        }
    }
    return true;
}

int WriteIcons(const std::filesystem::path& assets, const std::string& sprite, const std::string& folder,
               const std::string& file_name, const std::string& code) {
    Palette palette;
    palette.AddDocument(AssetDocument::Load((assets / "palette.txt").string()));
    const SpriteSource source =
        ReadSprite(AssetDocument::Load((assets / "sprites" / (sprite + ".sprite")).string()), sprite, palette);
    const std::map<std::string, std::string> files = DesktopIconFiles(source.frames.at(0), folder, file_name, code);
    return WriteFiles({files.begin(), files.end()}) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 7 && std::string(argv[2]) == "-icons") {
        try {
            return WriteIcons(argv[1], argv[3], argv[4], argv[5], argv[6]);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    const std::optional<PackerOptions> options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: packer <assets folder> -o <package> [-code <folder> -game <game sources>] [-cache <folder>]\n"
                             "       packer <assets folder> -icons <sprite> <icon folder> <file name> <code folder>\n");
        return 2;
    }
    try {
        GameSourceNames names = options->game.empty() ? GameSourceNames{} : ScanGameSources(options->game);
        AssetFolder assets(options->assets, names.scripts, options->cache);
        const uint64_t stamp = assets.Stamp();
        const GamePackage& package = assets.Package();
        // A handler no asset declares never runs: most likely a misspelt event or object.
        std::set<std::string_view> declared;
        for (const PackageCodeEntry& entry : package.code)
            declared.insert(entry.name);
        for (const std::string& handler : names.handlers)
            if (!declared.count(handler))
                std::fprintf(stderr, "packer: warning: %s is in the game's code, but no object or room declares it\n",
                             handler.c_str());
        std::vector<std::pair<std::string, std::string>> files;
        if (!options->code.empty()) {
            names.game_variables.merge(assets.AssignedVariables());
            files.emplace_back(options->code + "/CodeTable.h", CodeTableHeader(package));
            files.emplace_back(options->code + "/CodeTable.cpp", CodeTableSource(package));
            files.emplace_back(options->code + "/GameNames.h", GameNamesHeader(names));
            files.emplace_back(options->code + "/GameNames.cpp", GameNamesSource(names, stamp));
            files.emplace_back(options->code + "/RoomCode.cpp", RoomCodeSource(assets.CreationCodes()));
        }
        const std::filesystem::path beside = std::filesystem::path(options->package).parent_path();
        for (const auto& [name, bytes] : assets.StreamedFiles())
            files.emplace_back((beside / name).string(), std::string(bytes.begin(), bytes.end()));
        if (!WriteFiles(files)) return 1;
        if (!WritePackageFile(package, options->package)) {
            std::fprintf(stderr, "packer: %s: cannot be written\n", options->package.c_str());
            return 1;
        }
        std::printf("packer: %s: %zu sprites on %zu texture pages, %.0f%% covered; %zu tile sets, %zu sounds "
                    "(%zu streamed), %zu objects, %zu rooms, %zu scripts, %zu code entries\n",
                    options->package.c_str(), package.sprites.size(), package.textures.size(),
                    100 * assets.PageOccupancy(), package.backgrounds.size(), package.sounds.size(),
                    assets.StreamedFiles().size(), package.objects.size(), package.rooms.size(),
                    package.scripts.size(), package.code.size());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
