// Reading a text file the way `file_text_readln`, `file_text_read_string` and `file_text_eof`
// see it: whole lines with their line feed, or strings that stop before a line break.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

class TextFileReader {
public:
    // Null when the file cannot be opened.
    static std::unique_ptr<TextFileReader> Open(const std::string& path);
    ~TextFileReader();
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    bool AtEnd();
    // Up to and including the next line feed, or to the end.
    std::string ReadLine();
    // Up to, not including, the next carriage return or line feed, which stays unread.
    std::string ReadString();

private:
    explicit TextFileReader(std::FILE* file) : file_(file) {}

    std::FILE* file_;
};
