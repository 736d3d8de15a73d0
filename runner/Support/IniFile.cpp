// Reading INI text.
#include "Support/IniFile.h"

#include "Code/NumberText.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace {

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t\r";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string Key(std::string_view section, std::string_view key) {
    std::string joined;
    joined.reserve(section.size() + key.size() + 1);
    for (char c : section)
        joined += char(std::tolower(static_cast<unsigned char>(c)));
    joined += '\n';
    for (char c : key)
        joined += char(std::tolower(static_cast<unsigned char>(c)));
    return joined;
}

} // namespace

bool IniFile::Load(const std::string& path) {
    values_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream text;
    text << in.rdbuf();
    Parse(text.str());
    return true;
}

void IniFile::Parse(std::string_view text) {
    std::string_view section;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            size_t close = line.find(']');
            section = Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        values_[Key(section, Trim(line.substr(0, equals)))] =
            std::string(Trim(line.substr(equals + 1)));
    }
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    auto found = values_.find(Key(section, key));
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

std::optional<int64_t> IniFile::GetInteger(std::string_view section, std::string_view key) const {
    std::optional<std::string> text = Get(section, key);
    int64_t value = 0;
    if (!text || !ParseInt64Prefix(text->c_str(), 10, &value)) return std::nullopt;
    return value;
}
