#include "Runner/FlattenedNames.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "Base/Utf8Path.h"


namespace fs = std::filesystem;

namespace {

constexpr size_t kNameLimit = 2048;

// The relative path the flattened name stands for, or empty when it is not a safe one.
fs::path UnflattenedPath(const std::string& name) {
    fs::path path;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('@', start);
        if (end == std::string::npos) end = name.size();
        std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return {};
        path /= Utf8Path(part);
        start = end + 1;
    }
    return path;
}

} // namespace

int UnpackFlattenedNames(const std::string& folder) {
    std::error_code error;
    std::vector<fs::path> flattened;
    for (auto it = fs::directory_iterator(Utf8Path(folder), error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        const fs::directory_entry& entry = *it;
        std::string name = Utf8Text(entry.path().filename());
        if (name.find('@') == std::string::npos || name.front() == '.' || name.size() >= kNameLimit) continue;
        if (!entry.is_regular_file(error) || entry.is_symlink(error)) continue;
        flattened.push_back(entry.path());
    }
    int moved = 0;
    for (const fs::path& from : flattened) {
        fs::path relative = UnflattenedPath(Utf8Text(from.filename()));
        if (relative.empty()) continue;
        fs::path to = Utf8Path(folder) / relative;
        fs::create_directories(to.parent_path(), error);
        if (error) continue;
        fs::rename(from, to, error);
        if (!error) ++moved;
    }
    return moved;
}
