// The platform-neutral half of the folder rules: making a game's name safe as a folder name.
#include "Platform/Paths.h"

namespace {

constexpr size_t kMaxFolderName = 255;

bool IsUnsafe(unsigned char c) {
    return c == '/' || c == '\\' || c < 0x20 || c == 0x7F;
}

} // namespace

std::string SafeFolderName(std::string_view game_name) {
    std::string name;
    bool leading = true;
    for (char c : game_name) {
        leading = leading && c == '.';
        name += leading || IsUnsafe(static_cast<unsigned char>(c)) ? '_' : c;
    }
    if (name.size() > kMaxFolderName) {
        size_t cut = kMaxFolderName;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut; // a continuation byte
        name.resize(cut);
    }
    return name;
}
