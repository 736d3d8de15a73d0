// `pkgtool info`: one "key: value" line per header field, one "chunk TAG LENGTH" line per chunk
// in file order, then one count line per resource list.
#pragma once

#include "Package/GamePackage.h"

#include <string>

std::string PackageInfoText(const GamePackage& package);
