#include "Package/AssetNames.h"

#include <array>
#include <string>
#include <unordered_map>

namespace {

struct NameIndex {
    std::unordered_map<std::string, int32_t> by_name;
};

std::array<NameIndex, static_cast<size_t>(AssetKind::Count)> g_kinds;

} // namespace

void SetAssetNames(AssetKind kind, std::vector<std::string> names) {
    NameIndex& index = g_kinds[static_cast<size_t>(kind)];
    index.by_name.clear();
    for (size_t i = 0; i < names.size(); ++i)
        index.by_name.try_emplace(std::move(names[i]), static_cast<int32_t>(i)); // the first wins
}

void ClearAssetNames() {
    for (NameIndex& index : g_kinds) index.by_name.clear();
}

int32_t FindAssetIndex(std::string_view name) {
    std::string key(name);
    for (const NameIndex& index : g_kinds) {
        auto found = index.by_name.find(key);
        if (found != index.by_name.end()) return found->second;
    }
    return -1;
}
