// A package that cannot be read: one line naming the problem and the file offset where it
// was found. Thrown only inside the package reader; its callers receive the line.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class PackageError : public std::runtime_error {
public:
    PackageError(const std::string& problem, uint64_t offset)
        : std::runtime_error(problem + " at offset " + std::to_string(offset)) {}
};
