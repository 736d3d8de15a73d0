// `pkgtool dump KIND [INDEX]`: the records of one kind as readable text, one block per record.
#pragma once

#include "Package/GamePackage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* kDumpKinds =
    "objects, rooms, sprites, backgrounds, fonts, sounds, textures, code, strings";

// Nothing when the kind is not one of kDumpKinds or the index names no record of it.
std::optional<std::string> PackageDumpText(const GamePackage& package, std::string_view kind,
                                           std::optional<int64_t> index);
