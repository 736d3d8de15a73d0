// packer <assets folder> -o <package>: the game's assets into its package. Bad input gets one
// line naming the file, line and column, exit status 1, and no package written.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "AssetFolder.h"
#include "PackageWriter.h"

int main(int argc, char** argv) {
    if (argc != 4 || std::strcmp(argv[2], "-o") != 0) {
        std::fprintf(stderr, "usage: packer <assets folder> -o <package>\n");
        return 2;
    }
    try {
        const AssetFolder assets(argv[1]);
        if (!WritePackageFile(assets.Package(), argv[3])) {
            std::fprintf(stderr, "packer: %s: cannot be written\n", argv[3]);
            return 1;
        }
        std::printf("packer: %s: %zu sprites on %zu texture pages, %.0f%% covered\n", argv[3],
                    assets.Package().sprites.size(), assets.Package().textures.size(),
                    100 * assets.PageOccupancy());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
