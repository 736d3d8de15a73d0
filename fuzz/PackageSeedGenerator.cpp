// Writes the package loader's fuzz seeds into the folder given on the command line: the sample
// package in the current layouts, the same in the oldest layouts the reader accepts, and a
// package with a header alone. Made at build time so the seeds always follow the format.
#include "Package/PackageFormat.h"
#include "PackageWriter.h"
#include "SamplePackage.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: package_seed_generator FOLDER\n");
        return 1;
    }
    const std::string folder = argv[1];

    SamplePackage current;
    bool written = WritePackageFile(current.tables, folder + "/sample.win");

    SamplePackage old;
    old.tables.header.bytecode_version = 8;
    old.tables.header.major_version = 1;
    old.tables.options.legacy_layout = true;
    old.tables.sprites[2]->extended_layout = false;
    written = written && WritePackageFile(old.tables, folder + "/old.win");

    GamePackage header_only;
    header_only.header.game_name = "Empty";
    written = written && WritePackageFile(header_only, folder + "/header_only.win");

    if (!written) std::fprintf(stderr, "package_seed_generator: cannot write to %s\n", argv[1]);
    return written ? 0 : 1;
}
