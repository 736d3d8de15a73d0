// The package's header and options as loaded: versions, window size, room order and game
// speed; the option flags and constants the runner acts on. Text fields view the loaded image.
#pragma once

#include "Package/PackageFormat.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct PackageHeader {
    int32_t format_number = package::kFormatNumberGen8; // 700 when the tag was GEN7 or GENL
    bool debug_disabled = false;
    uint8_t bytecode_version = package::kDefaultBytecodeVersion;
    std::string_view config_name;
    uint32_t last_instance_id = 0;
    uint32_t last_tile_id = 0;
    uint32_t game_id = 0;
    std::array<uint8_t, 16> guid{};
    std::string_view game_name;
    uint32_t major_version = package::kDefaultMajorVersion;
    uint32_t minor_version = 0;
    uint32_t release = 0;
    uint32_t build = 0;
    uint32_t window_width = 0;
    uint32_t window_height = 0;
    uint32_t info_flags = 0;
    uint64_t timestamp = 0;
    // The fields below are only read from the versions that have them; older packages keep
    // these defaults.
    std::string_view display_name;
    uint64_t active_targets = 0;
    uint64_t function_classifications = ~uint64_t(0);
    uint32_t store_app_id = 0;
    uint32_t debugger_port = 0;
    std::vector<int32_t> room_order;
    float game_speed = 60; // frames per second

    bool NewProject() const { return major_version >= package::kNewProjectMajorVersion; }
    bool operator==(const PackageHeader&) const = default;
};

struct PackageConstant {
    std::string_view name;
    std::string_view value;
    bool operator==(const PackageConstant&) const = default;
};

struct PackageOptions {
    bool legacy_layout = false; // read from (or to be written in) the old one-word-per-option form
    // In the new layout's bits whichever layout was read, as the runner acts on them: creation
    // event order dropped before it existed, fast collision forced on for new projects.
    uint32_t flags = 0;
    int32_t stored_scale = 100;
    uint32_t window_colour = 0;
    std::vector<PackageConstant> constants; // every pair, in file order

    // Taken from the constants of these names when present.
    std::optional<int32_t> sleep_margin_ms;
    std::optional<uint32_t> draw_colour;
    std::optional<int64_t> version_major;
    std::optional<int64_t> version_minor;

    bool Has(uint32_t flag) const { return (flags & flag) != 0; }
    bool operator==(const PackageOptions&) const = default;
};
