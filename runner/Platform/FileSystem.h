// The few file-system questions and changes the runner's file functions need.
#pragma once

#include <string>

// An existing regular file (a folder or a device is not a file).
bool IsRegularFile(const std::string& path);
// Removes a regular file; false when there was none or it could not be removed.
bool RemoveFile(const std::string& path);
// Creates the folder that holds the file at `path` and its missing parents; true when the folder
// exists afterwards.
bool MakeFolderOf(const std::string& path);
