// pkgtool: inspects a game package for the people who build them.
//
//   pkgtool info FILE               header fields, chunks in file order, resource counts
//   pkgtool dump FILE KIND [INDEX]  the records of one kind as text
//
// Exit status: 0 for a valid package, 2 with one line on stderr for a file that is refused,
// 1 for a wrong command line.
#include "Code/NumberText.h"
#include "Package/PackageReader.h"
#include "PackageDump.h"
#include "PackageInfo.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kExitUsage = 1;
constexpr int kExitRefused = 2;

int Usage() {
    std::fprintf(stderr,
                 "usage: pkgtool info FILE\n"
                 "       pkgtool dump FILE KIND [INDEX]   KIND: %s\n",
                 kDumpKinds);
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool info = args.size() == 2 && args[0] == "info";
    const bool dump = (args.size() == 3 || args.size() == 4) && args[0] == "dump";
    if (!info && !dump) return Usage();

    std::optional<int64_t> index;
    if (args.size() == 4) {
        int64_t value = 0;
        if (!ParseInt64Prefix(args[3].c_str(), 10, &value)) return Usage();
        index = value;
    }

    const std::string& path = args[1];
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
        return kExitRefused;
    }
    std::vector<uint8_t> image((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    GamePackage package;
    PackageStatus status = ReadPackage(std::move(image), package);
    if (!status) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), status.error.c_str());
        return kExitRefused;
    }

    if (info) {
        std::fputs(PackageInfoText(package).c_str(), stdout);
        return 0;
    }
    std::optional<std::string> text = PackageDumpText(package, args[2], index);
    if (!text) {
        const std::string what = args[2] + (index ? " " + args[3] : std::string());
        std::fprintf(stderr, "pkgtool: no %s in %s\n", what.c_str(), path.c_str());
        return Usage();
    }
    std::fputs(text->c_str(), stdout);
    return 0;
}
