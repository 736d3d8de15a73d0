// Files whose names carry their folders flattened with "@" ("music@title.ogg") are moved into
// those folders ("music/title.ogg"), in the game's own folder only.
#pragma once

#include <string>

// Returns how many files were moved. Names that would leave the folder ("..", empty parts)
// are left alone.
int UnpackFlattenedNames(const std::string& folder);
