// An asset folder turned into a package. The folder holds:
//
//     game.txt           the game's name, window size, speed, and the order of its assets
//     palette.txt        the shared palette (see Palette.h)
//     sprites/<name>.sprite
//     tilesets/<name>.tileset
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
//                         "tilesets" and "rooms" the same: the room order is the rooms'
//                         order)
//       sFontSmall
#pragma once

#include <deque>
#include <filesystem>
#include <set>
#include <string>

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
    explicit AssetFolder(const std::filesystem::path& folder, const std::set<std::string>& scripts = {});
    AssetFolder(const AssetFolder&) = delete;
    AssetFolder& operator=(const AssetFolder&) = delete;

    const GamePackage& Package() const { return package_; }
    // The share of the texture pages' area that frames cover, 0 to 1.
    double PageOccupancy() const { return pages_.Occupancy(); }
    const std::vector<CreationCode>& CreationCodes() const { return creation_codes_; }
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
    // Adds an instance record, its creation code entry when it has assignments or exits.
    void AddInstance(PackageRoom& room, const InstanceSource& source,
                     std::map<std::pair<int, int>, ExitRecord> exits = {});
    // The index of the named resource, refused at `spot` when there is none.
    template <class T>
    static int32_t IndexOf(const ResourceList<T>& list, const std::string& name, const SourceSpot& spot,
                           const std::string& kind);

    std::filesystem::path folder_;
    std::deque<std::string> texts_; // the package's texts view these
    TexturePageBuilder pages_;
    GamePackage package_;
    std::vector<CreationCode> creation_codes_;
    uint32_t next_instance_id_ = 100001;
};
