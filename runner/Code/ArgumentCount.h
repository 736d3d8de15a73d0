// Built-ins that take a fixed number of arguments check it themselves and report a wrong count
// under their own name, so a bad call never reads past its arguments.
#pragma once

#include <string>

#include "Code/Builtins.h"
#include "Code/RuntimeError.h"

// False, after the report "<built-in>() - wrong number of arguments", when argc is not `expected`.
inline bool HasArgumentCount(int argc, int expected) {
    if (argc == expected) return true;
    ShowError((std::string(CurrentBuiltinName()) + "() - wrong number of arguments").c_str(),
              false);
    return false;
}
