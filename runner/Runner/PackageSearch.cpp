#include "Runner/PackageSearch.h"

#include <filesystem>

#include "Base/Utf8Path.h"

namespace fs = std::filesystem;

std::vector<std::string> PackagePlaces(const std::string& executable_path) {
    if (executable_path.empty()) return {};
    const fs::path executable = Utf8Path(executable_path);
    const fs::path folder = executable.parent_path();
    const fs::path shared = folder.parent_path() / "share" / executable.stem() / "data.win";
    return {Utf8Text(folder / "data.win"), Utf8Text(shared.lexically_normal())};
}

std::string FindPackage(const std::vector<std::string>& places) {
    for (const std::string& place : places) {
        std::error_code error;
        if (fs::is_regular_file(Utf8Path(place), error)) return place;
    }
    return "";
}

std::string JoinPlaces(const std::vector<std::string>& places) {
    std::string line;
    for (const std::string& place : places) line += (line.empty() ? "" : " or ") + place;
    return line;
}
