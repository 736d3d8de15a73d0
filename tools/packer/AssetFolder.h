// An asset folder turned into a package. The folder holds:
//
//     game.txt           the game's name, window size, speed, and the order of its assets
//     palette.txt        the shared palette (see Palette.h)
//     sprites/<name>.sprite
//     tilesets/<name>.tileset
//     sounds/<name>.sound, music/<name>.music
//     objects/<name>.object
//     rooms/<name>.room
//
// game.txt:
//
//     name Snowtide
//     window 320 180
//     speed 60
//     sprites            (the sprites whose index the game relies on, first, in this order;
//       sFontMain         every other sprite follows in name order; "objects" and
//                         "tilesets", "sounds" (effects and music), "rooms" the same: the
//                         room order is the rooms' order)
//       sFontSmall
#pragma once

#include <deque>
#include <filesystem>
#include <set>
#include <string>

#include "RoomCells.h"
#include "RoomExits.h"
#include "TexturePageBuilder.h"

// Instance creation code the packer writes for the game: simple assignments, and for the room's
// exit controller the exit records of its screens.
struct CreationCode {
    std::string function; // psl_RoomCC_<room>_<instance id>_Create
    std::vector<InstanceAssignment> assignments;
    std::map<std::pair<int, int>, ExitRecord> exits;
};

class AssetFolder {
public:
    // Reads and lays out everything, with a script record and code entry for each of
    // `scripts` (the game's psl_Script_ functions, without the prefix); throws AssetError at
    // the first bad input.
    // Sounds are encoded once: with a `cache` folder, an encoding made from the same source text
    // before is taken from there.
    explicit AssetFolder(const std::filesystem::path& folder, const std::set<std::string>& scripts = {},
                         const std::filesystem::path& cache = {});
    AssetFolder(const AssetFolder&) = delete;
    AssetFolder& operator=(const AssetFolder&) = delete;

    const GamePackage& Package() const { return package_; }
    // Stamps the package (its header's timestamp) with a hash of everything else in it, and
    // returns the stamp: the game built with this package carries it, so that the runner
    // refuses a package from another build.
    uint64_t Stamp();
    // The share of the texture pages' area that frames cover, 0 to 1.
    double PageOccupancy() const { return pages_.Occupancy(); }
    const std::vector<CreationCode>& CreationCodes() const { return creation_codes_; }
    // The streamed sounds' Ogg files, which go beside the package, by file name.
    const std::map<std::string, std::vector<uint8_t>>& StreamedFiles() const { return streamed_files_; }
    // The game variables the creation code assigns.
    std::set<std::string> AssignedVariables() const;

private:
    std::string_view Keep(std::string text) { return texts_.emplace_back(std::move(text)); }
    void ReadGame(const AssetDocument& game);
    void ReadSprites(const AssetDocument& game, const Palette& palette);
    void ReadTileSets(const AssetDocument& game, const Palette& palette);
    void ReadObjects(const AssetDocument& game);
    void AddScripts(const std::set<std::string>& scripts);
    void ReadRooms(const AssetDocument& game);
    void ReadSounds(const AssetDocument& game);
    // The sound's Ogg bytes, from the cache when its source text was encoded before.
    std::vector<uint8_t> Encode(const struct SoundSource& sound, const std::string& source_text) const;
    // Adds an instance record, its creation code entry when it has assignments or exits.
    void AddInstance(PackageRoom& room, const InstanceSource& source,
                     std::map<std::pair<int, int>, ExitRecord> exits = {});
    // The box the player (oChar) collides with while standing, from its mask; none in a game
    // without one, whose rooms are not checked for the player's sake.
    std::optional<PlayerBox> PlayerStandingBox() const;
    // The code entry of psl_Room_<name>_Create, one for all the rooms that share it.
    int32_t RoomCreationCode(const std::string& name);
    // The index of the named resource, refused at `spot` when there is none.
    template <class T>
    static int32_t IndexOf(const ResourceList<T>& list, const std::string& name, const SourceSpot& spot,
                           const std::string& kind);

    std::filesystem::path folder_;
    std::deque<std::string> texts_; // the package's texts view these
    TexturePageBuilder pages_;
    GamePackage package_;
    std::filesystem::path cache_;
    std::vector<CreationCode> creation_codes_;
    std::map<std::string, int32_t> room_creation_codes_;
    std::deque<std::vector<uint8_t>> audio_; // the package's audio table views these
    std::map<std::string, std::vector<uint8_t>> streamed_files_;
    uint32_t next_instance_id_ = 100001;
};
