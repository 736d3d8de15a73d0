#include "Code/GameConstants.h"

#include <string>
#include <unordered_map>

namespace {

std::unordered_map<std::string, double>& Table() {
    static std::unordered_map<std::string, double> table;
    return table;
}

constexpr NamedConstant kGameConstants[] = {RUNNER_GAME_CONSTANTS(RUNNER_NAMED_CONSTANT)};

} // namespace

void RegisterGameConstants() {
    RegisterConstants(kGameConstants);
    // The instance keywords that compiled code spells TARGET_SELF and TARGET_OTHER.
    RegisterConstant("self", -1);
    RegisterConstant("other", -2);
    RegisterConstant("global", -5);
    RegisterConstant("pi", 3.14159265358979323846);
}

void RegisterConstant(const char* name, double value) { Table()[name] = value; }

void RegisterConstants(std::span<const NamedConstant> constants) {
    for (const NamedConstant& constant : constants) RegisterConstant(constant.name, constant.value);
}

bool FindConstant(const char* name, double* value) {
    auto found = Table().find(name);
    if (found == Table().end()) return false;
    *value = found->second;
    return true;
}
