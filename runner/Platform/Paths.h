// The folders the runner finds files in, as the platform knows them (the program's own folder
// is ProcessInfo's ExecutableFolder). Folders end with '/'; an unknown folder is empty.
#pragma once

#include <string>
#include <string_view>

std::string CurrentFolder();

// Where a game keeps its files: $XDG_DATA_HOME/<name>/, or ~/.local/share/<name>/ when
// XDG_DATA_HOME is unset, empty or not absolute; the name goes through SafeFolderName. Empty
// when the name is empty or no home folder is known.
std::string GameSaveFolder(std::string_view game_name);

// The game's name as one folder name that cannot leave its parent or hide: '/', '\' and
// control characters become '_', as do leading dots (so "." and ".." cannot occur), and the
// result is cut to 255 bytes at a UTF-8 character boundary.
std::string SafeFolderName(std::string_view game_name);
