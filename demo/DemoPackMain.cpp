// demo_pack PATH: writes the demo's package to PATH.
#include <cstdio>
#include <exception>

#include "DemoGame.h"
#include "DemoPackage.h"
#include "PackageWriter.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo_pack PATH\n");
        return 1;
    }
    GamePackage package;
    try {
        BuildDemoPackage(DemoGameLink(), package);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "demo_pack: %s\n", error.what());
        return 1;
    }
    if (!WritePackageFile(package, argv[1])) {
        std::fprintf(stderr, "demo_pack: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
