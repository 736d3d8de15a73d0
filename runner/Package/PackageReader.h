// Reading a whole package image into its tables without touching any runner state: what
// pkgtool inspects, and what the runner's loader builds on.
//
// The container is checked first (the "FORM" tag in either byte order, the length word, every
// chunk inside the file). Then the chunks are read in an order in which each table is complete
// before anything refers to it, so every offset, count, string and index is checked where it is
// read. Zero-length chunks are listed but never read; unknown tags are listed and skipped.
#pragma once

#include "Package/GamePackage.h"
#include "Package/PackageStatus.h"

#include <cstdint>
#include <string>
#include <vector>

// Reads `image` into `package`, which keeps the image. On failure `package` is left empty and
// the status holds one line naming the problem and its offset.
PackageStatus ReadPackage(std::vector<uint8_t> image, GamePackage& package);

// Reads an audio group file: a "FORM" container whose "AUDO" chunk holds the group's audio
// data, checked as the package's own. `package` keeps the image; only its audio table is filled.
PackageStatus ReadAudioGroupFile(std::vector<uint8_t> image, GamePackage& package);

// The tag as its four characters; bytes that are not printable show as '?'.
std::string ChunkTagText(uint32_t tag);

// The tags the runner knows: those it reads and those it accepts and ignores.
bool IsKnownChunkTag(uint32_t tag);
