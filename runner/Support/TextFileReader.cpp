// Text reading character by character, with one character of look-ahead.
#include "Support/TextFileReader.h"

std::unique_ptr<TextFileReader> TextFileReader::Open(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "r");
    return file ? std::unique_ptr<TextFileReader>(new TextFileReader(file)) : nullptr;
}

TextFileReader::~TextFileReader() {
    std::fclose(file_);
}

bool TextFileReader::AtEnd() {
    int c = std::fgetc(file_);
    if (c == EOF) return true;
    std::ungetc(c, file_);
    return false;
}

std::string TextFileReader::ReadLine() {
    std::string line;
    for (int c; (c = std::fgetc(file_)) != EOF;) {
        line += static_cast<char>(c);
        if (c == '\n') break;
    }
    return line;
}

std::string TextFileReader::ReadString() {
    std::string text;
    for (int c; (c = std::fgetc(file_)) != EOF;) {
        if (c == '\r' || c == '\n') {
            std::ungetc(c, file_);
            break;
        }
        text += static_cast<char>(c);
    }
    return text;
}
