// UTF-8, the runner's text, to and from the UTF-16 of the wide-character Windows API, so that
// file names in any alphabet reach the file system as they are.
#pragma once

#include <string>
#include <string_view>

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);
// A path as the runner writes paths: UTF-8 with '/' between folders.
std::string RunnerPath(std::wstring_view path);
