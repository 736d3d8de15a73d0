// packer <assets folder> -o <package> [-code <folder>]: the game's assets into its package, and
// the code table the game links with ("CodeTable.h" and "CodeTable.cpp" in the folder). Bad input gets one line naming the file, line and
// column, exit status 1, and nothing written.
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <utility>

#include "AssetFolder.h"
#include "CodeNames.h"
#include "PackageWriter.h"
#include "Platform/AtomicFile.h"

namespace {

bool WriteText(const std::string& path, const std::string& text) {
    std::string error;
    std::unique_ptr<AtomicFile> file = AtomicFile::Begin(path, error);
    if (!file) return false;
    file->Write(text);
    return file->Commit(error);
}

} // namespace

int main(int argc, char** argv) {
    const bool code = argc == 6 && std::strcmp(argv[4], "-code") == 0;
    if ((argc != 4 && !code) || std::strcmp(argv[2], "-o") != 0) {
        std::fprintf(stderr, "usage: packer <assets folder> -o <package> [-code <folder>]\n");
        return 2;
    }
    try {
        const AssetFolder assets(argv[1]);
        const GamePackage& package = assets.Package();
        if (!WritePackageFile(package, argv[3])) {
            std::fprintf(stderr, "packer: %s: cannot be written\n", argv[3]);
            return 1;
        }
        if (code) {
            const std::string folder = argv[5];
            for (const auto& [file, text] : {std::pair{folder + "/CodeTable.h", CodeTableHeader(package)},
                                             std::pair{folder + "/CodeTable.cpp", CodeTableSource(package)}})
                if (!WriteText(file, text)) {
                    std::fprintf(stderr, "packer: %s: cannot be written\n", file.c_str());
                    return 1;
                }
        }
        std::printf("packer: %s: %zu sprites on %zu texture pages, %.0f%% covered; %zu objects, %zu code entries\n",
                    argv[3], package.sprites.size(), package.textures.size(), 100 * assets.PageOccupancy(),
                    package.objects.size(), package.code.size());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
