// The outcome of reading or loading a package: success, or one line saying what is wrong and
// where, for the caller to print before it exits with code 1.
#pragma once

#include <string>

struct PackageStatus {
    bool ok = true;
    std::string error;

    static PackageStatus Success() { return {}; }
    static PackageStatus Failure(std::string line) { return {false, std::move(line)}; }
    explicit operator bool() const { return ok; }
};
