// What the packer says of bad input: the message of the AssetError `read` throws, or "" when it
// reads the input.
#pragma once

#include <string>

#include "AssetDocument.h"

template <typename Read>
std::string AssetErrorOf(Read&& read) {
    try {
        read();
    } catch (const AssetError& error) {
        return error.what();
    }
    return "";
}
