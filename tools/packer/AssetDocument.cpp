#include "AssetDocument.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>

namespace {

bool Blank(std::string_view line) {
    return line.find_first_not_of(' ') == std::string_view::npos;
}

bool Comment(std::string_view line) {
    const size_t first = line.find_first_not_of(' ');
    return first != std::string_view::npos && line[first] == '#';
}

// Splits a key line into words; "quoted words" may hold spaces and the escapes \" \\ \n.
void ReadWords(std::string_view line, SourceSpot spot, AssetEntry& entry) {
    size_t i = 0;
    bool first = true;
    while (true) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        if (i == line.size()) return;
        SourceSpot at = spot;
        at.column = spot.column + int(i);
        std::string word;
        if (line[i] == '"') {
            ++i;
            while (true) {
                if (i == line.size()) throw AssetError(at, "unterminated quoted text");
                const char c = line[i++];
                if (c == '"') break;
                if (c != '\\') {
                    word += c;
                    continue;
                }
                if (i == line.size()) throw AssetError(at, "unterminated quoted text");
                const char escaped = line[i++];
                if (escaped == 'n') word += '\n';
                else if (escaped == '"' || escaped == '\\') word += escaped;
                else throw AssetError(at, std::string("unknown escape \\") + escaped);
            }
        } else {
            while (i < line.size() && line[i] != ' ')
                word += line[i++];
        }
        if (first) {
            entry.key = word;
            entry.spot = at;
            first = false;
        } else {
            entry.args.push_back(std::move(word));
            entry.arg_spots.push_back(at);
        }
    }
}

} // namespace

std::string SourceSpot::Text() const {
    if (line == 0) return file; // the file as a whole
    return file + ":" + std::to_string(line) + ":" + std::to_string(column);
}

AssetError::AssetError(const SourceSpot& spot, const std::string& message)
    : std::runtime_error(spot.Text() + ": " + message) {}

void AssetEntry::ExpectArgs(size_t low, size_t high) const {
    if (args.size() < low || args.size() > high) {
        const std::string count = low == high ? std::to_string(low)
                                              : std::to_string(low) + " to " + std::to_string(high);
        Fail("\"" + key + "\" takes " + count + " argument" + (high == 1 ? "" : "s") + ", not " +
             std::to_string(args.size()));
    }
}

const std::string& AssetEntry::Arg(size_t index) const {
    if (index >= args.size()) Fail("\"" + key + "\" is missing argument " + std::to_string(index + 1));
    return args[index];
}

int AssetEntry::Int(size_t index) const {
    const std::string& text = Arg(index);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        FailAt(index, "\"" + text + "\" is not a whole number");
    return value;
}

double AssetEntry::Number(size_t index) const {
    const std::string& text = Arg(index);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        FailAt(index, "\"" + text + "\" is not a number");
    return value;
}

size_t AssetEntry::Choice(size_t index, std::initializer_list<std::string_view> choices) const {
    const std::string& text = Arg(index);
    const auto found = std::find(choices.begin(), choices.end(), text);
    if (found != choices.end()) return size_t(found - choices.begin());
    std::string list;
    for (std::string_view choice : choices)
        list += (list.empty() ? "" : ", ") + std::string(choice);
    FailAt(index, "\"" + text + "\" is not one of: " + list);
}

void AssetEntry::ExpectNoBody() const {
    if (!body.empty()) throw AssetError(body.front().spot, "\"" + key + "\" takes no indented lines");
}

void AssetEntry::ExpectBody() const {
    if (body.empty()) Fail("\"" + key + "\" needs indented lines below it");
}

void AssetEntry::Fail(const std::string& message) const {
    throw AssetError(spot, message);
}

void AssetEntry::FailAt(size_t index, const std::string& message) const {
    throw AssetError(index < arg_spots.size() ? arg_spots[index] : spot, message);
}

AssetDocument AssetDocument::Parse(std::string_view text, const std::string& file) {
    AssetDocument document;
    document.file_ = file;
    document.text_ = std::string(text);
    size_t block_indent = 0; // of the current entry's body, once its first line is seen
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        SourceSpot spot{file, number, 1};
        if (const size_t tab = line.find('\t'); tab != std::string_view::npos) {
            spot.column = int(tab) + 1;
            throw AssetError(spot, "tab character: indent and separate with spaces");
        }
        if (Blank(line) || Comment(line)) continue;
        const size_t indent = line.find_first_not_of(' ');
        if (indent == 0) {
            AssetEntry& entry = document.entries_.emplace_back();
            ReadWords(line, spot, entry);
            block_indent = 0;
            continue;
        }
        spot.column = int(indent) + 1;
        if (document.entries_.empty()) throw AssetError(spot, "indented line before any key");
        AssetEntry& entry = document.entries_.back();
        if (entry.body.empty()) block_indent = indent;
        if (indent < block_indent)
            throw AssetError(spot, "line indented less than the first line of its block");
        spot.column = int(block_indent) + 1;
        entry.body.push_back({std::string(line.substr(block_indent)), spot});
    }
    return document;
}

std::string ReadSourceFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw AssetError({path, 0, 0}, "cannot be read");
    return {std::istreambuf_iterator<char>(in), {}};
}

AssetDocument AssetDocument::Load(const std::string& path) {
    return Parse(ReadSourceFile(path), path);
}

std::vector<AssetEntry> AssetDocument::BodyEntries(const AssetEntry& entry) {
    std::vector<AssetEntry> entries;
    for (const AssetLine& line : entry.body) {
        if (line.text[0] == ' ') throw AssetError(line.spot, "line indented deeper than the lines around it");
        ReadWords(line.text, line.spot, entries.emplace_back());
    }
    return entries;
}

void AssetDocument::ExpectKeys(std::initializer_list<std::string_view> known,
                               std::initializer_list<std::string_view> repeatable) const {
    std::vector<std::string_view> seen;
    for (const AssetEntry& entry : entries_) {
        if (std::find(known.begin(), known.end(), entry.key) == known.end())
            entry.Fail("unknown key \"" + entry.key + "\"");
        const bool repeats = std::find(repeatable.begin(), repeatable.end(), entry.key) != repeatable.end();
        if (!repeats && std::find(seen.begin(), seen.end(), entry.key) != seen.end())
            entry.Fail("\"" + entry.key + "\" is given twice");
        seen.push_back(entry.key);
    }
}

const AssetEntry* AssetDocument::Find(std::string_view key) const {
    for (const AssetEntry& entry : entries_)
        if (entry.key == key) return &entry;
    return nullptr;
}

const AssetEntry& AssetDocument::Require(std::string_view key) const {
    if (const AssetEntry* entry = Find(key)) return *entry;
    throw AssetError({file_, 1, 1}, "missing \"" + std::string(key) + "\"");
}

std::vector<const AssetEntry*> AssetDocument::All(std::string_view key) const {
    std::vector<const AssetEntry*> found;
    for (const AssetEntry& entry : entries_)
        if (entry.key == key) found.push_back(&entry);
    return found;
}
