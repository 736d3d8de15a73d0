#include "Palette.h"

#include <charconv>

namespace {

// "#rrggbb", "#rrggbbaa" or "transparent".
std::optional<Texel> ParseColour(const std::string& text) {
    if (text == "transparent") return Texel{};
    if ((text.size() != 7 && text.size() != 9) || text[0] != '#') return std::nullopt;
    uint8_t channels[4] = {0, 0, 0, 255};
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const char* first = text.data() + 1 + i;
        const auto [end, error] = std::from_chars(first, first + 2, channels[i / 2], 16);
        if (error != std::errc() || end != first + 2) return std::nullopt;
    }
    return Texel{channels[0], channels[1], channels[2], channels[3]};
}

} // namespace

void Palette::Add(char c, const std::string& colour, const SourceSpot& key_spot,
                  const SourceSpot& colour_spot) {
    const std::optional<Texel> rgba = ParseColour(colour);
    if (!rgba) throw AssetError(colour_spot, "\"" + colour + "\" is not a colour (#rrggbb, #rrggbbaa or transparent)");
    std::optional<Texel>& slot = colours_[uint8_t(c)];
    if (slot) throw AssetError(key_spot, std::string("'") + c + "' is already in the palette");
    slot = rgba;
}

void Palette::AddDocument(const AssetDocument& document) {
    for (const AssetEntry& entry : document.Entries()) {
        if (entry.key.size() != 1) entry.Fail("a palette key is one character, not \"" + entry.key + "\"");
        entry.ExpectArgs(1, 1);
        entry.ExpectNoBody();
        Add(entry.key[0], entry.args[0], entry.spot, entry.arg_spots[0]);
    }
}

void Palette::AddLines(const std::vector<AssetLine>& lines) {
    for (const AssetLine& line : lines) {
        const size_t colour_at = line.text.find_first_not_of(' ', 1);
        if (line.text.size() < 3 || line.text[1] != ' ' || colour_at == std::string::npos)
            throw AssetError(line.spot, "a palette line is a character, a space and a colour");
        SourceSpot colour_spot = line.spot;
        colour_spot.column += int(colour_at);
        const size_t colour_end = line.text.find(' ', colour_at);
        Add(line.text[0], line.text.substr(colour_at, colour_end - colour_at), line.spot, colour_spot);
    }
}

std::optional<Texel> Palette::Find(char c) const {
    return colours_[uint8_t(c)];
}
