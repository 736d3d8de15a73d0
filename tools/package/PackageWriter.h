// Builds a complete game package in memory from its tables (the same tables the runner's
// reader fills) and writes it out. The packer, pkgtool's tests, the runner's tests and the fuzz
// seeds all make their packages with it.
//
// Every chunk the reader reads is written, in an order in which each reference resolves when
// the runner meets it: scripts before the function table, texture page entries before the
// textures, code entries before the variable and function tables that chain through them, and
// all strings pooled into one string table. Layouts follow the header's bytecode and major
// versions (17 and 2 by default).
//
// The writer lays out what it is given: indices and names are not judged (tests write broken
// packages this way). It throws std::invalid_argument only for what it cannot lay out: a frame
// naming a texture page entry that does not exist, a mask of the wrong size, pixels that do not
// match their texture's size, occurrences out of order.
#pragma once

#include "Package/GamePackage.h"

#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> WritePackage(const GamePackage& package);

// An audio group file: a "FORM" container holding only the package's "AUDO" chunk.
std::vector<uint8_t> WriteAudioGroupFile(const GamePackage& package);

// False when the file cannot be written; a file that was there before is then untouched, and
// no partial package is ever left behind.
bool WritePackageFile(const GamePackage& package, const std::string& path);
