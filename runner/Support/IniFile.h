// A plain INI file: "[section]" lines start a section, "key=value" lines set a key in it,
// lines starting with ';' or '#' are comments. Section and key names match without regard to
// case; blanks around names and values are dropped. A key given twice keeps its last value.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

class IniFile {
public:
    // False when the file cannot be read; the contents are then empty.
    bool Load(const std::string& path);
    void Parse(std::string_view text);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // The value's leading decimal integer; nothing when the key is missing or not a number.
    std::optional<int64_t> GetInteger(std::string_view section, std::string_view key) const;

private:
    // Keyed by "section\nkey", both lower case.
    std::map<std::string, std::string> values_;
};
