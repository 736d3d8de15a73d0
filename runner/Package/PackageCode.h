// The package's code tables as loaded: code entries (bound by index to the game's compiled
// functions), scripts, and the variable and function tables whose occurrences in the code
// bytes are patched with resolved numbers at load.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct PackageCodeEntry {
    std::string_view name;
    std::span<const uint8_t> bytes; // in the loaded image
    uint32_t local_count = 0;
    uint32_t argument_count = 0;
};

struct PackageScript {
    std::string_view name;
    int32_t code_index = -1; // -1: no code
    bool operator==(const PackageScript&) const = default;
};

// A place in a code entry's bytes.
struct CodeLocation {
    int32_t code_index;
    uint32_t offset;
    bool operator==(const CodeLocation&) const = default;
};

struct PackageVariable {
    std::string_view name;
    int32_t kind = -1; // scope: instance -1, global -5, local -7
    int32_t id = 0;
    std::vector<CodeLocation> occurrences;
    bool operator==(const PackageVariable&) const = default;
};

struct PackageFunction {
    std::string_view name;
    std::vector<CodeLocation> occurrences;
    bool operator==(const PackageFunction&) const = default;
};

struct PackageLocal {
    uint32_t index;
    std::string_view name;
    bool operator==(const PackageLocal&) const = default;
};

// The local variables of one code entry.
struct PackageCodeLocals {
    std::string_view code_name;
    std::vector<PackageLocal> locals;
    bool operator==(const PackageCodeLocals&) const = default;
};

// The header of the variable table.
struct PackageVariableCounts {
    uint32_t global_count = 0;
    uint32_t instance_count = 0;
    uint32_t max_local_count = 0;
    bool operator==(const PackageVariableCounts&) const = default;
};
