// The one text syntax every asset file shares, so that each kind of asset only says what its
// keys mean:
//
//     # a comment line
//     key argument "an argument with spaces" 12 -3.5
//       an indented body line, kept as written after the block's indentation
//       another body line
//
// A key starts at the first column. The lines indented below it are its body: pixel rows,
// palette entries, instance lists. Blank lines and comment lines (whose first non-blank
// character is '#') are skipped everywhere; a '#' inside a line is an ordinary character, so
// colours read "#1a1c2c". Indentation is spaces only.
#pragma once

#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Where something was written: file, line and column, all counted from 1; line 0 is the file
// as a whole.
struct SourceSpot {
    std::string file;
    int line = 0;
    int column = 0;

    std::string Text() const;
};

// Bad input: "file:line:column: message", or "file: message" for the file as a whole.
class AssetError : public std::runtime_error {
public:
    AssetError(const SourceSpot& spot, const std::string& message);
};

struct AssetLine {
    std::string text;
    SourceSpot spot; // of the line's first character after the block's indentation
};

// A source file's bytes; a file that cannot be read is an AssetError naming it.
std::string ReadSourceFile(const std::string& path);

class AssetEntry {
public:
    std::string key;
    SourceSpot spot;
    std::vector<std::string> args;
    std::vector<SourceSpot> arg_spots;
    std::vector<AssetLine> body;

    // Refuses anything but `low` to `high` arguments.
    void ExpectArgs(size_t low, size_t high) const;
    const std::string& Arg(size_t index) const;
    // The argument as a whole number or a number; refused with its spot when it is not one.
    int Int(size_t index) const;
    double Number(size_t index) const;
    // The argument, which must be one of `choices`; returns its position among them.
    size_t Choice(size_t index, std::initializer_list<std::string_view> choices) const;
    // Refuses a body (for keys that take none) or its absence.
    void ExpectNoBody() const;
    void ExpectBody() const;
    [[noreturn]] void Fail(const std::string& message) const;
    [[noreturn]] void FailAt(size_t index, const std::string& message) const;
};

class AssetDocument {
public:
    // Throws AssetError at the first thing it cannot read.
    static AssetDocument Parse(std::string_view text, const std::string& file);
    // Reads the file; a file that cannot be read is an AssetError at line 0.
    static AssetDocument Load(const std::string& path);
    // An entry's body read as key lines of its own (without bodies of theirs).
    static std::vector<AssetEntry> BodyEntries(const AssetEntry& entry);

    const std::string& File() const { return file_; }
    // The text as written, for what is keyed by its content.
    const std::string& Text() const { return text_; }
    const std::vector<AssetEntry>& Entries() const { return entries_; }

    // Refuses any key not in `known`, and a second entry of a key outside `repeatable`.
    void ExpectKeys(std::initializer_list<std::string_view> known,
                    std::initializer_list<std::string_view> repeatable = {}) const;
    // The entry of `key`, if any (the first one when repeated).
    const AssetEntry* Find(std::string_view key) const;
    const AssetEntry& Require(std::string_view key) const;
    // Every entry of `key`, in file order.
    std::vector<const AssetEntry*> All(std::string_view key) const;

private:
    std::string file_;
    std::string text_;
    std::vector<AssetEntry> entries_;
};
