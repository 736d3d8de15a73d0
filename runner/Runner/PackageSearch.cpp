#include "Runner/PackageSearch.h"

#include <filesystem>

namespace fs = std::filesystem;

std::vector<std::string> PackagePlaces(const std::string& executable_path) {
    if (executable_path.empty()) return {};
    const fs::path executable(executable_path);
    const fs::path folder = executable.parent_path();
    const fs::path shared = folder.parent_path() / "share" / executable.stem() / "data.win";
    return {(folder / "data.win").string(), shared.lexically_normal().string()};
}

std::string FindPackage(const std::vector<std::string>& places) {
    for (const std::string& place : places) {
        std::error_code error;
        if (fs::is_regular_file(place, error)) return place;
    }
    return "";
}

std::string JoinPlaces(const std::vector<std::string>& places) {
    std::string line;
    for (const std::string& place : places) line += (line.empty() ? "" : " or ") + place;
    return line;
}
